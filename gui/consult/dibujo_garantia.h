#pragma once
// The table and the bar chart of the "Garantía" panel: the rows of 14 hits down to 10 as the
// engine wrote them, painted.

#include <QWidget>

#include "engine/consult/panel_garantia.h"

namespace zendo {

// Pic_TablaGarantia: per number of hits, the results whose best column has exactly and at
// least that many hits (count and share), the expected prizes of the category and, for
// method 4, the weighted probabilities.
class TablaGarantia : public QWidget {
  Q_OBJECT

 public:
  explicit TablaGarantia(QWidget* padre);
  void PonPanel(const PanelGarantia& panel);
  const PanelGarantia& panel() const { return panel_; }
  // The height the rows need.
  static int Alto();

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  PanelGarantia panel_;
};

// Pic_GraficoGarantia: one bar per number of hits, as long as the share of results with at
// least that many; its end in a darker colour is the share with exactly that many. Method 4
// adds a green bar with the weighted probability.
class GraficoGarantia : public QWidget {
  Q_OBJECT

 public:
  explicit GraficoGarantia(QWidget* padre);
  void PonPanel(const PanelGarantia& panel);
  static int Alto();

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  PanelGarantia panel_;
};

}  // namespace zendo

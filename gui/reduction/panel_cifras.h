#pragma once
// Pic_Esta: the live figures of the reduction, one label and one value per line, and
// Pic_Externo: the three lines about the external column file of a manual reduction.

#include <QWidget>
#include <array>
#include <vector>

#include "engine/reduction/panel.h"

namespace zendo {

class PanelEsta : public QWidget {
  Q_OBJECT

 public:
  explicit PanelEsta(QWidget* padre);
  // Repaints only when the lines differ from those shown.
  void PonLineas(std::vector<LineaPanel> lineas);
  const std::vector<LineaPanel>& lineas() const { return lineas_; }
  // The value shown beside a label (the label as the program writes it); empty when absent.
  QString Valor(const QString& etiqueta) const;
  // Height the panel needs for a number of lines.
  static int AltoPara(int lineas);

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  std::vector<LineaPanel> lineas_;
};

class PanelExterno : public QWidget {
  Q_OBJECT

 public:
  explicit PanelExterno(QWidget* padre);
  void PonLineas(const std::array<std::string, 3>& lineas, bool valido);
  QStringList lineas() const { return lineas_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  QStringList lineas_;
  bool valido_ = false;
};

}  // namespace zendo

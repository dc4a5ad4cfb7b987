#pragma once
// Pic_Grafico: the columns of the base and of the reduction per class (variants, errors,
// or the whole percentage of probability), with a legend, the axis titles and, under the
// pointer, the engine's tool tip for the class.

#include <QWidget>

#include "engine/reduction/cifras.h"

namespace zendo {

class GraficoReduccion : public QWidget {
  Q_OBJECT

 public:
  explicit GraficoReduccion(QWidget* padre);

  // Repaints only when the histograms or the method changed.
  void PonCifras(const Cifras& cifras);
  const Cifras& cifras() const { return c_; }

  // Where the bars are drawn, and the class under a horizontal position of the widget
  // (-1 outside the bars).
  QRect AreaBarras() const;
  int ClaseEn(QPoint punto) const;
  // The x of the middle of a class's bar, for tests and for the pointer.
  int CentroClase(int clase) const;
  // Height in pixels of a count on the vertical scale (a square-root scale, so that a
  // class of a few columns stays visible beside one of thousands).
  static int AltoBarra(int64_t valor, int64_t maximo, int alto);
  // The legend's series names.
  QStringList series() const;

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void leaveEvent(QEvent* evento) override;

 private:
  void PintaEscala(QPainter& p, const QRect& area, int64_t maximo);
  int64_t Maximo() const;

  Cifras c_;
  bool conCifras_ = false;
  int claseRaton_ = -1;
};

}  // namespace zendo

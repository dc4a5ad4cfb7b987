#pragma once
// Pic_Ganadora: the winning column, 15 rows of the three signs. It is drawn with the rows of
// the quiniela panel; a click is mapped back to the grid of 15 rows of 18 pixels and 3
// columns of 15 pixels that QueGanadoraHaPulsado answers for, so the gaps between cells
// answer nothing.

#include "engine/scrutiny/ganadora.h"
#include "gui/consult/rejilla.h"

namespace zendo {

class RejillaGanadora : public Rejilla {
  Q_OBJECT

 public:
  RejillaGanadora(Servicios& servicios, const MarcasGanadora& marcas, QWidget* padre);

  // The match and sign (1-based) under a point of the widget.
  PulsacionGanadora QueGanadoraHaPulsado(QPointF punto) const;
  void RedibujaPartido(int m) { RedibujaFila(m - 1); }
  // The top of the first row, to line it up with the panel's rows.
  int yPrimeraFila() const { return geometria().y0; }

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  void mousePressEvent(QMouseEvent* evento) override;

 private:
  const MarcasGanadora& marcas_;
};

}  // namespace zendo

#include "gui/scrutiny/rejilla_ganadora.h"

#include <QMouseEvent>

#include "engine/reduction/modelo.h"
#include "gui/consult/rejillas_quiniela.h"

namespace zendo {
namespace {

// The cells of the quiniela panel: 20 x 18, 23 apart across, one row of the panel (22) down.
constexpr int kPasoX = 23;
constexpr int kPasoY = 22;

}  // namespace

RejillaGanadora::RejillaGanadora(Servicios& servicios, const MarcasGanadora& marcas, QWidget* padre)
    : Rejilla(servicios, QStringLiteral("Pic_Ganadora"), QStringLiteral("Columna ganadora"), padre),
      marcas_(marcas) {
  // The grid of the click rule, scaled: its margins of 3 and 4 pixels become 5.
  GeometriaRejilla g;
  g.filas = kPartidos;
  g.columnas = 3;
  g.x0 = 5;
  g.y0 = 5;
  g.ancho = 20;
  g.alto = 18;
  g.pasoX = kPasoX;
  g.pasoY = kPasoY;
  PonGeometria(g);
  // The keys 1, X and 2 mark that sign in the focused row, as in the panel's grids.
  PonTeclasSigno(true);
}

PulsacionGanadora RejillaGanadora::QueGanadoraHaPulsado(QPointF punto) const {
  return zendo::QueGanadoraHaPulsado(punto.x() * kAnchoColumnaGanadora / kPasoX,
                                     punto.y() * kAltoFilaGanadora / kPasoY);
}

void RejillaGanadora::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  const int s = c.columna + 1;
  PintaCeldaSigno(p, r, s,
                  marcas_[static_cast<std::size_t>(c.fila + 1)][static_cast<std::size_t>(s)] == 1,
                  isEnabled());
}

void RejillaGanadora::mousePressEvent(QMouseEvent* evento) {
  const PulsacionGanadora q = QueGanadoraHaPulsado(evento->position());
  if (q.signo == 0) return;  // a gap, or outside the cells
  foco_ = Celda{q.partido - 1, q.signo - 1};
  if (alPulsar) alPulsar(foco_);
}

}  // namespace zendo

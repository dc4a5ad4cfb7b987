#include "gui/consult/rejilla.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"

namespace zendo {

std::optional<Celda> CeldaEn(const GeometriaRejilla& g, int x, int y) {
  if (g.pasoX <= 0 || g.pasoY <= 0) return std::nullopt;
  const int dx = x - g.x0;
  const int dy = y - g.y0;
  if (dx < 0 || dy < 0) return std::nullopt;
  const int columna = dx / g.pasoX;
  const int fila = dy / g.pasoY;
  if (columna >= g.columnas || fila >= g.filas) return std::nullopt;
  // The gaps between cells belong to no cell.
  if (dx - columna * g.pasoX >= g.ancho || dy - fila * g.pasoY >= g.alto) return std::nullopt;
  return Celda{fila, columna};
}

QRect RectCelda(const GeometriaRejilla& g, Celda c) {
  return QRect(g.x0 + c.columna * g.pasoX, g.y0 + c.fila * g.pasoY, g.ancho, g.alto);
}

QRect RectFila(const GeometriaRejilla& g, int fila) {
  return QRect(0, g.y0 + fila * g.pasoY, TamanoRejilla(g).width(), g.pasoY);
}

QSize TamanoRejilla(const GeometriaRejilla& g) {
  if (g.filas <= 0 || g.columnas <= 0) return QSize(0, 0);
  // The margin left of the first cell is kept right of the last one too.
  return QSize(g.x0 + (g.columnas - 1) * g.pasoX + g.ancho + std::max(1, g.x0),
               g.y0 + (g.filas - 1) * g.pasoY + g.alto + std::max(1, g.y0));
}

Rejilla::Rejilla(Servicios& servicios, const QString& nombre, const QString& descripcion,
                 QWidget* padre)
    : QWidget(padre), s_(servicios) {
  setObjectName(nombre);
  setAccessibleName(descripcion);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
}

void Rejilla::PonGeometria(const GeometriaRejilla& g) {
  g_ = g;
  foco_ = Celda{std::clamp(foco_.fila, 0, std::max(0, g.filas - 1)),
                std::clamp(foco_.columna, 0, std::max(0, g.columnas - 1))};
  setFixedSize(TamanoRejilla(g));
  update();
}

void Rejilla::RedibujaFila(int fila) {
  if (fila >= 0 && fila < g_.filas) update(RectFila(g_, fila));
}

int Rejilla::CursorCelda(Celda c) const {
  return Admite(c) ? kCursorManoAbierta : kCursorDefecto;
}

void Rejilla::Pulsada(Celda c, QPoint) {
  if (Admite(c) && alPulsar) alPulsar(c);
}

void Rejilla::paintEvent(QPaintEvent* evento) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect zona = evento->rect();
  for (int f = 0; f < g_.filas; ++f) {
    if (!RectFila(g_, f).intersects(zona)) continue;
    for (int c = 0; c < g_.columnas; ++c) {
      const Celda celda{f, c};
      const QRect r = RectCelda(g_, celda);
      PintaCelda(p, celda, r);
    }
  }
  // Over the cells, so that no neighbour paints over the ring.
  if (muestraFoco() && foco_.fila < g_.filas && foco_.columna < g_.columnas) {
    // Around the cell, in the gaps; kept inside the grid where the cell touches its edge.
    const QRect anillo =
        RectCelda(g_, foco_).adjusted(-kMargenFoco, -kMargenFoco, kMargenFoco, kMargenFoco);
    PintaAnilloFoco(p, anillo.intersected(rect().adjusted(2, 2, -2, -2)));
  }
}

void Rejilla::mousePressEvent(QMouseEvent* evento) {
  const auto celda = CeldaEn(evento->position().toPoint());
  if (!celda) return;  // a click in a gap or outside does nothing
  foco_ = *celda;
  Pulsada(*celda, evento->position().toPoint());
}

void Rejilla::mouseMoveEvent(QMouseEvent* evento) {
  const auto celda = CeldaEn(evento->position().toPoint());
  PonCursorRejilla(celda ? CursorCelda(*celda) : kCursorDefecto);
}

void Rejilla::leaveEvent(QEvent*) {
  PonCursorRejilla(kCursorDefecto);
}

void Rejilla::PonCursorRejilla(int tipo) {
  if (tipo == cursor_) return;
  cursor_ = tipo;
  s_.PonCursor(this, tipo);
}

void Rejilla::keyPressEvent(QKeyEvent* evento) {
  if (g_.filas <= 0 || g_.columnas <= 0) {
    QWidget::keyPressEvent(evento);
    return;
  }
  focoTeclado_ = true;
  if (const auto signo = ColumnaDeSigno(evento); teclasSigno_ && signo && *signo < g_.columnas) {
    foco_.columna = *signo;
    update();
    Pulsada(foco_, CentroDe(foco_));
    return;
  }
  if (EsTeclaPulsar(evento)) {
    update();
    Pulsada(foco_, CentroDe(foco_));
    return;
  }
  switch (evento->key()) {
    case Qt::Key_Up:
      foco_.fila = std::max(0, foco_.fila - 1);
      break;
    case Qt::Key_Down:
      foco_.fila = std::min(g_.filas - 1, foco_.fila + 1);
      break;
    case Qt::Key_Left:
      foco_.columna = std::max(0, foco_.columna - 1);
      break;
    case Qt::Key_Right:
      foco_.columna = std::min(g_.columnas - 1, foco_.columna + 1);
      break;
    default:
      QWidget::keyPressEvent(evento);
      return;
  }
  update();
}

void Rejilla::focusInEvent(QFocusEvent* evento) {
  QWidget::focusInEvent(evento);
  // The mark of the focused cell is for the keyboard; a click does not show it.
  focoTeclado_ = evento->reason() == Qt::TabFocusReason ||
                 evento->reason() == Qt::BacktabFocusReason ||
                 evento->reason() == Qt::ShortcutFocusReason;
  update();
}

void Rejilla::focusOutEvent(QFocusEvent* evento) {
  QWidget::focusOutEvent(evento);
  update();
}

}  // namespace zendo

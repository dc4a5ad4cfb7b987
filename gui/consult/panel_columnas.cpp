#include "gui/consult/panel_columnas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"

namespace zendo {
namespace {

constexpr int kAnchoPanel = kXColumnas + 3 * kAnchoBoletoPanel + 2 * kHuecoBoletos + kXColumnas;
constexpr int kAltoPanel = kYUltimaFila + 1 + kYPrimeraFila;
const QColor kColorMarcada(0xA0, 0xB0, 0xB0);

// Top of row m (1..16): the 15 rows share the height from the first row to the last.
int YFila(int m) {
  return kYPrimeraFila + ((m - 1) * (kYUltimaFila + 1 - kYPrimeraFila)) / kPartidos;
}

}  // namespace

PanelColumnas::PanelColumnas(Servicios& servicios, QWidget* padre) : QWidget(padre), s_(servicios) {
  setObjectName(QStringLiteral("Pic_Colum"));
  setAccessibleName(QStringLiteral("Columnas de la reducción"));
  setFixedSize(kAnchoPanel, kAltoPanel);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  pagina_ = PaginaDeRegistros({}, 1);
}

QRect PanelColumnas::RectColumna(int columna) {
  const int c = columna - 1;
  const int x = kXColumnas + (c / kColumnasPorBoleto) * (kAnchoBoletoPanel + kHuecoBoletos) +
                (c % kColumnasPorBoleto) * kAnchoColumnaPanel;
  return QRect(x, kYPrimeraFila, kAnchoColumnaPanel, kYUltimaFila + 1 - kYPrimeraFila);
}

void PanelColumnas::PonPagina(const PaginaColumnas& pagina) {
  pagina_ = pagina;
  aviso_.clear();
  // The pointer may now be over another column, or over none.
  PonBajoCursor(aMano_ ? ColumnaBajoCursor(mapFromGlobal(QCursor::pos()).x(),
                                           mapFromGlobal(QCursor::pos()).y(), pagina_.FilaPanel[1])
                       : 0);
  repaint();
}

void PanelColumnas::PonMarcadoAMano(bool activo) {
  aMano_ = activo;
  if (!activo) PonBajoCursor(0);
  update();
}

void PanelColumnas::PonAviso(const QString& aviso) {
  aviso_ = aviso;
  repaint();
}

void PanelColumnas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(252, 252, 246));
  // The three boletos: a light card each, lines between matches 14 and 15.
  for (int b = 0; b < kBoletosPagina; ++b) {
    const QRect boleto = RectColumna(b * kColumnasPorBoleto + 1)
                             .united(RectColumna((b + 1) * kColumnasPorBoleto))
                             .adjusted(-1, -3, 1, 3);
    p.fillRect(boleto, QColor(255, 255, 255));
    p.setPen(QColor(200, 170, 150));
    p.drawRect(boleto.adjusted(0, 0, -1, -1));
    p.setPen(QColor(232, 214, 200));
    for (int c = 1; c < kColumnasPorBoleto; ++c) {
      const int x = RectColumna(b * kColumnasPorBoleto + c + 1).left();
      p.drawLine(x, boleto.top() + 1, x, boleto.bottom() - 1);
    }
    p.setPen(QColor(200, 170, 150));
    p.drawLine(boleto.left(), YFila(kPartidos) - 1, boleto.right(), YFila(kPartidos) - 1);
  }
  if (!aviso_.isEmpty()) {
    p.setFont(FuenteArial(12, true));
    p.setPen(QColor(20, 52, 120));
    p.drawText(rect().adjusted(10, 0, -10, 0), Qt::AlignCenter | Qt::TextWordWrap, aviso_);
    return;
  }
  // The column under the pointer, or under the keyboard, while hand marking.
  for (const int c : {bajoCursor_, hasFocus() && focoTeclado_ ? foco_ : 0}) {
    if (c == 0) continue;
    const QRect r = RectColumna(c).adjusted(0, -2, 0, 2);
    if (c == bajoCursor_) p.fillRect(r, QColor(255, 230, 150));
    if (c == foco_ && hasFocus() && focoTeclado_) PintaAnilloFoco(p, r.adjusted(1, 0, -1, 0), 2);
  }
  QFont f = FuenteArial(11, true);
  p.setFont(f);
  for (int c = 1; c <= kLineasPagina; ++c) {
    p.setPen(pagina_.Marcada(c) ? kColorMarcada : QColor(0, 0, 0));
    const QRect col = RectColumna(c);
    for (int m = 1; m <= kPartidos; ++m) {
      const QChar signo = QLatin1Char(pagina_.Signo(m, c));
      if (signo == QLatin1Char(' ')) continue;
      const QRect celda(col.left(), YFila(m), col.width(), YFila(m + 1) - YFila(m));
      p.drawText(celda, Qt::AlignCenter, signo);
    }
  }
}

void PanelColumnas::PonBajoCursor(int columna) {
  if (columna == bajoCursor_) return;
  bajoCursor_ = columna;
  if (columna == 0) {
    s_.PonCursor(this, kCursorDefecto);
  } else {
    // The pencil marks, the eraser takes a mark away.
    s_.PonCursor(this, pagina_.Marcada(columna) ? kCursorGoma : kCursorLapiz);
  }
  update();
}

void PanelColumnas::mouseMoveEvent(QMouseEvent* evento) {
  if (!aMano_) return;
  const QPoint p = evento->position().toPoint();
  PonBajoCursor(ColumnaBajoCursor(p.x(), p.y(), pagina_.FilaPanel[1]));
}

void PanelColumnas::mousePressEvent(QMouseEvent* evento) {
  if (!aMano_) return;
  const QPoint p = evento->position().toPoint();
  PonBajoCursor(ColumnaBajoCursor(p.x(), p.y(), pagina_.FilaPanel[1]));
  if (bajoCursor_ == 0) return;
  foco_ = bajoCursor_;
  const int columna = bajoCursor_;
  if (alMarcar) alMarcar(columna);
  // The cursor follows the new mark.
  bajoCursor_ = 0;
  PonBajoCursor(columna);
}

void PanelColumnas::leaveEvent(QEvent*) {
  PonBajoCursor(0);
}

void PanelColumnas::keyPressEvent(QKeyEvent* evento) {
  const int tecla = evento->key();
  if (alTecla && alTecla(tecla)) return;
  if (EsTeclaPulsar(evento)) {
    focoTeclado_ = true;
    if (aMano_ && pagina_.EsColumna(foco_) && alMarcar) alMarcar(foco_);
    update();
    return;
  }
  // Left and right go column by column, up and down a whole boleto.
  int paso = 0;
  switch (tecla) {
    case Qt::Key_Left:
      paso = -1;
      break;
    case Qt::Key_Right:
      paso = 1;
      break;
    case Qt::Key_Up:
      paso = -kColumnasPorBoleto;
      break;
    case Qt::Key_Down:
      paso = kColumnasPorBoleto;
      break;
    default:
      QWidget::keyPressEvent(evento);
      return;
  }
  focoTeclado_ = true;
  foco_ = std::clamp(foco_ + paso, 1, kLineasPagina);
  update();
}

void PanelColumnas::focusInEvent(QFocusEvent* evento) {
  QWidget::focusInEvent(evento);
  focoTeclado_ = evento->reason() == Qt::TabFocusReason ||
                 evento->reason() == Qt::BacktabFocusReason ||
                 evento->reason() == Qt::ShortcutFocusReason;
  update();
}

void PanelColumnas::focusOutEvent(QFocusEvent* evento) {
  QWidget::focusOutEvent(evento);
  update();
}

}  // namespace zendo

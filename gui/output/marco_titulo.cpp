#include "gui/output/marco_titulo.h"

#include <QPainter>

#include "gui/shell/fuentes.h"

namespace zendo {

MarcoTitulo::MarcoTitulo(const QString& nombre, const QString& titulo, QWidget* padre)
    : QWidget(padre), titulo_(titulo) {
  setObjectName(nombre);
  setAccessibleName(titulo.trimmed());
}

void MarcoTitulo::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFont f = FuenteArial(13, true);
  p.setFont(f);
  const QFontMetrics m(f);
  const int y = m.height() / 2 + 1;
  const int ancho = m.horizontalAdvance(titulo_);
  const int izq = 1, der = width() - 3, abajo = height() - 3;
  // Etched: grey, and white one pixel lower and to the right; the title breaks the top.
  for (const auto& [color, d] :
       {std::pair{QColor(128, 128, 128), 0}, std::pair{QColor(255, 255, 255), 1}}) {
    p.setPen(color);
    p.drawLine(izq + d, y + d, 8 + d, y + d);
    p.drawLine(12 + ancho + 2 + d, y + d, der + d, y + d);
    p.drawLine(izq + d, y + d, izq + d, abajo + d);
    p.drawLine(der + d, y + d, der + d, abajo + d);
    p.drawLine(izq + d, abajo + d, der + d, abajo + d);
  }
  p.setPen(QColor(255, 255, 255));
  p.drawText(10, m.ascent(), titulo_);
  p.setPen(QColor(0, 0, 160));
  p.drawText(11, m.ascent() + 1, titulo_);
}

}  // namespace zendo

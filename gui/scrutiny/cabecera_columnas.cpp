#include "gui/scrutiny/cabecera_columnas.h"

#include <QPainter>
#include <QRegularExpression>

namespace zendo {

CabeceraColumnas::CabeceraColumnas(const QString& nombre, const QString& texto, QWidget* padre)
    : QLabel(texto, padre) {
  setObjectName(nombre);
}

void CabeceraColumnas::Alinea(const QFont& fuenteLista, int xTexto, std::vector<int> centros) {
  fuenteLista_ = fuenteLista;
  xTexto_ = xTexto;
  centros_ = std::move(centros);
  update();
}

void CabeceraColumnas::paintEvent(QPaintEvent* evento) {
  // Words are parted by two blanks or more, so "Boleto nro." is one word.
  const QStringList palabras =
      text().split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
  if (palabras.size() != static_cast<qsizetype>(centros_.size()) + 1) {
    QLabel::paintEvent(evento);
    return;
  }
  QPainter p(this);
  p.setFont(font());
  p.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics fm(font());
  const double ancho = QFontMetricsF(fuenteLista_).horizontalAdvance(QLatin1Char('0'));
  const int base = (height() + fm.ascent() - fm.descent()) / 2;
  p.drawText(xTexto_, base, palabras.front());
  for (std::size_t i = 0; i < centros_.size(); ++i) {
    const QString& w = palabras[static_cast<qsizetype>(i) + 1];
    const double centro = xTexto_ + (centros_[i] - 0.5) * ancho;
    p.drawText(QPointF(centro - fm.horizontalAdvance(w) / 2.0, base), w);
  }
}

}  // namespace zendo

#include "gui/reduction/grafico.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "engine/core/formato.h"
#include "engine/reduction/panel.h"
#include "gui/shell/formulario.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kIzquierda = 76;
constexpr int kDerecha = 10;
constexpr int kArriba = 30;
constexpr int kAbajo = 36;

const QColor kColorBase(170, 190, 214);
const QColor kColorAceptadas(38, 128, 62);
const QColor kColorExternas(214, 134, 24);
const QColor kColorTotales(40, 60, 110);

bool Manual(const Cifras& c) {
  return c.Metodo == kMetodoManual;
}

int64_t Total(const Cifras& c, int clase) {
  const auto i = static_cast<std::size_t>(clase);
  return Manual(c) ? int64_t{c.QBase[i]} + c.Aceptadas[i] : int64_t{c.QBase[i]};
}

}  // namespace

GraficoReduccion::GraficoReduccion(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_Grafico"));
  setAccessibleName(QStringLiteral("Gráfico de columnas"));
  setMouseTracking(true);
}

void GraficoReduccion::PonCifras(const Cifras& cifras) {
  if (conCifras_ && cifras.Metodo == c_.Metodo && cifras.QBase == c_.QBase &&
      cifras.Aceptadas == c_.Aceptadas) {
    return;
  }
  c_ = cifras;
  conCifras_ = true;
  update();
}

QRect GraficoReduccion::AreaBarras() const {
  return QRect(kIzquierda, kArriba, width() - kIzquierda - kDerecha, height() - kArriba - kAbajo);
}

int GraficoReduccion::ClaseEn(QPoint punto) const {
  const QRect a = AreaBarras();
  if (punto.x() < a.left() || punto.x() > a.right() || punto.y() < a.top() - 4 ||
      punto.y() > a.bottom() + kAbajo) {
    return -1;
  }
  return ClaseGrafico(c_, punto.x() - a.left(), a.width());
}

int GraficoReduccion::CentroClase(int clase) const {
  const QRect a = AreaBarras();
  const double ancho = static_cast<double>(a.width()) / c_.Clases();
  return a.left() + static_cast<int>((clase + 0.5) * ancho);
}

int GraficoReduccion::AltoBarra(int64_t valor, int64_t maximo, int alto) {
  if (valor <= 0 || maximo <= 0) return 0;
  const double h = std::sqrt(static_cast<double>(valor) / static_cast<double>(maximo)) * alto;
  return std::clamp(static_cast<int>(std::lround(h)), 2, alto);
}

QStringList GraficoReduccion::series() const {
  if (Manual(c_)) {
    return {QStringLiteral("Q. Base"), QStringLiteral("Externas"), QStringLiteral("Totales")};
  }
  return {QStringLiteral("Q. Base"), QStringLiteral("Aceptadas")};
}

int64_t GraficoReduccion::Maximo() const {
  int64_t m = 0;
  for (int k = 0; k < c_.Clases(); ++k) m = std::max(m, Total(c_, k));
  return m;
}

void GraficoReduccion::PintaEscala(QPainter& p, const QRect& a, int64_t maximo) {
  p.setFont(FuenteArial(10));
  const QFontMetrics fm(p.font());
  // Round values 1, 2, 5 x 10^k, from the top down, kept apart on the square-root scale.
  std::vector<int64_t> marcas;
  for (int64_t potencia = 1; potencia <= maximo; potencia *= 10) {
    for (int64_t f : {1, 2, 5}) {
      if (f * potencia <= maximo) marcas.push_back(f * potencia);
    }
  }
  int ultimaY = -1000;
  for (auto it = marcas.rbegin(); it != marcas.rend(); ++it) {
    const int y = a.bottom() - AltoBarra(*it, maximo, a.height());
    if (y - ultimaY < 16 || a.bottom() - y < 14) continue;
    ultimaY = y;
    p.setPen(QColor(220, 224, 214));
    p.drawLine(a.left(), y, a.right(), y);
    p.setPen(QColor(70, 70, 70));
    const QString t = DeCp(Formato(static_cast<double>(*it), "##,###,##0"));
    p.drawText(QRect(18, y - 8, a.left() - 22, 16), Qt::AlignRight | Qt::AlignVCenter, t.trimmed());
  }
  p.setPen(QColor(70, 70, 70));
  p.drawText(QRect(18, a.bottom() - 8, a.left() - 22, 16), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("0"));
}

void GraficoReduccion::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(252, 252, 246));
  DibujaMarco(p, rect());
  p.setPen(QColor(170, 176, 162));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRect a = AreaBarras();
  const int clases = c_.Clases();
  const int64_t maximo = Maximo();
  const bool manual = Manual(c_);

  // The legend.
  p.setFont(FuenteArial(11, true));
  const QStringList nombres = series();
  const std::vector<QColor> colores =
      manual ? std::vector<QColor>{kColorBase, kColorExternas, kColorTotales}
             : std::vector<QColor>{kColorBase, kColorAceptadas};
  // Over the bars, or as far left as a narrow chart needs to show it whole.
  const QFontMetrics fl(p.font());
  int anchoLeyenda = 0;
  for (const QString& n : nombres) anchoLeyenda += 16 + fl.horizontalAdvance(n) + 12;
  int x = std::max(8, std::min(a.left(), width() - 8 - anchoLeyenda));
  for (int i = 0; i < nombres.size(); ++i) {
    const auto ci = static_cast<std::size_t>(i);
    p.setPen(colores[ci].darker(130));
    p.setBrush(colores[ci]);
    p.drawRect(x, 10, 11, 11);
    p.setPen(QColor(40, 40, 40));
    p.drawText(x + 16, 20, nombres[i]);
    x += 16 + fl.horizontalAdvance(nombres[i]) + 12;
  }

  if (maximo > 0) PintaEscala(p, a, maximo);
  p.setPen(QColor(90, 90, 90));
  p.drawLine(a.left(), a.bottom(), a.right(), a.bottom());
  p.drawLine(a.left(), a.top(), a.left(), a.bottom());

  const double ancho = static_cast<double>(a.width()) / clases;
  if (claseRaton_ >= 0 && claseRaton_ < clases) {
    p.fillRect(QRectF(a.left() + claseRaton_ * ancho, a.top(), ancho, a.height()),
               QColor(255, 214, 120, 90));
  }
  const double hueco = clases > 20 ? 0.1 : ancho * 0.18;
  p.setPen(Qt::NoPen);
  for (int k = 0; k < clases; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const double x0 = a.left() + k * ancho + hueco;
    const double w = std::max(1.0, ancho - 2 * hueco);
    if (manual) {
      // Three bars side by side, each on the scale, so a few external columns still show
      // beside millions of the base.
      const int64_t valores[3] = {c_.QBase[i], c_.Aceptadas[i], Total(c_, k)};
      const double w3 = std::max(1.0, w / 3.0);
      for (int serie = 0; serie < 3; ++serie) {
        const int alto = AltoBarra(valores[serie], maximo, a.height());
        p.setBrush(colores[static_cast<std::size_t>(serie)]);
        p.drawRect(QRectF(x0 + serie * w3, a.bottom() - alto, w3, alto));
      }
    } else {
      const int altoBase = AltoBarra(c_.QBase[i], maximo, a.height());
      const int altoAceptadas = AltoBarra(c_.Aceptadas[i], maximo, a.height());
      p.setBrush(kColorBase);
      p.drawRect(QRectF(x0, a.bottom() - altoBase, w, altoBase));
      // The accepted columns over the bar of the base: what stays blue was excluded.
      p.setBrush(kColorAceptadas);
      p.drawRect(QRectF(x0, a.bottom() - altoAceptadas, w, altoAceptadas));
    }
  }

  // Class numbers and the titles of the axes.
  p.setFont(FuenteArial(10));
  p.setPen(QColor(60, 60, 60));
  // Every class numbered while the numbers keep apart, else every other one.
  const int paso =
      clases > 20
          ? 10
          : (ancho >= QFontMetrics(p.font()).horizontalAdvance(QStringLiteral("14")) + 4 ? 1 : 2);
  for (int k = 0; k < clases; k += paso) {
    const double centro = a.left() + (k + 0.5) * ancho;
    p.drawText(QRectF(centro - 15, a.bottom() + 2, 30, 12), Qt::AlignCenter, QString::number(k));
  }
  p.setFont(FuenteArial(11, true));
  p.setPen(QColor(20, 52, 120));
  QString tituloX;
  if (c_.Metodo == kMetodoBalanceSignos) {
    tituloX = QStringLiteral("Porcentaje de probabilidad");
  } else if (c_.Metodo == kMetodoColumnaProbable) {
    tituloX = QStringLiteral("Errores");
  } else {
    tituloX = QStringLiteral("Variantes");
  }
  p.drawText(QRect(a.left(), height() - 20, a.width(), 16), Qt::AlignCenter, tituloX);
  p.save();
  p.translate(10, a.center().y());
  p.rotate(-90);
  p.drawText(QRect(-a.height() / 2, -8, a.height(), 16), Qt::AlignCenter,
             QStringLiteral("Columnas"));
  p.restore();
}

void GraficoReduccion::mouseMoveEvent(QMouseEvent* evento) {
  const QPoint punto = evento->position().toPoint();
  const int clase = ClaseEn(punto);
  if (clase != claseRaton_) {
    claseRaton_ = clase;
    update(AreaBarras());
  }
  if (clase < 0) {
    setToolTip(QString());
    QToolTip::hideText();
    return;
  }
  const QString texto = DeCp(TextoAyudaGrafico(c_, clase));
  setToolTip(texto);
  QToolTip::showText(evento->globalPosition().toPoint(), texto, this);
}

void GraficoReduccion::leaveEvent(QEvent*) {
  if (claseRaton_ >= 0) {
    claseRaton_ = -1;
    update(AreaBarras());
  }
}

}  // namespace zendo

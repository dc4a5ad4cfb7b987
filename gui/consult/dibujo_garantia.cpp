#include "gui/consult/dibujo_garantia.h"

#include <QPainter>

#include "gui/shell/formulario.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kMargen = 8;
constexpr int kAltoCabecera = 17;
constexpr int kAltoFila = 20;
constexpr int kFilas = kMaxAciertos - kAciertosTabla + 1;

const QColor kTinta(40, 40, 40);
const QColor kAzul(20, 52, 120);
const QColor kVerde(30, 110, 50);

void Fondo(QPainter& p, const QRect& r) {
  p.fillRect(r, QColor(252, 252, 246));
  DibujaMarco(p, r);
  p.setPen(QColor(170, 176, 162));
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

struct Columna {
  int ancho;
  const char* grupo;  // the first heading line: over this column and the next when `par`
  bool par;
  const char* titulo;  // the second line
};

// Aciertos | exactly: results, % | at least: results, % | prizes | method 4: exactly, at least
constexpr Columna kColumnas[] = {
    {62, "", false, "Aciertos"},
    {92, "Exactamente", true, "Resultados"},
    {86, "", false, "%"},
    {92, "Al menos", true, "Resultados"},
    {86, "", false, "%"},
    {104, "Premios", false, "por resultado"},
    {86, "Probabilidad", true, "Exactamente"},
    {86, "", false, "Al menos"},
};

}  // namespace

TablaGarantia::TablaGarantia(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_TablaGarantia"));
  setAccessibleName(QStringLiteral("Aciertos de la mejor columna"));
}

int TablaGarantia::Alto() {
  return 2 * kMargen + 2 * kAltoCabecera + kFilas * kAltoFila + 4;
}

void TablaGarantia::PonPanel(const PanelGarantia& panel) {
  panel_ = panel;
  update();
}

void TablaGarantia::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Fondo(p, rect());
  const int columnas = panel_.ponderada ? 8 : 6;
  int anchoTotal = 0;
  for (int c = 0; c < columnas; ++c) anchoTotal += kColumnas[c].ancho;
  int x0 = (width() - anchoTotal) / 2;

  // Headings: the groups over their two columns, then the titles.
  p.setPen(kAzul);
  p.setFont(FuenteArial(12, true));
  int x = x0;
  for (int c = 0; c < columnas; ++c) {
    const Columna& col = kColumnas[c];
    if (*col.grupo != '\0') {
      const QRect zona(x, kMargen, col.ancho + (col.par ? kColumnas[c + 1].ancho : 0),
                       kAltoCabecera);
      p.drawText(zona, Qt::AlignCenter, QString::fromUtf8(col.grupo));
      if (col.par) p.drawLine(zona.left() + 8, zona.bottom(), zona.right() - 8, zona.bottom());
    }
    p.drawText(QRect(x, kMargen + kAltoCabecera, col.ancho, kAltoCabecera), Qt::AlignCenter,
               QString::fromUtf8(col.titulo));
    x += col.ancho;
  }

  p.setFont(FuenteArial(12));
  int y = kMargen + 2 * kAltoCabecera + 2;
  for (std::size_t i = 0; i < panel_.filas.size(); ++i, y += kAltoFila) {
    const FilaGarantia& f = panel_.filas[i];
    if (i % 2 == 0) p.fillRect(QRect(x0 - 4, y, anchoTotal + 8, kAltoFila), QColor(236, 240, 230));
    const std::string* textos[] = {nullptr,
                                   &f.exactas,
                                   &f.porcentajeExactas,
                                   &f.alMenos,
                                   &f.porcentajeAlMenos,
                                   &f.premios,
                                   &f.probabilidadExacta,
                                   &f.probabilidadAlMenos};
    x = x0;
    for (int c = 0; c < columnas; ++c) {
      const QRect celda(x, y, kColumnas[c].ancho - 12, kAltoFila);
      if (c == 0) {
        p.setPen(kAzul);
        p.setFont(FuenteArial(12, true));
        p.drawText(celda.adjusted(12, 0, 0, 0), Qt::AlignCenter, QString::number(f.aciertos));
        p.setFont(FuenteArial(12));
      } else {
        p.setPen(c >= 6 ? kVerde : kTinta);
        p.drawText(celda, Qt::AlignRight | Qt::AlignVCenter, DeCp(*textos[c]));
      }
      x += kColumnas[c].ancho;
    }
  }
}

GraficoGarantia::GraficoGarantia(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_GraficoGarantia"));
  setAccessibleName(QStringLiteral("Gráfico de aciertos de la mejor columna"));
}

int GraficoGarantia::Alto() {
  return 2 * kMargen + kAltoCabecera + kFilas * 22 + 2;
}

void GraficoGarantia::PonPanel(const PanelGarantia& panel) {
  panel_ = panel;
  update();
}

void GraficoGarantia::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Fondo(p, rect());
  const QColor claro(150, 180, 225), oscuro(30, 70, 150), verde(90, 170, 80);
  constexpr int kEtiqueta = 86;
  constexpr int kTexto = 78;
  // The figures go in columns of their own at the right, one per kind of bar.
  const int textos = panel_.ponderada ? 2 : 1;
  const int x0 = kMargen + kEtiqueta;
  const int largo = width() - x0 - textos * kTexto - 2 * kMargen;
  const int xTexto = x0 + largo + 8;

  // The legend.
  p.setFont(FuenteArial(11));
  int x = x0;
  auto leyenda = [&](const QColor& color, const QString& texto) {
    p.fillRect(QRect(x, kMargen + 4, 18, 9), color);
    p.setPen(kTinta);
    p.drawText(QRect(x + 24, kMargen, 260, kAltoCabecera), Qt::AlignLeft | Qt::AlignVCenter, texto);
    x += 24 + p.fontMetrics().horizontalAdvance(texto) + 22;
  };
  leyenda(claro, QStringLiteral("con más aciertos"));
  leyenda(oscuro, QStringLiteral("exactamente"));
  if (panel_.ponderada) leyenda(verde, QStringLiteral("probabilidad según los porcentajes"));

  int y = kMargen + kAltoCabecera + 2;
  for (const FilaGarantia& f : panel_.filas) {
    p.setPen(kAzul);
    p.setFont(FuenteArial(12, true));
    p.drawText(QRect(kMargen, y, kEtiqueta - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1 aciertos").arg(f.aciertos));
    p.setPen(QColor(190, 196, 182));
    p.drawLine(x0 - 1, y, x0 - 1, y + 20);
    const int alto = panel_.ponderada ? 11 : 16;
    const int total = static_cast<int>(f.parteAlMenos * largo + 0.5);
    const int exacto = static_cast<int>(f.parteExactas * largo + 0.5);
    p.fillRect(QRect(x0, y + 2, total, alto), claro);
    p.fillRect(QRect(x0 + total - exacto, y + 2, exacto, alto), oscuro);
    p.setFont(FuenteArial(12));
    p.setPen(kTinta);
    p.drawText(QRect(xTexto, y, kTexto - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
               DeCp(f.porcentajeAlMenos));
    if (panel_.ponderada) {
      const int prob = static_cast<int>(f.parteProbabilidadAlMenos * largo + 0.5);
      p.fillRect(QRect(x0, y + 3 + alto, prob, 6), verde);
      p.setPen(kVerde);
      p.drawText(QRect(xTexto + kTexto, y, kTexto - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                 DeCp(f.probabilidadAlMenos));
    }
    y += 22;
  }
}

}  // namespace zendo

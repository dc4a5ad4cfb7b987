#include "gui/reduction/panel_cifras.h"

#include <QPainter>

#include "gui/shell/formulario.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAltoLinea = 19;
constexpr int kMargen = 10;

void Fondo(QPainter& p, const QRect& r) {
  p.fillRect(r, QColor(252, 252, 246));
  DibujaMarco(p, r);
  p.setPen(QColor(170, 176, 162));
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

PanelEsta::PanelEsta(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_Esta"));
  setAccessibleName(QStringLiteral("Cifras de la reducción"));
}

int PanelEsta::AltoPara(int lineas) {
  return 2 * kMargen + lineas * kAltoLinea - 4;
}

void PanelEsta::PonLineas(std::vector<LineaPanel> lineas) {
  if (lineas == lineas_) return;
  const bool mismasEtiquetas =
      lineas.size() == lineas_.size() &&
      std::equal(lineas.begin(), lineas.end(), lineas_.begin(),
                 [](const LineaPanel& a, const LineaPanel& b) { return a.etiqueta == b.etiqueta; });
  if (mismasEtiquetas) {
    // Only the values that changed are repainted.
    for (std::size_t i = 0; i < lineas.size(); ++i) {
      if (lineas[i].valor != lineas_[i].valor) {
        update(QRect(width() / 2, kMargen + static_cast<int>(i) * kAltoLinea - 2, width() / 2 - 2,
                     kAltoLinea));
      }
    }
  } else {
    update();
  }
  lineas_ = std::move(lineas);
}

QString PanelEsta::Valor(const QString& etiqueta) const {
  for (const LineaPanel& l : lineas_) {
    if (DeCp(l.etiqueta) == etiqueta) return DeCp(l.valor);
  }
  return {};
}

void PanelEsta::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Fondo(p, rect());
  for (std::size_t i = 0; i < lineas_.size(); ++i) {
    const QRect fila(kMargen, kMargen + static_cast<int>(i) * kAltoLinea, width() - 2 * kMargen,
                     kAltoLinea);
    if (i % 2 == 1) p.fillRect(fila.adjusted(-4, -1, 4, -1), QColor(236, 240, 230));
    p.setFont(FuenteArial(13));
    p.setPen(QColor(40, 40, 40));
    p.drawText(fila, Qt::AlignLeft | Qt::AlignVCenter, DeCp(lineas_[i].etiqueta));
    p.setFont(FuenteArial(13, true));
    p.setPen(QColor(20, 52, 120));
    p.drawText(fila, Qt::AlignRight | Qt::AlignVCenter, DeCp(lineas_[i].valor).trimmed());
  }
}

PanelExterno::PanelExterno(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_Externo"));
  setAccessibleName(QStringLiteral("Archivo externo"));
}

void PanelExterno::PonLineas(const std::array<std::string, 3>& lineas, bool valido) {
  QStringList nuevas;
  for (const std::string& l : lineas) nuevas << DeCp(l);
  if (nuevas == lineas_ && valido == valido_) return;
  lineas_ = nuevas;
  valido_ = valido;
  setAccessibleDescription(lineas_.join(QLatin1Char(' ')));
  update();
}

void PanelExterno::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Fondo(p, rect());
  p.setFont(FuenteArial(13));
  p.setPen(valido_ ? QColor(0, 0, 128) : QColor(110, 60, 20));
  for (int i = 0; i < lineas_.size(); ++i) {
    p.drawText(QRect(kMargen, kMargen + i * kAltoLinea, width() - 2 * kMargen, kAltoLinea),
               Qt::AlignLeft | Qt::AlignVCenter, lineas_[i]);
  }
}

}  // namespace zendo

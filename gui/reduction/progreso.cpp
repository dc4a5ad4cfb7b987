#include "gui/reduction/progreso.h"

#include <QPainter>

#include "gui/shell/boton.h"
#include "gui/shell/formulario.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 440;
constexpr int kAlto = 236;
constexpr int kAltoLinea = 20;
constexpr int kYBanda = 86;

}  // namespace

PanelProgreso::PanelProgreso(QWidget* padre) : QWidget(padre) {
  setObjectName(QStringLiteral("Pic_Porcen"));
  setFixedSize(kAncho, kAlto);
  setAutoFillBackground(false);
  cancelar_ =
      new Boton(QStringLiteral("Pic_BotCancelar"), QStringLiteral("Cancelar la reducción"), this);
  salir_ = new Boton(QStringLiteral("Pic_BotSalirPorcen"), QStringLiteral("Salir"), this);
  cancelar_->move((kAncho - cancelar_->width()) / 2, kAlto - 24 - 14);
  salir_->move((kAncho - salir_->width()) / 2, kAlto - 24 - 14);
  salir_->hide();
}

void PanelProgreso::Inicia() {
  titulo_.clear();
  apuestas_.clear();
  lineaPorcentaje_.clear();
  porcentaje_ = -1;
  finales_.clear();
  cancelar_->Dibuja(false);
  cancelar_->show();
  salir_->hide();
  update();
}

void PanelProgreso::Aviso(const AvisoProgreso& aviso) {
  const QString texto = DeCp(aviso.texto);
  switch (aviso.linea) {
    case LineaProgreso::Titulo:
      titulo_ = texto;
      break;
    case LineaProgreso::Apuestas:
      apuestas_ = texto;
      break;
    case LineaProgreso::Porcentaje:
      lineaPorcentaje_ = texto;
      porcentaje_ = aviso.porcentaje;
      break;
    case LineaProgreso::Finalizada:
    case LineaProgreso::Cancelada:
      // The band is cleared when the development ends, completed or cancelled.
      lineaPorcentaje_.clear();
      porcentaje_ = -1;
      finales_ << texto;
      break;
    default:
      finales_ << texto;
      break;
  }
  update();
}

void PanelProgreso::AgregaLinea(const QString& texto) {
  finales_ << texto;
  update();
}

void PanelProgreso::Termina() {
  cancelar_->hide();
  salir_->Dibuja(false);
  salir_->show();
  update();
}

QStringList PanelProgreso::textos() const {
  QStringList t;
  for (const QString& l : {titulo_, apuestas_, lineaPorcentaje_}) {
    if (!l.isEmpty()) t << l;
  }
  t << finales_;
  return t;
}

void PanelProgreso::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(36, 62, 104));
  DibujaMarco(p, rect());
  p.setPen(QColor(255, 226, 120));
  p.setFont(FuenteArial(16, true));
  p.drawText(QRect(0, 12, width(), 24), Qt::AlignCenter, titulo_);
  // Monospaced, so the right-aligned counts of the engine's texts keep their columns.
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(13);
  mono.setBold(true);
  p.setFont(mono);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 42, width(), kAltoLinea), Qt::AlignCenter, apuestas_);
  if (porcentaje_ >= 0) {
    p.drawText(QRect(0, 62, width(), kAltoLinea), Qt::AlignCenter, lineaPorcentaje_);
    const QRect banda(30, kYBanda + 6, width() - 60, 14);
    p.setPen(QColor(180, 190, 210));
    p.setBrush(QColor(20, 36, 64));
    p.drawRect(banda);
    QRect lleno = banda.adjusted(2, 2, -1, -1);
    lleno.setWidth(lleno.width() * porcentaje_ / 100);
    p.fillRect(lleno, QColor(120, 210, 90));
  }
  p.setFont(FuenteArial(13, true));
  p.setPen(QColor(200, 255, 170));
  int y = kYBanda + 28;
  for (const QString& l : finales_) {
    p.drawText(QRect(10, y, width() - 20, kAltoLinea), Qt::AlignCenter, l);
    y += kAltoLinea;
  }
}

}  // namespace zendo

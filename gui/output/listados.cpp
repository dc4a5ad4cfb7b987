#include "gui/output/listados.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "engine/shell/textos.h"
#include "gui/output/boton_valor.h"
#include "gui/shell/boton.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kYZona = 62;
constexpr int kAnchoMinimo = 600;
constexpr int kAltoEstado = 26;
constexpr int kSeparacion = 12;

int ContextoModo(int modo) {
  return 2400 + 10 * modo;
}

}  // namespace

PantallaListados::PantallaListados(Servicios& servicios, const ModosSalida& modos, int modo,
                                   QWidget* padre)
    : Formulario(servicios, QStringLiteral("listados"), DeCp(TextoSalida(modo)), padre),
      modo_(modo),
      panel_(modos.Crea(modo)) {
  const Ocupado ocupado(s_.estado);
  titulo_ = PonTitulo(windowTitle());
  zona_ = new QWidget(this);
  zona_->setObjectName(QStringLiteral("Zon_Opciones"));

  estado_ = new QLabel(this);
  estado_->setObjectName(QStringLiteral("Pic_Estado"));
  estado_->setFont(FuenteArial(13, true));
  estado_->setStyleSheet(
      QStringLiteral("QLabel { color: rgb(20, 52, 120); background: rgba(255, 255, 255, 90); "
                     "border: 1px solid rgb(150, 160, 146); padding-left: 8px; }"));

  ayuda_ = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                     QStringLiteral("Ayuda de la aplicación"), this);
  salir_ = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                     QStringLiteral("Salir de esta ventana"), this);
  cancelar_ = new Boton(QStringLiteral("Pic_BotCancelar"), ImagenFija::Cancelar,
                        QStringLiteral("Cancelar el proceso"), this);
  cancelar_->hide();
  connect(ayuda_, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(ContextoModo(modo_));
  });
  connect(salir_, &Boton::pulsadoRaton, this, &PantallaListados::Sal);
  connect(cancelar_, &Boton::pulsadoRaton, this, &PantallaListados::PulsaCancelar);

  QSize zona(0, 0);
  if (panel_) {
    accion_ = new Boton(panel_->nombreAccion(), panel_->textoAccion(), this);
    connect(accion_, &Boton::pulsadoRaton, this, &PantallaListados::PulsaAccion);
    fila_.push_back(accion_);
    zona = panel_->Construye(*this, zona_);
  }
  Coloca(zona);
  IniciaFormulario(this);
  CentraFormulario(this);
}

PantallaListados::~PantallaListados() {
  // The value buttons go before the panel whose values they commit: an editor still open
  // loses its focus as the window goes, and its commit would reach the panel already gone.
  qDeleteAll(findChildren<BotonValor*>());
  // Then the panel, before the controls: its run may still refer to them.
  panel_.reset();
}

void PantallaListados::AnadeBoton(Boton* boton) {
  boton->setParent(this);
  fila_.push_back(boton);
  if (zona_->size().isValid()) Coloca(zona_->size());
}

void PantallaListados::Coloca(QSize zona) {
  int anchoFila = 0;
  for (Boton* b : fila_) anchoFila += b->width() + kSeparacion;
  const int ancho = std::max({kAnchoMinimo, zona.width() + 32, anchoFila + 2 * 70});
  const int yEstado = kYZona + zona.height() + 14;
  const int yFila = yEstado + kAltoEstado + 18;
  const int alto = yFila + 48;
  setFixedSize(ancho, alto);
  titulo_->setGeometry(66, 18, ancho - 132, 30);
  zona_->setGeometry((ancho - zona.width()) / 2, kYZona, zona.width(), zona.height());
  estado_->setGeometry(24, yEstado, ancho - 48, kAltoEstado);
  int x = (ancho - (anchoFila - kSeparacion)) / 2;
  for (Boton* b : fila_) {
    b->move(x, yFila + 6);
    x += b->width() + kSeparacion;
  }
  ayuda_->move(18, alto - ayuda_->height() - 8);
  salir_->move(ancho - salir_->width() - 18, alto - salir_->height() - 8);
  cancelar_->move((ancho - cancelar_->width()) / 2, alto - cancelar_->height() - 8);
}

void PantallaListados::EmpiezaProceso() {
  procesando_ = true;
  cancelado_ = false;
  ocultos_.clear();
  for (Boton* b : fila_) {
    if (b->isVisible()) ocultos_.push_back(b);
  }
  for (Boton* b : ocultos_) b->hide();
  ayuda_->hide();
  salir_->hide();
  cancelar_->show();
}

void PantallaListados::TerminaProceso() {
  ayuda_->show();
  salir_->show();
  cancelar_->hide();
  for (Boton* b : ocultos_) b->show();
  ocultos_.clear();
  procesando_ = false;
  update();
  if (saliendo_) {
    // Salir was pressed while busy and the window was asked to close meanwhile.
    saliendo_ = false;
  }
}

void PantallaListados::PonEstado(const QString& texto) {
  estado_->setText(texto);
}

QString PantallaListados::estado() const {
  return estado_->text();
}

void PantallaListados::PulsaAccion() {
  if (procesando_ || !panel_) return;
  panel_->Accion();
}

void PantallaListados::PulsaCancelar() {
  if (!procesando_) return;
  s_.TocaSonido(kSonidoAyuda);
  cancelado_ = true;
  if (panel_) panel_->AlCancelar();
}

void PantallaListados::Sal() {
  if (procesando_) {
    // While a run goes on Salir stops it, as Cancelar does; the screen stays.
    s_.TocaSonido(kSonidoSalir);
    cancelado_ = true;
    if (panel_) panel_->AlCancelar();
    return;
  }
  s_.TocaSonido(kSonidoSalir);
  if (panel_ && !panel_->AntesDeSalir()) return;
  accept();
}

void PantallaListados::done(int resultado) {
  if (procesando_) {
    // The window cannot close while a run holds it: closing cancels the run instead.
    cancelado_ = true;
    if (panel_) panel_->AlCancelar();
    return;
  }
  Formulario::done(resultado);
}

void PantallaListados::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    evento->accept();
    if (!procesando_) Sal();
    return;
  }
  Formulario::keyPressEvent(evento);
}

}  // namespace zendo

#include "gui/screens/datosgen.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "engine/core/formato.h"
#include "engine/shell/ajustes.h"
#include "engine/shell/textos.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 500;
constexpr int kAlto = 420;
constexpr int kXBotones = (kAncho - 160 - 8 - 64) / 2;  // a button and its box, centred
constexpr int kPrimeraFila = 86;
constexpr int kSeparacion = 42;
constexpr int kContexto = 2800;

}  // namespace

PantallaDatosGen::PantallaDatosGen(Servicios& servicios, QWidget* padre)
    : Formulario(servicios, QStringLiteral("datosgen"),
                 QStringLiteral("Mantenimiento de Datos generales"), padre) {
  setFixedSize(kAncho, kAlto);
  PonTitulo(windowTitle());
  guardados_ = s_.estado.datos;

  const Ocupado ocupado(s_.estado);

  auto ajuste = [this](const QString& nombreBoton, QWidget* control, int fila) {
    Ajuste a;
    a.boton = new Boton(nombreBoton, QString(), this, Boton::Fuente::Otra);
    a.boton->move(kXBotones, kPrimeraFila + fila * kSeparacion);
    a.control = control;
    control->move(kXBotones + a.boton->width() + 8, kPrimeraFila + fila * kSeparacion);
    control->installEventFilter(this);
    return a;
  };
  texTotJor_ = CajaNumero(QStringLiteral("Tex_TotJor"), kLargoTotal, 64, this);
  texTotOrd_ = CajaNumero(QStringLiteral("Tex_TotOrd"), kLargoTotal, 64, this);
  texPreApu_ = CajaNumero(QStringLiteral("Tex_PreApu"), kLargoPrecio, 64, this);
  texDelegacion_ = CajaNumero(QStringLiteral("Tex_Delegacion"), kLargoDelegacion, 64, this);
  texReceptor_ = CajaNumero(QStringLiteral("Tex_Receptor"), kLargoReceptor, 64, this);
  lisSonido_ = new QListWidget(this);
  lisSonido_->setObjectName(QStringLiteral("Lis_Sonido"));
  lisSonido_->addItems({QStringLiteral("Si"), QStringLiteral("No")});
  lisSonido_->setFixedSize(64, 46);
  lisSonido_->hide();

  totJor_ = ajuste(QStringLiteral("Pic_BotTotJor"), texTotJor_, 0);
  totOrd_ = ajuste(QStringLiteral("Pic_BotTotOrd"), texTotOrd_, 1);
  preApu_ = ajuste(QStringLiteral("Pic_BotPreApu"), texPreApu_, 2);
  sonido_ = ajuste(QStringLiteral("Pic_BotSonido"), lisSonido_, 3);
  delega_ = ajuste(QStringLiteral("Pic_BotDelega"), texDelegacion_, 4);
  receptor_ = ajuste(QStringLiteral("Pic_BotReceptor"), texReceptor_, 5);

  for (const Ajuste* a : {&totJor_, &totOrd_, &preApu_, &sonido_, &delega_, &receptor_}) {
    connect(a->boton, &Boton::pulsadoRaton, this, [this, a] { Boton_MD(*a); });
    if (auto* caja = qobject_cast<QLineEdit*>(a->control)) {
      connect(caja, &QLineEdit::returnPressed, this, [this, a] { Boton_MD(*a); });
      PonReglaTecleo(caja, 0, caja == texPreApu_ ? ReglaCifrasYPunto() : ReglaCifras());
    }
  }
  connect(lisSonido_, &QListWidget::itemClicked, this, [this] {
    if (lisSonido_->isVisible()) Boton_MD(sonido_);
  });

  guardar_ = new Boton(QStringLiteral("Pic_BotGuardar"), QStringLiteral("Guardar datos"), this);
  guardar_->move((kAncho - guardar_->width()) / 2, kAlto - 24 - 30);
  guardar_->hide();
  connect(guardar_, &Boton::pulsadoRaton, this, &PantallaDatosGen::Guarda);

  PonAyudaSalir(QStringLiteral("Datos generales"), kContexto);

  Rellena();
  Rotula();
  IniciaFormulario(this);
  CentraFormulario(this);
}

void PantallaDatosGen::Rellena(const QWidget* solo) {
  const DatosGenerales& d = s_.estado.datos;
  auto toca = [solo](const QWidget* control) { return solo == nullptr || solo == control; };
  if (toca(texTotJor_)) texTotJor_->setText(QString::number(d.TotalJornadas));
  if (toca(texTotOrd_)) texTotOrd_->setText(QString::number(d.TotalOrdenes));
  if (toca(texPreApu_)) texPreApu_->setText(DeCp(std::string(Recorta(d.PrecioApuesta))));
  if (toca(lisSonido_)) lisSonido_->setCurrentRow(d.Sonido == "Si" ? 0 : 1);
  if (toca(texDelegacion_)) texDelegacion_->setText(DeCp(d.CodigoDelegacion));
  if (toca(texReceptor_)) texReceptor_->setText(DeCp(d.CodigoReceptor));
}

void PantallaDatosGen::Rotula() {
  const DatosGenerales& d = s_.estado.datos;
  totJor_.boton->PonTexto(QStringLiteral("Total jornadas: ") +
                          QString::fromStdString(TextoStr(d.TotalJornadas)));
  totOrd_.boton->PonTexto(QStringLiteral("Total reducciones: ") +
                          QString::fromStdString(TextoStr(d.TotalOrdenes)));
  preApu_.boton->PonTexto(QStringLiteral("Precio apuesta: ") + DeCp(d.PrecioApuesta));
  sonido_.boton->PonTexto(QStringLiteral("Sonido activado:  ") + DeCp(d.Sonido));
  delega_.boton->PonTexto(QStringLiteral("Código Delegación: ") + DeCp(d.CodigoDelegacion));
  receptor_.boton->PonTexto(QStringLiteral("Código Receptor: ") + DeCp(d.CodigoReceptor));
}

void PantallaDatosGen::Boton_MD(const Ajuste& a) {
  if (aplicando_) return;
  if (!s_.estado.ocupado && a.control->isHidden()) {
    // Only one box is open at a time: the other one is applied first.
    for (const Ajuste* otro : {&totJor_, &totOrd_, &preApu_, &sonido_, &delega_, &receptor_}) {
      if (otro != &a && otro->control->isVisible()) Boton_MD(*otro);
    }
    s_.TocaSonido(kSonidoAccion);
    AbreBajoBoton(a.boton, a.control);
    return;
  }
  if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
  aplicando_ = true;  // hiding the control takes its focus away: that is not a second click
  CierraBajoBoton(a.boton, a.control);
  aplicando_ = false;
  Aplica(a);
  Rotula();
  a.boton->Dibuja(false);
}

void PantallaDatosGen::Aplica(const Ajuste& a) {
  DatosGenerales& d = s_.estado.datos;
  if (a.control == texTotJor_ || a.control == texTotOrd_) {
    auto* caja = static_cast<QLineEdit*>(a.control);
    int16_t& total = a.control == texTotJor_ ? d.TotalJornadas : d.TotalOrdenes;
    const int16_t valor = TotalDesdeTexto(ACp(caja->text()));
    if (valor != total) MuestraGuardar();
    total = valor;
    caja->setText(QString::number(valor));
  } else if (a.control == texPreApu_) {
    const std::string precio = PrecioDesdeTexto(ACp(texPreApu_->text()));
    if (!PrecioAdmisible(precio)) {
      Rellena(texPreApu_);
      s_.MuestraMensaje(MensajePrecioRechazado());
      return;
    }
    const float valor = static_cast<float>(Val(precio));
    if (valor != d.Precio) MuestraGuardar();
    d.PrecioApuesta = precio;
    d.Precio = valor;
    texPreApu_->setText(DeCp(std::string(Recorta(precio))));
  } else if (a.control == lisSonido_) {
    const std::string valor = lisSonido_->currentRow() == 1 ? "No" : "Si";
    if (valor != d.Sonido) MuestraGuardar();
    d.Sonido = valor;
  } else {
    auto* caja = static_cast<QLineEdit*>(a.control);
    const bool esDelegacion = a.control == texDelegacion_;
    std::string& codigo = esDelegacion ? d.CodigoDelegacion : d.CodigoReceptor;
    const std::string valor =
        CodigoConCeros(ACp(caja->text()), esDelegacion ? kLargoDelegacion : kLargoReceptor);
    if (valor != codigo) MuestraGuardar();
    codigo = valor;
    caja->setText(DeCp(valor));
  }
}

void PantallaDatosGen::MuestraGuardar() {
  guardar_->Dibuja(false);
  guardar_->show();
}

void PantallaDatosGen::Guarda() {
  // A box still open is applied first, so that what is saved is what the screen shows.
  for (const Ajuste* a : {&totJor_, &totOrd_, &preApu_, &sonido_, &delega_, &receptor_}) {
    if (a->control->isVisible()) Boton_MD(*a);
  }
  s_.TocaSonido(kSonidoAccion);
  guardar_->Dibuja(true);
  const int16_t error = GuardaDatosGenerales(s_.estado.rutaDatos, s_.estado.datos);
  if (error != 0) {
    guardar_->Dibuja(false);
    s_.MuestraMensaje(
        QStringLiteral("Datos generales"),
        QStringLiteral("No se han podido guardar los datos generales en el fichero "
                       "DATOSGEN.TVX (error %1). Compruebe que la carpeta de datos admite "
                       "escritura y vuelva a pulsar Guardar datos.")
            .arg(error),
        4, 1, kContexto);
    return;
  }
  guardados_ = s_.estado.datos;
  Servicios::Espera(150);
  guardar_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
  Servicios::Espera(150);
  guardar_->hide();
}

void PantallaDatosGen::done(int resultado) {
  if (!cerrado_) {
    cerrado_ = true;
    // Settings not saved return to their saved values; the rest of the general data
    // (the current jornada and order chosen elsewhere) stays as it is in memory.
    CopiaAjustes(guardados_, s_.estado.datos);
    AjustaActualATotales(s_.estado.datos);
  }
  Formulario::done(resultado);
}

const PantallaDatosGen::Ajuste* PantallaDatosGen::AjusteDe(QObject* control) const {
  for (const Ajuste* a : {&totJor_, &totOrd_, &preApu_, &sonido_, &delega_, &receptor_}) {
    if (a->control == control) return a;
  }
  return nullptr;
}

bool PantallaDatosGen::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut) {
    const Ajuste* a = AjusteDe(objeto);
    if (a != nullptr && a->control->isVisible() && !aplicando_) Boton_MD(*a);
  } else if (evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const Ajuste* a = AjusteDe(objeto);
    // Escape closes the open box or list with the value it had: the screen stays.
    if (tecla->key() == Qt::Key_Escape && a != nullptr && a->control->isVisible()) {
      if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
      aplicando_ = true;  // the focus leaving the control is no click on its button
      CierraBajoBoton(a->boton, a->control);
      aplicando_ = false;
      Rellena(a->control);
      a->boton->Dibuja(false);
      return true;
    }
    if (objeto == lisSonido_ && (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)) {
      Boton_MD(sonido_);
      return true;
    }
  }
  return Formulario::eventFilter(objeto, evento);
}

}  // namespace zendo

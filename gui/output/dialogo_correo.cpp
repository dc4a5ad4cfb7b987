#include "gui/output/dialogo_correo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "engine/output/llavero.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 480;
constexpr int kAlto = 470;
constexpr int kXEtiqueta = 40;
constexpr int kXCampo = 190;
constexpr int kAnchoCampo = 250;
constexpr int kPrimeraFila = 74;
constexpr int kAltoFila = 36;

QLabel* Etiqueta(const QString& texto, int fila, QWidget* padre) {
  auto* l = new QLabel(texto, padre);
  l->setFont(FuenteArial(12, true));
  l->setGeometry(kXEtiqueta, kPrimeraFila + fila * kAltoFila, kXCampo - kXEtiqueta - 8, 24);
  return l;
}

QLineEdit* Campo(const QString& nombre, int fila, QWidget* padre, int ancho = kAnchoCampo) {
  auto* c = new QLineEdit(padre);
  c->setObjectName(nombre);
  c->setGeometry(kXCampo, kPrimeraFila + fila * kAltoFila, ancho, 24);
  return c;
}

}  // namespace

DialogoCorreo::DialogoCorreo(Servicios& servicios, LlaveroCorreo& llavero, QWidget* padre)
    : Formulario(servicios, QStringLiteral("correo"), QStringLiteral("Correo"), padre),
      llavero_(llavero) {
  setFixedSize(kAncho, kAlto);
  PonTitulo(QStringLiteral("Ajustes de correo"));

  const LecturaAjustesCorreo l = LeeAjustesCorreo(s_.estado.rutaDatos);
  if (!l.mensaje.empty()) s_.AvisoSistema(DeCp(ConCausa(l.mensaje, l.fallo)));
  ajustes_ = l.ajustes;

  Etiqueta(QStringLiteral("Servidor de correo:"), 0, this);
  servidor_ = Campo(QStringLiteral("Tex_Servidor"), 0, this);
  servidor_->setMaxLength(253);
  servidor_->setPlaceholderText(QStringLiteral("smtp.ejemplo.es"));
  Etiqueta(QStringLiteral("Seguridad:"), 1, this);
  seguridad_ = new QComboBox(this);
  seguridad_->setObjectName(QStringLiteral("Cbo_Seguridad"));
  seguridad_->addItems({QStringLiteral("STARTTLS"), QStringLiteral("SSL/TLS"),
                        QStringLiteral("Ninguna (solo en este ordenador)")});
  seguridad_->setGeometry(kXCampo, kPrimeraFila + kAltoFila, kAnchoCampo, 24);
  Etiqueta(QStringLiteral("Puerto:"), 2, this);
  puerto_ = Campo(QStringLiteral("Tex_Puerto"), 2, this, 70);
  puerto_->setMaxLength(5);
  Etiqueta(QStringLiteral("Usuario:"), 3, this);
  usuario_ = Campo(QStringLiteral("Tex_Usuario"), 3, this);
  usuario_->setPlaceholderText(QStringLiteral("(vacío si el servidor no lo pide)"));
  Etiqueta(QStringLiteral("Contraseña:"), 4, this);
  contrasena_ = Campo(QStringLiteral("Tex_Contrasena"), 4, this);
  contrasena_->setEchoMode(QLineEdit::Password);
  aviso_ = new QLabel(this);
  aviso_->setObjectName(QStringLiteral("Lab_Llavero"));
  aviso_->setWordWrap(true);
  aviso_->setFont(FuenteArial(11));
  aviso_->setGeometry(kXCampo, kPrimeraFila + 4 * kAltoFila + 26, kAnchoCampo + 10, 44);
  Etiqueta(QStringLiteral("Remitente:"), 6, this);
  remitente_ = Campo(QStringLiteral("Tex_Remitente"), 6, this);
  remitente_->setPlaceholderText(QStringLiteral("usted@ejemplo.es"));
  Etiqueta(QStringLiteral("Nombre del remitente:"), 7, this);
  nombre_ = Campo(QStringLiteral("Tex_Nombre"), 7, this);

  servidor_->setText(DeCp(ajustes_.servidor));
  seguridadPrevia_ = static_cast<int>(ajustes_.seguridad);
  seguridad_->setCurrentIndex(seguridadPrevia_);
  puerto_->setText(QString::number(ajustes_.puerto));
  usuario_->setText(DeCp(ajustes_.usuario));
  remitente_->setText(DeCp(ajustes_.remitente));
  nombre_->setText(DeCp(ajustes_.nombre));
  // Reading also tells whether the desktop has a keyring at all.
  const bool guardada =
      llavero_.Lee(ClaveLlavero(ajustes_)).has_value() && !ajustes_.usuario.empty();
  contrasena_->setPlaceholderText(guardada ? QStringLiteral("(guardada; escriba para cambiarla)")
                                           : QString());
  aviso_->setText(llavero_.Persistente()
                      ? QStringLiteral("La contraseña se guarda en el llavero del escritorio, "
                                       "nunca en un fichero.")
                      : QStringLiteral("Este escritorio no tiene llavero: la contraseña se "
                                       "recuerda solo hasta cerrar el programa."));

  for (QLineEdit* c : {servidor_, usuario_, remitente_}) {
    PonReglaTecleo(c, 254, ReglaTecleo{"\"\\ ", {}});
  }
  PonReglaTecleo(nombre_, 60);
  PonReglaTecleo(puerto_, 0, ReglaCifras());
  connect(seguridad_, &QComboBox::currentIndexChanged, this, &DialogoCorreo::CambiaSeguridad);

  auto* guardar =
      new Boton(QStringLiteral("Pic_BotGuardar"), QStringLiteral("Guardar datos"), this);
  guardar->move((kAncho - guardar->width()) / 2, kAlto - 56);
  connect(guardar, &Boton::pulsadoRaton, this, &DialogoCorreo::Guarda);
  for (QLineEdit* c : {servidor_, puerto_, usuario_, contrasena_, remitente_, nombre_}) {
    connect(c, &QLineEdit::returnPressed, this, &DialogoCorreo::Guarda);
  }
  PonAyudaSalir(QStringLiteral("Ajustes de correo"), kContextoCorreo);
  IniciaFormulario(this);
  CentraFormulario(this);
}

void DialogoCorreo::CambiaSeguridad(int indice) {
  // The port follows the kind of connection while it is the usual one of the previous kind.
  const auto previa = static_cast<SeguridadCorreo>(seguridadPrevia_);
  if (puerto_->text().toInt() == PuertoHabitual(previa) || puerto_->text().isEmpty()) {
    puerto_->setText(QString::number(PuertoHabitual(static_cast<SeguridadCorreo>(indice))));
  }
  seguridadPrevia_ = indice;
}

AjustesCorreo DialogoCorreo::Leidos() const {
  AjustesCorreo a;
  a.servidor = std::string(Recorta(ACp(servidor_->text())));
  a.puerto = puerto_->text().isEmpty() ? 0 : puerto_->text().toInt();
  a.seguridad = static_cast<SeguridadCorreo>(seguridad_->currentIndex());
  a.usuario = std::string(Recorta(ACp(usuario_->text())));
  a.remitente = std::string(Recorta(ACp(remitente_->text())));
  a.nombre = std::string(Recorta(ACp(nombre_->text())));
  return a;
}

void DialogoCorreo::Guarda() {
  s_.TocaSonido(kSonidoAccion);
  const AjustesCorreo a = Leidos();
  if (const std::string fallo = FalloAjustesCorreo(a); !fallo.empty()) {
    s_.MuestraMensaje(QStringLiteral("Ajustes de correo"), DeCp(fallo), 3, kBotonesSalir,
                      kContextoCorreo);
    return;
  }
  if (const int16_t e = GuardaAjustesCorreo(s_.estado.rutaDatos, a); e != 0) {
    s_.MuestraMensaje(QStringLiteral("Ajustes de correo"), DeCp(MensajeFalloAjustesCorreo(e)), 4,
                      kBotonesSalir, kContextoCorreo);
    return;
  }
  if (!a.usuario.empty() && !contrasena_->text().isEmpty()) {
    llavero_.Guarda(ClaveLlavero(a), contrasena_->text().toStdString());
  }
  ajustes_ = a;
  accept();
}

namespace {

class DialogoContrasena : public Formulario {
 public:
  DialogoContrasena(Servicios& s, const QString& usuario, const QString& servidor, QWidget* padre)
      : Formulario(s, QStringLiteral("contrasena"), QStringLiteral("Contraseña de correo"), padre) {
    setFixedSize(420, 230);
    PonTitulo(QStringLiteral("Contraseña de correo"));
    auto* texto = new QLabel(
        QStringLiteral("Escriba la contraseña de %1 en el servidor %2.").arg(usuario, servidor),
        this);
    texto->setWordWrap(true);
    texto->setFont(FuenteArial(12));
    texto->setGeometry(40, 64, 340, 40);
    caja_ = new QLineEdit(this);
    caja_->setObjectName(QStringLiteral("Tex_Contrasena"));
    caja_->setEchoMode(QLineEdit::Password);
    caja_->setGeometry(40, 110, 340, 24);
    auto* aceptar = new Boton(QStringLiteral("Pic_BotAceptar"), QStringLiteral("Aceptar"), this);
    aceptar->move((420 - aceptar->width()) / 2, 176);
    connect(aceptar, &Boton::pulsadoRaton, this, &DialogoContrasena::Acepta);
    connect(caja_, &QLineEdit::returnPressed, this, &DialogoContrasena::Acepta);
    PonAyudaSalir(QStringLiteral("Contraseña de correo"), kContextoCorreo, 10);
    IniciaFormulario(this);
    CentraFormulario(this);
    caja_->setFocus();
  }
  QString contrasena() const { return caja_->text(); }

 private:
  void Acepta() {
    if (caja_->text().isEmpty()) return;
    s_.TocaSonido(kSonidoAyuda);
    accept();
  }
  QLineEdit* caja_;
};

}  // namespace

std::optional<std::string> PideContrasena(Servicios& servicios, const QString& usuario,
                                          const QString& servidor, QWidget* padre) {
  DialogoContrasena d(servicios, usuario, servidor, padre);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.contrasena().toStdString();
}

}  // namespace zendo

#include "gui/output/panel_correo.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <ctime>
#include <thread>

#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/output/direcciones.h"
#include "engine/output/llavero.h"
#include "engine/output/mensaje_correo.h"
#include "gui/output/dialogo_correo.h"
#include "gui/output/marco_titulo.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"
#include "platform/correo/transporte_curl.h"
#include "platform/llavero_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 620;
constexpr int kAlto = 290;

QString Descripcion(const LecturaAjustesCorreo& l) {
  if (!l.existe || !FalloAjustesCorreo(l.ajustes).empty()) {
    return QStringLiteral("Falta indicar el servidor de correo: pulse Ajustes de correo.");
  }
  const AjustesCorreo& a = l.ajustes;
  static const char* const kSeguridad[] = {"STARTTLS", "SSL/TLS", "sin cifrar"};
  return QStringLiteral("Servidor: %1:%2 (%3)\nRemitente: %4")
      .arg(DeCp(a.servidor))
      .arg(a.puerto)
      .arg(QString::fromLatin1(kSeguridad[static_cast<int>(a.seguridad)]))
      .arg(DeCp(a.remitente));
}

}  // namespace

PanelCorreo::PanelCorreo(Servicios& servicios, QWidget* padre) : QWidget(padre), s_(servicios) {
  setObjectName(QStringLiteral("Pan_Correo"));
  setFixedSize(kAncho, kAlto);
  creaTransporte = [] { return std::make_unique<TransporteCurl>(); };
  llavero = &LlaveroDelPrograma();

  auto* datos =
      new MarcoTitulo(QStringLiteral("Fra_DatosEnviar"), QStringLiteral(" Datos a enviar "), this);
  datos->setGeometry(0, 0, 260, 100);
  chkBase_ = new QCheckBox(QStringLiteral("Quiniela base y condiciones"), datos);
  chkBase_->setObjectName(QStringLiteral("Chk_MailBase"));
  chkBase_->setGeometry(16, 30, 236, 24);
  chkBase_->setChecked(true);
  chkColumnas_ = new QCheckBox(QStringLiteral("Columnas reducidas"), datos);
  chkColumnas_->setObjectName(QStringLiteral("Chk_MailColumnas"));
  chkColumnas_->setGeometry(16, 62, 236, 24);
  for (QCheckBox* c : {chkBase_, chkColumnas_}) {
    c->setFont(FuenteArial(12, true));
    connect(c, &QCheckBox::clicked, this, [this] { s_.TocaSonido(kSonidoSigno); });
  }

  ajustes_ =
      new Boton(QStringLiteral("Pic_BotAjustesCorreo"), QStringLiteral("Ajustes de correo"), this);
  ajustes_->move((260 - ajustes_->width()) / 2, 124);
  connect(ajustes_, &Boton::pulsadoRaton, this, [this] { AbreAjustes(); });
  servidor_ = new QLabel(this);
  servidor_->setObjectName(QStringLiteral("Lab_Servidor"));
  servidor_->setWordWrap(true);
  servidor_->setFont(FuenteArial(11));
  servidor_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  servidor_->setGeometry(0, 160, 260, 60);

  auto* destino = new MarcoTitulo(QStringLiteral("Fra_Direcciones"),
                                  QStringLiteral(" Direcciones de destino "), this);
  destino->setGeometry(280, 0, kAncho - 280, kAlto);
  texNueva_ = new QLineEdit(destino);
  texNueva_->setObjectName(QStringLiteral("Tex_NuevaDireccion"));
  texNueva_->setGeometry(14, 28, kAncho - 280 - 28, 24);
  texNueva_->setMaxLength(static_cast<int>(kLargoDireccion));
  texNueva_->setPlaceholderText(QStringLiteral("Nueva dirección; Intro la añade"));
  lisDirecciones_ = new QListWidget(destino);
  lisDirecciones_->setObjectName(QStringLiteral("Lis_Direcciones"));
  lisDirecciones_->setSelectionMode(QAbstractItemView::MultiSelection);
  lisDirecciones_->setGeometry(14, 60, kAncho - 280 - 28, kAlto - 98);
  auto* pista = new QLabel(QStringLiteral("Se envía a las direcciones marcadas. Doble clic: "
                                          "corregir o quitar."),
                           destino);
  pista->setWordWrap(true);
  pista->setFont(FuenteArial(11));
  pista->setGeometry(14, kAlto - 34, kAncho - 280 - 28, 30);

  connect(texNueva_, &QLineEdit::returnPressed, this, &PanelCorreo::AnadeDireccion);
  PonReglaTecleo(texNueva_, static_cast<int>(kLargoDireccion));
  connect(lisDirecciones_, &QListWidget::itemDoubleClicked, this, &PanelCorreo::EditaDireccion);
  lisDirecciones_->installEventFilter(this);

  CargaLisDirecciones();
  MuestraAjustes();
}

PanelCorreo::~PanelCorreo() = default;

void PanelCorreo::CargaLisDirecciones() {
  lisDirecciones_->clear();
  const LecturaDirecciones l = LeeDirecciones(s_.estado.rutaDatos);
  if (!l.mensaje.empty()) s_.AvisoSistema(DeCp(ConCausa(l.mensaje, l.fallo)));
  for (const auto& d : l.direcciones) lisDirecciones_->addItem(DeCp(d));
  lisDirecciones_->selectAll();
}

void PanelCorreo::MuestraAjustes() {
  servidor_->setText(Descripcion(LeeAjustesCorreo(s_.estado.rutaDatos)));
}

void PanelCorreo::AnadeDireccion() {
  const std::string direccion(Recorta(ACp(texNueva_->text())));
  if (direccion.empty()) return;
  if (const std::string motivo = FalloDireccion(direccion); !motivo.empty()) {
    // Refused where it is typed; the text stays in the box to be corrected.
    s_.MuestraMensaje(QStringLiteral("Dirección de correo"),
                      QStringLiteral("No se puede enviar a esa dirección. ") + DeCp(motivo), 3,
                      kBotonesSalir, kContextoCorreo);
    texNueva_->setFocus();
    return;
  }
  s_.TocaSonido(kSonidoAyuda);
  auto* item = new QListWidgetItem(DeCp(direccion));
  lisDirecciones_->addItem(item);
  item->setSelected(false);
  texNueva_->clear();
  texNueva_->setFocus();
}

void PanelCorreo::EditaDireccion(QListWidgetItem* item) {
  if (item == nullptr) return;
  s_.TocaSonido(kSonidoAyuda);
  const QString texto = DeCp(std::string(Recorta(ACp(item->text()))));
  delete lisDirecciones_->takeItem(lisDirecciones_->row(item));
  texNueva_->setText(texto);
  texNueva_->setFocus();
  texNueva_->setCursorPosition(static_cast<int>(texto.size()));
}

bool PanelCorreo::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == lisDirecciones_ && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) &&
        lisDirecciones_->currentItem() != nullptr) {
      EditaDireccion(lisDirecciones_->currentItem());
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

std::vector<std::string> PanelCorreo::Direcciones() const {
  std::vector<std::string> d;
  for (int i = 0; i < lisDirecciones_->count(); ++i) {
    d.push_back(ACp(lisDirecciones_->item(i)->text()));
  }
  return d;
}

bool PanelCorreo::GuardaLista() {
  const int16_t e = GuardaDirecciones(s_.estado.rutaDatos, Direcciones());
  if (e == 0) return true;
  // The list stays on screen: leaving is the user's choice.
  return s_.MuestraMensaje(QStringLiteral("Lista de direcciones"),
                           DeCp(MensajeFalloDirecciones(e)) +
                               QStringLiteral("\r\n¿Desea salir de todos modos, perdiendo los "
                                              "cambios de la lista?"),
                           6, kBotonesAceptarCancelar, kContextoCorreo);
}

bool PanelCorreo::AbreAjustes() {
  s_.TocaSonido(kSonidoAccion);
  ajustes_->Dibuja(true);
  DialogoCorreo d(s_, *llavero, window());
  const bool guardado = d.exec() == QDialog::Accepted;
  ajustes_->Dibuja(false);
  MuestraAjustes();
  return guardado;
}

void PanelCorreo::Estado(const QString& texto) {
  if (anfitrion_.estado) anfitrion_.estado(texto);
}

void PanelCorreo::Envia() {
  std::vector<std::string> elegidas;
  for (int i = 0; i < lisDirecciones_->count(); ++i) {
    if (lisDirecciones_->item(i)->isSelected()) {
      elegidas.push_back(ACp(lisDirecciones_->item(i)->text()));
    }
  }
  if (elegidas.empty()) {
    s_.MuestraMensaje(QStringLiteral("Envío por correo electrónico"),
                      QStringLiteral("No hay ninguna dirección marcada en la lista de "
                                     "direcciones de destino."),
                      2, kBotonesSalir, kContextoCorreo);
    return;
  }
  LecturaAjustesCorreo l = LeeAjustesCorreo(s_.estado.rutaDatos);
  if (!l.existe || !FalloAjustesCorreo(l.ajustes).empty()) {
    if (!AbreAjustes()) return;
    l = LeeAjustesCorreo(s_.estado.rutaDatos);
  }
  const AjustesCorreo& a = l.ajustes;
  std::string contrasena;
  if (!a.usuario.empty()) {
    const std::string cuenta = ClaveLlavero(a);
    auto guardada = llavero->Lee(cuenta);
    if (!guardada) {
      guardada = PideContrasena(s_, DeCp(a.usuario), DeCp(a.servidor), window());
      if (!guardada) return;
      llavero->Guarda(cuenta, *guardada);
    }
    contrasena = *guardada;
  }

  const Reduccion& r = s_.estado.reduccion;
  const LecturaJornada lj = LeeJornada(s_.estado.rutaDatos, r.Jornada);
  if (!lj.mensaje.empty()) s_.AvisoSistema(DeCp(lj.mensaje));
  PeticionEnvio p;
  p.conexion = ConexionDeAjustes(a, std::move(contrasena));
  p.remitente = a.remitente;
  p.nombreRemitente = Cp1252AUtf8(a.nombre);
  p.destinatarios = elegidas;
  p.asunto = AsuntoCorreo(r.Jornada, r.Orden);
  p.cuerpo = CuerpoReduccion(s_.estado.rutaDatos, r, lj.jornada, s_.estado.datos.Precio,
                             chkBase_->isChecked(), chkColumnas_->isChecked());

  s_.TocaSonido(kSonidoAccion);
  std::atomic<bool>& cancelado = anfitrion_.cancelado ? *anfitrion_.cancelado : canceladoPropio_;
  if (anfitrion_.empieza) anfitrion_.empieza();
  cancelado = false;
  s_.PonCursor(window(), kCursorEspera);

  // The connection and the messages go off the interface thread; the screen stays alive for
  // Cancelar and shows the progress.
  std::unique_ptr<TransporteCorreo> transporte = creaTransporte();
  QEventLoop espera;
  InformeEnvio informe;
  std::thread trabajo([&] {
    informe = EnviaMensajes(
        *transporte, p,
        [this](int n, int m) {
          QMetaObject::invokeMethod(
              this, [this, n, m] { Estado(DeCp(TextoProgresoEnvio(n, m))); }, Qt::QueuedConnection);
        },
        &cancelado, std::time(nullptr));
    QMetaObject::invokeMethod(&espera, &QEventLoop::quit, Qt::QueuedConnection);
  });
  espera.exec();
  trabajo.join();
  p.conexion.contrasena.assign(p.conexion.contrasena.size(), '\0');
  informe_ = informe;

  QApplication::processEvents();  // the last progress texts, before the final one
  s_.PonCursor(window(), kCursorDefecto);
  if (anfitrion_.termina) anfitrion_.termina();
  s_.TocaSonido(kSonidoAccion);
  if (informe.resultado.ok()) {
    Estado(DeCp(MensajeEnvio(informe).texto));
    return;
  }
  Estado(QString());
  if (informe.resultado.fallo == FalloCorreo::Autenticacion) llavero->Olvida(ClaveLlavero(a));
  s_.MuestraMensaje(MensajeEnvio(informe));
}

}  // namespace zendo

#include "gui/screens/equipos.h"

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/screens/datos_jornada.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 480;
constexpr int kAlto = 500;
// A team name is one line of EQUIPOS.TVX: a quote could not be read back.
constexpr std::string_view kProhibidosNombre = "\"";
constexpr std::size_t kLargoNombre = 100;

}  // namespace

PantallaEquipos::PantallaEquipos(Servicios& servicios, QWidget* padre)
    : Formulario(servicios, QStringLiteral("equipos"),
                 QStringLiteral("Modificación de la lista de equipos"), padre) {
  setFixedSize(kAncho, kAlto);
  PonTitulo(windowTitle());

  auto* marcoLista = new QGroupBox(QStringLiteral(" Lista de equipos "), this);
  marcoLista->setObjectName(QStringLiteral("Fra_Equipos"));
  marcoLista->setGeometry(30, 76, 220, 330);
  lisEquipos_ = new QListWidget(marcoLista);
  lisEquipos_->setObjectName(QStringLiteral("Lis_Equipos"));
  lisEquipos_->setGeometry(10, 22, 200, 298);

  auto* marcoNombre = new QGroupBox(QStringLiteral(" Nombre del equipo "), this);
  marcoNombre->setObjectName(QStringLiteral("Fra_NuevoEquipo"));
  marcoNombre->setGeometry(270, 76, 180, 58);
  texNuevo_ = new QLineEdit(marcoNombre);
  texNuevo_->setObjectName(QStringLiteral("Tex_NuevoEquipo"));
  texNuevo_->setGeometry(10, 24, 160, 24);
  texNuevo_->installEventFilter(this);
  PonReglaTecleo(texNuevo_, static_cast<int>(kLargoNombre),
                 ReglaTecleo{std::string(kProhibidosNombre), {}});

  anadir_ = new Boton(QStringLiteral("Pic_BotAñadir"), QStringLiteral("Añadir equipo"), this);
  borrar_ = new Boton(QStringLiteral("Pic_BotBorrar"), QStringLiteral("Borrar equipo"), this);
  guardar_ = new Boton(QStringLiteral("Pic_BotGuardar"), QStringLiteral("Guardar datos"), this);
  anadir_->move(270 + (180 - anadir_->width()) / 2, 146);
  borrar_->move(270 + (180 - borrar_->width()) / 2, 186);
  guardar_->move((kAncho - guardar_->width()) / 2, 420);
  anadir_->hide();
  borrar_->hide();
  guardar_->hide();

  PonAyudaSalir(QStringLiteral("Lista de equipos"), kContextoEquipos);

  connect(texNuevo_, &QLineEdit::textEdited, this, &PantallaEquipos::TecleoNombre);
  connect(texNuevo_, &QLineEdit::returnPressed, this, [this] {
    if (!anadir_->isHidden()) Anade();
  });
  connect(lisEquipos_, &QListWidget::itemSelectionChanged, this, [this] {
    if (lisEquipos_->selectedItems().isEmpty()) {
      borrar_->hide();
    } else {
      borrar_->Dibuja(false);
      borrar_->show();
    }
  });
  connect(anadir_, &Boton::pulsadoRaton, this, &PantallaEquipos::Anade);
  connect(borrar_, &Boton::pulsadoRaton, this, &PantallaEquipos::Borra);
  connect(guardar_, &Boton::pulsadoRaton, this, &PantallaEquipos::Guarda);

  CargaLisEquipos();
  IniciaFormulario(this);
  CentraFormulario(this);
}

void PantallaEquipos::CargaLisEquipos() {
  const LecturaEquipos l = zendo::CargaLisEquipos(s_.estado.rutaDatos);
  if (!l.mensaje.empty()) s_.AvisoSistema(DeCp(l.mensaje));
  lisEquipos_->clear();
  for (const auto& e : l.equipos) lisEquipos_->addItem(DeCp(e));
}

void PantallaEquipos::TecleoNombre() {
  if (Recorta(ACp(texNuevo_->text())).empty()) {
    anadir_->hide();
  } else {
    anadir_->Dibuja(false);
    anadir_->show();
  }
}

void PantallaEquipos::Anade() {
  const std::string nombre(Recorta(ACp(texNuevo_->text())));
  if (nombre.empty()) return;
  s_.TocaSonido(kSonidoAccion);
  anadir_->Dibuja(true);
  lisEquipos_->addItem(DeCp(nombre));
  texNuevo_->clear();
  texNuevo_->setFocus();
  Servicios::Espera(300);
  anadir_->Dibuja(false);
  anadir_->hide();
  guardar_->Dibuja(false);
  guardar_->show();
}

void PantallaEquipos::Borra() {
  const QList<QListWidgetItem*> elegidos = lisEquipos_->selectedItems();
  if (elegidos.isEmpty()) return;
  s_.TocaSonido(kSonidoAccion);
  borrar_->Dibuja(true);
  delete lisEquipos_->takeItem(lisEquipos_->row(elegidos.first()));
  lisEquipos_->clearSelection();
  Servicios::Espera(150);
  borrar_->Dibuja(false);
  borrar_->hide();
  guardar_->Dibuja(false);
  guardar_->show();
}

void PantallaEquipos::Guarda() {
  s_.TocaSonido(kSonidoAccion);
  guardar_->Dibuja(true);
  std::vector<std::string> equipos;
  for (int i = 0; i < lisEquipos_->count(); ++i) {
    equipos.push_back(ACp(lisEquipos_->item(i)->text()));
  }
  const int16_t error = GuardaEquipos(s_.estado.rutaDatos, equipos);
  if (error != 0) {
    guardar_->Dibuja(false);
    s_.MuestraMensaje(QStringLiteral("Lista de equipos"),
                      QStringLiteral("No se ha podido guardar la lista de equipos en el fichero "
                                     "EQUIPOS.TVX (error %1). Compruebe que la carpeta de datos "
                                     "admite escritura y vuelva a pulsar Guardar datos.")
                          .arg(error),
                      4, kBotonesSalir, kContextoEquipos);
    return;
  }
  Servicios::Espera(150);
  guardar_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
  guardar_->hide();
}

bool PantallaEquipos::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == texNuevo_ && evento->type() == QEvent::FocusIn) {
    lisEquipos_->clearSelection();
    borrar_->hide();
  }
  return Formulario::eventFilter(objeto, evento);
}

}  // namespace zendo

#include "gui/output/modo_correo.h"

#include "gui/output/listados.h"
#include "gui/output/panel_correo.h"
#include "gui/shell/boton.h"
#include "gui/shell/servicios.h"

namespace zendo {

QSize ModoCorreo::Construye(PantallaListados& pantalla, QWidget* zona) {
  pantalla_ = &pantalla;
  panel_ = new PanelCorreo(pantalla.servicios(), zona);
  panel_->PonAnfitrion(
      {[this] { pantalla_->EmpiezaProceso(); }, [this] { pantalla_->TerminaProceso(); },
       [this](const QString& texto) { pantalla_->PonEstado(texto); }, &pantalla.cancelado()});
  return panel_->size();
}

void ModoCorreo::Accion() {
  pantalla_->accion()->Dibuja(true);
  panel_->Envia();
  pantalla_->accion()->Dibuja(false);
}

bool ModoCorreo::AntesDeSalir() {
  return panel_->GuardaLista();
}

void RegistraModoCorreo(ModosSalida& modos) {
  modos.Registra(6, [] { return std::make_unique<ModoCorreo>(); });
}

}  // namespace zendo

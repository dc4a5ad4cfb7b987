#include "gui/shell/arranque.h"

#include "engine/shell/carpeta_datos.h"
#include "engine/shell/dialogo.h"
#include "engine/shell/textos.h"
#include "gui/shell/menu.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

bool PreparaRutas(Estado& estado, const QString& rutaPrograma, const QString& rutaUsuario) {
  estado.rutaPrograma = std::filesystem::path(rutaPrograma.toStdString());
  const CarpetaDatos carpeta =
      EligeCarpetaDatos(estado.rutaPrograma, std::filesystem::path(rutaUsuario.toStdString()));
  estado.rutaDatos = carpeta.ruta;
  return !carpeta.ruta.empty();
}

std::unique_ptr<MenuPrincipal> Arranca(Servicios& servicios, QSize pantalla,
                                       const std::function<void(MenuPrincipal&)>& registra) {
  if (!PantallaSuficiente(pantalla.width())) {
    servicios.MuestraMensaje(Mensaje{Cp("Resolución de pantalla"),
                                     TextoResolucion(pantalla.width(), pantalla.height()), 7,
                                     kBotonesSalir, 1040});
    return nullptr;
  }
  auto menu = std::make_unique<MenuPrincipal>(servicios);
  if (registra) registra(*menu);
  menu->show();
  menu->Carga();
  servicios.MuestraMensaje(Mensaje{TituloBienvenida(), TextoBienvenida(), 3, kBotonesSalir, 1120});
  return menu;
}

}  // namespace zendo

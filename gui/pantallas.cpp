#include "gui/pantallas.h"

#include <memory>

#include "gui/consult/consredu.h"
#include "gui/output/imprime_escrutinio.h"
#include "gui/output/modo_correo.h"
#include "gui/output/panel_copia.h"
#include "gui/output/panel_impresion.h"
#include "gui/output/salida.h"
#include "gui/reduction/reducir.h"
#include "gui/screens/borrar.h"
#include "gui/screens/datosgen.h"
#include "gui/screens/jornadas.h"
#include "gui/scrutiny/escrutin.h"
#include "gui/shell/menu.h"
#include "platform/volumenes_qt.h"

namespace zendo {

void RegistraPantallas(MenuPrincipal& menu) {
  menu.PonPantalla(1, [](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaJornadas>(s, padre);
  });
  menu.PonPantalla(2, [](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaReducir>(s, padre);
  });
  menu.PonPantalla(3, [](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaConsulta>(s, padre);
  });
  // The output modes each bring their own options to `listados`.
  auto modos = std::make_shared<ModosSalida>();
  RegistraModosImpresion(*modos);
  RegistraModoCorreo(*modos);
  RegistraModoCopia(*modos, std::make_shared<ListaVolumenesQt>());
  menu.PonPantalla(4, [modos](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaSalida>(s, *modos, padre);
  });
  // The printout of the scrutiny is handed to the screen here.
  menu.PonPantalla(5, [](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaEscrutinio>(s, padre, ImprimeEscrutinio());
  });
  menu.PonPantalla(6, [](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaDatosGen>(s, padre);
  });
  menu.PonPantalla(7, [](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
    return std::make_unique<PantallaBorrar>(s, padre);
  });
}

}  // namespace zendo

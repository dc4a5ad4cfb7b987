#include "gui/shell/arranque.h"

#include <QApplication>

#include "engine/core/fallo.h"
#include "engine/core/texto.h"
#include "engine/shell/carpeta_datos.h"
#include "engine/shell/dialogo.h"
#include "engine/shell/textos.h"
#include "gui/shell/imagenes.h"
#include "gui/shell/menu.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

void IdentificaPrograma() {
  QApplication::setApplicationName(QString::fromLatin1(kNombrePrograma));
  QApplication::setOrganizationName(QString::fromLatin1(kNombrePrograma));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionPrograma));
  QApplication::setApplicationDisplayName(DeCp(TituloBienvenida()));
  QGuiApplication::setDesktopFileName(QStringLiteral("zendo"));
  QApplication::setWindowIcon(IconoPrograma());
}

bool PreparaRutas(Estado& estado, const QString& rutaPrograma, const QString& rutaUsuario) {
  estado.rutaPrograma = std::filesystem::path(rutaPrograma.toStdString());
  const CarpetaDatos carpeta =
      EligeCarpetaDatos(estado.rutaPrograma, std::filesystem::path(rutaUsuario.toStdString()));
  estado.rutaDatos = carpeta.ruta;
  return !carpeta.ruta.empty();
}

std::optional<CerrojoCarpeta> ReservaCarpeta(Servicios& servicios,
                                             const std::filesystem::path& rutaDatos) {
  AccesoCarpeta acceso = AbreCarpetaEscritura(rutaDatos, std::chrono::milliseconds(0));
  if (acceso.ok()) return std::move(acceso.cerrojo);
  const std::string carpeta = Utf8ACp1252(rutaDatos.string()).texto;
  std::string texto;
  if (acceso.ocupada) {
    texto = Cp("Ya hay un programa Zendo abierto con la carpeta de datos ") + carpeta +
            Cp(". Sólo uno puede trabajar con ella a la vez: use el que ya está abierto, o "
               "ciérrelo antes de volver a abrir el programa.");
  } else if (acceso.habiaDiario) {
    texto = Cp("No se ha podido completar ni deshacer el último cambio que quedó a medias en la "
               "carpeta de datos ") +
            carpeta + ": " + DescribeFallo(acceso.fallo) +
            Cp(". Compruebe que la carpeta admite escritura y vuelva a abrir el programa.");
  } else {
    FalloFichero f = acceso.fallo;
    if (f.fichero == rutaDatos.string()) f.fichero.clear();
    texto = Cp("No se puede usar la carpeta de datos ") + carpeta + ": " + DescribeFallo(f) + ".";
  }
  servicios.MuestraMensaje(Mensaje{"Zendo", texto, 5, kBotonesSalir, 0});
  return std::nullopt;
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

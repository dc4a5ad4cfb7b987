#pragma once
// Where a copy to external media can go: the mounted removable media and user mounts, the
// data folder, the home folder and a folder of the user's choosing. The list of mounted file
// systems comes from the platform through a small interface, so tests can fake a medium.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/mensaje.h"

namespace zendo {

// A mounted file system as the platform reports it.
struct Volumen {
  std::filesystem::path raiz;  // mount point
  std::string etiqueta;        // label (UTF-8), may be empty
  std::string dispositivo;     // "/dev/sdb1"
  std::string tipoSistema;     // "vfat", "ext4", ...
  bool soloLectura = false;
  bool preparado = true;
  bool extraible = false;  // a removable medium or a user mount (EsCarpetaDeSoportes)
};

class ListaVolumenes {
 public:
  virtual ~ListaVolumenes() = default;
  virtual std::vector<Volumen> Montados() = 0;
};

enum class TipoDestino { Soporte, CarpetaDatos, CarpetaPersonal, OtraCarpeta };

struct Destino {
  TipoDestino tipo = TipoDestino::CarpetaDatos;
  std::string nombre;             // as the list shows it (UTF-8)
  std::filesystem::path carpeta;  // where the file goes; empty for "Otra carpeta…"
  bool operator==(const Destino&) const = default;
};

// Where the desktop mounts removable media and the user mounts file systems: a folder under
// /media, /run/media or /mnt.
bool EsCarpetaDeSoportes(const std::filesystem::path& raiz);
// A path on such a medium (a relative path is taken from the current folder).
bool EnSoporteExterno(const std::filesystem::path& ruta);

// The entries of the destination list, in order: the removable media and user mounts (by
// label, else by the name of their folder), "Carpeta de datos", "Carpeta personal" and "Otra
// carpeta…".
std::vector<Destino> ListaDestinos(const std::vector<Volumen>& montados,
                                   const std::filesystem::path& rutaDatos,
                                   const std::filesystem::path& carpetaPersonal);

// The destination of a copy before the user has chosen one: the data folder.
Destino DestinoPorDefecto(const std::filesystem::path& rutaDatos);

// A folder the user picked with "Otra carpeta…".
Destino DestinoCarpeta(const std::filesystem::path& carpeta);

// The file system type of the volume that holds `ruta` (the mount point that is its longest
// prefix); empty when none does.
std::string SistemaDeRuta(const std::vector<Volumen>& montados, const std::filesystem::path& ruta);

// The destination can take a file now: a medium still mounted and ready, a folder that
// exists and can be written.
bool DestinoPreparado(const Destino& d, const std::vector<Volumen>& montados);

// "No se encuentra el disco" (Aceptar tries again, Cancelar gives up), naming the medium.
Mensaje MensajeDiscoNoPreparado(const Destino& d);

}  // namespace zendo

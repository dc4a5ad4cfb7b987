#pragma once
// The name of the file a copy creates, as typed in "Nombre del archivo": checked before
// anything is written, against what the destination's file system accepts.

#include <optional>
#include <string>
#include <string_view>

#include "engine/core/mensaje.h"

namespace zendo {

// File systems of removable media that keep the old rules for names (FAT, exFAT, NTFS)
// refuse more characters than the native ones.
bool SistemaConReglasWindows(std::string_view tipoSistema);

// A name of the program's own data files (the index, the columns files, the work file, the
// general data, external column files and temporaries): a copy into the data folder must
// never take one of them.
bool NombreDeDatos(std::string_view nombre);

// The name (Windows-1252, already trimmed) checked for a destination with that file system;
// `carpetaDatos` when the destination is the data folder. Nothing when it may be used,
// otherwise the message that refuses it.
std::optional<Mensaje> CompruebaNombreArchivo(std::string_view nombre, std::string_view tipoSistema,
                                              bool carpetaDatos);

}  // namespace zendo

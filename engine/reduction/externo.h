#pragma once
// External column files: Q44F<jj><oo>.TVF in the data folder, columns prepared by other
// tools that a manual reduction may add to those of its Quiniela Base.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/core/fallo.h"
#include "engine/core/mensaje.h"
#include "engine/reduction/modelo.h"

namespace zendo {

// What is known about the external file of the current reduction.
struct Externo {
  std::string ArchivoExterno;          // file name without folder
  bool ExternoValido = false;          // found and every line is a column
  int32_t ColumnasExternas = 0;        // 0 unless valid
  std::array<int32_t, 15> Externas{};  // columns per number of variants (0..14)

  bool operator==(const Externo&) const = default;
};

// Kinds of fault of a file that was found.
enum class FalloExterno {
  Ninguno = 0,
  Signo = 1,     // a character that is not 1, X or 2
  Longitud = 2,  // a line that is not 15 characters long
  Vacio = 3,     // no column at all
};

struct CargaExterno {
  Externo externo;
  FalloExterno fallo = FalloExterno::Ninguno;
  std::optional<Mensaje> mensaje;  // the fault, for the message dialog
  // A file that is there but cannot be read as one (a device, a folder, a read error, more
  // lines than a reduction can hold: 6): the panel says no file was found, as for a missing
  // one; zendo-cli tells the cause.
  FalloFichero lectura;
};

// The most columns an external file may hold: every column of a Quiniela Base.
inline constexpr int64_t kMaximoColumnasExternas = 14348907;  // 3^15

// "Q44F0712.TVF"
std::string NombreArchivoExterno(int jornada, int orden);

// The text of a line read as one field: up to the closing quote when it begins with a
// quote, else up to the first comma.
std::string_view CampoExterno(std::string_view linea);

// The column of a line, X in upper case; nothing when the line is not a valid column.
std::optional<std::string> ColumnaExterna(std::string_view linea);

// Looks for and checks the external file of the reduction `r` (only for the manual method;
// for the others nothing is read and the result is not valid). When the file is not valid
// the check box value `r.IncluyeExterno` becomes 0; when it is, the stored value stays.
CargaExterno CargaArchivoExterno(const std::filesystem::path& rutaDatos, Reduccion& r);

// Same check on the bytes of a file already read (the file name is for the messages).
CargaExterno CompruebaExterno(std::string_view contenido, std::string_view archivo);

// The three lines of the panel Pic_Externo (Windows-1252).
std::array<std::string, 3> LineasPanelExterno(const Externo& e);

}  // namespace zendo

#pragma once
// The index of reductions, BASES.TVX: one 395-character record (plus CR LF) per stored
// reduction, holding its whole definition; and the columns files RED<jj><oo>.TVX.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/fallo.h"
#include "engine/reduction/modelo.h"

namespace zendo {

inline constexpr std::size_t kLargoRegistroBases = 395;
inline constexpr std::size_t kLargoRegistroBasesCrLf = 397;
inline constexpr const char* kFicheroIndice = "BASES.TVX";

// A status and, when the routine has something to say, the message for the caller to show
// (Windows-1252): the 53 texts or the short code with the number ("LFB ERROR 70").
struct EstadoIndice {
  int16_t error = 0;
  std::string mensaje;
  FalloFichero fallo = {};  // the file and what was being done to it, when known
};

struct BusquedaReduccion {
  bool existe = false;
  int16_t NumRegistroBases = 0;  // record found, else the number of records read
  std::string RegistroLeido;     // the record found (395 characters), else empty
  EstadoIndice estado;
};

// Finds the record of (jornada, orden); (0, 0) finds the first deleted record.
// A missing index is created empty (message of 53); other errors give "EEB ERROR n".
BusquedaReduccion ExisteReduccion(const std::filesystem::path& rutaDatos, int jornada, int orden);

struct LecturaIndice {
  bool ReduccionCargada = false;
  BusquedaReduccion busqueda;  // where the record was found
  EstadoIndice estado;         // "LFB ERROR n", or the 53 message
};

// Loads the record of (jornada, orden) into `r`; without one, the defaults of a new
// reduction with `metodoGeneral` (the method of the general data).
LecturaIndice LeeReduccion(const std::filesystem::path& rutaDatos, int16_t jornada, int16_t orden,
                           int16_t metodoGeneral, Reduccion& r);

// Fills a model from a record; a short record reads as if padded with spaces.
Reduccion ParseaRegistroBases(std::string_view registro);

// The 395 characters of the record of `r`, field by field (criteria the method does not use
// are written as the model holds them: clear them first with LimpiaCriteriosNoUsados).
std::string ConstruyeRegistroBases(const Reduccion& r);

// Resets in `r` the criteria its method does not use (errors, TotalSignos, bounds).
void LimpiaCriteriosNoUsados(Reduccion& r);

// The whole new index for a change that is committed together with other files
// (transaccion.h): `cambia` is false when the index stays as it is.
struct ContenidoIndice {
  EstadoIndice estado;
  std::string contenido;
  bool cambia = false;
};
// The index with `registro` stored as GuardaRegistroBases stores it ("EEB ERROR n").
ContenidoIndice IndiceConRegistro(const std::filesystem::path& rutaDatos,
                                  std::string_view registro);
// The index with every record of the keys `esBorrada(jornada, orden)` accepts marked
// deleted; `borradas` counts the keys ("BRB ERROR n"). A missing index stays missing.
ContenidoIndice IndiceSinReducciones(const std::filesystem::path& rutaDatos,
                                     const std::function<bool(int, int)>& esBorrada,
                                     int* borradas = nullptr);
// The index with the counters of record `numRegistro` rewritten as ReescribeContadores
// does ("EEB ERROR n").
ContenidoIndice IndiceConContadores(const std::filesystem::path& rutaDatos, int16_t numRegistro,
                                    std::string registroLeido, int32_t numApuestas,
                                    int32_t columnasPleno1, int32_t columnasPlenoX);

// Stores a record: replaces the record of its key, else reuses the first deleted record,
// else appends. Each record is written whole and flushed.
EstadoIndice GuardaRegistroBases(const std::filesystem::path& rutaDatos, std::string_view registro);

// Marks every record of (jornada, orden) as deleted ("0000" and 391 spaces).
EstadoIndice BorraReduccionBases(const std::filesystem::path& rutaDatos, int jornada, int orden);

// Rewrites positions 32-39, 347-354 and 355-362 of `registroLeido` and writes it back in
// place at record `numRegistro` (after the marked columns of a reduction were deleted).
EstadoIndice ReescribeContadores(const std::filesystem::path& rutaDatos, int16_t numRegistro,
                                 std::string registroLeido, int32_t numApuestas,
                                 int32_t columnasPleno1, int32_t columnasPlenoX);

// Rewrites positions 311-345 (the description) of the record of (jornada, orden), if any.
EstadoIndice ReescribeDescripcion(const std::filesystem::path& rutaDatos, int jornada, int orden,
                                  std::string_view descripcion);

// Every record of the index in file order (deleted ones included), for listings.
struct ListaIndice {
  std::vector<std::string> registros;
  EstadoIndice estado;
};
ListaIndice LeeIndice(const std::filesystem::path& rutaDatos);
bool RegistroBorrado(std::string_view registro);

// "RED0712.TVX"
std::string NombreReduccion(int jornada, int orden);

// Reads the columns of a reduction file, the quotes stripped, one column a line.
struct ColumnasReduccion {
  std::vector<std::string> columnas;
  int16_t error = 0;  // 53 without message when missing; else "RED ERROR n"
  std::string mensaje;
};
ColumnasReduccion LeeColumnasReduccion(const std::filesystem::path& rutaDatos, int jornada,
                                       int orden);
// A column line as the file holds it: quote, 15 signs, quote, CR LF.
std::string LineaColumna(std::string_view columna);
// The column of a line: the text between the quotes (or the whole line without them).
std::string_view ColumnaDeLinea(std::string_view linea);

// Rewrites a reduction file with `columnas` through its "N" copy, which then replaces the
// file by a rename: the old file stays whole until the new one is complete.
int16_t ReescribeReduccion(const std::filesystem::path& rutaDatos, int jornada, int orden,
                           const std::vector<std::string>& columnas);

}  // namespace zendo

#pragma once
// JORNADAS.TVX (one 544-character record per jornada: date, teams, winning column, prizes)
// and EQUIPOS.TVX (the list of team names).

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/fallo.h"

namespace zendo {

inline constexpr std::size_t kLargoRegistroJornada = 544;
inline constexpr const char* kFicheroJornadas = "JORNADAS.TVX";
inline constexpr const char* kFicheroEquipos = "EQUIPOS.TVX";

struct Jornada {
  std::string RegistroJornada;  // 544 characters as read (or the empty record)
  std::string FechaJornada;     // positions 6-13
  std::array<std::array<int16_t, 4>, 16> Ganadora{};  // [m 1..15][s 1..3] 1 when the result
  std::array<double, 7> Premios{};                    // [k 1..6]
  bool vacia = true;  // the record did not carry the marker of its jornada
};

// The empty record: five spaces, "00/00/00" and 531 spaces.
std::string RegistroJornadaVacio();

// Interprets a record read for `jornada` (wrong marker: the empty record).
Jornada ParseaJornada(std::string_view registro, int jornada);

struct LecturaJornada {
  Jornada jornada;
  int16_t error = 0;
  std::string mensaje;  // "LJO ERROR n"
  FalloFichero fallo;
};
// Reads record `jornada`; a missing file is created (empty), as opening it for record
// access would, unless `crea` is false (a reader that must write nothing): the jornada then
// reads as empty.
LecturaJornada LeeJornada(const std::filesystem::path& rutaDatos, int jornada, bool crea = true);

// Editing a record kept in memory; each routine writes only its own positions.
void PonCabecera(std::string& registro, int jornada, std::string_view fecha);  // 1-13
void PonEquipo(std::string& registro, int ranura, std::string_view nombre);    // 1..30
std::string Equipo(std::string_view registro, int ranura);                     // trimmed
void PonGanadora(std::string& registro, const std::array<std::array<int16_t, 4>, 16>& g);
void PonPremio(std::string& registro, int clase, std::string_view texto);  // 1..6

// Writes the record at number `jornada` (gap records when the file is shorter).
int16_t EscribeJornada(const std::filesystem::path& rutaDatos, int jornada,
                       std::string_view registro);

// Winning column as signs ("-" where not set), e.g. "1X2-..."
std::string GanadoraComoSignos(const Jornada& j);

// EQUIPOS.TVX: fields separated by commas or line ends, quoted fields run to the next quote.
std::vector<std::string> ParseaEquipos(std::string_view contenido);
struct LecturaEquipos {
  std::vector<std::string> equipos;
  int16_t error = 0;
  std::string mensaje;
};
// For the list of teams: a missing file is created empty, with the 53 message.
LecturaEquipos CargaLisEquipos(const std::filesystem::path& rutaDatos);
// For the combo boxes: a missing file is not created (message of 53 without creation).
LecturaEquipos CreaCboEquipo(const std::filesystem::path& rutaDatos);
// Rewrites EQUIPOS.TVX whole (by rename) from the list; names trimmed, CR LF each.
int16_t GuardaEquipos(const std::filesystem::path& rutaDatos,
                      const std::vector<std::string>& equipos);

}  // namespace zendo

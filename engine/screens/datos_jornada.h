#pragma once
// The rules of the jornada screen that do not depend on drawing: the date as three boxes of
// two digits, the typing limits of the boxes, and the record it writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/core/mensaje.h"

namespace zendo {

inline constexpr std::size_t kLargoEquipo = 15;    // width of a team slot
inline constexpr std::size_t kLargoCajaFecha = 2;  // each date box
inline constexpr int kCajasEquipo = 30;            // two per match
inline constexpr int kContextoJornadas = 2100;
inline constexpr int kContextoErrorFecha = 2120;
inline constexpr int kContextoEquipos = 2151;

// The three date boxes: day, month and the last two digits of the year.
struct CajasFecha {
  std::string dia;
  std::string mes;
  std::string ano;
};

// The boxes of a stored date "dd/mm/yy": characters 1-2, 4-5 and 7-8.
CajasFecha CajasDesdeFecha(std::string_view fecha);

// A box holding a single character gets a "0" in front of it ("5" gives "05").
std::string CompletaCajaFecha(std::string_view caja);

// True when day / month / 20yy is a day of the calendar: every box two digits, the month
// 1 to 12, the day within that month (29 February only in a leap year).
bool ValidaFecha(const CajasFecha& cajas);

// The stored form "dd/mm/yy".
std::string FechaDesdeCajas(const CajasFecha& cajas);

// The refusal of a date that is missing or not a date (5 lines, the Salir button).
Mensaje MensajeErrorFecha();

// The record the screen writes: over the record as stored, positions 1-13 ("Jor", the
// jornada, the date) and the 30 team slots (names trimmed and cut to 15); the winning
// column and the prizes of the scrutiny stay as they are. `equipos`[0] is unused.
std::string ComponeJornada(std::string_view registroGuardado, int jornada, std::string_view fecha,
                           const std::array<std::string, kCajasEquipo + 1>& equipos);

// True when the team boxes would store other names than the record holds (compared as
// they are stored: trimmed and cut to 15 characters).
bool EquiposCambiados(std::string_view registro,
                      const std::array<std::string, kCajasEquipo + 1>& equipos);

struct ResultadoJornada {
  int16_t error = 0;
  std::string mensaje;  // "LJO ERROR n" (reading) or "EJO ERROR n" (writing)
};
// Reads the record of `jornada` as it stands in the file, composes it with the screen's
// date and teams and writes it back whole. Nothing is written when the read fails.
ResultadoJornada GuardaJornada(const std::filesystem::path& rutaDatos, int jornada,
                               std::string_view fecha,
                               const std::array<std::string, kCajasEquipo + 1>& equipos);

}  // namespace zendo

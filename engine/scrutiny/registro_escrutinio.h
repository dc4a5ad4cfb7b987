#pragma once
// What a scrutiny keeps in the jornada's record of JORNADAS.TVX: positions 1-13 ("Jor", the
// jornada, the date), the winning digits (464-478) and the six prize texts (479-544). Every
// other byte (the teams the jornada screen wrote) stays as it was read.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/scrutiny/fallos.h"
#include "engine/scrutiny/ganadora.h"

namespace zendo {

// The prize texts of categories 1..6 (15 down to 10 hits), as the boxes show them; [0] unused.
using TextosPremios = std::array<std::string, 7>;

// The record `registroLeido` (as LeeJornada left it) with the scrutiny's fields set.
std::string RegistroEscrutinio(std::string_view registroLeido, int jornada, std::string_view fecha,
                               const MarcasGanadora& ganadora, const TextosPremios& premios);

// Writes that record whole at number `jornada`; the failure, if any, names JORNADAS.TVX.
FalloEscrutinio GuardaEscrutinio(const std::filesystem::path& rutaDatos, int jornada,
                                 std::string_view registro);

}  // namespace zendo

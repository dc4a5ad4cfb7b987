#include "engine/scrutiny/registro_escrutinio.h"

#include "engine/core/jornadas.h"

namespace zendo {

std::string RegistroEscrutinio(std::string_view registroLeido, int jornada, std::string_view fecha,
                               const MarcasGanadora& ganadora, const TextosPremios& premios) {
  std::string registro(registroLeido);
  PonCabecera(registro, jornada, fecha);
  PonGanadora(registro, ganadora);
  for (int k = 1; k <= 6; ++k) PonPremio(registro, k, premios[static_cast<std::size_t>(k)]);
  return registro;
}

FalloEscrutinio GuardaEscrutinio(const std::filesystem::path& rutaDatos, int jornada,
                                 std::string_view registro) {
  return {EscribeJornada(rutaDatos, jornada, registro), kFicheroJornadas, true};
}

}  // namespace zendo

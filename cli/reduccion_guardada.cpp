#include <filesystem>

#include "cli/comandos.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"

namespace zendo::cli {

std::optional<ReduccionGuardada> CargaReduccionGuardada(const std::filesystem::path& ruta,
                                                        int jornada, int orden) {
  ReduccionGuardada g;
  g.datos.Normaliza();
  // Reading must not create the files the program would create on a first start.
  if (ExisteFichero(ruta / kFicheroDatosGenerales)) {
    const ResultadoDatos leido = LeeDatosGenerales(ruta, g.datos);
    if (leido.error != 0) {
      ImprimeFallo(leido.mensaje, {leido.error, kFicheroDatosGenerales, OperacionFichero::Leer});
      return std::nullopt;
    }
  }
  if (!ExisteFichero(ruta / kFicheroIndice)) {
    ImprimeError(Cp("No se encuentra el fichero BASES.TVX."));
    return std::nullopt;
  }
  const LecturaIndice lectura = LeeReduccion(ruta, static_cast<int16_t>(jornada),
                                             static_cast<int16_t>(orden), g.datos.Metodo, g.r);
  if (lectura.estado.error != 0) {
    ImprimeFallo(lectura.estado.mensaje, lectura.estado.fallo);
    return std::nullopt;
  }
  if (!lectura.ReduccionCargada) {
    ImprimeError(Cp("No hay ninguna reducción guardada con la jornada ") + std::to_string(jornada) +
                 " y el orden " + std::to_string(orden) + ".");
    return std::nullopt;
  }
  return g;
}

}  // namespace zendo::cli

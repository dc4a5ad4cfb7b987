#include <filesystem>

#include "cli/comandos.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"

namespace zendo::cli {

std::optional<ReduccionPedida> PideReduccion(const Argumentos& a, bool escribe) {
  ReduccionPedida p;
  if (escribe) {
    p.escritura = CarpetaDatosEscritura(a);
    if (!p.escritura) return std::nullopt;
    p.datos = p.escritura->ruta;
  } else {
    const auto datos = CarpetaDatos(a);
    if (!datos) return std::nullopt;
    p.datos = *datos;
  }
  const auto jornada = OpcionEntera(a, "--jornada", 1, 99);
  if (!jornada) return std::nullopt;
  const auto orden = OpcionEntera(a, "--orden", 1, 99);
  if (!orden) return std::nullopt;
  p.jornada = *jornada;
  p.orden = *orden;
  return p;
}

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

// A columns file RED<jj><oo>.TVX as the scrutiny counts it and as the boleto work file is
// built from it. The first two bytes pick the figures of the index record the readers number
// boletos with (a damaged index may disagree with the file); the rest is the file.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"
#include "engine/reduction/modelo.h"
#include "engine/scrutiny/escrutinio.h"
#include "fuzz/carpeta_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t a = data[0];
  const uint8_t b = data[1];
  const std::string_view texto(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::filesystem::path& carpeta = zendo::fuzz::Carpeta();
  if (zendo::ReemplazaFichero(carpeta / "RED0101.TVX", texto) != 0) return 0;

  zendo::Reduccion r = zendo::ReduccionNueva(1, 1, static_cast<int16_t>(1 + a % 5));
  auto& pleno = r.Partido[15];
  pleno.Signo = {0, 1, static_cast<int16_t>((b >> 0) & 1), static_cast<int16_t>((b >> 1) & 1)};
  pleno.NumSignos = static_cast<int16_t>(1 + pleno.Signo[2] + pleno.Signo[3]);
  r.NumApuestas = static_cast<int64_t>(b >> 2) * 7;
  r.ApuestasQuiniela = r.NumApuestas;
  r.ColumnasPleno1 = static_cast<int64_t>(a >> 3);
  r.ColumnasPlenoX = static_cast<int64_t>(b >> 4);

  const std::atomic<bool> nunca{false};
  const zendo::ResultadoEscrutinio e =
      zendo::Escruta(carpeta, r, "1X21X21X21X21X2", zendo::PremiosCentimos{}, {}, nunca);
  if (!e.fallo) {
    for (const int64_t n : e.AciertosTotal) {
      if (n < 0 || n > e.columnas) __builtin_trap();
    }
    (void)zendo::LineasAciertos(e);
    for (std::size_t i = 0; i < e.boletos.size(); ++i) (void)zendo::LineaBoleto(e.boletos[i]);
  }

  const zendo::ResultadoBoletos rb = zendo::RecorreRegistrosBoletos(
      carpeta / "RED0101.TVX",
      [](std::string_view registros) {
        if (registros.size() % 20 != 0) __builtin_trap();
        return true;
      },
      {}, nunca);
  (void)rb;
  (void)zendo::CreaFicheroBoletos(carpeta, 1, 1, {}, nunca);
  return 0;
}

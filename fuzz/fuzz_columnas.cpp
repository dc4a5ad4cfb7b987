// A columns file RED<jj><oo>.TVX as the scrutiny counts it, as the boleto work file is built
// from it and as the column edits read it whole. The first two bytes pick the figures of the
// index record the scrutiny numbers boletos with (a damaged index may disagree with the
// file); the rest is the file. The three readers must agree on which lines hold a column,
// and the work file must be whole records only.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/reduction/modelo.h"
#include "engine/scrutiny/escrutinio.h"
#include "fuzz/carpeta_fuzz.h"

namespace {

bool Blanca(std::string_view columna) {
  return columna.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

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
    int64_t suma = 0;
    for (int h = 0; h <= 14; ++h) {
      const int64_t n = e.AciertosTotal[static_cast<std::size_t>(h)];
      if (n < 0 || n > e.columnas) __builtin_trap();
      suma += n;
    }
    // Every column counted once among 0 to 14 hits (a 15 is also a 14).
    if (suma != e.columnas || e.AciertosTotal[15] > e.AciertosTotal[14]) __builtin_trap();
    (void)zendo::LineasAciertos(e);
    for (std::size_t i = 0; i < e.boletos.size(); ++i) (void)zendo::LineaBoleto(e.boletos[i]);
  }

  const zendo::ColumnasReduccion entera = zendo::LeeColumnasReduccion(carpeta, 1, 1);
  int64_t noBlancas = 0;
  for (const auto& c : entera.columnas) noBlancas += Blanca(c) ? 0 : 1;

  const zendo::ResultadoBoletos rb = zendo::CreaFicheroBoletos(carpeta, 1, 1, {}, nunca);
  if (rb.error != 0) return 0;
  const zendo::ResumenBoletos& s = rb.resumen;
  if (!e.fallo && e.columnas != s.columnas) __builtin_trap();
  if (entera.error == 0 && noBlancas != s.columnas) __builtin_trap();

  zendo::FicheroBoletos trabajo = zendo::AbreFicheroBoletos(carpeta / zendo::kFicheroBoletos);
  if (trabajo.error() != 0 || trabajo.registros() != s.LineasTrabajo) __builtin_trap();
  std::string registros;
  if (trabajo.Lee(1, s.LineasTrabajo, registros) != 0) __builtin_trap();
  if (registros.size() != static_cast<std::size_t>(s.LineasTrabajo) * zendo::kLargoRegistroBoleto) {
    __builtin_trap();
  }
  int64_t columnas = 0;
  for (std::size_t i = 0; i < registros.size(); i += zendo::kLargoRegistroBoleto) {
    const std::string_view reg(registros.data() + i, zendo::kLargoRegistroBoleto);
    if (reg[0] != '"' || reg[17] != '"' || reg[18] != '\r' || reg[19] != '\n') __builtin_trap();
    if (zendo::EsRegistroBlanco(reg)) {
      if (reg != zendo::kRegistroBlanco) __builtin_trap();
      continue;
    }
    if (zendo::MarcaRegistro(reg) != '0') __builtin_trap();
    ++columnas;
  }
  if (columnas != s.columnas) __builtin_trap();
  return 0;
}

#include "engine/consult/apoyo_consulta.h"

#include <gtest/gtest.h>

#include <atomic>

#include "apoyo/apoyo.h"
#include "engine/core/indice.h"

namespace zendo::prueba {

std::string FicheroColumnas(const std::vector<std::string>& columnas) {
  std::string s;
  for (const auto& c : columnas) s += "\"" + c + "\"\r\n";
  return s;
}

std::string RegistroMarcado(const std::string& columna, char marca) {
  return "\"" + columna + marca + "\"\r\n";
}

Reduccion GuardaReduccion(const std::filesystem::path& datos, int jornada, int orden, int metodo,
                          const std::vector<std::string>& columnas) {
  Reduccion r = ReduccionNueva(static_cast<int16_t>(jornada), static_cast<int16_t>(orden),
                               static_cast<int16_t>(metodo));
  r.Partido[15].Signo = {};
  r.Partido[15].NumSignos = 0;
  for (const auto& c : columnas) {
    const int s = c[14] == '1' ? 1 : c[14] == 'X' ? 2 : 3;
    if (r.Partido[15].Signo[static_cast<std::size_t>(s)] == 0) ++r.Partido[15].NumSignos;
    r.Partido[15].Signo[static_cast<std::size_t>(s)] = 1;
    if (metodo == kMetodoManual) {
      r.ColumnasPleno1 += c[14] == '1';
      r.ColumnasPlenoX += c[14] == 'X';
    }
  }
  r.NumApuestas = static_cast<int32_t>(columnas.size());
  r.ApuestasBase = metodo == kMetodoManual ? r.NumApuestas : 3 * r.NumApuestas;
  if (metodo == kMetodoManual) r.ApuestasQuiniela = r.NumApuestas;
  EXPECT_EQ(GuardaRegistroBases(datos, ConstruyeRegistroBases(r)).error, 0);
  EscribeBytes(datos / NombreReduccion(jornada, orden), FicheroColumnas(columnas));
  return r;
}

EstadoMarcado ConstruyeTrabajo(const std::filesystem::path& datos, int jornada, int orden) {
  std::atomic<bool> cancelar{false};
  const ResultadoBoletos res = CreaFicheroBoletos(datos, jornada, orden, nullptr, cancelar);
  EXPECT_EQ(res.error, 0);
  return EstadoMarcado::De(res.resumen);
}

std::string Marcas(const std::filesystem::path& datos) {
  const std::string bytes = LeeBytes(datos / kFicheroBoletos);
  std::string m;
  for (std::size_t p = 16; p < bytes.size(); p += kLargoRegistroBoleto) m += bytes[p];
  return m;
}

}  // namespace zendo::prueba

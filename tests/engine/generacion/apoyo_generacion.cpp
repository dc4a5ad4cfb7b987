// Support of the generation tests: an independent, column-by-column development of a base,
// models built from sign strings, a run with its progress collected.

#include "engine/generacion/apoyo_generacion.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "apoyo/apoyo.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/externo.h"
#include "tests/engine/reduction/enumerador.h"

namespace zendo::prueba {

Reduccion BaseDe(int metodo, const std::vector<std::string>& signos, std::string_view aReducir) {
  Reduccion r = ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
  for (int m = 1; m <= kPartidos; ++m) {
    auto& p = r.Partido[m];
    p = DatosPartido{};
    const std::string s = m <= static_cast<int>(signos.size()) ? signos[m - 1] : "1";
    for (int k = 1; k <= 3; ++k) p.Signo[k] = s.find(kSignos[k]) != std::string::npos ? 1 : 0;
    p.NumSignos = static_cast<int16_t>(p.Signo[1] + p.Signo[2] + p.Signo[3]);
    p.AReducir = m < kPartidos && m <= static_cast<int>(aReducir.size()) && aReducir[m - 1] == 'R';
  }
  return r;
}

std::vector<std::string> ColumnasFuerzaBruta(const Reduccion& r, const fs::path& rutaDatos) {
  // Method 4's bounds have two decimals: in ten-thousandths they are whole hundreds.
  const auto diezMilesimas = [](float x) {
    return static_cast<int32_t>(std::llround(x * 100.0) * 100);
  };
  std::vector<std::string> columnas;
  ColumnasEnumeradas(r, diezMilesimas(r.MinPorcentaje), diezMilesimas(r.MaxPorcentaje),
                     [&](const std::string& c) { columnas.push_back(c); });
  if (r.Metodo == kMetodoManual && r.IncluyeExterno == 1) {
    // The external lines, when every one of them is a column; then everything grouped by
    // the 15th sign, each group in its previous order.
    std::ifstream f(rutaDatos / NombreArchivoExterno(r.Jornada, r.Orden), std::ios::binary);
    std::vector<std::string> externas;
    bool valido = static_cast<bool>(f);
    for (std::string linea; valido && std::getline(f, linea);) {
      if (!linea.empty() && linea.back() == '\r') linea.pop_back();
      if (!linea.empty() && linea[0] == '"') linea = linea.substr(1, linea.find('"', 1) - 1);
      linea = linea.substr(0, linea.find(','));
      std::replace(linea.begin(), linea.end(), 'x', 'X');
      valido = linea.size() == 15 && linea.find_first_not_of("1X2") == std::string::npos;
      externas.push_back(linea);
    }
    if (valido) columnas.insert(columnas.end(), externas.begin(), externas.end());
    std::stable_partition(columnas.begin(), columnas.end(),
                          [](const std::string& c) { return c[14] == '1'; });
    std::stable_partition(columnas.begin(), columnas.end(),
                          [](const std::string& c) { return c[14] != '2'; });
  }
  return columnas;
}

std::string Fichero(const std::vector<std::string>& columnas) {
  std::string s;
  for (const auto& c : columnas) s += "\"" + c + "\"\r\n";
  return s;
}

Corrida Reduce(const fs::path& rutaDatos, Reduccion& r,
               const std::function<void(const AvisoProgreso&, std::atomic<bool>&)>& alAviso) {
  Corrida c;
  const CargaExterno carga = CargaArchivoExterno(rutaDatos, r);
  const Cifras cifras = RecalculaReduccion(r, carga.externo);
  c.cifras = {cifras.ApuestasBase, cifras.NumApuestas, cifras.ApuestasQuiniela,
              cifras.ApuestasExternas};
  c.numApuestas = cifras.NumApuestas;
  std::atomic<bool> cancelar{false};
  c.res = ReduceApuestas(
      rutaDatos, r, c.cifras,
      [&](const AvisoProgreso& a) {
        c.avisos.push_back(a);
        if (alAviso) alAviso(a, cancelar);
      },
      cancelar);
  return c;
}

std::string Registro(const fs::path& rutaDatos, int jornada, int orden) {
  const BusquedaReduccion b = ExisteReduccion(rutaDatos, jornada, orden);
  return b.existe ? b.RegistroLeido : std::string();
}

int64_t CampoRegistro(const std::string& registro, std::size_t desde, std::size_t hasta) {
  return std::stoll(registro.substr(desde - 1, hasta - desde + 1));
}

}  // namespace zendo::prueba

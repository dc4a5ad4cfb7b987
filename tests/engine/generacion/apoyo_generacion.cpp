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
#include "engine/reduction/tablas_directas.h"

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

namespace {

std::string SignosDe(const DatosPartido& p) {
  std::string s;
  for (int k = 1; k <= 3; ++k) {
    if (p.Signo[k]) s += kSignos[k];
  }
  return s;
}

// Every combination of `signos` over the matches whose flag is set, match 1 fastest; the
// other matches keep the character of `plantilla`.
std::vector<std::string> Combinaciones(const std::array<std::string, 16>& signos,
                                       const std::array<bool, 16>& libre,
                                       const std::string& plantilla) {
  std::vector<std::string> todas;
  int64_t total = 1;
  for (int m = 1; m <= kPartidos; ++m) {
    if (libre[m]) total *= static_cast<int64_t>(signos[m].size());
  }
  for (int64_t n = 0; n < total; ++n) {
    std::string col = plantilla;
    int64_t resto = n;
    for (int m = 1; m <= kPartidos; ++m) {
      if (!libre[m]) continue;
      const auto base = static_cast<int64_t>(signos[m].size());
      col[m - 1] = signos[m][static_cast<std::size_t>(resto % base)];
      resto /= base;
    }
    todas.push_back(col);
  }
  return todas;
}

bool Acepta(const Reduccion& r, const std::string& col) {
  switch (r.Metodo) {
    case kMetodoColumnaProbable: {
      int errores = 0;
      for (int m = 1; m <= 14; ++m) {
        if (r.Partido[m].Probable != 0 && kSignos[r.Partido[m].Probable] != col[m - 1]) ++errores;
      }
      return r.MinErrores <= errores && errores <= r.MaxErrores;
    }
    case kMetodoSeleccionSignos: {
      int n[4] = {0, 0, 0, 0};
      for (int m = 1; m <= 14; ++m) {
        if (r.Partido[m].AReducir) ++n[col[m - 1] == '1' ? 1 : col[m - 1] == 'X' ? 2 : 3];
      }
      return r.TotalSignos[1][n[1]] && r.TotalSignos[2][n[2]] && r.TotalSignos[3][n[3]];
    }
    case kMetodoBalanceSignos: {
      // sum / 14 against bounds of two decimals, in exact integers.
      int suma = 0;
      for (int m = 1; m <= 14; ++m) {
        suma += r.Probabilidad[m][col[m - 1] == '1' ? 1 : col[m - 1] == 'X' ? 2 : 3];
      }
      const long long minimo = std::llround(r.MinPorcentaje * 100.0);
      const long long maximo = std::llround(r.MaxPorcentaje * 100.0);
      return 14 * minimo <= 100LL * suma && 100LL * suma <= 14 * maximo;
    }
    default:
      return true;
  }
}

}  // namespace

std::vector<std::string> ColumnasFuerzaBruta(const Reduccion& r, const fs::path& rutaDatos) {
  std::array<std::string, 16> signos;
  bool completa = true;
  for (int m = 1; m <= kPartidos; ++m) {
    signos[m] = SignosDe(r.Partido[m]);
    completa = completa && !signos[m].empty();
  }
  std::vector<std::string> columnas;
  if (completa && r.Metodo == kMetodoDirecto) {
    int t = 0, d = 0;
    for (int m = 1; m <= 14; ++m) {
      if (!r.Partido[m].AReducir) continue;
      t += signos[m].size() == 3;
      d += signos[m].size() == 2;
    }
    const TablaElegida tabla = EligeTablaDirecta(t, d);
    std::array<int, 16> fila{};
    int triple = 0, doble = 0;
    for (int m = 1; m <= 14; ++m) {
      if (!r.Partido[m].AReducir) continue;
      if (signos[m].size() == 3 && triple < tabla.DirTriples) {
        fila[m] = tabla.DirInicio + 1 + triple++;
      } else if (signos[m].size() == 2 && doble < tabla.DirDobles) {
        fila[m] = tabla.DirInicio + tabla.DirTriples + 1 + doble++;
      }
    }
    std::array<bool, 16> libre{};
    for (int m = 1; m <= kPartidos; ++m) libre[m] = fila[m] == 0;
    for (const std::string& pos : Combinaciones(signos, libre, std::string(15, '?'))) {
      for (int i = 0; i < std::max(tabla.DirColumnas, 1); ++i) {
        std::string col = pos;
        for (int m = 1; m <= 14; ++m) {
          if (fila[m]) col[m - 1] = signos[m][TablaDirecta(fila[m])[i] - '1'];
        }
        columnas.push_back(col);
      }
    }
  } else if (completa) {
    std::array<bool, 16> libre;
    libre.fill(true);
    for (const std::string& col : Combinaciones(signos, libre, std::string(15, '?'))) {
      if (Acepta(r, col)) columnas.push_back(col);
    }
  }
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

std::vector<std::string> Ficheros(const fs::path& carpeta) {
  std::vector<std::string> nombres;
  for (const auto& e : fs::directory_iterator(carpeta)) nombres.push_back(e.path().filename());
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}

}  // namespace zendo::prueba

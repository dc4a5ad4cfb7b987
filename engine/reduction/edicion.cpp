#include "engine/reduction/edicion.h"

#include <algorithm>
#include <cmath>

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

bool EsPartido(int m) {
  return m >= 1 && m <= kPartidos;
}
bool EsSigno(int s) {
  return s >= 1 && s <= 3;
}

int16_t CuentaSignos(const DatosPartido& p) {
  return static_cast<int16_t>((p.Signo[1] != 0) + (p.Signo[2] != 0) + (p.Signo[3] != 0));
}

Cambio Aceptado(uint32_t zonas, int partido = 0, std::vector<int> sonidos = {}) {
  Cambio c;
  c.aceptado = true;
  c.zonas = zonas;
  c.partido = partido;
  c.sonidos = std::move(sonidos);
  c.recalcular = true;
  return c;
}

// What else a change of the base or of the ticks redraws: the Columna probable panels and
// the error lists with method 2, the totals grid with method 3.
uint32_t PanelesDelMetodo(Reduccion& r) {
  if (r.Metodo == kMetodoColumnaProbable) {
    ReconstruyeListasErrores(r);
    return kZonaPanelesProbable | kZonaListasErrores | kZonaErrores;
  }
  if (r.Metodo == kMetodoSeleccionSignos) return kZonaSignos;
  return kZonaNinguna;
}

Cambio AceptaRango(Reduccion& r, float valor, bool esMinimo) {
  (esMinimo ? r.MinPorcentaje : r.MaxPorcentaje) = valor;
  const LimitesPorcentaje l = HallaLimitesPorcentaje(r);
  AjustaRangoPorcentaje(r, l.PorcMinimo, l.PorcMaximo);
  return Aceptado(kZonaRango);
}

}  // namespace

Cambio PulsaBase(Reduccion& r, int m, int s) {
  if (!EsPartido(m) || !EsSigno(s)) return {};
  auto& p = r.Partido[m];
  p.Signo[s] = p.Signo[s] != 0 ? 0 : 1;
  p.NumSignos = CuentaSignos(p);
  if (p.Signo[s] == 0 && p.Probable == s) p.Probable = 0;
  return Aceptado(kZonaBase | kZonaProbable | PanelesDelMetodo(r), m, {1});
}

Cambio PulsaElegir(Reduccion& r, int m) {
  // Match 15 is always developed in full.
  if (m < 1 || m > kPartidosPorcentaje || r.Partido[m].NumSignos <= 1) return {};
  auto& p = r.Partido[m];
  p.AReducir = !p.AReducir;
  if (!p.AReducir) p.Probable = 0;
  return Aceptado(kZonaElegir | kZonaProbable | PanelesDelMetodo(r), m, {1});
}

Cambio PulsaProbable(Reduccion& r, int m, int s) {
  if (!EsPartido(m) || !EsSigno(s)) return {};
  auto& p = r.Partido[m];
  if (p.Signo[s] != 1 || !p.AReducir) return {};
  p.Probable = static_cast<int16_t>(p.Probable == s ? 0 : s);
  const uint32_t paneles = r.Metodo == kMetodoColumnaProbable ? uint32_t{kZonaPanelesProbable} : 0u;
  return Aceptado(kZonaProbable | paneles, m, {1});
}

bool CeldaSignosSeleccionable(const Cifras& c, int s, int n) {
  return EsSigno(s) && n >= 0 && n <= 14 && n <= c.MaxSignos[s];
}

Cambio PulsaTotalSignos(Reduccion& r, const Cifras& c, int s, int n) {
  if (!CeldaSignosSeleccionable(c, s, n)) return {};
  auto& celda = r.TotalSignos[s][n];
  celda = static_cast<int16_t>(1 - celda);
  return Aceptado(kZonaSignos, 0, {6});
}

int16_t LeePorcentajeTecleado(std::string_view texto) {
  const double v = std::clamp(Val(texto), 0.0, 100.0);
  return static_cast<int16_t>(std::nearbyint(v));
}

std::string TextoPorcentaje(int16_t valor) {
  return Formato(valor, "##0");
}

Cambio FijaProbabilidad(Reduccion& r, int m, int s, int valor) {
  if (m < 1 || m > kPartidosPorcentaje || !EsSigno(s)) return {};
  valor = std::clamp(valor, 0, 100);
  auto& pct = r.Probabilidad[m];
  const int delta = valor - pct[s];
  if (delta != 0) {
    pct[s] = static_cast<int16_t>(valor);
    static constexpr int kPrimera[4] = {0, 2, 3, 2};
    static constexpr int kSegunda[4] = {0, 3, 1, 1};
    const int a = kPrimera[s], b = kSegunda[s];
    pct[a] = static_cast<int16_t>(pct[a] - delta);
    if (pct[a] < 0) {
      // A match whose three values did not add up to 100 cannot go below 0 either.
      pct[b] = static_cast<int16_t>(std::max(0, pct[b] + pct[a]));
      pct[a] = 0;
    }
  }
  return Aceptado(kZonaPorcentajes, m);
}

std::optional<std::pair<int, int>> SiguienteCeldaPorcentaje(int m, int s) {
  if (m < 1 || m > kPartidosPorcentaje || !EsSigno(s)) return std::nullopt;
  if (s < 3) return std::make_pair(m, s + 1);
  if (m < kPartidosPorcentaje) return std::make_pair(m + 1, 1);
  return std::nullopt;
}

Cambio EligeMetodo(Reduccion& r, int indice) {
  if (indice < 0 || indice > 4 || indice + 1 == r.Metodo) return {};
  r.Metodo = static_cast<int16_t>(indice + 1);
  Cambio c = Aceptado(kZonaRecarga);
  c.recalcular = false;  // the reload recomputes
  return c;
}

Cambio EligeMinErrores(Reduccion& r, int indice) {
  if (indice < 0 || indice > 14) return {};
  r.MinErrores = static_cast<int16_t>(indice);
  return Aceptado(kZonaErrores);
}

Cambio EligeMaxErrores(Reduccion& r, int indice) {
  if (indice < 0 || indice > 14) return {};
  r.MaxErrores = static_cast<int16_t>(indice);
  return Aceptado(kZonaErrores);
}

ListasErrores ReconstruyeListasErrores(Reduccion& r) {
  int multiples = 0;
  for (int m = 1; m <= kPartidos; ++m) multiples += r.Partido[m].AReducir ? 1 : 0;
  ListasErrores l;
  for (int i = 0; i <= multiples; ++i) l.elementos.push_back(FormatoTexto(i, "@@"));
  r.MinErrores = static_cast<int16_t>(std::clamp<int>(r.MinErrores, 0, multiples));
  r.MaxErrores = static_cast<int16_t>(std::clamp<int>(r.MaxErrores, 0, multiples));
  l.seleccionMin = r.MinErrores;
  l.seleccionMax = r.MaxErrores;
  return l;
}

float LeeRangoTecleado(std::string_view texto, float vacio) {
  if (texto.empty()) return vacio;
  std::string t = ImporteFijo(Val(texto), "##0.00");
  if (t.size() > 6) t.erase(0, t.size() - 6);
  return static_cast<float>(Val(t));
}

std::string TextoRango(float valor) {
  return ImporteFijo(valor, "##0.00", Precision::Simple);
}

Cambio AceptaRangoMin(Reduccion& r, std::string_view texto) {
  return AceptaRango(r, LeeRangoTecleado(texto, 0), true);
}

Cambio AceptaRangoMax(Reduccion& r, std::string_view texto) {
  return AceptaRango(r, LeeRangoTecleado(texto, 100), false);
}

Cambio CambiaDescripcion(Reduccion& r, std::string_view texto) {
  r.Descripcion = AjustaAncho(Recorta(texto), 35);
  Cambio c = Aceptado(kZonaDescripcion);
  c.recalcular = false;
  return c;
}

Cambio PulsaIncluirExterno(Reduccion& r) {
  r.IncluyeExterno = r.IncluyeExterno == 1 ? 0 : 1;
  return Aceptado(kZonaExterno, 0, {7});
}

Cambio SeleccionaTodo(Reduccion& r) {
  for (int m = 1; m <= kPartidos; ++m) {
    auto& p = r.Partido[m];
    p.Signo = {0, 1, 1, 1};
    p.NumSignos = 3;
    p.AReducir = m <= kPartidosPorcentaje;
    r.Probabilidad[m] = {0, 50, 30, 20};
  }
  r.MinPorcentaje = 20;
  r.MaxPorcentaje = 50;
  return Aceptado(kZonaTodo | kZonaRango | PanelesDelMetodo(r), 0, {6, 7});
}

Cambio BorraTodo(Reduccion& r) {
  for (int m = 1; m <= kPartidos; ++m) {
    r.Partido[m] = DatosPartido{};
    r.Probabilidad[m] = {0, 100, 0, 0};
  }
  for (auto& fila : r.TotalSignos) fila.fill(0);
  r.MinPorcentaje = 100;
  r.MaxPorcentaje = 100;
  return Aceptado(kZonaTodo | kZonaRango | PanelesDelMetodo(r));
}

}  // namespace zendo

#include "engine/consult/marcado.h"

#include <algorithm>

#include "engine/core/fichero.h"

namespace zendo {

namespace {

constexpr int64_t kRegistrosLote = 52428;  // about 1 MiB of records read at a time

ResultadoMarcado ErrorBoletos(int16_t error) {
  ResultadoMarcado r;
  r.error = error;
  r.mensaje = "FORBOL ERROR " + std::to_string(error);
  return r;
}

// Changes of one batch, applied to the counters only once the batch is written.
struct Cambios {
  int64_t marcadas = 0;
  int64_t desmarcadas = 0;
  std::array<int64_t, 15> porVariantes{};  // marked minus unmarked, by class

  void Marca(const char* registro, bool marcada) {
    const auto v = static_cast<std::size_t>(VariantesRegistro({registro, kLargoRegistroBoleto}));
    if (marcada) {
      ++marcadas;
      ++porVariantes[v];
    } else {
      ++desmarcadas;
      --porVariantes[v];
    }
  }
  void Aplica(EstadoMarcado& e, ResultadoMarcado& r) const {
    e.ColumnasMarcadas += marcadas - desmarcadas;
    for (std::size_t v = 0; v < porVariantes.size(); ++v)
      e.SinMarcarPorVariantes[v] -= porVariantes[v];
    r.cambiadas += marcadas + desmarcadas;
  }
  bool Vacios() const { return marcadas == 0 && desmarcadas == 0; }
};

bool EsColumna(const char* registro) {
  return !EsRegistroBlanco({registro, kLargoRegistroBoleto});
}

// One pass over the records in batches: `porRegistro(registro, cambios)` may change the mark
// byte of a record (and note it); it returns false to end the pass. A batch with changes is
// written back before the next one is read.
template <typename F>
ResultadoMarcado Recorre(const std::filesystem::path& ruta, EstadoMarcado& e, F&& porRegistro) {
  FicheroBoletos f = AbreFicheroBoletos(ruta, true);
  if (f.error() != kSinError) return ErrorBoletos(f.error());
  ResultadoMarcado res;
  std::string lote;
  bool sigue = true;
  for (int64_t primero = 1; sigue && primero <= f.registros(); primero += kRegistrosLote) {
    const int64_t n = std::min(kRegistrosLote, f.registros() - primero + 1);
    int16_t err = f.Lee(primero, n, lote);
    Cambios cambios;
    for (std::size_t p = 0; err == kSinError && sigue && p < lote.size();
         p += kLargoRegistroBoleto) {
      sigue = porRegistro(lote.data() + p, cambios);
    }
    if (err == kSinError && !cambios.Vacios()) err = f.Escribe(primero, lote);
    if (err != kSinError) {
      // The batches written before stay marked, and counted.
      ResultadoMarcado r = ErrorBoletos(err);
      r.cambiadas = res.cambiadas;
      return r;
    }
    cambios.Aplica(e, res);
  }
  return res;
}

}  // namespace

EstadoMarcado EstadoMarcado::De(const ResumenBoletos& resumen) {
  EstadoMarcado e;
  e.LineasTrabajo = resumen.LineasTrabajo;
  e.columnas = resumen.columnas;
  e.ColumnasMarcadas = resumen.ColumnasMarcadas;
  e.SinMarcarPorVariantes = resumen.SinMarcarPorVariantes;
  return e;
}

ResultadoMarcado MarcaPorVariantes(const std::filesystem::path& ficheroBoletos,
                                   const std::array<bool, 15>& variantes, EstadoMarcado& e) {
  if (std::none_of(variantes.begin(), variantes.end(), [](bool b) { return b; })) return {};
  return Recorre(ficheroBoletos, e, [&](char* r, Cambios& c) {
    if (r[16] == '0' && EsColumna(r) &&
        variantes[static_cast<std::size_t>(VariantesRegistro({r, kLargoRegistroBoleto}))]) {
      r[16] = '1';
      c.Marca(r, true);
    }
    return true;
  });
}

ResultadoMarcado MarcaAlAzar(const std::filesystem::path& ficheroBoletos, int64_t n,
                             GeneradorAzar& azar, EstadoMarcado& e) {
  // Each unmarked column is taken with probability (still to mark) / (still to see), which
  // yields exactly n of them, every set of n alike.
  int64_t porVer = e.SinMarcar();
  int64_t porMarcar = std::min(n, porVer);
  if (porMarcar <= 0) return {};
  return Recorre(ficheroBoletos, e, [&](char* r, Cambios& c) {
    if (r[16] != '0' || !EsColumna(r)) return true;
    if (porVer <= porMarcar ||
        azar.Siguiente() * static_cast<double>(porVer) < static_cast<double>(porMarcar)) {
      r[16] = '1';
      c.Marca(r, true);
      --porMarcar;
    }
    --porVer;
    return porMarcar > 0;
  });
}

ResultadoMarcado CambiaMarca(const std::filesystem::path& ficheroBoletos, int64_t registro,
                             EstadoMarcado& e) {
  FicheroBoletos f = AbreFicheroBoletos(ficheroBoletos, true);
  if (f.error() != kSinError) return ErrorBoletos(f.error());
  if (registro < 1 || registro > f.registros()) return {};
  std::string r;
  if (const int16_t err = f.Lee(registro, 1, r); err != kSinError) return ErrorBoletos(err);
  if (!EsColumna(r.data()) || (r[16] != '0' && r[16] != '1')) return {};
  const bool marcar = r[16] == '0';
  r[16] = marcar ? '1' : '0';
  if (const int16_t err = f.Escribe(registro, r); err != kSinError) return ErrorBoletos(err);
  Cambios c;
  c.Marca(r.data(), marcar);
  ResultadoMarcado res;
  c.Aplica(e, res);
  return res;
}

ResultadoMarcado MarcaNumeros(const std::filesystem::path& ficheroBoletos,
                              std::vector<int64_t> numeros, EstadoMarcado& e) {
  std::sort(numeros.begin(), numeros.end());
  numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
  if (numeros.empty()) return {};
  if (numeros.front() < 1 || numeros.back() > e.columnas) {
    ResultadoMarcado r;
    r.error = kErrFinFichero;
    return r;
  }
  std::size_t siguiente = 0;
  int64_t columna = 0;
  return Recorre(ficheroBoletos, e, [&](char* r, Cambios& c) {
    if (!EsColumna(r)) return true;
    if (++columna == numeros[siguiente]) {
      if (r[16] == '0') {
        r[16] = '1';
        c.Marca(r, true);
      }
      ++siguiente;
    }
    return siguiente < numeros.size();
  });
}

TotalesMarcado TotalesPorVariantes(const EstadoMarcado& e, const std::array<bool, 15>& variantes) {
  TotalesMarcado t;
  for (std::size_t v = 0; v < variantes.size(); ++v) {
    (variantes[v] ? t.marcar : t.quedan) += e.SinMarcarPorVariantes[v];
  }
  return t;
}

TotalesMarcado TotalesPorPorcentaje(int64_t numApuestas, int64_t columnasMarcadas, int porcentaje) {
  const int64_t sinMarcar = std::max<int64_t>(0, numApuestas - columnasMarcadas);
  const int64_t producto = sinMarcar * std::clamp(porcentaje, 0, 100);
  int64_t marcar = producto / 100;
  const int64_t resto = producto % 100;
  if (resto > 50 || (resto == 50 && marcar % 2 == 1)) ++marcar;
  return {sinMarcar - marcar, marcar};
}

}  // namespace zendo

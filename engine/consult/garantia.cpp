#include "engine/consult/garantia.h"

#include <algorithm>

#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/lector_lineas.h"
#include "engine/core/texto.h"

namespace zendo {

namespace {

// Weights of method 4 are products of up to 14 percentages: exact in 128 bits.
__extension__ typedef unsigned __int128 u128;

constexpr int kEjes = kMaxAciertos;
constexpr uint32_t kTodos = (1u << kEjes) - 1;
constexpr uint8_t kInfinito = 0x3F;  // no source yet; any real distance is at most 14

// The code of a sign in a match adds up over the 14 matches without carries: the index of
// the sign combination (base 3, match 1 lowest) in bits 0..22, one bit per match whose sign
// is in the base from bit 32, and a count of characters that are no sign from bit 48.
constexpr int kBitBase = 32;
constexpr int kBitMalo = 48;
constexpr uint64_t kMalo = uint64_t{1} << kBitMalo;

constexpr int64_t kPotencia3[kEjes + 1] = {
    1, 3, 9, 27, 81, 243, 729, 2187, 6561, 19683, 59049, 177147, 531441, 1594323, 4782969};

// Lines between two looks at the cancel flag while reading.
constexpr int64_t kLineasEntreAvisos = 1 << 16;

// num / den rounded half up to millionths (num <= den, so no product overflows).
int64_t Millonesimas(u128 num, u128 den) {
  if (den == 0) return 0;
  int64_t r = static_cast<int64_t>(num / den);
  u128 resto = num % den;
  for (int i = 0; i < 6; ++i) {
    resto *= 10;
    r = r * 10 + static_cast<int64_t>(resto / den);
    resto %= den;
  }
  return 2 * resto >= den ? r + 1 : r;
}

// The grid of one run: per match the base signs, then one value for every sign outside the
// base when a stored column has one there (all of them are one miss from every winning
// column, so one value stands for them all).
struct Rejilla {
  std::array<int, kEjes> valores{};
  std::array<int64_t, kEjes> paso{};
  int64_t celdas = 1;
  std::vector<uint8_t> distancia;
};

// The index of a sign combination splits into matches 1..7 and 8..14; each half maps to
// its part of the cell through a table.
constexpr int64_t kMitad = 2187;  // 3^7

void Siembra(Rejilla& g, const std::vector<uint64_t>& vistas,
             const std::array<std::array<int, 3>, kEjes>& valor) {
  std::array<std::array<int64_t, kMitad>, 2> parte{};
  for (int mitad = 0; mitad < 2; ++mitad) {
    for (int64_t c = 0; c < kMitad; ++c) {
      int64_t celda = 0;
      int64_t resto = c;
      for (int i = 0; i < 7; ++i, resto /= 3) {
        const auto m = static_cast<std::size_t>(7 * mitad + i);
        celda += valor[m][static_cast<std::size_t>(resto % 3)] * g.paso[m];
      }
      parte[static_cast<std::size_t>(mitad)][static_cast<std::size_t>(c)] = celda;
    }
  }
  g.distancia.assign(static_cast<std::size_t>(g.celdas), kInfinito);
  for (std::size_t w = 0; w < vistas.size(); ++w) {
    for (uint64_t bits = vistas[w]; bits != 0; bits &= bits - 1) {
      const auto c = static_cast<int64_t>(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
      g.distancia[static_cast<std::size_t>(parte[0][static_cast<std::size_t>(c % kMitad)] +
                                           parte[1][static_cast<std::size_t>(c / kMitad)])] = 0;
    }
  }
}

// One match of the transform: along its axis a cell keeps its distance or takes the
// nearest other value's plus one.
void TransformaEje(Rejilla& g, int m) {
  const auto mm = static_cast<std::size_t>(m);
  const int64_t s = g.paso[mm];
  const int64_t bloque = s * g.valores[mm];
  uint8_t* d = g.distancia.data();
  switch (g.valores[mm]) {
    case 2:
      for (int64_t b = 0; b < g.celdas; b += bloque) {
        uint8_t* p = d + b;
        uint8_t* q = p + s;
        for (int64_t j = 0; j < s; ++j) {
          const uint8_t x = p[j], y = q[j];
          p[j] = std::min<uint8_t>(x, static_cast<uint8_t>(y + 1));
          q[j] = std::min<uint8_t>(y, static_cast<uint8_t>(x + 1));
        }
      }
      break;
    case 3:
      for (int64_t b = 0; b < g.celdas; b += bloque) {
        uint8_t* p = d + b;
        uint8_t* q = p + s;
        uint8_t* r = q + s;
        for (int64_t j = 0; j < s; ++j) {
          const uint8_t x = p[j], y = q[j], z = r[j];
          p[j] = std::min<uint8_t>(x, static_cast<uint8_t>(std::min(y, z) + 1));
          q[j] = std::min<uint8_t>(y, static_cast<uint8_t>(std::min(x, z) + 1));
          r[j] = std::min<uint8_t>(z, static_cast<uint8_t>(std::min(x, y) + 1));
        }
      }
      break;
    default:
      break;  // a single value: nothing to spread
  }
}

struct Recuento {
  std::array<int64_t, kInfinito + 1> porDistancia{};
  std::array<u128, kInfinito + 1> pesoPorDistancia{};
};

// Visits the winning columns (every axis at a base value).
template <bool Ponderada>
void Cuenta(const Rejilla& g, const std::array<int, kEjes>& base,
            const std::array<std::array<int64_t, 3>, kEjes>& peso, int m, int64_t celda, u128 w,
            Recuento& r) {
  if (m == 0) {
    const uint8_t* d = g.distancia.data() + celda;
    for (int v = 0; v < base[0]; ++v) {
      ++r.porDistancia[d[v]];
      if constexpr (Ponderada) r.pesoPorDistancia[d[v]] += w * static_cast<u128>(peso[0][v]);
    }
    return;
  }
  const auto mm = static_cast<std::size_t>(m);
  for (int v = 0; v < base[mm]; ++v) {
    u128 wv = w;
    if constexpr (Ponderada) wv = w * static_cast<u128>(peso[mm][static_cast<std::size_t>(v)]);
    Cuenta<Ponderada>(g, base, peso, m - 1, celda + v * g.paso[mm], wv, r);
  }
}

}  // namespace

CalculoGarantia::CalculoGarantia(const Reduccion& r)
    : vistas_(static_cast<std::size_t>((kPotencia3[kEjes] + 63) / 64), 0),
      porConjunto_(std::size_t{1} << kEjes, 0) {
  ponderada_ = r.Metodo == kMetodoBalanceSignos;
  for (int m = 0; m < kEjes; ++m) {
    const auto mm = static_cast<std::size_t>(m);
    const DatosPartido& p = r.Partido[mm + 1];
    auto& t = tabla_[mm];
    t.fill(kMalo);
    int64_t total = 0;
    for (int s = 1; s <= 3; ++s) {
      const bool enBase = p.Signo[static_cast<std::size_t>(s)] != 0;
      const int digito = s - 1;
      const uint64_t codigo = static_cast<uint64_t>(digito * kPotencia3[m]) |
                              (enBase ? uint64_t{1} << (kBitBase + m) : 0);
      t[static_cast<unsigned char>(kSignos[s])] = codigo;
      if (s == 2) t['x'] = codigo;
      if (enBase) {
        const int v = numSignos_[mm]++;
        signosBase_[mm][static_cast<std::size_t>(v)] = digito;
        peso_[mm][static_cast<std::size_t>(v)] =
            std::clamp<int64_t>(r.Probabilidad[mm + 1][static_cast<std::size_t>(s)], 0, 100);
        total += peso_[mm][static_cast<std::size_t>(v)];
      }
    }
    if (total == 0) {
      // No percentage on any base sign: the signs are taken as equally likely.
      for (int v = 0; v < numSignos_[mm]; ++v) peso_[mm][static_cast<std::size_t>(v)] = 1;
      total = numSignos_[mm];
    }
    pesoTotal_[mm] = total;
  }
}

bool CalculoGarantia::Anade(std::string_view signos) {
  if (signos.size() < static_cast<std::size_t>(kEjes)) return false;
  uint64_t codigo = 0;
  for (std::size_t m = 0; m < static_cast<std::size_t>(kEjes); ++m) {
    codigo += tabla_[m][static_cast<unsigned char>(signos[m])];
  }
  if (codigo >= kMalo) return false;
  const uint64_t combinacion = codigo & 0xFFFFFFFFu;
  vistas_[combinacion >> 6] |= uint64_t{1} << (combinacion & 63);
  const auto conjunto = static_cast<uint32_t>(codigo >> kBitBase) & kTodos;
  ++porConjunto_[conjunto];
  fuera_ |= conjunto ^ kTodos;
  ++columnas_;
  return true;
}

bool CalculoGarantia::Termina(Garantia& g, const ProgresoGarantia& progreso,
                              const std::atomic<bool>& cancelar) {
  g = Garantia{};
  g.columnas = columnas_;
  g.ponderada = ponderada_;
  g.ganadoras = 1;
  for (int n : numSignos_) g.ganadoras *= n;

  // Pairs: a stored column hits match m in one of its n base signs when its own sign is one
  // of them (n - 1 + x), and never otherwise (n); the product over the matches counts the
  // winning columns by hits. It depends only on the set of matches the column can hit.
  for (uint32_t conjunto = 0; conjunto <= kTodos; ++conjunto) {
    const int64_t veces = porConjunto_[conjunto];
    if (veces == 0) continue;
    std::array<int64_t, kMaxAciertos + 1> poli{};
    poli[0] = 1;
    for (int m = 0; m < kEjes; ++m) {
      const int64_t n = numSignos_[static_cast<std::size_t>(m)];
      if ((conjunto >> m) & 1) {
        for (int k = m + 1; k >= 1; --k) poli[k] = poli[k] * (n - 1) + poli[k - 1];
        poli[0] *= n - 1;
      } else {
        for (auto& c : poli) c *= n;
      }
    }
    for (int k = 0; k <= kMaxAciertos; ++k) g.aciertos[k] += poli[k] * veces;
  }

  if (g.ganadoras == 0 || columnas_ == 0) {
    if (progreso) progreso(100);
    return !cancelar.load();
  }

  Rejilla rej;
  std::array<std::array<int, 3>, kEjes> valor{};  // sign digit -> value of the axis
  for (int m = 0; m < kEjes; ++m) {
    const auto mm = static_cast<std::size_t>(m);
    const int n = numSignos_[mm];
    valor[mm].fill(n);  // outside the base
    for (int v = 0; v < n; ++v) {
      valor[mm][static_cast<std::size_t>(signosBase_[mm][static_cast<std::size_t>(v)])] = v;
    }
    rej.valores[mm] = n + static_cast<int>((fuera_ >> m) & 1);
    rej.paso[mm] = rej.celdas;
    rej.celdas *= rej.valores[mm];
  }
  Siembra(rej, vistas_, valor);
  for (int m = 0; m < kEjes; ++m) {
    if (cancelar.load(std::memory_order_relaxed)) return false;
    TransformaEje(rej, m);
    if (progreso) progreso((m + 1) * 90 / kEjes);
  }
  if (cancelar.load()) return false;

  Recuento cuenta;
  if (ponderada_) {
    Cuenta<true>(rej, numSignos_, peso_, kEjes - 1, 0, 1, cuenta);
  } else {
    Cuenta<false>(rej, numSignos_, peso_, kEjes - 1, 0, 1, cuenta);
  }
  for (int d = 0; d <= kMaxAciertos; ++d) {
    g.mejor[kMaxAciertos - d] = cuenta.porDistancia[static_cast<std::size_t>(d)];
  }
  for (int k = 0; k <= kMaxAciertos; ++k) {
    if (g.mejor[k] > 0) {
      g.garantia = k;
      break;
    }
  }
  if (ponderada_) {
    u128 total = 1;
    for (int64_t t : pesoTotal_) total *= static_cast<u128>(t);
    u128 alMenos = 0;
    for (int d = 0; d <= kMaxAciertos; ++d) {
      const u128 num = cuenta.pesoPorDistancia[static_cast<std::size_t>(d)];
      const int k = kMaxAciertos - d;
      alMenos += num;
      g.millonesimas[k] = Millonesimas(num, total);
      g.millonesimasAlMenos[k] = Millonesimas(alMenos, total);
      g.probabilidad[k] =
          static_cast<double>(static_cast<long double>(num) / static_cast<long double>(total));
    }
  }
  if (progreso) progreso(100);
  return true;
}

ResultadoGarantia CalculaGarantia(const std::filesystem::path& rutaDatos, const Reduccion& r,
                                  const ProgresoGarantia& progreso,
                                  const std::atomic<bool>& cancelar) {
  ResultadoGarantia res;
  const std::string nombre = NombreReduccion(r.Jornada, r.Orden);
  LectorLineas lector(rutaDatos / nombre);
  if (lector.error() != kSinError) {
    res.error = lector.error();
    res.mensaje = res.error == kErrNoEncontrado
                      ? Cp("No se encuentra el fichero ") + nombre + Cp(" de la reducción.")
                      : "RED ERROR " + std::to_string(res.error);
    if (res.error != kErrNoEncontrado) res.fallo = {res.error, nombre, OperacionFichero::Leer};
    return res;
  }
  CalculoGarantia calculo(r);
  // Reading is most of the work; the transform takes the last fifth.
  constexpr int kLectura = 80;
  int64_t numeroLinea = 0;
  int ultimo = -1;
  std::string_view linea;
  while (lector.Siguiente(linea)) {
    ++numeroLinea;
    const std::string_view signos =
        linea.size() == 17 && linea.front() == '"' && linea.back() == '"' ? linea.substr(1, 15)
                                                                          : ColumnaDeLinea(linea);
    if (signos.find_first_not_of(' ') == std::string_view::npos) continue;  // no column here
    if (!calculo.Anade(signos)) {
      res.mensaje = Cp("El fichero ") + nombre + Cp(" está dañado: la línea ") +
                    std::to_string(numeroLinea) + Cp(" no es una columna.");
      return res;
    }
    if (numeroLinea % kLineasEntreAvisos == 0) {
      if (cancelar.load(std::memory_order_relaxed)) {
        res.estado = EstadoGarantia::Cancelada;
        return res;
      }
      const int p = lector.tamano() == 0
                        ? 0
                        : static_cast<int>(lector.consumidos() * kLectura / lector.tamano());
      if (progreso && p != ultimo) progreso(ultimo = p);
    }
  }
  if (lector.error() != kSinError) {
    res.error = lector.error();
    res.mensaje = "RED ERROR " + std::to_string(res.error);
    res.fallo = {res.error, nombre, OperacionFichero::Leer};
    return res;
  }
  if (progreso) progreso(kLectura);
  const bool hecha = calculo.Termina(
      res.garantia,
      [&](int p) {
        if (progreso) progreso(kLectura + p * (100 - kLectura) / 100);
      },
      cancelar);
  res.estado = hecha ? EstadoGarantia::Calculada : EstadoGarantia::Cancelada;
  return res;
}

}  // namespace zendo

#include "engine/scrutiny/escrutinio.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/consult/boletos.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/core/lector_lineas.h"

namespace zendo {
namespace {

constexpr std::size_t kBloque = 1 << 20;
// The line the reduction writes: quote, 15 signs, quote, CR LF.
constexpr std::size_t kLargoLinea = 19;
// Of a line longer than the whole block only its start can hold a column.
constexpr std::size_t kPrefijoLineaLarga = 256;

// Walks the columns in file order: every column goes to the totals, and a prize column (10
// hits or more, few of them) also to its boleto; when the next boleto starts, the boleto is
// listed if it won anything. HallaBoleto is asked once per run of columns on the same
// boleto, not once per column.
class Contador {
 public:
  Contador(const Reduccion& r, ResultadoEscrutinio& res) : r_(r), res_(res) {}

  // False when the column number no longer fits the numbering of boletos.
  bool Columna(int h) {
    ++n_;
    if (n_ > finRango_ && !NuevoRango()) return false;
    ++total_[static_cast<std::size_t>(h)];
    if (h >= 10) [[unlikely]] {
      ++premios_[static_cast<std::size_t>(h - 10)];
      conPremio_ = true;
    }
    return true;
  }

  void Termina() {
    Anota();
    res_.columnas = n_;
    for (std::size_t h = 0; h < 16; ++h) res_.AciertosTotal[h] += total_[h];
    // A column of 15 is also one of the 14s.
    res_.AciertosTotal[14] += res_.AciertosTotal[15];
  }

 private:
  bool NuevoRango() {
    if (n_ > std::numeric_limits<int32_t>::max()) return false;
    const int32_t b = HallaBoleto(r_, static_cast<int32_t>(n_)).boleto;
    finRango_ = UltimaColumnaDelBoleto(r_, n_);
    if (b != actual_) {
      Anota();
      actual_ = b;
    }
    return true;
  }

  void Anota() {
    if (!conPremio_) return;
    BoletoPremiado b;
    b.boleto = actual_;
    for (std::size_t k = 1; k <= 6; ++k) b.aciertos[k] = premios_[6 - k];
    res_.boletos.Anade(b);
    premios_ = {};
    conPremio_ = false;
  }

  const Reduccion& r_;
  ResultadoEscrutinio& res_;
  int64_t n_ = 0;
  int64_t finRango_ = 0;
  int32_t actual_ = 1;
  std::array<int64_t, 16> total_{};
  std::array<int64_t, 6> premios_{};  // [h - 10] the prize columns of the current boleto
  bool conPremio_ = false;
};

// One column of a line in any other form: the text between its quotes (or the line up to a
// comma), as the columns file is read everywhere. A blank line holds no column.
bool LineaGeneral(std::string_view linea, std::string_view ganadora, Contador& c) {
  if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
  const std::string_view columna = ColumnaDeLinea(linea);
  if (columna.find_first_not_of(' ') == std::string_view::npos) return true;
  return c.Columna(AciertosColumna(columna, ganadora));
}

#if defined(__SSE2__)
class LineaRapida {
 public:
  explicit LineaRapida(std::string_view ganadora) {
    alignas(16) char g[16] = {};
    std::memcpy(g, ganadora.data(), std::min<std::size_t>(ganadora.size(), 15));
    ganadora_ = _mm_load_si128(reinterpret_cast<const __m128i*>(g));
  }
  // The hits of a line of exactly the reduction's form; -1 for anything else (a quote or a
  // line end among the signs, a blank column), which the general reading then takes.
  int operator()(const char* p) const {
    if (p[0] != '"' || p[17] != '\r' || p[18] != '\n') return -1;
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const int cortes = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')),
                                                      _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
    const int blancos = _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
    if (cortes != 0x8000 || (blancos & 0x7FFF) == 0x7FFF) return -1;
    // The right signs of matches 1 to 14 added up; a 15 when match 15 is right too.
    const __m128i iguales = _mm_cmpeq_epi8(v, ganadora_);
    const __m128i unos =
        _mm_and_si128(iguales, _mm_setr_epi8(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0));
    const __m128i sumas = _mm_sad_epu8(unos, _mm_setzero_si128());
    const int h = _mm_cvtsi128_si32(sumas) + _mm_extract_epi16(sumas, 4);
    return h + ((_mm_movemask_epi8(iguales) & 0x7FFF) == 0x7FFF ? 1 : 0);
  }

 private:
  __m128i ganadora_;
};
#else
// Without SSE2 every line takes the general reading.
class LineaRapida {
 public:
  explicit LineaRapida(std::string_view) {}
  int operator()(const char*) const { return -1; }
};
#endif

// Counts the whole lines of [p, fin); returns where the unfinished last line starts, or
// nullptr when the numbering of boletos overflowed.
const char* RecorreBloque(const char* p, const char* fin, const LineaRapida& rapida,
                          std::string_view ganadora, Contador& c) {
  while (static_cast<std::size_t>(fin - p) >= kLargoLinea) {
    if (const int h = rapida(p); h >= 0) {
      if (!c.Columna(h)) return nullptr;
      p += kLargoLinea;
      continue;
    }
    const auto* nl =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(fin - p)));
    if (nl == nullptr) return p;
    if (!LineaGeneral(std::string_view(p, static_cast<std::size_t>(nl - p)), ganadora, c)) {
      return nullptr;
    }
    p = nl + 1;
  }
  while (p < fin) {
    const auto* nl =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(fin - p)));
    if (nl == nullptr) break;
    if (!LineaGeneral(std::string_view(p, static_cast<std::size_t>(nl - p)), ganadora, c)) {
      return nullptr;
    }
    p = nl + 1;
  }
  return p;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

 private:
  int fd_;
};

}  // namespace

BoletoPremiado ListaBoletos::operator[](std::size_t i) const {
  const Compacto& c = compactos_[i];
  if (c.aciertos[0] == kGrande) {
    const auto it = std::lower_bound(
        grandes_.begin(), grandes_.end(), i,
        [](const std::pair<std::size_t, BoletoPremiado>& g, std::size_t x) { return g.first < x; });
    if (it != grandes_.end() && it->first == i) return it->second;
  }
  BoletoPremiado b;
  b.boleto = c.boleto;
  for (std::size_t k = 1; k <= 6; ++k) b.aciertos[k] = c.aciertos[k - 1];
  return b;
}

void ListaBoletos::Anade(const BoletoPremiado& b) {
  Compacto c;
  c.boleto = b.boleto;
  bool grande = false;
  for (std::size_t k = 1; k <= 6; ++k) {
    grande = grande || b.aciertos[k] < 0 || b.aciertos[k] >= kGrande;
    c.aciertos[k - 1] = static_cast<uint8_t>(std::clamp<int64_t>(b.aciertos[k], 0, kGrande - 1));
  }
  if (grande) {
    c.aciertos[0] = kGrande;
    grandes_.emplace_back(compactos_.size(), b);
  }
  compactos_.push_back(c);
}

void ListaBoletos::clear() {
  compactos_.clear();
  grandes_.clear();
}

Centimos ResultadoEscrutinio::Importe(int h) const {
  if (h < 10 || h > 15) return 0;
  return AciertosTotal[static_cast<std::size_t>(h)] * premios[static_cast<std::size_t>(16 - h)];
}

Centimos ResultadoEscrutinio::Total() const {
  Centimos total = 0;
  for (int h = 10; h <= 15; ++h) total += Importe(h);
  return total;
}

int AciertosColumna(std::string_view columna, std::string_view ganadora) {
  const std::size_t n = std::min({columna.size(), ganadora.size(), std::size_t{14}});
  int h = 0;
  for (std::size_t m = 0; m < n; ++m) h += columna[m] == ganadora[m] ? 1 : 0;
  if (h == 14 && columna.size() > 14 && ganadora.size() > 14 && columna[14] == ganadora[14]) {
    h = 15;
  }
  return h;
}

ResultadoEscrutinio Escruta(const std::filesystem::path& rutaDatos, const Reduccion& r,
                            std::string_view columnaGanadora, const PremiosCentimos& premios,
                            const ProgresoEscrutinio& progreso, const std::atomic<bool>& cancelar) {
  ResultadoEscrutinio res;
  res.ColumnaGanadora = std::string(columnaGanadora);
  res.premios = premios;
  const std::string fichero = NombreReduccion(r.Jornada, r.Orden);
  int fd = -1;
  uint64_t tamano = 0;
  if (const int16_t error = AbreLecturaRegular(rutaDatos / fichero, fd, tamano);
      error != kSinError) {
    res.fallo = {error, fichero, false};
    return res;
  }
  const Descriptor cierre(fd);

  auto falla = [&](int16_t error) {
    ResultadoEscrutinio vacio;
    vacio.ColumnaGanadora = res.ColumnaGanadora;
    vacio.premios = premios;
    vacio.fallo = {error, fichero, false};
    return vacio;
  };

  std::vector<char> bloque(kBloque);
  char* const buf = bloque.data();
  const LineaRapida rapida(columnaGanadora);
  Contador contador(r, res);
  std::size_t arrastre = 0;  // bytes of an unfinished line kept at the front
  uint64_t leidos = 0;
  std::string lineaLarga;  // the start of a line longer than the block
  bool saltando = false;   // skipping the rest of that line
  for (bool fin = false; !fin;) {
    ssize_t n = 0;
    do {
      n = ::read(fd, buf + arrastre, kBloque - arrastre);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return falla(ErrorDesdeErrno(errno));
    fin = n == 0;
    leidos += static_cast<uint64_t>(n);
    const char* p = buf;
    const char* const finDatos = buf + arrastre + n;
    if (saltando) {
      const auto* nl =
          static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(finDatos - p)));
      if (nl != nullptr || fin) {
        saltando = false;
        if (!LineaGeneral(lineaLarga, columnaGanadora, contador)) return falla(kErrDesbordamiento);
      }
      p = nl != nullptr ? nl + 1 : finDatos;
    }
    if (!saltando) {
      p = RecorreBloque(p, finDatos, rapida, columnaGanadora, contador);
      if (p == nullptr) return falla(kErrDesbordamiento);
      if (fin && p < finDatos) {
        // The last line, without its end.
        if (!LineaGeneral(std::string_view(p, static_cast<std::size_t>(finDatos - p)),
                          columnaGanadora, contador)) {
          return falla(kErrDesbordamiento);
        }
        p = finDatos;
      }
    }
    arrastre = static_cast<std::size_t>(finDatos - p);
    if (arrastre == kBloque) {
      // One line fills the whole block: keep its start and skip to its end.
      lineaLarga.assign(p, kPrefijoLineaLarga);
      saltando = true;
      arrastre = 0;
    } else if (arrastre > 0) {
      std::memmove(buf, p, arrastre);
    }
    if (progreso) progreso(leidos, tamano);
    if (cancelar.load(std::memory_order_relaxed)) {
      ResultadoEscrutinio vacio;
      vacio.ColumnaGanadora = res.ColumnaGanadora;
      vacio.premios = premios;
      vacio.cancelado = true;
      return vacio;
    }
  }
  contador.Termina();
  res.completo = true;
  return res;
}

std::vector<std::string> LineasAciertos(const ResultadoEscrutinio& res) {
  std::vector<std::string> lineas;
  lineas.reserve(17);
  lineas.push_back(" Suma total:" + CampoImporte(res.Total()));
  for (int h = 15; h >= 0; --h) {
    const int64_t columnas = res.AciertosTotal[static_cast<std::size_t>(h)];
    std::string linea = "  " + FormatoTexto(std::to_string(h), "@@") + " " +
                        FormatoTexto(std::to_string(columnas), "@@@@@@") + " ";
    linea += h >= 10 && columnas >= 1 ? CampoImporte(res.Importe(h)) : std::string(" ");
    lineas.push_back(std::move(linea));
  }
  return lineas;
}

std::string LineaBoleto(const BoletoPremiado& b) {
  std::string linea = FormatoTexto(std::to_string(b.boleto), "@@@@@@") + "  ";
  for (std::size_t k = 1; k <= 6; ++k) {
    linea += "  ";
    linea += b.aciertos[k] == 0 ? std::string(" ") : std::to_string(b.aciertos[k]);
  }
  return linea;
}

PremiosCentimos CentimosDePremios(const std::array<std::string, 7>& textos) {
  PremiosCentimos c{};
  for (std::size_t k = 1; k <= 6; ++k) c[k] = CentimosDeImporte(NormalizaImporte(textos[k]));
  return c;
}

}  // namespace zendo

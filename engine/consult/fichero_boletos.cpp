#include "engine/consult/fichero_boletos.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/lector_lineas.h"

namespace zendo {

namespace {

constexpr std::size_t kLoteBytes = 1 << 20;  // records handed over at a time

// The 15 signs of a columns-file line: the fast path for the line the generation writes.
std::string_view SignosDeLinea(std::string_view linea) {
  // A quote among the signs ends the column early, as the scrutiny reads it.
  if (linea.size() == 17 && linea.front() == '"' && linea.back() == '"' &&
      std::memchr(linea.data() + 1, '"', 15) == nullptr) {
    return linea.substr(1, 15);
  }
  return ColumnaDeLinea(linea);
}

void PonRegistroColumna(char* r, std::string_view signos) {
  r[0] = '"';
  if (signos.size() >= 15) {
    std::memcpy(r + 1, signos.data(), 15);
  } else {
    std::memcpy(r + 1, signos.data(), signos.size());
    std::memset(r + 1 + signos.size(), ' ', 15 - signos.size());
  }
  r[16] = '0';
  r[17] = '"';
  r[18] = '\r';
  r[19] = '\n';
}

// The line the generation writes: a quote, 15 signs, a quote, CR LF.
constexpr std::ptrdiff_t kLargoLineaComun = 19;

// Bytes of a word that are not zero: a flag in the low bit of each such byte, the flags
// summed into the top byte by one multiplication.
int BytesNoNulos(uint64_t x) {
  constexpr uint64_t kBajos = 0x7F7F7F7F7F7F7F7FULL;
  constexpr uint64_t kUnos = 0x0101010101010101ULL;
  const uint64_t banderas = (((((x & kBajos) + kBajos) | x) & ~kBajos) >> 7);
  return static_cast<int>((banderas * kUnos) >> 56);
}

// Signs other than "1" among the first 14, a word at a time.
int CuentaVariantes(const char* signos) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t kUnos = 0x3131313131313131ULL;  // "11111111"
    uint64_t a = 0;
    uint64_t b = 0;
    std::memcpy(&a, signos, 8);
    std::memcpy(&b, signos + 6, 8);
    // The second word repeats bytes 6 and 7: shifted out.
    return BytesNoNulos(a ^ kUnos) + BytesNoNulos((b ^ kUnos) >> 16);
  } else {
    int v = 0;
    for (int i = 0; i < 14; ++i) v += signos[i] != '1';
    return v;
  }
}

// What a common line at `p` (at least 19 bytes there) holds: a quote, 15 signs, a quote and
// CR LF, read by the reader as a line of 17 characters whose signs are bytes 1 to 15.
constexpr int kLineaOtra = -2;    // not such a line: the reader takes it its own way
constexpr int kLineaBlanca = -1;  // signs all blank: no column
// Otherwise the number of variants of its column.
#if defined(__SSE2__)
// Set bits of a mask of 7 bits.
constexpr std::array<uint8_t, 128> kBits = [] {
  std::array<uint8_t, 128> t{};
  for (unsigned i = 0; i < t.size(); ++i) t[i] = static_cast<uint8_t>(std::popcount(i));
  return t;
}();

int ClaseLineaComun(const char* p) {
  if (p[0] != '"' || p[16] != '"' || p[17] != '\r' || p[18] != '\n') return kLineaOtra;
  // Bytes 1 to 16: the signs and the closing quote, compared 16 at a time. A line feed or a
  // quote among the signs ends the line or the column early.
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
  const __m128i raros =
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('"')));
  if ((_mm_movemask_epi8(raros) & 0x7FFF) != 0) return kLineaOtra;
  if ((_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' '))) & 0x7FFF) == 0x7FFF) {
    return kLineaBlanca;
  }
  const int unos = _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('1'))) & 0x3FFF;
  return 14 - kBits[static_cast<std::size_t>(unos & 0x7F)] -
         kBits[static_cast<std::size_t>(unos >> 7)];
}
#else
// A byte of the word equal to `c`.
bool TieneByte(uint64_t x, char c) {
  constexpr uint64_t kUnos = 0x0101010101010101ULL;
  constexpr uint64_t kAltos = 0x8080808080808080ULL;
  x ^= kUnos * static_cast<unsigned char>(c);
  return ((x - kUnos) & ~x & kAltos) != 0;
}

int ClaseLineaComun(const char* p) {
  if (p[0] != '"' || p[16] != '"' || p[17] != '\r' || p[18] != '\n') return kLineaOtra;
  uint64_t a = 0;
  uint64_t b = 0;
  std::memcpy(&a, p + 1, 8);
  std::memcpy(&b, p + 8, 8);
  // A line feed or a quote among the signs ends the line or the column early.
  if (TieneByte(a, '\n') || TieneByte(b, '\n') || TieneByte(a, '"') || TieneByte(b, '"')) {
    return kLineaOtra;
  }
  constexpr uint64_t kBlancos = 0x2020202020202020ULL;
  if (a == kBlancos && b == kBlancos) return kLineaBlanca;
  return CuentaVariantes(p + 1);
}
#endif

// Lays the work records out in a batch: a record per column, and blank places that close the
// boleto before a column whose match-15 sign differs from the one before. Counts on the way.
struct Maqueta {
  char* o;  // where the next record goes
  int64_t lineas = 0;
  int64_t columnas = 0;
  std::array<int64_t, 15> porVariantes{};
  char signo15Anterior = 0;
  bool primera = true;

  // Takes the common lines from `p` on while the batch has room; returns where it stopped.
  // The state lives in plain locals here: the compiler keeps them in registers across the
  // byte stores, and two tallies take turns so that equal classes in a row do not wait on
  // each other.
  const char* LineasComunes(const char* p, const char* fin, const char* lleno) {
    char* salida = o;
    int64_t n = lineas;
    int64_t c = columnas;
    char anterior = signo15Anterior;
    bool inicio = primera;
    std::array<std::array<int64_t, 15>, 2> tallas{};
    while (fin - p >= kLargoLineaComun && salida < lleno) {
      const int clase = ClaseLineaComun(p);
      if (clase == kLineaOtra) break;
      if (clase != kLineaBlanca) {
        const char signo15 = p[15];
        if (signo15 != anterior && !inicio) salida = Rellena(salida, n);
        inicio = false;
        anterior = signo15;
        std::memcpy(salida, p, 16);
        std::memcpy(salida + 16, "0\"\r\n", 4);
        ++tallas[static_cast<std::size_t>(c & 1)][static_cast<std::size_t>(clase)];
        salida += kLargoRegistroBoleto;
        ++n;
        ++c;
      }
      p += kLargoLineaComun;
    }
    for (std::size_t v = 0; v < porVariantes.size(); ++v)
      porVariantes[v] += tallas[0][v] + tallas[1][v];
    o = salida;
    lineas = n;
    columnas = c;
    signo15Anterior = anterior;
    primera = inicio;
    return p;
  }

  // The signs of any other line: cut or padded with blanks to 15; none, or only blanks, is
  // no column.
  void Columna(std::string_view signos) {
    if (signos.empty() ||
        (signos.front() == ' ' && signos.find_first_not_of(' ') == std::string_view::npos)) {
      return;
    }
    const char signo15 = signos.size() >= 15 ? signos[14] : ' ';
    if (signo15 != signo15Anterior && !primera) o = Rellena(o, lineas);
    primera = false;
    signo15Anterior = signo15;
    PonRegistroColumna(o, signos);
    ++porVariantes[static_cast<std::size_t>(CuentaVariantes(o + 1))];
    o += kLargoRegistroBoleto;
    ++lineas;
    ++columnas;
  }

 private:
  // Blank places up to the end of the open boleto.
  static char* Rellena(char* salida, int64_t& n) {
    while (n % kColumnasPorBoleto != 0) {
      std::memcpy(salida, kRegistroBlanco.data(), kLargoRegistroBoleto);
      salida += kLargoRegistroBoleto;
      ++n;
    }
    return salida;
  }
};

}  // namespace

std::string RegistroColumna(std::string_view columna) {
  std::string r(kLargoRegistroBoleto, ' ');
  PonRegistroColumna(r.data(), columna);
  return r;
}

int VariantesRegistro(std::string_view registro) {
  if (registro.size() < 15) return 0;
  return CuentaVariantes(registro.data() + 1);
}

ResultadoBoletos RecorreRegistrosBoletos(const std::filesystem::path& ficheroColumnas,
                                         const DestinoRegistros& destino,
                                         const ProgresoBoletos& progreso,
                                         const std::atomic<bool>& cancelar) {
  ResultadoBoletos res;
  LectorLineas lector(ficheroColumnas);
  if (lector.error() != kSinError) {
    res.error = lector.error();
    if (res.error != kErrNoEncontrado) res.mensaje = "RED ERROR " + std::to_string(res.error);
    return res;
  }
  // Whole boletos fit the batch, so padding never splits across a hand-over. A small file
  // needs no more than its columns could fill, each on a boleto of its own.
  const uint64_t maximo = (lector.tamano() / 2 + 1) * kColumnasPorBoleto * kLargoRegistroBoleto;
  const std::size_t tamLote = static_cast<std::size_t>(std::min<uint64_t>(kLoteBytes, maximo));

  // Reading and laying out run on a thread of their own while the caller's sink takes the
  // batches before, so that the two overlap: on the full base each is about half the work.
  // Three batches go round: one being filled, one in the sink, one ready between them.
  struct Lote {
    std::vector<char> bytes;
    std::size_t usado = 0;
    uint64_t leidos = 0;  // of the columns file, when the batch was closed
  };
  std::array<Lote, 3> lotes;
  for (Lote& l : lotes) l.bytes.resize(tamLote + kColumnasPorBoleto * kLargoRegistroBoleto);
  std::mutex m;
  std::condition_variable cv;
  std::deque<Lote*> listos;
  std::vector<Lote*> libres = {&lotes[0], &lotes[1], &lotes[2]};
  bool terminado = false;  // the thread has closed its last batch
  bool parar = false;      // the sink refused or the run was cancelled
  Maqueta maq{nullptr};
  std::exception_ptr fallo;  // thrown on the thread (out of memory), thrown again here

  auto produce = [&] {
    auto tomaLibre = [&]() -> Lote* {
      std::unique_lock<std::mutex> l(m);
      cv.wait(l, [&] { return parar || !libres.empty(); });
      if (parar) return nullptr;
      Lote* lote = libres.back();
      libres.pop_back();
      return lote;
    };
    auto cierra = [&](Lote* lote) {
      lote->usado = static_cast<std::size_t>(maq.o - lote->bytes.data());
      lote->leidos = lector.consumidos();
      std::lock_guard<std::mutex> l(m);
      listos.push_back(lote);
      cv.notify_all();
    };
    Lote* lote = tomaLibre();
    if (lote != nullptr) {
      maq.o = lote->bytes.data();
      const char* lleno = lote->bytes.data() + tamLote;
      std::string_view linea;
      for (;;) {
        // The lines as the generation writes them, straight from the reader's buffer.
        const std::string_view pendientes = lector.Pendientes();
        const char* p =
            maq.LineasComunes(pendientes.data(), pendientes.data() + pendientes.size(), lleno);
        lector.Avanza(static_cast<std::size_t>(p - pendientes.data()));
        if (maq.o < lleno) {
          // Any other line, or the end of the buffer: the reader finds the next line.
          if (!lector.Siguiente(linea)) break;
          maq.Columna(SignosDeLinea(linea));
          if (maq.o < lleno) continue;
        }
        cierra(lote);
        lote = cancelar.load(std::memory_order_relaxed) ? nullptr : tomaLibre();
        if (lote == nullptr) break;
        maq.o = lote->bytes.data();
        lleno = lote->bytes.data() + tamLote;
      }
      // The last batch, unless reading failed: a broken file hands over nothing more.
      if (lote != nullptr && lector.error() == kSinError && maq.o != lote->bytes.data()) {
        cierra(lote);
      }
    }
  };
  std::thread productor([&] {
    try {
      produce();
    } catch (...) {
      fallo = std::current_exception();
    }
    std::lock_guard<std::mutex> l(m);
    terminado = true;
    cv.notify_all();
  });

  // Should the sink or the progress throw, the thread is stopped and joined on the way out.
  struct Espera {
    std::thread& hilo;
    std::mutex& m;
    std::condition_variable& cv;
    bool& parar;
    ~Espera() {
      if (!hilo.joinable()) return;
      {
        std::lock_guard<std::mutex> l(m);
        parar = true;
      }
      cv.notify_all();
      hilo.join();
    }
  } espera{productor, m, cv, parar};

  bool parado = false;
  for (;;) {
    Lote* lote = nullptr;
    {
      std::unique_lock<std::mutex> l(m);
      cv.wait(l, [&] { return terminado || !listos.empty(); });
      if (listos.empty()) break;
      lote = listos.front();
      listos.pop_front();
    }
    const bool ok = destino(std::string_view(lote->bytes.data(), lote->usado));
    if (progreso) progreso(lote->leidos, lector.tamano());
    std::lock_guard<std::mutex> l(m);
    libres.push_back(lote);
    if (!ok || cancelar.load(std::memory_order_relaxed)) {
      parado = true;
      parar = true;
    }
    cv.notify_all();
    if (parado) break;
  }
  productor.join();  // before anything it wrote is read
  if (fallo) std::rethrow_exception(fallo);

  if (!parado && lector.error() != kSinError) {
    res.error = lector.error();
    res.mensaje = "RED ERROR " + std::to_string(res.error);
    return res;
  }
  if (cancelar.load()) {
    res.cancelado = true;
    return res;
  }
  if (parado) {
    // The sink refused: it knows and reports its own error.
    res.error = kErrEntradaSalida;
  }
  ResumenBoletos& s = res.resumen;
  s.LineasTrabajo = maq.lineas;
  s.columnas = maq.columnas;
  s.SinMarcarPorVariantes = maq.porVariantes;
  return res;
}

ResultadoBoletos CreaFicheroBoletos(const std::filesystem::path& rutaDatos, int jornada, int orden,
                                    const ProgresoBoletos& progreso,
                                    const std::atomic<bool>& cancelar) {
  const auto destinoFichero = rutaDatos / kFicheroBoletos;
  // The old work file belongs to another load: it must never be mistaken for this one.
  BorraFichero(destinoFichero);
  // The records come in large batches: they go straight to the file, not through a buffer.
  EscritorAtomico escritor(destinoFichero, 1);
  if (escritor.error() != kSinError) {
    ResultadoBoletos res;
    res.error = escritor.error();
    res.mensaje = "FORBOL ERROR " + std::to_string(res.error);
    return res;
  }
  ResultadoBoletos res = RecorreRegistrosBoletos(
      rutaDatos / NombreReduccion(jornada, orden),
      [&](std::string_view registros) {
        escritor.Escribe(registros);
        return escritor.error() == kSinError;
      },
      progreso, cancelar);
  if (res.cancelado) return res;
  if (res.error != kSinError && escritor.error() == kSinError) return res;  // columns file
  // A scratch file: rebuilt on every load, so it is not worth a flush to the disk.
  if (const int16_t err = escritor.Confirma(false); err != kSinError) {
    res.error = err;
    res.mensaje = "FORBOL ERROR " + std::to_string(err);
    res.resumen = {};
  }
  return res;
}

FicheroBoletos::~FicheroBoletos() {
  if (fd_ >= 0) ::close(fd_);
}

FicheroBoletos::FicheroBoletos(FicheroBoletos&& otro) noexcept
    : fd_(std::exchange(otro.fd_, -1)), error_(otro.error_), registros_(otro.registros_) {}

FicheroBoletos& FicheroBoletos::operator=(FicheroBoletos&& otro) noexcept {
  if (this != &otro) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(otro.fd_, -1);
    error_ = otro.error_;
    registros_ = otro.registros_;
  }
  return *this;
}

FicheroBoletos AbreFicheroBoletos(const std::filesystem::path& ruta, bool escritura) {
  FicheroBoletos f;
  const int fd =
      ::open(ruta.c_str(), (escritura ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    f.error_ = ErrorDesdeErrno(errno);
    return f;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    f.error_ = ErrorDesdeErrno(errno);
  } else if (S_ISDIR(st.st_mode)) {
    f.error_ = kErrAcceso;
  } else if (!S_ISREG(st.st_mode)) {
    f.error_ = kErrEntradaSalida;
  }
  if (f.error_ != kSinError) {
    ::close(fd);
    return f;
  }
  f.fd_ = fd;
  f.registros_ = static_cast<int64_t>(st.st_size) / static_cast<int64_t>(kLargoRegistroBoleto);
  return f;
}

int16_t FicheroBoletos::Lee(int64_t primero, int64_t n, std::string& destino) {
  destino.clear();
  if (n <= 0) return kSinError;
  destino.resize(static_cast<std::size_t>(n) * kLargoRegistroBoleto);
  std::size_t leidos = 0;
  if (fd_ >= 0 && primero >= 1 && primero <= registros_) {
    const int64_t enFichero = std::min(n, registros_ - primero + 1);
    const std::size_t querer = static_cast<std::size_t>(enFichero) * kLargoRegistroBoleto;
    const auto pos = static_cast<off_t>((primero - 1) * static_cast<int64_t>(kLargoRegistroBoleto));
    while (leidos < querer) {
      const ssize_t r =
          ::pread(fd_, destino.data() + leidos, querer - leidos, pos + static_cast<off_t>(leidos));
      if (r < 0) {
        if (errno == EINTR) continue;
        error_ = ErrorDesdeErrno(errno);
        destino.clear();
        return error_;
      }
      if (r == 0) break;  // cut short since it was opened
      leidos += static_cast<std::size_t>(r);
    }
    leidos -= leidos % kLargoRegistroBoleto;
  } else if (fd_ < 0 && error_ == kSinError) {
    error_ = kErrEntradaSalida;
  }
  for (std::size_t p = leidos; p < destino.size(); p += kLargoRegistroBoleto) {
    std::memcpy(destino.data() + p, kRegistroBlanco.data(), kLargoRegistroBoleto);
  }
  return fd_ < 0 ? error_ : kSinError;
}

int16_t FicheroBoletos::Escribe(int64_t primero, std::string_view registros) {
  if (fd_ < 0) return error_ != kSinError ? error_ : kErrEntradaSalida;
  const auto n = static_cast<int64_t>(registros.size() / kLargoRegistroBoleto);
  if (registros.size() % kLargoRegistroBoleto != 0 || primero < 1 || primero + n - 1 > registros_) {
    return kErrFinFichero;
  }
  auto pos = static_cast<off_t>((primero - 1) * static_cast<int64_t>(kLargoRegistroBoleto));
  const char* p = registros.data();
  std::size_t resto = registros.size();
  while (resto > 0) {
    const ssize_t w = ::pwrite(fd_, p, resto, pos);
    if (w < 0) {
      if (errno == EINTR) continue;
      error_ = ErrorDesdeErrno(errno);
      return error_;
    }
    if (w == 0) {
      error_ = kErrDiscoLleno;
      return error_;
    }
    p += w;
    pos += w;
    resto -= static_cast<std::size_t>(w);
  }
  return kSinError;
}

}  // namespace zendo

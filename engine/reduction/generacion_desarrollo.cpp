#include "engine/reduction/generacion_desarrollo.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "engine/reduction/cifras.h"
#include "engine/reduction/tablas_directas.h"

namespace zendo {

namespace {

// A block holds at most this many lines, so the cancel flag is read every few thousand
// columns and the block stays in the cache.
constexpr int64_t kMaxLineasBloque = 4096;

// Method 3 adds the signs of a column as one number: 256 per "1", 16 per "X", 1 per "2".
// At most 14 of each, so the three counts never carry into each other.
constexpr uint16_t kPesoSigno[4] = {0, 256, 16, 1};
constexpr std::size_t kClavesTotales = 4096;
constexpr std::size_t kClavesPorcentaje = 14 * 100 + 1;
constexpr std::size_t kClavesErrores = 15;

int IndiceSigno(char c) {
  return c == '1' ? 1 : c == 'X' ? 2 : 3;
}

// The disk is asked to start writing every this many bytes.
constexpr int64_t kTramoDisco = 8 << 20;

}  // namespace

SalidaColumnas::SalidaColumnas(EscritorAtomico& escritor, std::size_t tamBuffer)
    : escritor_(escritor), buffer_(tamBuffer) {
  fdTemporal_ = ::open(escritor_.temporal().c_str(), O_RDONLY | O_CLOEXEC);
}

SalidaColumnas::~SalidaColumnas() {
  if (fdTemporal_ >= 0) ::close(fdTemporal_);
}

void SalidaColumnas::Vacia() {
  if (usado_ == 0) return;
  escritor_.Escribe({buffer_.data(), usado_});
  escritos_ += static_cast<int64_t>(usado_);
  usado_ = 0;
  if (fdTemporal_ >= 0 && escritos_ - enviados_ >= kTramoDisco) {
    // Only a hint: an error here shows again, and is reported, when the file is committed.
    ::sync_file_range(fdTemporal_, enviados_, escritos_ - enviados_, SYNC_FILE_RANGE_WRITE);
    enviados_ = escritos_;
  }
}

Desarrollo::Desarrollo(const Reduccion& r) : metodo_(r.Metodo) {
  apuestasBase_ = 1;
  for (int m = 1; m <= kPartidos; ++m) {
    const auto& p = r.Partido[static_cast<std::size_t>(m)];
    std::string& s = signos_[static_cast<std::size_t>(m)];
    for (int k = 1; k <= 3; ++k) {
      if (p.Signo[static_cast<std::size_t>(k)] != 0) s += kSignos[k];
    }
    apuestasBase_ *= static_cast<int64_t>(s.size());
  }
  incompleta_ = apuestasBase_ == 0;

  // Method 1: the matches a reducir take the rows of the direct table, triples first.
  if (metodo_ == kMetodoDirecto) {
    int triples = 0;
    int dobles = 0;
    for (int m = 1; m < kPartidos; ++m) {
      if (!r.Partido[static_cast<std::size_t>(m)].AReducir) continue;
      const auto n = signos_[static_cast<std::size_t>(m)].size();
      triples += n == 3 ? 1 : 0;
      dobles += n == 2 ? 1 : 0;
    }
    const TablaElegida t = EligeTablaDirecta(triples, dobles);
    if (t.DirColumnas > 0) {
      int siguienteTriple = 1;
      int siguienteDoble = t.DirTriples + 1;
      for (int m = 1; m < kPartidos; ++m) {
        if (!r.Partido[static_cast<std::size_t>(m)].AReducir) continue;
        const auto n = signos_[static_cast<std::size_t>(m)].size();
        if (n == 3 && siguienteTriple <= t.DirTriples) {
          fila_[static_cast<std::size_t>(m)] = t.DirInicio + siguienteTriple++;
        } else if (n == 2 && siguienteDoble <= t.DirTriples + t.DirDobles) {
          fila_[static_cast<std::size_t>(m)] = t.DirInicio + siguienteDoble++;
        }
      }
      columnasTabla_ = t.DirColumnas;
    }
  }

  // The criterion as an additive key per match and sign, and what total keys it accepts.
  for (int m = 1; m < kPartidos; ++m) {
    const auto& p = r.Partido[static_cast<std::size_t>(m)];
    const std::string& s = signos_[static_cast<std::size_t>(m)];
    for (std::size_t k = 0; k < s.size(); ++k) {
      uint16_t c = 0;
      const int signo = IndiceSigno(s[k]);
      switch (metodo_) {
        case kMetodoColumnaProbable:
          c = p.Probable >= 1 && p.Probable <= 3 && kSignos[p.Probable] != s[k] ? 1 : 0;
          break;
        case kMetodoSeleccionSignos:
          c = p.AReducir ? kPesoSigno[signo] : 0;
          break;
        case kMetodoBalanceSignos:
          c = static_cast<uint16_t>(std::clamp<int>(
              r.Probabilidad[static_cast<std::size_t>(m)][static_cast<std::size_t>(signo)], 0,
              100));
          break;
        default:
          break;
      }
      clave_[static_cast<std::size_t>(m)][k] = c;
    }
  }
  switch (metodo_) {
    case kMetodoColumnaProbable:
      acepta_.resize(kClavesErrores);
      for (std::size_t e = 0; e < kClavesErrores; ++e) {
        acepta_[e] = r.MinErrores <= static_cast<int>(e) && static_cast<int>(e) <= r.MaxErrores;
      }
      break;
    case kMetodoSeleccionSignos:
      acepta_.resize(kClavesTotales);
      for (std::size_t k = 0; k < kClavesTotales; ++k) {
        const std::size_t c1 = k >> 8, cX = (k >> 4) & 15, c2 = k & 15;
        acepta_[k] = c1 <= 14 && cX <= 14 && c2 <= 14 && r.TotalSignos[1][c1] != 0 &&
                     r.TotalSignos[2][cX] != 0 && r.TotalSignos[3][c2] != 0;
      }
      break;
    case kMetodoBalanceSignos: {
      acepta_.resize(kClavesPorcentaje);
      const int32_t minimo = DiezMilesimas(r.MinPorcentaje);
      const int32_t maximo = DiezMilesimas(r.MaxPorcentaje);
      for (std::size_t suma = 0; suma < kClavesPorcentaje; ++suma) {
        acepta_[suma] =
            AceptaProbabilidad(ProbabilidadColumna(static_cast<int>(suma)), minimo, maximo);
      }
      break;
    }
    default:
      break;  // every line is written
  }

  // Multiples developed in full: the first ones go inside the block while it stays small.
  bool llena = false;
  for (int m = 1; m < kPartidos; ++m) {
    const auto n = static_cast<int64_t>(signos_[static_cast<std::size_t>(m)].size());
    if (fila_[static_cast<std::size_t>(m)] != 0) continue;
    if (n <= 1) {
      claveFija_ += clave_[static_cast<std::size_t>(m)][0];
      continue;
    }
    if (!llena && combinacionesBloque_ * n * columnasTabla_ <= kMaxLineasBloque) {
      interiores_.push_back(m);
      combinacionesBloque_ *= n;
    } else {
      llena = true;
      exteriores_.push_back(m);
    }
  }
  total_ = incompleta_ ? 0 : combinacionesBloque_ * static_cast<int64_t>(Signos15().size());
  for (int m : exteriores_)
    total_ *= static_cast<int64_t>(signos_[static_cast<std::size_t>(m)].size());
  if (!incompleta_) PreparaBloque();
}

void Desarrollo::PreparaBloque() {
  const auto lineas = static_cast<std::size_t>(combinacionesBloque_ * columnasTabla_);
  bloque_.assign(lineas * kLargoLineaColumna, ' ');
  claveInterior_.assign(lineas, 0);
  std::vector<std::size_t> ind(interiores_.size(), 0);
  std::size_t l = 0;
  for (int64_t c = 0; c < combinacionesBloque_; ++c) {
    for (int i = 0; i < columnasTabla_; ++i, ++l) {
      char* linea = bloque_.data() + l * kLargoLineaColumna;
      linea[0] = '"';
      uint32_t clave = 0;
      for (int m = 1; m <= kPartidos; ++m) {
        const std::string& s = signos_[static_cast<std::size_t>(m)];
        std::size_t k = 0;
        if (const int fila = fila_[static_cast<std::size_t>(m)]; fila != 0) {
          // Digit d of the row is the d-th sign of the match's base.
          const std::string_view digitos = TablaDirecta(fila);
          const int d = static_cast<std::size_t>(i) < digitos.size()
                            ? digitos[static_cast<std::size_t>(i)] - '0'
                            : 1;
          k = static_cast<std::size_t>(std::clamp<int>(d, 1, static_cast<int>(s.size())) - 1);
        } else {
          const auto it = std::find(interiores_.begin(), interiores_.end(), m);
          if (it != interiores_.end()) {
            k = ind[static_cast<std::size_t>(it - interiores_.begin())];
            clave += clave_[static_cast<std::size_t>(m)][k];
          }
        }
        linea[m] = s[k];
      }
      linea[16] = '"';
      linea[17] = '\r';
      linea[18] = '\n';
      claveInterior_[l] = static_cast<uint16_t>(clave);
    }
    // Next inner combination: the first inner match fastest.
    for (std::size_t j = 0; j < ind.size(); ++j) {
      if (++ind[j] < signos_[static_cast<std::size_t>(interiores_[j])].size()) break;
      ind[j] = 0;
    }
  }
}

void Desarrollo::PonSigno(int partido, char signo) {
  const std::size_t lineas = claveInterior_.size();
  char* p = bloque_.data() + partido;
  for (std::size_t l = 0; l < lineas; ++l, p += kLargoLineaColumna) *p = signo;
}

int64_t Desarrollo::DesarrollaGrupo(char signo15, SalidaColumnas& salida,
                                    const AntesDeBloque& antes) {
  if (incompleta_ || Signos15().find(signo15) == std::string::npos) return 0;
  PonSigno(kPartidos, signo15);
  std::vector<std::size_t> ind(exteriores_.size(), 0);
  uint32_t claveExterior = claveFija_;
  for (int m : exteriores_) {
    PonSigno(m, signos_[static_cast<std::size_t>(m)][0]);
    claveExterior += clave_[static_cast<std::size_t>(m)][0];
  }
  const std::size_t lineas = claveInterior_.size();
  int64_t escritas = 0;
  for (;;) {
    if (!antes(combinacionesBloque_)) return -1;
    if (acepta_.empty()) {
      salida.Anade(bloque_.data(), bloque_.size());
      escritas += static_cast<int64_t>(lineas);
    } else {
      const uint8_t* acepta = acepta_.data() + claveExterior;
      const uint16_t* clave = claveInterior_.data();
      const char* linea = bloque_.data();
      for (std::size_t l = 0; l < lineas; ++l, linea += kLargoLineaColumna) {
        if (acepta[clave[l]]) {
          salida.Anade(linea, kLargoLineaColumna);
          ++escritas;
        }
      }
    }
    // Next outer combination: only the matches that change are patched.
    std::size_t j = 0;
    for (; j < ind.size(); ++j) {
      const std::size_t m = static_cast<std::size_t>(exteriores_[j]);
      claveExterior -= clave_[m][ind[j]];
      if (++ind[j] == signos_[m].size()) ind[j] = 0;
      claveExterior += clave_[m][ind[j]];
      PonSigno(static_cast<int>(m), signos_[m][ind[j]]);
      if (ind[j] != 0) break;
    }
    if (j == ind.size()) return escritas;
  }
}

}  // namespace zendo

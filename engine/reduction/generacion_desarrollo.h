#pragma once
// The development of a Quiniela Base: every combination of its signs in odometer order
// (match 1 fastest, signs in the order 1, X, 2), filtered by the method, written as the
// lines of a columns file.
//
// Up to 3^15 columns pass through here, so the work is done in blocks: the first multiples
// (the inner ones) are developed once into a block of ready lines, and for every
// combination of the other multiples only the characters of the matches that changed are
// patched. A method's criterion is additive over the matches (errors, totals of signs, sum
// of percentages), so each line keeps the key of its inner matches and a column is accepted
// by one look-up of inner key + outer key.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/fichero.h"
#include "engine/reduction/modelo.h"

namespace zendo {

// Quote, 15 signs, quote, CR LF.
inline constexpr std::size_t kLargoLineaColumna = 19;

// Buffered lines on their way to the temporary columns file. The disk starts writing them
// while the next ones are developed, so that committing the file (which waits until every
// byte is on the disk) does not wait for all of them at the end.
class SalidaColumnas {
 public:
  explicit SalidaColumnas(EscritorAtomico& escritor, std::size_t tamBuffer = 1 << 20);
  ~SalidaColumnas();
  SalidaColumnas(const SalidaColumnas&) = delete;
  SalidaColumnas& operator=(const SalidaColumnas&) = delete;

  void Anade(const char* datos, std::size_t n) {
    if (n > buffer_.size() - usado_) Vacia();
    if (n > buffer_.size()) {
      escritor_.Escribe({datos, n});
      return;
    }
    std::memcpy(buffer_.data() + usado_, datos, n);
    usado_ += n;
  }
  void Vacia();
  int16_t error() const { return escritor_.error(); }

 private:
  EscritorAtomico& escritor_;
  std::vector<char> buffer_;
  std::size_t usado_ = 0;
  int fdTemporal_ = -1;  // to start the writing to the disk
  int64_t escritos_ = 0;
  int64_t enviados_ = 0;  // bytes whose writing to the disk has been started
};

class Desarrollo {
 public:
  // Prepares the development of `r` by its method (the direct table of method 1 is chosen
  // from the matches a reducir).
  explicit Desarrollo(const Reduccion& r);

  // Some match has no sign: there is nothing to develop.
  bool Incompleta() const { return incompleta_; }
  // Columns of the base (the product of the signs of all matches).
  int64_t ApuestasBase() const { return apuestasBase_; }
  // Combinations the development visits (the progress counts them).
  int64_t Total() const { return total_; }
  // The signs of match 15, in the order 1, X, 2.
  const std::string& Signos15() const { return signos_[kPartidos]; }

  // Called before each block with the number of combinations it visits; false stops.
  using AntesDeBloque = std::function<bool(int64_t combinaciones)>;

  // Writes the accepted columns whose 15th sign is `signo15`. Returns the number of lines
  // written, or -1 when `antes` stopped it.
  int64_t DesarrollaGrupo(char signo15, SalidaColumnas& salida, const AntesDeBloque& antes);

 private:
  void PreparaBloque();
  void PonSigno(int partido, char signo);

  int metodo_ = 0;
  bool incompleta_ = false;
  int64_t apuestasBase_ = 0;
  int64_t total_ = 0;
  std::array<std::string, kPartidos + 1> signos_;  // base sign string per match
  // Method 1: the table row each match takes, 0 when the match is developed in full.
  std::array<int, kPartidos + 1> fila_{};
  int columnasTabla_ = 1;  // lines per combination (the table's columns, 1 without table)
  // Key of sign index k of match m for the method's criterion.
  std::array<std::array<uint16_t, 3>, kPartidos + 1> clave_{};
  std::vector<int> interiores_;  // multiples developed inside a block
  std::vector<int> exteriores_;  // multiples 1..14 developed block by block
  int64_t combinacionesBloque_ = 1;
  uint32_t claveFija_ = 0;               // key of the fixed matches
  std::vector<char> bloque_;             // lines of the block
  std::vector<uint16_t> claveInterior_;  // per line of the block
  std::vector<uint8_t> acepta_;          // per total key; empty: every line
};

}  // namespace zendo

#pragma once
// The boleto work file FORBOLW.TVX: the columns of a reduction laid out 8 to a boleto, each
// change of the match-15 sign starting a new boleto. One record per place, 20 bytes each
// (quote, 15 signs, mark, quote, CR LF), so record n starts at byte (n - 1) * 20. A blank
// place holds 16 spaces. The consultation marks columns in it; printing, the listings and the
// export read it.

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zendo {

inline constexpr std::size_t kLargoRegistroBoleto = 20;
inline constexpr int kColumnasPorBoleto = 8;
inline constexpr const char* kFicheroBoletos = "FORBOLW.TVX";

// What building the work file counts on the way.
struct ResumenBoletos {
  int64_t LineasTrabajo = 0;     // records written, blank places included
  int64_t columnas = 0;          // column records
  int64_t ColumnasMarcadas = 0;  // always 0 after a build
  // Columns by their number of signs other than "1" among matches 1 to 14.
  std::array<int64_t, 15> SinMarcarPorVariantes{};
};

struct ResultadoBoletos {
  int16_t error = 0;    // ErrorFichero of the step that failed
  std::string mensaje;  // "RED ERROR n" (columns file) or "FORBOL ERROR n" (work file)
  bool cancelado = false;
  ResumenBoletos resumen;
};

// Bytes of the columns file read so far, and its size.
using ProgresoBoletos = std::function<void(uint64_t leidos, uint64_t total)>;
// Receives consecutive whole records (a multiple of 20 bytes); false stops the run with a
// write error the sink remembers itself.
using DestinoRegistros = std::function<bool(std::string_view registros)>;

// The record of a column: quote, the 15 signs (cut or padded with blanks), "0", quote, CR LF.
std::string RegistroColumna(std::string_view columna);
inline constexpr std::string_view kRegistroBlanco = "\"                \"\r\n";

// Streams the work records of the columns file `ficheroColumnas` into `destino`, in batches.
// `cancelar` is read between batches. A missing columns file gives error 53 and no message.
ResultadoBoletos RecorreRegistrosBoletos(const std::filesystem::path& ficheroColumnas,
                                         const DestinoRegistros& destino,
                                         const ProgresoBoletos& progreso,
                                         const std::atomic<bool>& cancelar);

// CreaFicheroBoletos: builds FORBOLW.TVX in `rutaDatos` from RED<jj><oo>.TVX. The records go
// to a temporary file that becomes the work file only when complete; a failed or cancelled
// build leaves no work file (an earlier one is removed: it belongs to another reduction).
ResultadoBoletos CreaFicheroBoletos(const std::filesystem::path& rutaDatos, int jornada, int orden,
                                    const ProgresoBoletos& progreso,
                                    const std::atomic<bool>& cancelar);

// Parts of a record (the 20 bytes as stored).
inline bool EsRegistroBlanco(std::string_view registro) {
  return registro.substr(1, 16).find_first_not_of(' ') == std::string_view::npos;
}
inline char MarcaRegistro(std::string_view registro) {
  return registro.size() > 16 ? registro[16] : ' ';
}
// Signs other than "1" among matches 1 to 14.
int VariantesRegistro(std::string_view registro);

// AbreFicheroBoletos: the work file opened by record, for reading (a page of the screen, the
// print runs, the deletion) or also for writing marks. Only a regular file opens.
class FicheroBoletos {
 public:
  FicheroBoletos() = default;
  ~FicheroBoletos();
  FicheroBoletos(FicheroBoletos&& otro) noexcept;
  FicheroBoletos& operator=(FicheroBoletos&& otro) noexcept;
  FicheroBoletos(const FicheroBoletos&) = delete;
  FicheroBoletos& operator=(const FicheroBoletos&) = delete;

  // 0, or the error of the open or of the last read or write.
  int16_t error() const { return error_; }
  bool abierto() const { return fd_ >= 0; }
  // Whole records in the file (a cut last record does not count).
  int64_t registros() const { return registros_; }

  // Records primero .. primero + n - 1 (1-based) into `destino`, n * 20 bytes: those past
  // the end read as blank places. Returns the error number.
  int16_t Lee(int64_t primero, int64_t n, std::string& destino);
  // Writes whole records from record `primero` on; only records the file holds.
  int16_t Escribe(int64_t primero, std::string_view registros);

 private:
  friend FicheroBoletos AbreFicheroBoletos(const std::filesystem::path& ruta, bool escritura);
  int fd_ = -1;
  int16_t error_ = 0;
  int64_t registros_ = 0;
};

// Opens the work file `ruta` (rutaDatos / kFicheroBoletos), for writing marks too when
// `escritura`.
FicheroBoletos AbreFicheroBoletos(const std::filesystem::path& ruta, bool escritura = false);

}  // namespace zendo

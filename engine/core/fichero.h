#pragma once
// File access for every routine of the data store. Nothing here throws: each call returns
// the error number (`ErrorFichero`) of what went wrong, 0 on success, and the caller
// decides what to show.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zendo {

namespace fs = std::filesystem;

// Error numbers, as the messages show them ("LFB ERROR 70").
inline constexpr int16_t kSinError = 0;
inline constexpr int16_t kErrDesbordamiento = 6;
inline constexpr int16_t kErrTipo = 13;  // a value of the wrong type (letters for a number)
inline constexpr int16_t kErrNombreFichero = 52;
inline constexpr int16_t kErrNoEncontrado = 53;
inline constexpr int16_t kErrEntradaSalida = 57;
inline constexpr int16_t kErrDiscoLleno = 61;
inline constexpr int16_t kErrFinFichero = 62;
inline constexpr int16_t kErrPermiso = 70;
inline constexpr int16_t kErrDiscoNoPreparado = 71;
inline constexpr int16_t kErrAcceso = 75;
inline constexpr int16_t kErrRutaNoEncontrada = 76;

// Maps an errno value to the error number.
int16_t ErrorDesdeErrno(int numeroErrno);

extern const std::string kSaltoLinea;  // CR LF

// Opens a regular file for reading into `fd` and gives its size; anything else is an error
// (75 a folder, 57 a device or a pipe: it has no end a reader could wait for) and leaves
// `fd` at -1. Opening never waits on a pipe. Returns the error number.
int16_t AbreLecturaRegular(const fs::path& ruta, int& fd, uint64_t& tamano);

// Reads a whole regular file of at most `maximo` bytes (a longer one is error 75: the format
// cannot hold it). 53 when it does not exist.
inline constexpr std::size_t kMaximoFicheroDatos = std::size_t{64} << 20;
int16_t LeeFichero(const fs::path& ruta, std::string& contenido,
                   std::size_t maximo = kMaximoFicheroDatos);

// Replaces a whole file: the bytes go to a new file in the same folder, are flushed to the
// disk, and the new file then takes the old one's name. A failure at any point leaves the
// old file exactly as it was.
int16_t ReemplazaFichero(const fs::path& ruta, std::string_view contenido);

// The one naming rule for temporary files, whatever their kind: "~zendo-" + kind + the name
// of the file they stand for, in the same folder ("~zendo-RED0101.TVX" for a new columns
// file, "~zendo-ant-BASES.TVX" for the kept copy of a commit). Whatever follows the rule and
// is left by a killed run is removed at the next start, under the folder lock
// (LimpiaTemporales in cerrojo.h); nothing else ever is.
inline constexpr const char* kPrefijoTemporal = "~zendo-";
fs::path RutaTemporal(const fs::path& ruta, std::string_view clase = {});
bool EsTemporal(std::string_view nombreFichero);

// Fixed-length records, numbered from 1. A record past the end of the file, or cut short
// by it, reads padded with `relleno`; `existe` tells whether any byte of it was in the file.
struct LecturaRegistro {
  int16_t error = kSinError;
  std::string datos;
  bool completo = false;
};
LecturaRegistro LeeRegistro(const fs::path& ruta, int64_t numero, std::size_t longitud,
                            char relleno = ' ');

// Writes record `numero` whole and flushes it. A file shorter than the record's start is
// first extended with gap records of `hueco` bytes. A missing file is created. On failure
// the file keeps its previous length and bytes outside the record.
int16_t EscribeRegistro(const fs::path& ruta, int64_t numero, std::size_t longitud,
                        std::string_view datos, char hueco = ' ');

// Appends bytes at the end of a file, creating it when missing; a failed append is undone.
int16_t AnadeAlFichero(const fs::path& ruta, std::string_view datos);

// Splits a text into lines ended by CR LF (or a bare LF); the last line may lack its end.
std::vector<std::string_view> PartirLineas(std::string_view texto);

// Deletes a file; a file already missing is not an error.
int16_t BorraFichero(const fs::path& ruta);

// A large streamed write that becomes the file `destino` only when it is committed: until
// then the bytes go to a temporary file in the same folder. Destroying it uncommitted
// removes the temporary file and leaves `destino` as it was.
class EscritorAtomico {
 public:
  explicit EscritorAtomico(fs::path destino, std::size_t tamBuffer = 1 << 20);
  // With a temporary file of the caller's choosing (it must be in the same folder).
  EscritorAtomico(fs::path destino, fs::path temporal, std::size_t tamBuffer);
  ~EscritorAtomico();
  EscritorAtomico(const EscritorAtomico&) = delete;
  EscritorAtomico& operator=(const EscritorAtomico&) = delete;

  int16_t error() const { return error_; }
  const fs::path& temporal() const { return temporal_; }

  void Escribe(std::string_view datos) {
    if (datos.size() <= buffer_.size() - usado_) {
      std::copy(datos.begin(), datos.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(usado_));
      usado_ += datos.size();
    } else {
      EscribeLento(datos);
    }
  }
  // Flushes, syncs (unless told not to) and renames over `destino`. Returns the error number.
  int16_t Confirma(bool sincroniza = true);
  // Flushes, syncs and closes the temporary file without renaming it, for a commit of
  // several files (transaccion.h) to take over: from here on it is the caller's to remove.
  int16_t Entrega(bool sincroniza = true);
  // Drops everything written.
  void Descarta();

 private:
  void EscribeLento(std::string_view datos);
  void Vacia();

  fs::path destino_;
  fs::path temporal_;
  std::vector<char> buffer_;
  std::size_t usado_ = 0;
  int fd_ = -1;
  int16_t error_ = kSinError;
};

}  // namespace zendo

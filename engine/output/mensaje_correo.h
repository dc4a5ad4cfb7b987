#pragma once
// The message that carries a reduction: its subject, its body (the basic-data sheet as text,
// HojaDatosBasicos with UsoHoja::Correo, and the list of reduced columns) and the Internet message
// built from them, read in pieces so that the columns of the largest reduction never sit in memory.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zendo {

class LectorLineas;

// "Datos de la jornada 5. Reducción nro. 12" (Windows-1252).
std::string AsuntoCorreo(int jornada, int orden);

// "Apuesta nro.    7  1X21X21X21X21X2" (no line end).
std::string LineaApuesta(int64_t numero, std::string_view columna);

struct CuerpoCorreo {
  std::string base;                // the base text (CR LF lines), empty when not sent
  std::filesystem::path columnas;  // the columns file to list, empty when not sent
};

// The body of the message of a reduction: the basic-data sheet as mail text
// (HojaDatosBasicos, UsoHoja::Correo) when `base`, then the columns of its file
// RED<jj><oo>.TVX when `columnas`.
struct Jornada;
struct Reduccion;
CuerpoCorreo CuerpoReduccion(const std::filesystem::path& rutaDatos, const Reduccion& r,
                             const Jornada& jornada, float precio, bool base, bool columnas);

// The lines of a body, Windows-1252, without line ends: the base text, then one
// LineaApuesta per column of the file.
class LectorCuerpo {
 public:
  explicit LectorCuerpo(const CuerpoCorreo& cuerpo);
  ~LectorCuerpo();
  LectorCuerpo(const LectorCuerpo&) = delete;
  LectorCuerpo& operator=(const LectorCuerpo&) = delete;

  // The error number of the columns file (its open, or a read), 0 when none.
  int16_t error() const;
  bool Siguiente(std::string& linea);

 private:
  std::vector<std::string_view> base_;
  std::size_t siguienteBase_ = 0;
  std::unique_ptr<LectorLineas> columnas_;
  int64_t numero_ = 0;
};

// The bytes of a body as the message carries it: UTF-8, quoted-printable, CR LF lines.
// Counting stops as soon as the count passes `tope`. `error` gets the columns file's error.
uint64_t TamanoCuerpoCodificado(const CuerpoCorreo& cuerpo, uint64_t tope, int16_t& error);

// What the headers of one message say.
struct DatosMensaje {
  std::string remitente;        // address
  std::string nombreRemitente;  // display name, UTF-8, may be empty
  std::string destinatario;     // address
  std::string asunto;           // UTF-8
  std::string fecha;            // FechaCorreo
  std::string identificador;    // IdentificadorMensaje
};

// Date, Message-ID, From, To, Subject and the MIME headers of a UTF-8 quoted-printable text,
// then the empty line that ends the headers.
std::string CabecerasMensaje(const DatosMensaje& datos);

// A whole message read in pieces: its headers, then its body encoded.
class FuenteMensaje {
 public:
  FuenteMensaje(std::string cabeceras, const CuerpoCorreo& cuerpo, uint64_t tamanoCuerpo);
  ~FuenteMensaje();
  FuenteMensaje(const FuenteMensaje&) = delete;
  FuenteMensaje& operator=(const FuenteMensaje&) = delete;

  // The size of the whole message in bytes.
  uint64_t Tamano() const { return cabeceras_ + tamanoCuerpo_; }
  // Copies the next bytes into `destino`; 0 at the end or on a read error.
  std::size_t Lee(char* destino, std::size_t maximo);
  // The columns file's error number, 0 when none.
  int16_t error() const;

 private:
  bool Rellena();

  uint64_t cabeceras_;
  uint64_t tamanoCuerpo_;
  LectorCuerpo lector_;
  std::string pendiente_;
  std::size_t leido_ = 0;
  std::string linea_;
  bool agotado_ = false;
};

}  // namespace zendo

#pragma once
// The platform's mail interface: a connection to a mail server that sends plain-text
// messages, one recipient each, and is closed after the last one. The program gives SMTP
// through libcurl; the tests give a recording one.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace zendo {

class FuenteMensaje;

// How the connection is protected.
enum class NivelTls {
  Ninguno,     // plain SMTP
  SiSeOfrece,  // STARTTLS when the server offers it
  Obligatorio  // STARTTLS (smtp://) or TLS from the start (smtps://), verified
};

struct ConexionCorreo {
  std::string url;  // "smtp://host:port" or "smtps://host:port"
  NivelTls tls = NivelTls::Obligatorio;
  std::string usuario;     // empty: no authentication
  std::string contrasena;  // held only while connected; never written anywhere
  std::string ca;          // a file of extra certificate authorities to trust, or empty
};

enum class FalloCorreo {
  Ninguno,
  Conexion,       // refused, unreachable, timed out, name not found
  Certificado,    // the server's certificate is not trusted, or TLS could not be set up
  Autenticacion,  // user name or password refused
  Remitente,      // the sender address refused
  Destinatario,   // the recipient refused
  Tamano,         // the message is too large for the server
  Lectura,        // the message could not be read (its columns file)
  Cancelado,      // the user cancelled
  Otro
};

struct ResultadoCorreo {
  FalloCorreo fallo = FalloCorreo::Ninguno;
  std::string respuesta;  // the server's own words, or the transport's (UTF-8, one line)
  bool ok() const { return fallo == FalloCorreo::Ninguno; }
};

class TransporteCorreo {
 public:
  virtual ~TransporteCorreo() = default;
  // Connects, greets the server and signs on.
  virtual ResultadoCorreo Abre(const ConexionCorreo& conexion) = 0;
  // The largest message the server announced it takes (SIZE), 0 when it announced none.
  virtual uint64_t LimiteServidor() const = 0;
  // Sends one message from `remitente` to `destinatario` (plain addresses) over the open
  // connection. `cancelado`, when set during the transfer, stops it.
  virtual ResultadoCorreo Envia(std::string_view remitente, std::string_view destinatario,
                                FuenteMensaje& mensaje, const std::atomic<bool>* cancelado) = 0;
  // Says goodbye and closes the connection; nothing when none is open.
  virtual void Cierra() = 0;
};

}  // namespace zendo

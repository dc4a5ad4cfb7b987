#pragma once
// A real SMTP server for the mail tests: aiosmtpd on 127.0.0.1 and a free port, started for
// one test and stopped with it. It keeps every message it accepts, already parsed back by
// Python's email package, and counts the connections it was given.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zendo::prueba {

struct OpcionesSmtp {
  bool tls = false;                  // offer STARTTLS and require it (certificate made here)
  std::string usuario;               // require AUTH with this user ...
  std::string contrasena;            // ... and password
  uint64_t limite = 0;               // SIZE announced and enforced; 0 announces none
  std::vector<std::string> rechaza;  // recipients refused with 550
};

struct MensajeRecibido {
  std::string de;                 // envelope sender
  std::vector<std::string> para;  // envelope recipients
  std::string asunto;             // decoded Subject (UTF-8)
  std::string cabeceras;          // "From: ...\nTo: ...\n", decoded (UTF-8)
  std::string cuerpo;             // decoded body (UTF-8 bytes, CR LF kept)
  std::string crudo;              // the message as it arrived
};

class ServidorSmtp {
 public:
  // Starts the server in `carpeta` (a certificate too when tls is set). `listo()` tells
  // whether it came up.
  ServidorSmtp(const std::filesystem::path& carpeta, OpcionesSmtp opciones = {});
  ~ServidorSmtp();
  ServidorSmtp(const ServidorSmtp&) = delete;
  ServidorSmtp& operator=(const ServidorSmtp&) = delete;

  bool listo() const { return puerto_ > 0; }
  int puerto() const { return puerto_; }
  std::string url() const { return "smtp://127.0.0.1:" + std::to_string(puerto_); }
  // The self-signed certificate of a TLS server, to trust with --ca.
  const std::filesystem::path& certificado() const { return certificado_; }

  // The messages accepted so far, in order of arrival.
  std::vector<MensajeRecibido> Recibidos() const;
  int Conexiones() const;
  // A port of 127.0.0.1 on which nothing listens.
  static int PuertoLibre();

 private:
  std::filesystem::path carpeta_;
  std::filesystem::path certificado_;
  int puerto_ = 0;
  int pid_ = -1;
  int entrada_ = -1;  // the server's standard input: closing it ends the server
};

}  // namespace zendo::prueba

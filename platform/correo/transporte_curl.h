#pragma once
// The mail transport of the program: SMTP through libcurl. One connection from Abre to
// Cierra; every message of a send goes through it. Nothing it learns (the password, the
// messages) is written to a log or to standard error; of the dialogue with the server it
// keeps only the server's replies, to report a failure in the server's own words.

#include <curl/curl.h>

#include <string>

#include "engine/output/transporte_correo.h"

namespace zendo {

class TransporteCurl : public TransporteCorreo {
 public:
  TransporteCurl();
  ~TransporteCurl() override;
  TransporteCurl(const TransporteCurl&) = delete;
  TransporteCurl& operator=(const TransporteCurl&) = delete;

  ResultadoCorreo Abre(const ConexionCorreo& conexion) override;
  uint64_t LimiteServidor() const override { return limite_; }
  ResultadoCorreo Envia(std::string_view remitente, std::string_view destinatario,
                        FuenteMensaje& mensaje, const std::atomic<bool>* cancelado) override;
  void Cierra() override;

  // What libcurl hands to its debug callback: only the server's lines are kept.
  void Dialogo(curl_infotype tipo, const char* datos, std::size_t largo);

 private:
  void LineaServidor(std::string_view linea);
  void Reinicia();
  ResultadoCorreo Resultado(CURLcode codigo, FalloCorreo alFallar) const;
  void OlvidaContrasena();

  CURL* curl_ = nullptr;
  std::string contrasena_;
  uint64_t limite_ = 0;
  std::string recibido_;   // a server line not yet complete
  std::string respuesta_;  // the server's last reply, its lines joined
  bool respuestaCerrada_ = true;
  std::string ultimaOrden_;  // the verb of the last command sent ("MAIL", "RCPT", ...)
  int codigoRespuesta_ = 0;
  // The first refusal (a reply of 400 or more) of the current exchange and the command it
  // answered: libcurl says QUIT after it, and the goodbye must not hide it.
  std::string respuestaFallo_;
  std::string ordenFallo_;
  int codigoFallo_ = 0;
  const std::atomic<bool>* cancelado_ = nullptr;
  char error_[CURL_ERROR_SIZE] = {};
};

}  // namespace zendo

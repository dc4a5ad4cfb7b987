#pragma once
// Sending a reduction by mail: one message per address, in the order given, over one
// connection; checks first everything that can be checked before a byte leaves.

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/mensaje.h"
#include "engine/output/mensaje_correo.h"
#include "engine/output/transporte_correo.h"

namespace zendo {

// The largest message sent to a server that announces no limit of its own.
inline constexpr uint64_t kLimiteSinAnuncio = 20'000'000;

struct PeticionEnvio {
  ConexionCorreo conexion;
  std::string remitente;                   // the sender's address
  std::string nombreRemitente;             // UTF-8, may be empty
  std::vector<std::string> destinatarios;  // Windows-1252 as typed; sent trimmed, in order
  std::string asunto;                      // Windows-1252
  CuerpoCorreo cuerpo;
};

struct InformeEnvio {
  std::vector<std::string> recibidos;   // the addresses that received the message
  std::vector<std::string> pendientes;  // those that did not, the failed one first
  ResultadoCorreo resultado;            // FalloCorreo::Ninguno when every message went
  std::string direccionFallida;         // the address or file the failure was about
  std::string motivo;                   // why it was refused before sending (Windows-1252)
  uint64_t tamano = 0;                  // the refused message's size and the limit it broke
  uint64_t limite = 0;
};

// Called before each message with its number (1-based) and the count.
using ProgresoEnvio = std::function<void(int numero, int total)>;

// Validates every address, checks that the columns file can be read, opens the connection,
// refuses a message larger than the server's limit (kLimiteSinAnuncio when it has none) and
// sends; stops at the first failure or when `cancelado` is set between or during messages.
InformeEnvio EnviaMensajes(TransporteCorreo& transporte, const PeticionEnvio& peticion,
                           const ProgresoEnvio& progreso, const std::atomic<bool>* cancelado,
                           std::time_t ahora);

// "Enviando el mensaje 2 de 3" (Windows-1252).
std::string TextoProgresoEnvio(int numero, int total);

// The message dialog's account of a send that did not wholly succeed, in Spanish, with the
// server's own words and the addresses that did receive it. Help context 2460.
Mensaje MensajeEnvio(const InformeEnvio& informe);

// A server's or library's words made safe for a message: printable characters only,
// Windows-1252, one line.
std::string PalabrasServidor(std::string_view utf8);

}  // namespace zendo

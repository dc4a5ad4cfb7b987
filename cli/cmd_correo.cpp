// zendo-cli correo: the message of a stored reduction, shown or sent by SMTP.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "cli/comandos.h"
#include "engine/core/datos_generales.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/output/ajustes_correo.h"
#include "engine/output/direcciones.h"
#include "engine/output/envio_correo.h"
#include "engine/output/mensaje_correo.h"
#ifdef ZENDO_CON_CORREO
#include "platform/correo/transporte_curl.h"
#endif

namespace zendo::cli {
namespace {

// Only the companion program sends mail; zendo-cli only shows the message.
[[maybe_unused]] constexpr int kSalidaServidor = 69;  // the mail server refused or unreachable
constexpr const char* kVariableContrasena = "ZENDO_SMTP_PASSWORD";

// "smtp://host:port" or "smtps://host:port": the connection to make, or nullopt.
std::optional<ConexionCorreo> Conexion(const std::string& url, bool conUsuario) {
  ConexionCorreo c;
  c.url = url;
  std::string resto;
  if (url.rfind("smtps://", 0) == 0) {
    c.tls = NivelTls::Obligatorio;
    resto = url.substr(8);
  } else if (url.rfind("smtp://", 0) == 0) {
    resto = url.substr(7);
    // A password never goes in clear to another machine.
    std::string host = resto.substr(0, resto.rfind(':'));
    c.tls = conUsuario && !ServidorLocal(host) ? NivelTls::Obligatorio : NivelTls::SiSeOfrece;
  } else {
    return std::nullopt;
  }
  if (resto.empty() || resto.find_first_of("/?#@ ") != std::string::npos) return std::nullopt;
  return c;
}

bool MuestraMensaje(const std::string& asunto, const CuerpoCorreo& cuerpo) {
  LectorCuerpo lector(cuerpo);
  if (lector.error() != 0) {
    ImprimeError(LineaFallo(
        "RED", {lector.error(), cuerpo.columnas.filename().string(), OperacionFichero::Leer}));
    return false;
  }
  std::string salida = Cp1252AUtf8(asunto) + "\r\n\r\n";
  for (std::string linea; lector.Siguiente(linea);) {
    salida += Cp1252AUtf8(linea);
    salida += "\r\n";
    if (salida.size() >= (1u << 20)) {
      std::cout << salida;
      salida.clear();
    }
  }
  std::cout << salida;
  if (lector.error() != 0) {
    ImprimeError(LineaFallo(
        "RED", {lector.error(), cuerpo.columnas.filename().string(), OperacionFichero::Leer}));
    return false;
  }
  return true;
}

int Correo(const Argumentos& a) {
  if (!a.Valores("--para").empty()) {
    if (const auto salida = EjecutaEnSalida()) return *salida;
  }
  const auto pedida = PideReduccion(a);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& ruta = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;
  const bool mostrar = a.Tiene("--mostrar");
  const std::vector<std::string> para = a.Valores("--para");
  if (mostrar == !para.empty()) {
    std::cerr << "zendo-cli: indique --mostrar, o una o más direcciones con --para\n";
    return kSalidaUso;
  }
  std::optional<ConexionCorreo> conexion;
  const std::string usuario = a.Opcion("--usuario").value_or("");
  if (!mostrar) {
    const auto servidor = a.Opcion("--servidor");
    if (!servidor) {
      std::cerr << "zendo-cli: falta --servidor smtp://servidor:puerto\n";
      return kSalidaUso;
    }
    conexion = Conexion(*servidor, !usuario.empty());
    if (!conexion) {
      std::cerr
          << "zendo-cli: --servidor debe ser smtp://servidor:puerto o smtps://servidor:puerto\n";
      return kSalidaUso;
    }
    for (const auto& d : para) {
      if (const std::string motivo = FalloDireccion(d); !motivo.empty()) {
        ImprimeError(Cp("zendo-cli: la dirección ") + PalabrasServidor(d) + Cp(" no sirve: ") +
                     motivo);
        return kSalidaUso;
      }
    }
    if (!usuario.empty()) {
      const char* clave = std::getenv(kVariableContrasena);
      if (clave == nullptr) {
        std::cerr << "zendo-cli: con --usuario, la contraseña va en la variable de entorno "
                  << kVariableContrasena << "\n";
        return kSalidaUso;
      }
      conexion->usuario = usuario;
      conexion->contrasena = clave;
    }
    conexion->ca = a.Opcion("--ca").value_or("");
  }

  const auto guardada = CargaReduccionGuardada(ruta, jornada, orden);
  if (!guardada) return kSalidaError;
  const Reduccion& r = guardada->r;
  // Reading creates nothing: without JORNADAS.TVX the jornada is empty.
  const LecturaJornada lj = LeeJornada(ruta, jornada, false);
  if (lj.error != 0) {
    ImprimeFallo(lj.mensaje, lj.fallo);
    return kSalidaError;
  }
  const Jornada& j = lj.jornada;
  const CuerpoCorreo cuerpo = CuerpoReduccion(ruta, r, j, guardada->datos.Precio,
                                              !a.Tiene("--sin-base"), a.Tiene("--columnas"));
  const std::string asunto = AsuntoCorreo(jornada, orden);

  if (mostrar) {
    const bool ok = MuestraMensaje(asunto, cuerpo);
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "zendo-cli: no se ha podido escribir la salida\n";
      return kSalidaError;
    }
    return ok ? kSalidaOk : kSalidaError;
  }

#ifndef ZENDO_CON_CORREO
  std::cerr << "zendo-cli: esta compilación no puede enviar correo (falta libcurl)\n";
  return kSalidaError;
#else
  PeticionEnvio p;
  p.conexion = *conexion;
  p.remitente =
      a.Opcion("--remitente")
          .value_or(FalloDireccion(usuario).empty() ? usuario : std::string("zendo@localhost"));
  p.destinatarios = para;
  p.asunto = asunto;
  p.cuerpo = cuerpo;
  TransporteCurl transporte;
  const InformeEnvio informe = EnviaMensajes(transporte, p, {}, nullptr, std::time(nullptr));
  for (const auto& d : informe.recibidos) std::cout << "enviado " << d << "\n";
  std::cout.flush();
  if (informe.resultado.ok()) return std::cout ? kSalidaOk : kSalidaError;
  ImprimeError(MensajeEnvio(informe).texto);
  switch (informe.resultado.fallo) {
    case FalloCorreo::Lectura:
      return kSalidaError;
    case FalloCorreo::Remitente:
    case FalloCorreo::Destinatario:
      return informe.motivo.empty() ? kSalidaServidor : kSalidaUso;
    default:
      return kSalidaServidor;
  }
#endif
}

const RegistroComando kCorreo({
    "correo",
    "el mensaje de correo de una reducción: mostrarlo o enviarlo por SMTP",
    "Uso: zendo-cli correo --datos CARPETA --jornada J --orden O [--sin-base] [--columnas]\n"
    "                      (--mostrar | --para DIRECCIÓN [--para DIRECCIÓN ...]\n"
    "                       --servidor URL [--usuario U] [--remitente DIRECCIÓN] [--ca "
    "FICHERO])\n\n"
    "El mensaje de la reducción guardada (J, O): el asunto \"Datos de la jornada J. Reducción\n"
    "nro. O\" y un cuerpo de texto con la quiniela base y condiciones (la hoja de datos\n"
    "básicos; se quita con --sin-base) y las columnas reducidas, una línea \"Apuesta nro.\"\n"
    "por columna (con --columnas).\n\n"
    "  --mostrar      escribe el asunto, una línea vacía y el cuerpo, en UTF-8 con saltos de\n"
    "                 línea CR LF, sin enviar nada.\n"
    "  --para D       envía un mensaje a D; se repite para varias direcciones, que reciben\n"
    "                 su mensaje en el orden dado, todos por una sola conexión.\n"
    "  --servidor URL smtp://servidor:puerto (STARTTLS cuando el servidor lo ofrece; es\n"
    "                 obligatorio si hay usuario y el servidor no es este ordenador) o\n"
    "                 smtps://servidor:puerto (TLS desde el principio).\n"
    "  --usuario U    se identifica como U; la contraseña se lee de la variable de entorno\n"
    "                 ZENDO_SMTP_PASSWORD (nunca de la línea de órdenes).\n"
    "  --remitente D  la dirección del remitente (por omisión el usuario, si es una\n"
    "                 dirección, o zendo@localhost).\n"
    "  --ca FICHERO   confía además en la autoridad de certificación de FICHERO (PEM).\n\n"
    "Un mensaje mayor que el límite que anuncia el servidor (o que 20 MB si no anuncia\n"
    "ninguno) no se envía. Al terminar escribe \"enviado DIRECCIÓN\" por cada mensaje\n"
    "aceptado; ante un fallo se detiene y explica el motivo con las palabras del servidor.\n"
    "Salida: 0 bien; 1 un fichero no se pudo leer; 64 argumentos incorrectos (también una\n"
    "dirección no válida); 69 el servidor rechazó el envío o no se pudo contactar con él.\n",
    {"--datos", "--jornada", "--orden", "--para", "--servidor", "--usuario", "--remitente", "--ca"},
    {"--sin-base", "--columnas", "--mostrar"},
    Correo,
});

}  // namespace
}  // namespace zendo::cli

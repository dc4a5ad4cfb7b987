#include "engine/output/ajustes_correo.h"

#include <algorithm>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"
#include "engine/output/direcciones.h"

namespace zendo {

int PuertoHabitual(SeguridadCorreo seguridad) {
  switch (seguridad) {
    case SeguridadCorreo::SslTls:
      return 465;
    case SeguridadCorreo::Ninguna:
      return 25;
    case SeguridadCorreo::StartTls:
      break;
  }
  return 587;
}

bool ServidorLocal(std::string_view servidor) {
  const std::string_view s = Recorta(servidor);
  return s == "localhost" || s == "::1" || s == "[::1]" || s.substr(0, 4) == "127.";
}

std::string TextoAjustesCorreo(const AjustesCorreo& a) {
  std::string t;
  auto linea = [&t](std::string_view nombre, std::string_view valor) {
    t += std::string(nombre) + "=" + std::string(valor) + kSaltoLinea;
  };
  linea("Servidor", a.servidor);
  linea("Puerto", std::to_string(a.puerto));
  linea("Seguridad", std::to_string(static_cast<int>(a.seguridad)));
  linea("Usuario", a.usuario);
  linea("Remitente", a.remitente);
  linea("Nombre", a.nombre);
  return t;
}

AjustesCorreo ParseaAjustesCorreo(std::string_view texto) {
  AjustesCorreo a;
  for (const auto linea : PartirLineas(texto)) {
    const auto igual = linea.find('=');
    if (igual == std::string_view::npos) continue;
    const std::string_view nombre = Recorta(linea.substr(0, igual));
    // A value never holds a control character: it goes into a mail header or a URL.
    std::string valor;
    for (char c : Recorta(linea.substr(igual + 1))) {
      if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) valor += c;
    }
    if (nombre == "Servidor") {
      a.servidor = valor;
    } else if (nombre == "Puerto") {
      const int32_t p = ValEntero(valor);
      if (p >= 1 && p <= 65535) a.puerto = p;
    } else if (nombre == "Seguridad") {
      const int32_t s = ValEntero(valor);
      if (s >= 0 && s <= 2) a.seguridad = static_cast<SeguridadCorreo>(s);
    } else if (nombre == "Usuario") {
      a.usuario = valor;
    } else if (nombre == "Remitente") {
      a.remitente = valor;
    } else if (nombre == "Nombre") {
      a.nombre = valor;
    }
  }
  return a;
}

LecturaAjustesCorreo LeeAjustesCorreo(const std::filesystem::path& rutaDatos) {
  LecturaAjustesCorreo l;
  std::string contenido;
  l.error = LeeFichero(rutaDatos / kFicheroAjustesCorreo, contenido);
  if (l.error == kErrNoEncontrado) {
    l.error = kSinError;
    return l;
  }
  if (l.error != kSinError) {
    l.mensaje = Cp("No se han podido leer los ajustes de correo del fichero CORREO.TVX (error ") +
                std::to_string(l.error) + ").";
    l.fallo = {l.error, kFicheroAjustesCorreo, OperacionFichero::Leer};
    return l;
  }
  l.existe = true;
  l.ajustes = ParseaAjustesCorreo(contenido);
  return l;
}

int16_t GuardaAjustesCorreo(const std::filesystem::path& rutaDatos, const AjustesCorreo& a) {
  return ReemplazaFichero(rutaDatos / kFicheroAjustesCorreo, TextoAjustesCorreo(a));
}

std::string MensajeFalloAjustesCorreo(int16_t error) {
  return ConCausa("No se han podido guardar los ajustes en el fichero CORREO.TVX (error " +
                      std::to_string(error) +
                      "). Compruebe que la carpeta de datos admite escritura.",
                  {error, kFicheroAjustesCorreo, OperacionFichero::Escribir});
}

std::string FalloAjustesCorreo(const AjustesCorreo& a) {
  const std::string_view servidor = Recorta(a.servidor);
  if (servidor.empty()) return Cp("Escriba el nombre del servidor de correo.");
  if (servidor.find_first_of(" /?#@\\\"") != std::string_view::npos ||
      std::any_of(servidor.begin(), servidor.end(),
                  [](unsigned char c) { return c < 0x21 || c >= 0x7F; })) {
    return Cp("El nombre del servidor de correo no es válido.");
  }
  if (a.puerto < 1 || a.puerto > 65535) return Cp("El puerto debe ser un número de 1 a 65535.");
  if (a.seguridad == SeguridadCorreo::Ninguna && !ServidorLocal(servidor)) {
    return Cp(
        "Sin cifrado solo se puede enviar a un servidor de este mismo ordenador "
        "(localhost). Elija STARTTLS o SSL/TLS.");
  }
  if (a.usuario.find_first_of("\r\n") != std::string::npos) {
    return Cp("El nombre de usuario no es válido.");
  }
  if (Recorta(a.remitente).empty()) return Cp("Escriba la dirección del remitente.");
  if (const std::string motivo = FalloDireccion(a.remitente); !motivo.empty()) {
    return Cp("La dirección del remitente no es válida: ") + motivo;
  }
  return {};
}

ConexionCorreo ConexionDeAjustes(const AjustesCorreo& a, std::string contrasena) {
  ConexionCorreo c;
  const std::string servidor(Recorta(a.servidor));
  const bool ipv6 = servidor.find(':') != std::string::npos && servidor.front() != '[';
  const std::string host = ipv6 ? "[" + servidor + "]" : servidor;
  c.url = std::string(a.seguridad == SeguridadCorreo::SslTls ? "smtps://" : "smtp://") + host +
          ":" + std::to_string(a.puerto);
  c.tls = a.seguridad == SeguridadCorreo::Ninguna ? NivelTls::Ninguno : NivelTls::Obligatorio;
  c.usuario = Cp1252AUtf8(Recorta(a.usuario));
  if (!c.usuario.empty()) c.contrasena = std::move(contrasena);
  return c;
}

std::string ClaveLlavero(const AjustesCorreo& a) {
  return std::string(Recorta(a.usuario)) + "@" + std::string(Recorta(a.servidor)) + ":" +
         std::to_string(a.puerto);
}

}  // namespace zendo

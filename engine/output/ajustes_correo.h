#pragma once
// The mail settings: the server, how the connection is protected, the user name and the
// sender, kept in CORREO.TVX in the data folder. The password is never among them: it lives
// in the desktop's keyring, or only in memory for the run.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/core/fallo.h"
#include "engine/output/transporte_correo.h"

namespace zendo {

inline constexpr const char* kFicheroAjustesCorreo = "CORREO.TVX";

enum class SeguridadCorreo : int {
  StartTls = 0,  // smtp:// then STARTTLS, required
  SslTls = 1,    // smtps://, TLS from the start
  Ninguna = 2    // plain: only to a server on this machine
};

struct AjustesCorreo {
  std::string servidor;  // host name or address, Windows-1252 (ASCII in practice)
  int puerto = 587;
  SeguridadCorreo seguridad = SeguridadCorreo::StartTls;
  std::string usuario;    // empty: the server asks for no sign-on
  std::string remitente;  // the sender's address
  std::string nombre;     // the sender's display name, Windows-1252, may be empty

  bool operator==(const AjustesCorreo&) const = default;
};

// The usual port of each kind of connection: 587, 465, 25.
int PuertoHabitual(SeguridadCorreo seguridad);

// True for a host on this machine: "localhost", 127.x.x.x, "::1".
bool ServidorLocal(std::string_view servidor);

struct LecturaAjustesCorreo {
  AjustesCorreo ajustes;
  bool existe = false;  // the file was there: the settings were made
  int16_t error = 0;
  std::string mensaje;  // a read error to show (Windows-1252)
  FalloFichero fallo;   // the file and the cause: the message's second line (ConCausa)
};
// A missing file is not an error: the settings are then to be made (existe false).
LecturaAjustesCorreo LeeAjustesCorreo(const std::filesystem::path& rutaDatos);
// Lines "Nombre=valor" ended by CR LF, replaced whole through a temporary file.
int16_t GuardaAjustesCorreo(const std::filesystem::path& rutaDatos, const AjustesCorreo& a);
std::string TextoAjustesCorreo(const AjustesCorreo& a);
// The message for a failed save (Windows-1252), the file and the cause on its second line.
std::string MensajeFalloAjustesCorreo(int16_t error);
AjustesCorreo ParseaAjustesCorreo(std::string_view texto);

// What is wrong with the settings (Windows-1252), empty when they can be used.
std::string FalloAjustesCorreo(const AjustesCorreo& a);

// Where and how to connect with these settings and a password (empty without a user).
ConexionCorreo ConexionDeAjustes(const AjustesCorreo& a, std::string contrasena);

// The keyring entry of a password: "usuario@servidor:puerto".
std::string ClaveLlavero(const AjustesCorreo& a);

}  // namespace zendo

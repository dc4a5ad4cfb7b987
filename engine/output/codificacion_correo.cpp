#include "engine/output/codificacion_correo.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <random>

namespace zendo {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kLargoLinea = 76;
constexpr std::size_t kLargoPalabra = 75;

bool AsciiImprimible(std::string_view s) {
  for (unsigned char c : s) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

// Bytes that stand for themselves inside a Q encoded word anywhere in a header, phrases
// included (RFC 2047, 5 (3)).
bool LiteralQ(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' ||
         c == '*' || c == '+' || c == '-' || c == '/';
}

// The Q encoding of one whole UTF-8 character (1 to 4 bytes).
std::string CaracterQ(std::string_view caracter) {
  std::string q;
  for (unsigned char c : caracter) {
    if (c == ' ') {
      q += '_';
    } else if (LiteralQ(c)) {
      q += static_cast<char>(c);
    } else {
      q += '=';
      q += kHex[c >> 4];
      q += kHex[c & 0xF];
    }
  }
  return q;
}

std::size_t LargoCaracterUtf8(unsigned char primero) {
  if (primero >= 0xF0) return 4;
  if (primero >= 0xE0) return 3;
  if (primero >= 0xC0) return 2;
  return 1;
}

// Encoded words for the whole text, separated by CR LF and a blank (a folding point between
// words, which a reader drops). `usado` is how much of the first line is already taken; the
// first word is made short enough to end on that line.
std::string PalabrasCodificadas(std::string_view utf8, std::size_t usado) {
  static constexpr std::string_view kInicio = "=?UTF-8?Q?";
  static constexpr std::string_view kFin = "?=";
  static constexpr std::size_t kMarco = kInicio.size() + kFin.size();
  std::string salida;
  std::string palabra;
  // Room for the word being built: what is left of the first line, then a whole folded line
  // after its leading blank.
  std::size_t cabe = std::min(kLargoPalabra, kLargoLinea > usado ? kLargoLinea - usado : 0);
  auto cierra = [&] {
    if (!salida.empty()) salida += "\r\n ";
    salida += kInicio;
    salida += palabra;
    salida += kFin;
    palabra.clear();
    cabe = std::min(kLargoPalabra, kLargoLinea - 1);
  };
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t n =
        std::min(LargoCaracterUtf8(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string q = CaracterQ(utf8.substr(i, n));
    if (kMarco + palabra.size() + q.size() > cabe && !palabra.empty()) cierra();
    palabra += q;
    i += n;
  }
  if (!palabra.empty()) cierra();
  return salida;
}

}  // namespace

std::string CabeceraTexto(std::string_view nombre, std::string_view valorUtf8) {
  std::string h(nombre);
  h += ": ";
  if (AsciiImprimible(valorUtf8) && h.size() + valorUtf8.size() <= kLargoLinea) {
    h += valorUtf8;
  } else if (AsciiImprimible(valorUtf8)) {
    // Fold a long ASCII value at its blanks.
    std::size_t linea = h.size();
    std::size_t i = 0;
    while (i < valorUtf8.size()) {
      std::size_t fin = valorUtf8.find(' ', i + 1);
      if (fin == std::string_view::npos) fin = valorUtf8.size();
      const std::string_view trozo = valorUtf8.substr(i, fin - i);
      if (linea + trozo.size() > kLargoLinea && i > 0) {
        h += "\r\n";
        linea = 0;
      }
      h += trozo;
      linea += trozo.size();
      i = fin;
    }
  } else {
    h += PalabrasCodificadas(valorUtf8, h.size());
  }
  return h + "\r\n";
}

std::string FraseCorreo(std::string_view nombreUtf8) {
  if (nombreUtf8.empty()) return {};
  if (AsciiImprimible(nombreUtf8)) {
    std::string q = "\"";
    for (char c : nombreUtf8) {
      if (c == '"' || c == '\\') q += '\\';
      q += c;
    }
    return q + "\"";
  }
  return PalabrasCodificadas(nombreUtf8, 6);
}

std::string BuzonCorreo(std::string_view nombreUtf8, std::string_view direccion) {
  if (nombreUtf8.empty()) return std::string(direccion);
  return FraseCorreo(nombreUtf8) + " <" + std::string(direccion) + ">";
}

void AnadeLineaQp(std::string& salida, std::string_view linea) {
  std::size_t columna = 0;
  const std::size_t n = linea.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(linea[i]);
    const bool ultimo = i + 1 == n;
    const bool literal = (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !ultimo);
    const std::size_t largo = literal ? 1 : 3;
    // Room for a soft break "=" after this character, unless it ends the line.
    const std::size_t limite = ultimo ? kLargoLinea : kLargoLinea - 1;
    if (columna + largo > limite) {
      salida += "=\r\n";
      columna = 0;
    }
    if (literal) {
      salida += static_cast<char>(c);
    } else {
      salida += '=';
      salida += kHex[c >> 4];
      salida += kHex[c & 0xF];
    }
    columna += largo;
  }
  salida += "\r\n";
}

std::string FechaCorreo(const std::tm& local, long desplazamiento) {
  static constexpr std::array<const char*, 7> kDias = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMeses = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const long minutos = (desplazamiento < 0 ? -desplazamiento : desplazamiento) / 60;
  char texto[64];
  std::snprintf(texto, sizeof texto, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                kDias[static_cast<std::size_t>(local.tm_wday % 7)], local.tm_mday,
                kMeses[static_cast<std::size_t>(local.tm_mon % 12)], local.tm_year + 1900,
                local.tm_hour, local.tm_min, local.tm_sec, desplazamiento < 0 ? '-' : '+',
                minutos / 60, minutos % 60);
  return texto;
}

std::string FechaCorreo(std::time_t instante) {
  std::tm local{};
  localtime_r(&instante, &local);
  return FechaCorreo(local, local.tm_gmtoff);
}

std::string IdentificadorMensaje(std::string_view dominio) {
  std::random_device azar;
  const uint64_t aleatorio = (static_cast<uint64_t>(azar()) << 32) ^ azar();
  const auto ahora = std::chrono::system_clock::now().time_since_epoch();
  char texto[80];
  std::snprintf(texto, sizeof texto, "%llx.%llx",
                static_cast<unsigned long long>(
                    std::chrono::duration_cast<std::chrono::microseconds>(ahora).count()),
                static_cast<unsigned long long>(aleatorio));
  return "<" + std::string(texto) + "@" + std::string(dominio.empty() ? "zendo" : dominio) + ">";
}

}  // namespace zendo

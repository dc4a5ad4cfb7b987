#pragma once
// The pieces of an Internet message that must survive any mail server: headers in plain
// ASCII (texts with accents as RFC 2047 encoded words), a quoted-printable UTF-8 body, CR LF
// line ends, and the Date and Message-ID a message carries.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace zendo {

// A whole unstructured header ("Subject: ..."), CR LF included: the value as it stands when
// it is printable ASCII, else as encoded words ("=?UTF-8?Q?...?="), each at most 75
// characters and never splitting a character, folded so no line passes 76 characters.
std::string CabeceraTexto(std::string_view nombre, std::string_view valorUtf8);

// A display name for From or To: a quoted string when it is printable ASCII, else encoded
// words safe inside a phrase. Empty for an empty name.
std::string FraseCorreo(std::string_view nombreUtf8);

// A mailbox: "Name <address>" or "address" alone when the name is empty.
std::string BuzonCorreo(std::string_view nombreUtf8, std::string_view direccion);

// Appends one line (without its line end) quoted-printable encoded, followed by CR LF: "="
// and bytes outside printable ASCII as =XX, a blank at the end of the line as =20 or =09,
// soft line breaks so no encoded line passes 76 characters.
void AnadeLineaQp(std::string& salida, std::string_view linea);

// "Tue, 05 Mar 2024 10:07:09 +0100": the local time of `instante` with its offset from UTC,
// English day and month names whatever the locale.
std::string FechaCorreo(std::time_t instante);
// The same for a broken-down time and an offset east of UTC in seconds.
std::string FechaCorreo(const std::tm& local, long desplazamiento);

// "<hex.hex@dominio>", unique for each call.
std::string IdentificadorMensaje(std::string_view dominio);

}  // namespace zendo

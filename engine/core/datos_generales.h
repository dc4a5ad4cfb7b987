#pragma once
// The general data: the program's settings and the key of the current reduction, kept in
// DATOSGEN.TVX as one line of 15 comma-separated fields. This is the one reader and writer
// of that line: whatever it reads is brought into range, and whatever it writes is a valid
// line.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zendo {

struct DatosGenerales {
  int16_t Jornada = 1;
  std::string FechaJornada = "30/08/09";  // 8 characters
  int16_t Orden = 1;
  int16_t Metodo = 1;
  int16_t MargenIzqBoleto = 0;
  int16_t MargenSupBoleto = 0;
  int16_t MargenIzqContinuo = 0;
  int16_t MargenSupContinuo = 0;
  int16_t Orientacion = 1;
  int16_t TotalJornadas = 55;
  int16_t TotalOrdenes = 30;
  std::string PrecioApuesta = "0.50";    // 4 characters, "." as decimal point
  std::string CodigoDelegacion = "00";   // 2 characters
  std::string CodigoReceptor = "00000";  // 5 characters
  std::string Sonido = "Si";             // 2 characters: "Si" or "No"

  float Precio = 0.5f;  // the numeric value of PrecioApuesta

  // Brings every field into its range (a field that cannot be held takes its default, see
  // below), pads the text fields to their widths and recomputes Precio.
  void Normaliza();
  bool operator==(const DatosGenerales&) const = default;
};

inline constexpr const char* kFicheroDatosGenerales = "DATOSGEN.TVX";
inline constexpr int kCamposDatosGenerales = 15;

// The ranges of the fields. Jornada and Orden run from 1 to the totals; a total outside
// 1..60 becomes 60 (the rule of the general data screen); a method, an orientation, a
// price, a code, a sound setting or a date that is not one of theirs takes its default;
// margins are kept within 0..kMaximoMargen.
inline constexpr int16_t kMaximoTotal = 60;
inline constexpr int16_t kMaximoMargen = 9999;  // tenths of a millimetre
inline constexpr double kPrecioMaximo = 100.0;  // euros; a price must be above 0

// Whether a price typed or read is one a bet can have: above 0 and at most 100 euros.
bool PrecioAdmitido(double precio);

// The line of the file, CR LF included, always valid: the values are brought into range.
std::string LineaDatosGenerales(const DatosGenerales& d);

// Parses one line. A line without exactly 15 fields, or a number field holding anything
// but a number, sets *erronea (LDG ERROR 13); the fields that cannot be read keep their
// defaults, and then every field is brought into range.
DatosGenerales ParseaDatosGenerales(std::string_view linea, bool* erronea = nullptr);

struct ResultadoDatos {
  int16_t error = 0;    // ErrorFichero
  std::string mensaje;  // for the caller to show (Windows-1252); empty when none
};

// Fills `d` from the file. A missing file is created with the defaults (error 53 and its
// message); an empty file is error 62; a wrong line is error 13 with the values read and
// brought into range; any other failure leaves the defaults. Every error but 53 gives
// "LDG ERROR n".
ResultadoDatos LeeDatosGenerales(const std::filesystem::path& rutaDatos, DatosGenerales& d);

// Replaces the file; a failure leaves the previous file intact and is returned.
int16_t GuardaDatosGenerales(const std::filesystem::path& rutaDatos, const DatosGenerales& d);

}  // namespace zendo

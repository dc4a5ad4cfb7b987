#pragma once
// The general data: the program's settings and the key of the current reduction, kept in
// DATOSGEN.TVX as one line of 15 comma-separated fields.

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

  // Pads or cuts the four text fields (and the date) to their widths and recomputes Precio.
  void Normaliza();
  bool operator==(const DatosGenerales&) const = default;
};

inline constexpr const char* kFicheroDatosGenerales = "DATOSGEN.TVX";

// The line of the file, CR LF included.
std::string LineaDatosGenerales(const DatosGenerales& d);
// Parses one line; missing fields keep their defaults, garbage reads as 0 or blanks.
DatosGenerales ParseaDatosGenerales(std::string_view linea);

struct ResultadoDatos {
  int16_t error = 0;    // ErrorFichero
  std::string mensaje;  // for the caller to show (Windows-1252); empty when none
};

// Fills `d` from the file. A missing file is created with the defaults (error 53 and its
// message); any other failure leaves the defaults and gives "LDG ERROR n".
ResultadoDatos LeeDatosGenerales(const std::filesystem::path& rutaDatos, DatosGenerales& d);

// Replaces the file; a failure leaves the previous file intact and is returned.
int16_t GuardaDatosGenerales(const std::filesystem::path& rutaDatos, const DatosGenerales& d);

}  // namespace zendo

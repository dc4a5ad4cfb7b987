#pragma once
// A failed file operation as the user is told about it: the error number of the short code
// ("RED ERROR 61"), and the file and the cause in words ("disco lleno al escribir
// RED3001.TVX").

#include <cstdint>
#include <string>

namespace zendo {

enum class OperacionFichero { Leer, Escribir, Crear, Borrar, Renombrar, Bloquear };

struct FalloFichero {
  int16_t error = 0;    // ErrorFichero; 0 when nothing failed
  std::string fichero;  // the file's name (without folder), or the folder's path
  OperacionFichero operacion = OperacionFichero::Leer;

  explicit operator bool() const { return error != 0; }
};

// The cause of an error number in words: 61 "disco lleno".
std::string CausaError(int16_t error);

// "disco lleno al escribir RED3001.TVX" (Windows-1252); empty when nothing failed.
std::string DescribeFallo(const FalloFichero& f);

// For zendo-cli, the short code with the number, then the file and the cause:
// "RED ERROR 61: disco lleno al escribir RED3001.TVX".
std::string LineaFallo(const char* codigo, const FalloFichero& f);

// For a message box, the short code and number as the program always showed them, and the
// file and the cause on a second line: "RED ERROR 61" CR LF "Disco lleno al escribir
// RED3001.TVX.". Only the first line when nothing is known of the file.
std::string MensajeFallo(const char* codigo, const FalloFichero& f);
// That second line alone (empty when nothing failed).
std::string SegundaLineaFallo(const FalloFichero& f);
// An engine's message ("LFB ERROR 70", or a text ending in such a line) with that second
// line added when the failure is known.
std::string ConCausa(const std::string& mensaje, const FalloFichero& f);

}  // namespace zendo

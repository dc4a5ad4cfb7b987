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

// The short code with the number, then the file and the cause:
// "RED ERROR 61: disco lleno al escribir RED3001.TVX".
std::string MensajeFallo(const char* codigo, const FalloFichero& f);

}  // namespace zendo

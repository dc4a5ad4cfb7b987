#pragma once
// One entry for every printed document of the output modes 1 to 4: what the screen
// `listados` and zendo-cli hand over, and the routine of the mode that draws it.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/core/jornadas.h"
#include "engine/output/control_impresion.h"
#include "engine/output/paginas.h"
#include "engine/reduction/modelo.h"

namespace zendo {

inline constexpr int kModoDatos = 1;
inline constexpr int kModoBoletos = 2;
inline constexpr int kModoContinuo = 3;
inline constexpr int kModoRelacion = 4;

struct Impresion {
  int modo = kModoDatos;  // ModoSalida 1..4
  std::filesystem::path rutaDatos;
  Reduccion reduccion;  // the loaded definition of the current reduction
  Jornada jornada;      // its jornada's record: date and team names
  float precio = 0.5f;  // PrecioApuesta
  int64_t BoletoInicial = 1;
  int64_t BoletoFinal = 1;
  int NumCopias = 1;
  int AnchoPapel = 0;
  int MargenIzq = 0;  // the boleto margins in mode 2, the continuous ones in mode 3
  int MargenSup = 0;
  int Orientacion = 1;
  bool reverso = false;
  bool prueba = false;
  const std::atomic<bool>* cancelar = nullptr;  // also stops building the work file
};

ResultadoImpresion Imprime(const Impresion& p, DestinoPaginas& destino, ControlImpresion& control);

// A default file name for the document in PDF: "Boletos0703.pdf" and the like.
std::string NombrePdf(int modo, int jornada, int orden);

}  // namespace zendo

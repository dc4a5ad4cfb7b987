#pragma once
// The boletos on paper: ImpriBoletos (output mode 2, one print job per boleto, the run
// waiting after each one for Repetir, Siguiente or cancel) and ImpriContinuo (output mode 3,
// two rotated boletos on each sheet of continuous paper). A test print marks every box of
// one boleto (two on continuous paper) with the number 999.999 and reads no columns.

#include <cstdint>
#include <functional>

#include "engine/output/columnas_salida.h"
#include "engine/output/control_impresion.h"
#include "engine/output/paginas.h"

namespace zendo {

// The font of the boleto number: the printer's own, of which the runs set only the size.
inline constexpr const char* kFuenteImpresora = "Arial";
inline constexpr Centesimas kPuntosBoleto = 900;
// Continuous paper: A4 (16838 twips high) cut to 158.5 mm.
inline constexpr int kPapelUsuario = 256;
inline constexpr int kPapelA4 = 9;
inline constexpr int kAltoA4 = 16838;
int AltoPapelContinuo();

struct OpcionesBoletos {
  int64_t BoletoInicial = 1;
  int64_t BoletoFinal = 1;
  int MargenIzq = 0;        // tenths of a millimetre: the boleto margins in mode 2,
  int MargenSup = 0;        // the continuous ones in mode 3
  int Orientacion = 1;      // mode 2: 1 upright, 2 rotated
  bool reverso = false;     // mode 2: "Imprimir en el reverso o en papel en blanco"
  bool prueba = false;      // "Prueba de impresión"
  int32_t NumApuestas = 0;  // mode 2: a last boleto with one column is told
};

// Opens the columns when the run needs them (never for a test print).
using AbreColumnas = std::function<AperturaColumnas()>;

ResultadoImpresion ImpriBoletos(const OpcionesBoletos& o, const AbreColumnas& abre,
                                DestinoPaginas& destino, ControlImpresion& control);
ResultadoImpresion ImpriContinuo(const OpcionesBoletos& o, const AbreColumnas& abre,
                                 DestinoPaginas& destino, ControlImpresion& control);

// The status line while boleto `boleto` is printed (`patron` "######" or "#######").
std::string TextoImprimiendoBoleto(int64_t boleto, const char* patron = "#######");

}  // namespace zendo

#pragma once
// The two listings on plain paper, in "Courier New" 9.75 points: the basic-data sheet of a
// reduction in as many copies as asked (output mode 1) and the list of boletos, four
// boletos side by side on narrow paper or seven on wide paper, three rows to a page
// (output mode 4).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/output/columnas_salida.h"
#include "engine/output/control_impresion.h"
#include "engine/output/hoja_datos.h"
#include "engine/output/impri_boletos.h"
#include "engine/output/paginas.h"

namespace zendo {

// ImpriDatosBasicos: `hoja` as HojaDatosBasicos gives it for paper.
ResultadoImpresion ImpriDatosBasicos(const std::vector<LineaHoja>& hoja, int copias,
                                     DestinoPaginas& destino, ControlImpresion& control);

struct OpcionesRelacion {
  int64_t BoletoInicial = 1;
  int64_t BoletoFinal = 1;
  int64_t NumBoletos = 1;
  int AnchoPapel = 0;  // 0 narrow (Din A4), 1 wide (350 mm)
  int Jornada = 1;
  int Orden = 1;
  std::string FechaJornada;  // 8 characters
  std::string Descripcion;   // 35 characters, Windows-1252
};

// Boletos side by side and records in a row of the list.
inline int BoletosPorFila(int anchoPapel) {
  return 3 * anchoPapel + 4;
}

ResultadoImpresion ImpriRelacion(const OpcionesRelacion& o, const AbreColumnas& abre,
                                 DestinoPaginas& destino, ControlImpresion& control);

// ImpriCabecera: the page head of the list of boletos.
void ImpriCabecera(const OpcionesRelacion& o, int pagina, DestinoPaginas& destino);

}  // namespace zendo

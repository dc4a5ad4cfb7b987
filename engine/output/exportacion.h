#pragma once
// The copy of a reduction to external media: the columns file is read once, turned into
// boleto work records in memory and written in the chosen format. A file target gets its
// bytes in a temporary file beside it that takes its name only when complete, so a cancel,
// a failure or a killed process leaves any earlier file of that name as it was.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "engine/core/mensaje.h"
#include "engine/output/formatos_exportacion.h"
#include "engine/reduction/modelo.h"

namespace zendo {

struct PeticionExportacion {
  std::filesystem::path ficheroColumnas;  // RED<jj><oo>.TVX
  FormatoExportacion formato = FormatoExportacion::AD243;
  CabeceraAD243 cabecera;   // AD243 only
  int64_t NumApuestas = 0;  // columns of the reduction, for the percentage
  // AD243: what the header will most likely say (CuentasPrevistasAD243), to write a file in a
  // single pass; when the file turns out otherwise it is written again. Without it the
  // columns are counted first.
  std::optional<CuentasAD243> previstas;
};

struct ResultadoExportacion {
  int16_t error = 0;    // ErrorFichero of the step that failed, 0 when all went well
  std::string mensaje;  // "RED ERROR n: ..." (columns file) or "EXP ERROR n: ..." (target)
  bool cancelado = false;
  int64_t apuestas = 0;  // bets written (a duplicated column counts once)
  CuentasAD243 cuentas;  // AD243: what the file holds
};

struct AvisosExportacion {
  // AD243: called before the first byte is written when boletos hold a single column (again
  // if a second pass corrects the count); the copy goes on when it returns.
  std::function<void(int64_t incompletos)> boletosIncompletos;
  // Bets written so far, against the total the percentage is taken of (NumApuestas plus the
  // duplicated columns).
  std::function<void(int64_t apuestas, int64_t total)> progreso;
};

// The AD243 counts the index record promises: the columns of each match-15 group laid out on
// boletos of their own, as HallaBoleto numbers them.
CuentasAD243 CuentasPrevistasAD243(const Reduccion& r);

// Writes the export to `destino`: its temporary beside it, renamed over it when complete.
ResultadoExportacion ExportaAFichero(const PeticionExportacion& peticion,
                                     const std::filesystem::path& destino,
                                     const AvisosExportacion& avisos,
                                     const std::atomic<bool>& cancelar);

// Writes the export to an open descriptor (standard output); nothing can be taken back.
ResultadoExportacion ExportaADescriptor(const PeticionExportacion& peticion, int descriptor,
                                        const AvisosExportacion& avisos,
                                        const std::atomic<bool>& cancelar);

// Texts of the copy (Windows-1252).
Mensaje MensajeBoletoIncompleto(int64_t incompletos);
std::string TextoCreando(const std::string& ruta);  // "Creando archivo " + path
std::string TextoPorcentaje(int porcentaje);        // "Se ha copiado el  37 %"
std::string TextoCreado(const std::string& ruta);   // "Creado el archivo " + path
std::string TextoCancelado();                       // "Se ha cancelado ..."
// The whole percentage of bets written, rounded.
int PorcentajeCopiado(int64_t apuestas, int64_t total);

}  // namespace zendo

// Copies a stored reduction to a file in one of the seven export formats: what "Copiar" does
// in output mode 5.

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <string>

#include "cli/comandos.h"
#include "engine/consult/boletos.h"
#include "engine/core/datos_generales.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/output/exportacion.h"
#include "engine/output/nombre_archivo.h"

namespace zendo::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kSalidaCancelada = 130;  // Ctrl-C

std::atomic<bool> gCancelarExportacion{false};

extern "C" void AlInterrumpirExportacion(int) {
  gCancelarExportacion.store(true);
}

// The date of the jornada from its record; a jornada never stored has "00/00/00".
bool LeeFecha(const fs::path& datos, int jornada, std::string& fecha) {
  // Reading creates nothing: without JORNADAS.TVX the date is "00/00/00".
  const LecturaJornada l = LeeJornada(datos, jornada, false);
  if (l.error != kSinError) {
    ImprimeFallo(l.mensaje, l.fallo);
    return false;
  }
  fecha = l.jornada.FechaJornada;
  return true;
}

int Exportar(const Argumentos& a) {
  const auto pedida = PideReduccion(a);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& datos = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;
  const auto codigo = a.Opcion("--formato");
  const auto formato = codigo ? FormatoDesdeCodigo(*codigo) : std::nullopt;
  if (!formato) {
    std::cerr << "zendo-cli: --formato debe ser AD243, TXT1, TXT2, TXT3, TXT4, TXT5 o TXT6\n";
    return kSalidaUso;
  }
  const auto salida = a.Opcion("--salida");
  if (!salida || salida->empty()) {
    std::cerr << "zendo-cli: falta --salida FICHERO (\"-\" para la salida estándar)\n";
    return kSalidaUso;
  }

  const auto guardada = CargaReduccionGuardada(datos, jornada, orden);
  if (!guardada) return kSalidaError;
  const Reduccion& r = guardada->r;
  const DatosGenerales& generales = guardada->datos;

  PeticionExportacion p;
  p.ficheroColumnas = datos / NombreReduccion(jornada, orden);
  p.formato = *formato;
  p.NumApuestas = r.NumApuestas;
  // A file is written in one pass with the counts the index promises (checked at the end);
  // standard output cannot be taken back, so its columns are counted first.
  if (*salida != "-") p.previstas = CuentasPrevistasAD243(r);
  p.cabecera.jornada = jornada;
  p.cabecera.delegacion = generales.CodigoDelegacion;
  p.cabecera.receptor = generales.CodigoReceptor;
  if (!LeeFecha(datos, jornada, p.cabecera.fecha)) return kSalidaError;

  const bool aSalidaEstandar = *salida == "-";
  const fs::path destino(*salida);
  if (!aSalidaEstandar && NombreDeDatos(destino.filename().string()) &&
      EnCarpetaDatos(destino, datos)) {
    ImprimeError(Cp("zendo-cli: ") + Cp(destino.string()) +
                 Cp(" es un archivo de datos del programa; elija otro nombre o carpeta"));
    return kSalidaUso;
  }
  // A file written into the data folder itself (through its temporary) needs the folder's
  // lock, so that no other program's start takes that temporary for a stale one.
  std::optional<CarpetaEscritura> reserva;
  if (!aSalidaEstandar && EnCarpetaDatos(destino, datos)) reserva = CarpetaDatosEscritura(a);

  // The notice goes out once, with the count the file ends up with.
  int64_t incompletos = 0;
  AvisosExportacion avisos;
  avisos.boletosIncompletos = [&incompletos](int64_t n) { incompletos = n; };
  struct sigaction accion {};
  accion.sa_handler = AlInterrumpirExportacion;
  sigemptyset(&accion.sa_mask);
  struct sigaction anterior {};
  ::sigaction(SIGINT, &accion, &anterior);
  const ResultadoExportacion res =
      aSalidaEstandar ? ExportaADescriptor(p, STDOUT_FILENO, avisos, gCancelarExportacion)
                      : ExportaAFichero(p, destino, avisos, gCancelarExportacion);
  ::sigaction(SIGINT, &anterior, nullptr);
  if (incompletos > 0) {
    const Mensaje m = MensajeBoletoIncompleto(incompletos);
    ImprimeError(m.titulo);
    ImprimeError(m.texto);
  }

  if (res.cancelado) {
    ImprimeError(TextoCancelado());
    return kSalidaCancelada;
  }
  if (res.error != kSinError) {
    ImprimeError(res.mensaje);
    return kSalidaError;
  }
  return kSalidaOk;
}

const RegistroComando kExportar({
    "exportar",
    "copia una reducción a un archivo en formato AD243 o de texto",
    "Uso: zendo-cli exportar --datos CARPETA --jornada J --orden O\n"
    "                        --formato AD243|TXT1|TXT2|TXT3|TXT4|TXT5|TXT6 --salida FICHERO\n\n"
    "Escribe todas las columnas de la reducción guardada de la jornada J y el orden O (1 a 99)\n"
    "en FICHERO, byte a byte como \"Copiar\" en \"Copiar en soporte externo\":\n"
    "  AD243  registro de cabecera y un registro de 123 caracteres por boleto, sin saltos de\n"
    "         línea (códigos de delegación y de receptor de DATOSGEN.TVX, fecha de\n"
    "         JORNADAS.TVX); un boleto con una sola columna la lleva duplicada\n"
    "  TXT1   apuestas seguidas, sin separador ni saltos de línea\n"
    "  TXT2   una apuesta por línea\n"
    "  TXT3   apuestas entre comillas separadas por comas, en una sola línea\n"
    "  TXT4   una apuesta entre comillas por línea\n"
    "  TXT5   cada signo entre comillas, separados por comas, en una sola línea\n"
    "  TXT6   cada signo entre comillas, separados por comas, una apuesta por línea\n"
    "FICHERO \"-\" es la salida estándar. El archivo se escribe en un temporal a su lado que\n"
    "sólo al terminar ocupa su nombre: si la copia falla o se cancela (Ctrl-C), un archivo\n"
    "anterior con ese nombre queda como estaba. El aviso \"Boleto incompleto\" y los errores\n"
    "van a la salida de errores. No escribe nada en la carpeta de datos y no acepta como\n"
    "FICHERO un archivo de datos del programa (*.TVX, *.TVF) de CARPETA.\n"
    "Salida: 0 bien; 1 no hay reducción guardada o un fichero no se pudo leer o escribir\n"
    "(\"EXP ERROR n: causa al escribir FICHERO\", \"RED ERROR n: ...\"); 64 argumentos\n"
    "incorrectos; 130 cancelada con Ctrl-C.\n",
    {"--datos", "--jornada", "--orden", "--formato", "--salida"},
    {},
    Exportar,
});

}  // namespace
}  // namespace zendo::cli

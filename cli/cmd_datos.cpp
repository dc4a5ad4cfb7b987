// Views of the data files: the general data, the index of reductions and a jornada.

#include <iostream>

#include "cli/comandos.h"
#include "engine/core/datos_generales.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/historico.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo::cli {
namespace {

int Generales(const Argumentos& a) {
  // Only a missing file is written (created with the defaults, as the program's start does):
  // then the folder is reserved while it is.
  const auto opcion = a.Opcion("--datos");
  const bool crea = opcion && !opcion->empty() &&
                    !ExisteFichero(std::filesystem::path(*opcion) / kFicheroDatosGenerales);
  std::optional<CarpetaEscritura> escritura;
  std::optional<std::filesystem::path> datos;
  if (crea) {
    escritura = CarpetaDatosEscritura(a);
    if (escritura) datos = escritura->ruta;
  } else {
    datos = CarpetaDatos(a);
  }
  if (!datos) return kSalidaUso;
  DatosGenerales d;
  // A damaged line is reported, and the values shown are those the program goes on with.
  bool danada = false;
  if (!ExisteFichero(*datos / kFicheroDatosGenerales)) {
    // Said only once it is true.
    const int16_t e = GuardaDatosGenerales(*datos, d);
    if (e != 0) {
      ImprimeFallo("LDG ERROR " + std::to_string(e),
                   {e, kFicheroDatosGenerales, OperacionFichero::Crear});
      return kSalidaError;
    }
    ImprimeError(Cp("No se encuentra el fichero de datos generales DATOSGEN.TVX.") + kSaltoLinea +
                 Cp("Se ha procedido a crearlo automáticamente con los valores establecidos por "
                    "defecto."));
  } else {
    const ResultadoDatos r = LeeDatosGenerales(*datos, d);
    if (r.error != 0) {
      ImprimeFallo(r.mensaje, {r.error, kFicheroDatosGenerales, OperacionFichero::Leer});
      if (r.error != kErrTipo) return kSalidaError;
      danada = true;
    } else if (!r.mensaje.empty()) {
      ImprimeError(r.mensaje);
    }
  }
  auto linea = [](const char* nombre, const std::string& valor) {
    ImprimeLinea(std::string(nombre) + "=" + valor);
  };
  auto n = [](int v) { return std::to_string(v); };
  linea("Jornada", n(d.Jornada));
  linea("FechaJornada", d.FechaJornada);
  linea("Orden", n(d.Orden));
  linea("Metodo", n(d.Metodo));
  linea("MargenIzqBoleto", n(d.MargenIzqBoleto));
  linea("MargenSupBoleto", n(d.MargenSupBoleto));
  linea("MargenIzqContinuo", n(d.MargenIzqContinuo));
  linea("MargenSupContinuo", n(d.MargenSupContinuo));
  linea("Orientacion", n(d.Orientacion));
  linea("TotalJornadas", n(d.TotalJornadas));
  linea("TotalOrdenes", n(d.TotalOrdenes));
  linea("PrecioApuesta", d.PrecioApuesta);
  linea("CodigoDelegacion", d.CodigoDelegacion);
  linea("CodigoReceptor", d.CodigoReceptor);
  linea("Sonido", d.Sonido);
  return danada ? kSalidaError : kSalidaOk;
}

int Indice(const Argumentos& a) {
  const auto datos = CarpetaDatos(a);
  if (!datos) return kSalidaUso;
  // Reading creates nothing: a missing JORNADAS.TVX gives blank dates.
  const ListaHistorico h = RellenaLisDatos(*datos, 0, 0, false);
  if (h.estado.error == 53 && h.lineas.empty()) return kSalidaOk;  // no index: no reductions
  for (const auto& l : h.lineas) ImprimeLinea(l);
  if (h.estado.error != 0) {
    ImprimeFallo(h.estado.mensaje, h.estado.fallo);
    return kSalidaError;
  }
  return kSalidaOk;
}

int VerJornada(const Argumentos& a) {
  const auto datos = CarpetaDatos(a);
  if (!datos) return kSalidaUso;
  const auto numero = OpcionEntera(a, "--jornada", 1, 99);
  if (!numero) return kSalidaUso;
  const LecturaJornada l = LeeJornada(*datos, *numero, false);
  if (l.error == 0 && !ExisteFichero(*datos / kFicheroJornadas)) {
    ImprimeFallo("LJO ERROR 53", {53, kFicheroJornadas, OperacionFichero::Leer});
    return kSalidaError;
  }
  if (l.error != 0) {
    ImprimeFallo(l.mensaje, l.fallo);
    return kSalidaError;
  }
  // A byte that would break the lines (a line feed in a team name) is shown escaped.
  const Jornada& j = l.jornada;
  ImprimeLinea(EscapaControl(j.FechaJornada));
  for (int m = 1; m <= 15; ++m) {
    ImprimeLinea(EscapaControl(Equipo(j.RegistroJornada, 2 * m - 1)) + " - " +
                 EscapaControl(Equipo(j.RegistroJornada, 2 * m)));
  }
  ImprimeLinea(GanadoraComoSignos(j));
  for (std::size_t k = 1; k <= 6; ++k) {
    ImprimeLinea(Formato(j.Premios[k], "0.00", kRegionalPunto));
  }
  return kSalidaOk;
}

const RegistroComando kGenerales({
    "generales",
    "los datos generales (DATOSGEN.TVX), un campo por línea",
    "Uso: zendo-cli generales --datos CARPETA\n\n"
    "Lee los datos generales de CARPETA/DATOSGEN.TVX (si no existe, lo crea con los valores\n"
    "por defecto y lo avisa por la salida de errores) y escribe los 15 campos, uno por línea,\n"
    "como Nombre=valor, en el orden del fichero. Los valores se muestran como los usa el\n"
    "programa: cada campo dentro de su rango, y el valor por defecto en el que no se puede leer.\n"
    "Una línea que no tiene 15 campos o con letras donde va un número se avisa con\n"
    "\"LDG ERROR 13: dato no válido al leer DATOSGEN.TVX\" y se muestran igualmente sus\n"
    "valores corregidos.\n"
    "Salida: 0 bien; 1 la carpeta no existe, el fichero no se pudo leer ni crear (\"LDG ERROR\n"
    "n: causa y fichero\") o su línea está dañada; 64 argumentos incorrectos.\n",
    {"--datos"},
    {},
    Generales,
});

const RegistroComando kIndice({
    "indice",
    "las reducciones guardadas, una línea por reducción",
    "Uso: zendo-cli indice --datos CARPETA\n\n"
    "Escribe una línea por cada reducción del índice CARPETA/BASES.TVX, en el orden del\n"
    "fichero, tal como las muestra el histórico: jornada, fecha, orden, método, descripción,\n"
    "apuestas directas y apuestas reducidas. Sin índice no escribe nada. No crea ningún\n"
    "fichero: sin JORNADAS.TVX las fechas salen en blanco.\n"
    "Salida: 0 bien; 1 la carpeta no existe, o el índice o una jornada no se pudo leer (\"LFB\n"
    "ERROR n\" o \"LJO ERROR n\", con la causa y el fichero); 64 argumentos incorrectos.\n",
    {"--datos"},
    {},
    Indice,
});

const RegistroComando kJornada({
    "jornada",
    "fecha, partidos, columna ganadora y premios de una jornada",
    "Uso: zendo-cli jornada --datos CARPETA --jornada J\n\n"
    "Escribe la fecha de la jornada J (1 a 99), sus 15 partidos (\"local - visitante\"), la\n"
    "columna ganadora con los signos 1, X y 2 (\"-\" donde no está puesta) y los seis premios\n"
    "con dos decimales y punto, uno por línea. Una jornada nunca guardada sale vacía\n"
    "(fecha 00/00/00). Los caracteres de control de un nombre (un salto de línea, un\n"
    "tabulador...) y la barra inversa se escriben escapados: \\x0A, \\x09, \\\\.\n"
    "Salida: 0 bien; 1 JORNADAS.TVX no existe o no se pudo leer; 64 argumentos incorrectos.\n",
    {"--datos", "--jornada"},
    {},
    VerJornada,
});

}  // namespace
}  // namespace zendo::cli

// Views of the data files: the general data, the index of reductions and a jornada.

#include <iostream>

#include "cli/comandos.h"
#include "engine/core/datos_generales.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/historico.h"
#include "engine/core/jornadas.h"

namespace zendo::cli {
namespace {

int Generales(const Argumentos& a) {
  const auto datos = CarpetaDatos(a);
  if (!datos) return kSalidaUso;
  DatosGenerales d;
  const ResultadoDatos r = LeeDatosGenerales(*datos, d);
  if (!r.mensaje.empty()) ImprimeError(r.mensaje);
  // A damaged line is reported, and the values shown are those the program goes on with.
  const bool leidos = r.error == 0 || r.error == kErrNoEncontrado || r.error == kErrTipo;
  if (!leidos) return kSalidaError;
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
  return r.error == kErrTipo ? kSalidaError : kSalidaOk;
}

int Indice(const Argumentos& a) {
  const auto datos = CarpetaDatos(a);
  if (!datos) return kSalidaUso;
  const ListaHistorico h = RellenaLisDatos(*datos, 0, 0);
  if (h.estado.error == 53) return kSalidaOk;  // no index: no reductions
  if (h.estado.error != 0) {
    ImprimeError(h.estado.mensaje);
    return kSalidaError;
  }
  for (const auto& l : h.lineas) ImprimeLinea(l);
  return kSalidaOk;
}

int VerJornada(const Argumentos& a) {
  const auto datos = CarpetaDatos(a);
  if (!datos) return kSalidaUso;
  const auto numero = OpcionEntera(a, "--jornada", 1, 99);
  if (!numero) return kSalidaUso;
  if (!std::filesystem::exists(*datos / kFicheroJornadas)) {
    ImprimeError("No existe " + (*datos / kFicheroJornadas).string());
    return kSalidaError;
  }
  const LecturaJornada l = LeeJornada(*datos, *numero);
  if (l.error != 0) {
    ImprimeError(l.mensaje);
    return kSalidaError;
  }
  const Jornada& j = l.jornada;
  ImprimeLinea(j.FechaJornada);
  for (int m = 1; m <= 15; ++m) {
    ImprimeLinea(Equipo(j.RegistroJornada, 2 * m - 1) + " - " + Equipo(j.RegistroJornada, 2 * m));
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
    "LDG ERROR 13 y se muestran igualmente sus valores corregidos.\n"
    "Salida: 0 bien; 1 el fichero no se pudo leer o su línea está dañada; 64 argumentos\n"
    "incorrectos.\n",
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
    "apuestas directas y apuestas reducidas. Sin índice no escribe nada.\n"
    "Salida: 0 bien; 1 el índice no se pudo leer; 64 argumentos incorrectos.\n",
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
    "(fecha 00/00/00).\n"
    "Salida: 0 bien; 1 JORNADAS.TVX no existe o no se pudo leer; 64 argumentos incorrectos.\n",
    {"--datos", "--jornada"},
    {},
    VerJornada,
});

}  // namespace
}  // namespace zendo::cli

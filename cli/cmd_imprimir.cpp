// The printed documents of a stored reduction, as the output screen and the scrutiny screen
// print them: their page operations as text, or the pages painted into a PDF file by the
// same routine that paints them on the printer.

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "cli/comandos.h"
#include "engine/consult/boletos.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/output/documentos.h"
#include "engine/output/opciones_salida.h"
#include "engine/output/paginas.h"
#include "engine/scrutiny/escrutinio.h"
#include "engine/scrutiny/ganadora.h"
#include "engine/scrutiny/importes.h"
#include "engine/scrutiny/impresion_escrutinio.h"
#include "engine/scrutiny/registro_escrutinio.h"

#ifdef ZENDO_CON_PDF
#include <QGuiApplication>

#include "platform/impresion/pintor_paginas.h"
#endif

namespace zendo::cli {
namespace {

constexpr int kDocumentoEscrutinio = 5;

const std::map<std::string, int> kDocumentos = {{"datos", kModoDatos},
                                                {"boletos", kModoBoletos},
                                                {"continuo", kModoContinuo},
                                                {"relacion", kModoRelacion},
                                                {"escrutinio", kDocumentoEscrutinio}};

using Documento = std::function<ResultadoImpresion(DestinoPaginas&)>;

// The record of the jornada without creating JORNADAS.TVX when it is missing.
std::optional<Jornada> JornadaDe(const std::filesystem::path& datos, int jornada) {
  const LecturaJornada l = LeeJornada(datos, jornada, false);
  if (l.error != 0) {
    ImprimeFallo(l.mensaje, l.fallo);
    return std::nullopt;
  }
  return l.jornada;
}

// The winning column and the prizes: those given, else those of the jornada's record.
std::optional<ResultadoEscrutinio> Escrutinio(const Argumentos& a,
                                              const std::filesystem::path& datos,
                                              const Reduccion& r, const Jornada& j) {
  MarcasGanadora marcas = j.Ganadora;
  if (const auto texto = a.Opcion("--ganadora")) {
    const auto m = MarcasDeTexto(*texto);
    if (!m) {
      std::cerr << "zendo-cli: --ganadora lleva 15 signos 1, X o 2\n";
      return std::nullopt;
    }
    marcas = *m;
  }
  const auto ganadora = ColumnaGanadora(marcas);
  if (!ganadora) {
    const Mensaje m = MensajeGanadoraIncompleta();
    ImprimeError(m.titulo);
    ImprimeError(m.texto);
    return std::nullopt;
  }
  TextosPremios textos;
  const std::vector<std::string> premios = a.Valores("--premios");
  for (std::size_t k = 1; k <= 6; ++k) {
    textos[k] = premios.size() == 6 ? NormalizaImporte(premios[k - 1]) : TextoPremio(j.Premios[k]);
  }
  const std::atomic<bool> cancelar{false};
  ResultadoEscrutinio res = Escruta(datos, r, *ganadora, CentimosDePremios(textos), {}, cancelar);
  if (res.fallo) {
    ImprimeError(LineaFallo(res.fallo));
    return std::nullopt;
  }
  return res;
}

#ifdef ZENDO_CON_PDF
// Qt's remarks about the desktop session (no runtime folder in a plain terminal) are not
// the command's business; everything else still reaches standard error.
void FiltraAvisosQt(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
  if (tipo == QtWarningMsg && texto.startsWith(QStringLiteral("QStandardPaths:"))) return;
  std::cerr << qPrintable(qFormatLogMessage(tipo, contexto, texto)) << '\n';
}

int APdf(const std::string& fichero, int modo, int ancho, const Documento& documento) {
  // No display is needed to paint a PDF.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FiltraAvisosQt);
  PreparaMemoriaImpresion();
  static int argc = 1;
  static char nombre[] = "zendo-cli";
  static char* argv[] = {nombre, nullptr};
  QGuiApplication app(argc, argv);
  const PapelDocumento papel =
      PapelParaModo(modo == kDocumentoEscrutinio ? kModoDatos : modo, ancho);
  LienzoFicheroPdf lienzo(QString::fromLocal8Bit(fichero.c_str()));
  PintorPaginas pintor(lienzo, papel.hoja, papel.origen);
  const ResultadoImpresion r = documento(pintor);
  pintor.Cierra();
  const bool completo = r.error == 0 && pintor.error().isEmpty();
  const bool guardado = lienzo.Conserva(completo);
  if (r.error != 0) {
    ImprimeError(r.mensaje);
    return kSalidaError;
  }
  if (!pintor.error().isEmpty() || !guardado) {
    const QString e = pintor.error().isEmpty() ? lienzo.error() : pintor.error();
    std::cerr << "zendo-cli: " << e.toStdString() << '\n';
    return kSalidaError;
  }
  return kSalidaOk;
}
#endif

int Imprimir(const Argumentos& a) {
  if (a.Opcion("--pdf")) {
    if (const auto salida = EjecutaEnSalida()) return *salida;
  }
  const auto pedida = PideReduccion(a);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& datos = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;
  const auto nombreDocumento = a.Opcion("--documento");
  if (!nombreDocumento || !kDocumentos.count(*nombreDocumento)) {
    std::cerr << "zendo-cli: --documento es datos, boletos, continuo, relacion o escrutinio\n";
    return kSalidaUso;
  }
  const int modo = kDocumentos.at(*nombreDocumento);
  const auto pdf = a.Opcion("--pdf");
  if (a.Tiene("--operaciones") == pdf.has_value()) {
    std::cerr << "zendo-cli: indique --operaciones o --pdf FICHERO\n";
    return kSalidaUso;
  }
  if (a.Valores("--premios").size() != 0 && a.Valores("--premios").size() != 6) {
    std::cerr << "zendo-cli: --premios lleva seis importes\n";
    return kSalidaUso;
  }
  int ancho = 0;
  if (a.Opcion("--ancho")) {
    const auto v = OpcionEntera(a, "--ancho", 0, 1);
    if (!v) return kSalidaUso;
    ancho = *v;
  }
  for (const char* opcion : {"--inicial", "--final", "--copias"}) {
    if (const auto v = a.Opcion(opcion);
        v && (v->empty() || v->find_first_not_of("0123456789") != std::string::npos)) {
      std::cerr << "zendo-cli: " << opcion << " es un número\n";
      return kSalidaUso;
    }
  }

  const auto guardada = CargaReduccionGuardada(datos, jornada, orden);
  if (!guardada) return kSalidaError;
  const auto j = JornadaDe(datos, jornada);
  if (!j) return kSalidaError;

  Documento documento;
  std::optional<ResultadoEscrutinio> escrutinio;
  if (modo == kDocumentoEscrutinio) {
    escrutinio = Escrutinio(a, datos, guardada->r, *j);
    if (!escrutinio) return kSalidaError;
    documento = [&](DestinoPaginas& d) {
      DocumentoEscrutinio informe{jornada, orden, *j, &*escrutinio};
      return ImpriEscrutinio(informe, d);
    };
  } else {
    Impresion p;
    p.modo = modo;
    p.rutaDatos = datos;
    p.reduccion = guardada->r;
    p.jornada = *j;
    p.precio = guardada->datos.Precio;
    const int64_t numBoletos = std::max<int64_t>(1, NumBoletos(guardada->r));
    RangoBoletos rango{1, numBoletos};
    // The range as the screen's boxes commit it.
    if (const auto v = a.Opcion("--inicial")) rango = ConfirmaBoletoInicial(*v, rango, numBoletos);
    if (const auto v = a.Opcion("--final")) rango = ConfirmaBoletoFinal(*v, rango, numBoletos);
    p.BoletoInicial = rango.inicial;
    p.BoletoFinal = rango.final;
    p.NumCopias = ConfirmaCopias(a.Opcion("--copias").value_or("1"));
    p.AnchoPapel = ancho;
    const DatosGenerales& g = guardada->datos;
    p.MargenIzq = modo == kModoBoletos ? g.MargenIzqBoleto : g.MargenIzqContinuo;
    p.MargenSup = modo == kModoBoletos ? g.MargenSupBoleto : g.MargenSupContinuo;
    p.Orientacion = g.Orientacion;
    p.reverso = a.Tiene("--reverso");
    p.prueba = a.Tiene("--prueba");
    documento = [p](DestinoPaginas& d) {
      ControlImpresion control;
      return Imprime(p, d, control);
    };
  }

  if (pdf) {
#ifdef ZENDO_CON_PDF
    return APdf(*pdf, modo, ancho, documento);
#else
    std::cerr << "zendo-cli: esta compilación no puede escribir PDF (falta Qt)\n";
    return kSalidaError;
#endif
  }
  EscritorOperaciones escritor(std::cout);
  const ResultadoImpresion r = documento(escritor);
  std::cout.flush();
  if (r.error != 0) {
    ImprimeError(r.mensaje);
    return kSalidaError;
  }
  if (!std::cout) {
    std::cerr << "zendo-cli: no se pudo escribir el resultado en la salida\n";
    return kSalidaError;
  }
  return kSalidaOk;
}

const RegistroComando kImprimir({
    "imprimir",
    "los documentos impresos de una reducción: operaciones de página o PDF",
    "Uso: zendo-cli imprimir --datos CARPETA --jornada J --orden O --documento DOCUMENTO\n"
    "                        [--inicial B] [--final B] [--copias N] [--ancho 0|1]\n"
    "                        [--reverso] [--prueba]\n"
    "                        [--ganadora SIGNOS --premios P15 P14 P13 P12 P11 P10]\n"
    "                        (--operaciones | --pdf FICHERO)\n\n"
    "Imprime un documento de la reducción guardada de la jornada J y el orden O (1 a 99) como\n"
    "lo imprime el programa. DOCUMENTO es:\n"
    "  datos       la hoja de datos básicos, en N copias (--copias, 1 si no se da)\n"
    "  boletos     los boletos individuales de B a B, uno tras otro como si se pulsara\n"
    "              \"Siguiente boleto\" tras cada uno; --reverso imprime las marcas fijas\n"
    "              (reverso o papel en blanco)\n"
    "  continuo    el papel continuo, dos boletos por hoja\n"
    "  relacion    la relación de boletos; --ancho 1 es el papel ancho (350 mm.)\n"
    "  escrutinio  el informe del escrutinio con la columna ganadora SIGNOS (15 signos 1, X\n"
    "              o 2) y los premios por columna de 15 a 10 aciertos; sin ellos, los de la\n"
    "              jornada en JORNADAS.TVX (no se guarda nada)\n"
    "--inicial y --final (boletos 1 y el último si no se dan) se corrigen como en la\n"
    "pantalla: 0 es 1, más que el número de boletos es el último, y un final por debajo del\n"
    "inicial baja el inicial. --prueba es la prueba de impresión (boletos y continuo): todas\n"
    "las casillas y el número 999.999. Los márgenes y la orientación salen de DATOSGEN.TVX.\n"
    "Los boletos, el continuo y la relación rehacen FORBOLW.TVX en CARPETA.\n\n"
    "--operaciones escribe las operaciones de página en la salida, una por línea (UTF-8):\n"
    "  fuente NOMBRE TAMAÑO NEGRITA | grosor N | papel CÓDIGO | alto TWIPS | linea TEXTO |\n"
    "  texto X Y TEXTO | caja X Y DX DY | pagina | fin\n"
    "con las posiciones en twips (enteros o con dos decimales como mucho) y los textos tal\n"
    "como se dibujan, blancos incluidos.\n"
    "--pdf FICHERO pinta las páginas en un PDF con la misma rutina que la impresora; no\n"
    "necesita pantalla. El fichero sólo se sustituye si el documento se completa.\n"
    "Salida: 0 bien; 1 no hay reducción guardada o un fichero no se pudo leer o escribir\n"
    "(\"RED ERROR n\", \"FORBOL ERROR n\", \"ESC ERROR n\"); 64 argumentos incorrectos o\n"
    "columna ganadora incompleta.\n",
    {"--datos", "--jornada", "--orden", "--documento", "--inicial", "--final", "--copias",
     "--ancho", "--ganadora", "--premios", "--pdf"},
    {"--reverso", "--prueba", "--operaciones"},
    Imprimir,
    {{"--premios", 6}},
});

}  // namespace
}  // namespace zendo::cli

// The scrutiny of a stored reduction: what "Realizar el escrutinio" does on the scrutiny
// screen, with the winning column and the prizes given as options.

#include <atomic>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/comandos.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/scrutiny/escrutinio.h"
#include "engine/scrutiny/ganadora.h"
#include "engine/scrutiny/registro_escrutinio.h"

namespace zendo::cli {
namespace {

void MuestraMensaje(const Mensaje& m) {
  ImprimeError(m.titulo);
  ImprimeError(m.texto);
}

// A prize as it could be typed in its box: digits and points, blanks around.
bool PremioValido(const std::string& texto) {
  const std::string_view t = Recorta(texto);
  return t.size() <= 20 && t.find_first_not_of("0123456789.") == std::string_view::npos;
}

int Escrutinio(const Argumentos& a) {
  // Saving the record writes in the folder: it is reserved while the command runs.
  const bool guardar = a.Tiene("--guardar");
  const auto pedida = PideReduccion(a, guardar);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& datos = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;

  const auto textoGanadora = a.Opcion("--ganadora");
  if (!textoGanadora) {
    std::cerr << "zendo-cli: falta --ganadora SIGNOS\n";
    return kSalidaUso;
  }
  const auto marcas = MarcasDeTexto(*textoGanadora);
  if (!marcas) {
    std::cerr << "zendo-cli: --ganadora lleva 15 signos 1, X o 2 (- o 0 para un partido sin "
                 "resultado)\n";
    MuestraMensaje(MensajeGanadoraIncompleta());
    return kSalidaUso;
  }
  const std::vector<std::string> premios = a.Valores("--premios");
  if (premios.size() != 6) {
    std::cerr << "zendo-cli: --premios lleva seis importes (15, 14, 13, 12, 11 y 10 aciertos)\n";
    return kSalidaUso;
  }
  TextosPremios textos;
  for (std::size_t k = 1; k <= 6; ++k) {
    if (!PremioValido(premios[k - 1])) {
      std::cerr << "zendo-cli: el premio \"" << premios[k - 1]
                << "\" sólo puede llevar cifras y un punto decimal\n";
      return kSalidaUso;
    }
    textos[k] = NormalizaImporte(premios[k - 1]);
  }

  // Only a stored reduction can be scrutinised; nothing is created by reading.
  const auto guardada = CargaReduccionGuardada(datos, jornada, orden);
  if (!guardada) return kSalidaError;
  Reduccion r = guardada->r;
  r.Jornada = static_cast<int16_t>(jornada);
  r.Orden = static_cast<int16_t>(orden);

  int salida = kSalidaOk;
  if (guardar) {
    // The record is saved first, even when the column turns out incomplete.
    const LecturaJornada lj = LeeJornada(datos, jornada);
    if (lj.error != 0) {
      // Without the record as stored, writing would lose the teams: nothing is written.
      ImprimeFallo(lj.mensaje, lj.fallo);
      salida = kSalidaError;
    } else {
      const FalloEscrutinio f =
          GuardaEscrutinio(datos, jornada,
                           RegistroEscrutinio(lj.jornada.RegistroJornada, jornada,
                                              lj.jornada.FechaJornada, *marcas, textos));
      if (f) {
        ImprimeError(LineaFallo(f));
        salida = kSalidaError;
      }
    }
  }
  const auto ganadora = ColumnaGanadora(*marcas);
  if (!ganadora) {
    MuestraMensaje(MensajeGanadoraIncompleta());
    return kSalidaUso;
  }

  const std::atomic<bool> cancelar{false};
  const ResultadoEscrutinio res =
      Escruta(datos, r, *ganadora, CentimosDePremios(textos), {}, cancelar);
  if (res.fallo) {
    ImprimeError(LineaFallo(res.fallo));
    return kSalidaError;
  }
  // Written in pieces: a list of many boletos is never held whole a second time.
  std::string texto;
  for (const std::string& l : LineasAciertos(res)) texto += l + '\n';
  texto += std::string(26, '-') + '\n';
  for (std::size_t i = 0; i < res.boletos.size(); ++i) {
    texto += LineaBoleto(res.boletos[i]);
    texto += '\n';
    if (texto.size() >= (1u << 16)) {
      Imprime(texto);
      texto.clear();
    }
  }
  Imprime(texto);
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "zendo-cli: no se pudo escribir el resultado en la salida\n";
    return kSalidaError;
  }
  return salida;
}

const RegistroComando kEscrutinio({
    "escrutinio",
    "aciertos y premios de una reducción guardada contra la columna ganadora",
    "Uso: zendo-cli escrutinio --datos CARPETA --jornada J --orden O --ganadora SIGNOS\n"
    "                          --premios P15 P14 P13 P12 P11 P10 [--guardar]\n\n"
    "Hace el escrutinio de la reducción guardada de la jornada J y el orden O (1 a 99): compara\n"
    "cada columna de CARPETA/RED<jj><oo>.TVX con la columna ganadora SIGNOS (15 signos 1, X o 2)\n"
    "y paga a cada columna el premio de su categoría. Los seis premios son el importe por\n"
    "columna de 15, 14, 13, 12, 11 y 10 aciertos, con cifras y punto decimal (\"1234.5\"); se\n"
    "redondean a dos decimales como en la pantalla. Una columna de 15 cuenta también entre las\n"
    "de 14 y cobra los dos premios.\n"
    "Escribe las 17 líneas de la lista de aciertos (la primera, \" Suma total:\"), una línea de\n"
    "26 guiones y una línea por cada boleto con alguna columna de 10 o más aciertos, tal como\n"
    "las muestra la pantalla (con los blancos del final).\n"
    "Con --guardar escribe además la columna ganadora y los premios en el registro de la\n"
    "jornada de JORNADAS.TVX, como la pantalla, antes de contar: también cuando a la columna le\n"
    "falta algún resultado (escrito - o 0); los equipos y la fecha quedan como estaban.\n"
    "Salida: 0 bien; 1 no hay reducción guardada o un fichero no se pudo leer o escribir (\"ESC\n"
    "ERROR n: causa y fichero\"); 64 argumentos incorrectos, o la columna ganadora incompleta o\n"
    "mal escrita (con el mensaje \"Columna Ganadora incompleta\").\n",
    {"--datos", "--jornada", "--orden", "--ganadora", "--premios"},
    {"--guardar"},
    Escrutinio,
    {{"--premios", 6}},
});

}  // namespace
}  // namespace zendo::cli

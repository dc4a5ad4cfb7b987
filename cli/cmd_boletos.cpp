// The boleto work file of a reduction, as the consultation and the print runs build it.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iostream>
#include <memory>
#include <string>

#include "cli/comandos.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"

namespace zendo::cli {
namespace {

// Writes everything to a descriptor; the error number of a failed write.
int16_t EscribeEn(int fd, std::string_view datos) {
  while (!datos.empty()) {
    const ssize_t w = ::write(fd, datos.data(), datos.size());
    if (w < 0) {
      if (errno == EINTR) continue;
      return ErrorDesdeErrno(errno);
    }
    if (w == 0) return kErrDiscoLleno;
    datos.remove_prefix(static_cast<std::size_t>(w));
  }
  return kSinError;
}

int Boletos(const Argumentos& a) {
  const auto pedida = PideReduccion(a);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& datos = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;
  const auto salida = a.Opcion("--salida");
  if (salida && salida->empty()) {
    std::cerr << "zendo-cli: --salida necesita un nombre de fichero\n";
    return kSalidaUso;
  }

  // A regular file (or a new one) is written beside itself and renamed over the old one when
  // complete; standard output, a device or a pipe is written straight.
  std::optional<CarpetaEscritura> reserva;
  if (salida && EnCarpetaDatos(*salida, datos)) reserva = CarpetaDatosEscritura(a);
  const auto falloSalida = [&](int16_t e, OperacionFichero op = OperacionFichero::Escribir) {
    ImprimeError(LineaFallo("FORBOL", {e, *salida, op}));
  };
  std::unique_ptr<EscritorAtomico> escritor;
  int fd = STDOUT_FILENO;
  int fdPropio = -1;
  if (salida) {
    struct stat st {};
    const bool existe = ::stat(salida->c_str(), &st) == 0;
    if (!existe || S_ISREG(st.st_mode)) {
      // The records come in large batches: straight to the file, not through a buffer.
      escritor = std::make_unique<EscritorAtomico>(*salida, 1);
      if (escritor->error() != kSinError) {
        falloSalida(escritor->error(), OperacionFichero::Crear);
        return kSalidaError;
      }
    } else {
      fdPropio = ::open(salida->c_str(), O_WRONLY | O_CLOEXEC);
      if (fdPropio < 0) {
        falloSalida(ErrorDesdeErrno(errno));
        return kSalidaError;
      }
      fd = fdPropio;
    }
  }
  int16_t errorSalida = kSinError;
  std::atomic<bool> cancelar{false};
  const ResultadoBoletos res = RecorreRegistrosBoletos(
      datos / NombreReduccion(jornada, orden),
      [&](std::string_view registros) {
        if (escritor) {
          escritor->Escribe(registros);
          errorSalida = escritor->error();
        } else {
          errorSalida = EscribeEn(fd, registros);
        }
        return errorSalida == kSinError;
      },
      nullptr, cancelar);
  if (fdPropio >= 0) ::close(fdPropio);
  if (res.error == kErrNoEncontrado && res.mensaje.empty()) {
    ImprimeError("No se encuentra el fichero " + NombreReduccion(jornada, orden) + ".");
    return kSalidaError;
  }
  if (res.error != kSinError && errorSalida == kSinError) {
    ImprimeError(res.mensaje);
    return kSalidaError;
  }
  // The output is complete: it takes its name now. A scratch of the same kind as the work
  // file, so it is not flushed to the disk first.
  if (escritor && errorSalida == kSinError) errorSalida = escritor->Confirma(false);
  if (errorSalida != kSinError) {
    if (salida) {
      falloSalida(errorSalida);
    } else {
      ImprimeError("FORBOL ERROR " + std::to_string(errorSalida) + ": " + CausaError(errorSalida) +
                   Cp(" al escribir la salida estándar"));
    }
    return kSalidaError;
  }
  return kSalidaOk;
}

const RegistroComando kBoletos({
    "boletos",
    "escribe el fichero de boletos (FORBOLW.TVX) de una reducción",
    "Uso: zendo-cli boletos --datos CARPETA --jornada J --orden O [--salida FICHERO]\n\n"
    "Construye, a partir de CARPETA/RED<jj><oo>.TVX, el fichero de trabajo de boletos tal como\n"
    "lo hacen la consulta y la impresión: un registro de 20 bytes por lugar de boleto (comilla,\n"
    "15 signos, marca \"0\", comilla, CR LF), 8 lugares por boleto, y lugares en blanco que\n"
    "completan el boleto cada vez que cambia el signo del partido 15. Escribe sus bytes exactos\n"
    "en FICHERO (se escribe al lado y sólo sustituye al anterior cuando está completo) o, sin\n"
    "--salida, en la salida estándar; no escribe nada más en ella. No modifica CARPETA.\n"
    "Salida: 0 bien; 1 falta el fichero de columnas o no se pudo leer o escribir (mensaje en\n"
    "la salida de errores, con su código: RED ERROR n, FORBOL ERROR n); 64 argumentos\n"
    "incorrectos.\n",
    {"--datos", "--jornada", "--orden", "--salida"},
    {},
    Boletos,
});

}  // namespace
}  // namespace zendo::cli

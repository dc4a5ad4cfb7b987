// Reduces a stored definition again: what "Reducir apuestas" does on the reduction screen.

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <string>

#include "cli/comandos.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/comprobaciones.h"
#include "engine/reduction/edicion.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion.h"

namespace zendo::cli {
namespace {

constexpr int kSalidaComprobacion = 2;  // a check of the definition failed
constexpr int kSalidaYaExiste = 3;      // the reduction exists and --reemplazar was not given
constexpr int kSalidaCancelada = 130;   // Ctrl-C

// Set by Ctrl-C; the reduction reads it between blocks of columns.
std::atomic<bool> gCancelar{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void AlInterrumpir(int) {
  gCancelar.store(true);
}

void MuestraMensaje(const Mensaje& m) {
  ImprimeError(m.titulo);
  ImprimeError(m.texto);
}

// The progress of the reduction on standard error: a bar that redraws in place when it is a
// terminal, only the closing lines otherwise.
class Barra {
 public:
  Barra() : terminal_(::isatty(STDERR_FILENO) == 1) {}

  void operator()(const AvisoProgreso& a) {
    switch (a.linea) {
      case LineaProgreso::Titulo:
      case LineaProgreso::Apuestas:
        if (terminal_) std::cerr << Cp1252AUtf8(a.texto) << '\n';
        break;
      case LineaProgreso::Porcentaje:
        if (terminal_) {
          const int lleno = a.porcentaje * kAncho / 100;
          std::cerr << "\r[" << std::string(static_cast<std::size_t>(lleno), '#')
                    << std::string(static_cast<std::size_t>(kAncho - lleno), ' ') << "] "
                    << Cp1252AUtf8(a.texto) << std::flush;
          enLinea_ = true;
        }
        break;
      default:
        if (enLinea_) std::cerr << '\n';
        enLinea_ = false;
        std::cerr << Cp1252AUtf8(a.texto) << '\n';
        break;
    }
  }
  void Termina() {
    if (enLinea_) std::cerr << '\n';
    enLinea_ = false;
  }

 private:
  static constexpr int kAncho = 30;
  bool terminal_;
  bool enLinea_ = false;
};

int Reducir(const Argumentos& a) {
  const auto pedida = PideReduccion(a, true);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& datos = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;

  const BusquedaReduccion b = ExisteReduccion(datos, jornada, orden);
  if (!b.estado.mensaje.empty()) ImprimeFallo(b.estado.mensaje, b.estado.fallo);
  if (b.estado.error != 0 && b.estado.error != 53) return kSalidaError;
  if (!b.existe) {
    ImprimeError(Cp("No hay ninguna reducción guardada de la jornada " + std::to_string(jornada) +
                    " con el orden " + std::to_string(orden) + "."));
    return kSalidaError;
  }
  Reduccion r;
  const LecturaIndice l = LeeReduccion(datos, static_cast<int16_t>(jornada),
                                       static_cast<int16_t>(orden), kMetodoDirecto, r);
  if (!l.ReduccionCargada) {
    ImprimeFallo(l.estado.mensaje, l.estado.fallo);
    return kSalidaError;
  }

  // As the screen loads it: the external file, then the figures, then the checks.
  // Loading the screen rebuilds the error lists, which lowers a bound above the multiples.
  if (r.Metodo == kMetodoColumnaProbable) ReconstruyeListasErrores(r);
  const CargaExterno carga = CargaArchivoExterno(datos, r);
  if (carga.mensaje) MuestraMensaje(*carga.mensaje);
  const Cifras cifras = RecalculaReduccion(r, carga.externo);
  const Comprobacion c = ComprobarReduccion(r, cifras, true);
  if (c.aviso) MuestraMensaje(*c.aviso);
  if (c.mensaje && !(c.pregunta && a.Tiene("--reemplazar"))) {
    MuestraMensaje(*c.mensaje);
    if (!c.pregunta) return kSalidaComprobacion;
    ImprimeError(Cp("(sin --reemplazar se conserva la reducción existente)"));
    return kSalidaYaExiste;
  }

  struct sigaction accion {};
  accion.sa_handler = AlInterrumpir;
  sigemptyset(&accion.sa_mask);
  struct sigaction anterior {};
  ::sigaction(SIGINT, &accion, &anterior);
  Barra barra;
  const ResultadoReduccion res = ReduceApuestas(
      datos, r,
      {cifras.ApuestasBase, cifras.NumApuestas, cifras.ApuestasQuiniela, cifras.ApuestasExternas},
      [&barra](const AvisoProgreso& aviso) { barra(aviso); }, gCancelar);
  barra.Termina();
  ::sigaction(SIGINT, &anterior, nullptr);

  if (res.cancelada) return kSalidaCancelada;
  if (!res.completada) {
    ImprimeFallo(res.mensaje, res.fallo);
    return kSalidaError;
  }
  if (gCancelar.load()) {
    // Ctrl-C came after the commit point: the new reduction is already whole and stored.
    ImprimeError(Cp("Demasiado tarde para cancelar: la reducción ya estaba guardada."));
  }
  ImprimeLinea(NombreReduccion(jornada, orden) + ": " + std::to_string(res.columnas) + " columnas");
  return kSalidaOk;
}

const RegistroComando kReducir({
    "reducir",
    "reduce una reducción guardada y escribe su fichero de columnas",
    "Uso: zendo-cli reducir --datos CARPETA --jornada J --orden O [--reemplazar]\n\n"
    "Carga la definición guardada en CARPETA/BASES.TVX para la jornada J y el orden O (1 a\n"
    "99), lee el archivo externo Q44F<jj><oo>.TVF si el método es la reducción manual,\n"
    "recalcula las cifras, hace las comprobaciones de \"Reducir apuestas\" y reduce: escribe\n"
    "RED<jj><oo>.TVX y guarda el registro de la reducción. Como la reducción ya está guardada,\n"
    "la pregunta \"Reducción ya existe\" se contesta Aceptar sólo con --reemplazar.\n"
    "En un terminal, el progreso se muestra en la salida de errores. Ctrl-C cancela hasta el\n"
    "momento en que la reducción nueva sustituye a la anterior (tras escribir y volcar todas\n"
    "sus columnas): la reducción anterior queda como estaba. Un Ctrl-C posterior llega tarde:\n"
    "se avisa por la salida de errores y la reducción nueva queda guardada.\n"
    "Mientras reduce, la carpeta de datos queda reservada: otro programa Zendo que quiera\n"
    "escribir en ella espera o avisa de que está en uso.\n"
    "Al terminar escribe \"RED<jj><oo>.TVX: N columnas\".\n"
    "Salida: 0 bien; 1 no hay definición guardada o un fichero no se pudo leer o escribir (la\n"
    "reducción anterior queda como estaba); 2 una comprobación falló (se muestran su título y\n"
    "su texto); 3 la reducción ya existe y no se dio --reemplazar; 64 argumentos incorrectos;\n"
    "130 cancelada con Ctrl-C.\n",
    {"--datos", "--jornada", "--orden"},
    {"--reemplazar"},
    Reducir,
});

}  // namespace
}  // namespace zendo::cli

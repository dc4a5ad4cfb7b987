#include "engine/reduction/generacion.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/core/transaccion.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion_desarrollo.h"
#include "engine/reduction/generacion_externo.h"

namespace zendo {

namespace fs = std::filesystem;

std::string TextoApuestasReducidas(int64_t apuestas, int64_t reducidas) {
  return FormatoTexto(static_cast<double>(apuestas), "@@@@@@@@@") + " apuestas reducidas a " +
         FormatoTexto(static_cast<double>(reducidas), "!@@@@@@@");
}

std::string TextoPorcentajeReduccion(int porcentaje) {
  return "Se ha realizado el " + FormatoTexto(static_cast<double>(porcentaje), "@@@") +
         Cp(" % de la reducción ");
}

namespace {

constexpr char kOrdenSignos[3] = {'1', 'X', '2'};

// The whole percentage shown while developing: it is redrawn each time it changes, as if
// the count went up one combination at a time.
class Porcentaje {
 public:
  Porcentaje(int64_t total, const ProgresoReduccion& progreso, const std::atomic<bool>& cancelar)
      : total_(total), progreso_(progreso), cancelar_(cancelar) {}

  // The combinations visited go from `hecho_` to `hecho_ + n`.
  void Avanza(int64_t n) {
    if (total_ <= 0 || n <= 0) return;
    const int64_t desde = hecho_ + 1;
    hecho_ += n;
    for (int64_t v = desde * 100 / total_; v <= hecho_ * 100 / total_ && !cancelar_.load(); ++v) {
      // The first count that reaches v percent.
      const int64_t c = std::max(desde, (v * total_ + 99) / 100);
      if (c > hecho_ || c * 100 / total_ != v || v == ultimo_) continue;
      ultimo_ = v;
      if (progreso_) {
        progreso_({LineaProgreso::Porcentaje, TextoPorcentajeReduccion(static_cast<int>(v)),
                   static_cast<int>(v)});
      }
    }
  }

 private:
  int64_t total_;
  const ProgresoReduccion& progreso_;
  const std::atomic<bool>& cancelar_;
  int64_t hecho_ = 0;
  int64_t ultimo_ = 0;
};

}  // namespace

ResultadoReduccion ReduceApuestas(const fs::path& rutaDatos, Reduccion& r,
                                  const CifrasGeneracion& cifras, const ProgresoReduccion& progreso,
                                  const std::atomic<bool>& cancelar) {
  // Once cancelled, only the cancellation is reported.
  auto avisa = [&](LineaProgreso linea, std::string texto) {
    if (progreso && (linea == LineaProgreso::Cancelada || !cancelar.load())) {
      progreso({linea, std::move(texto), -1});
    }
  };
  ResultadoReduccion res;

  const bool manual = r.Metodo == kMetodoManual;
  const bool conExterno = manual && r.IncluyeExterno == 1;
  avisa(LineaProgreso::Titulo, "REDUCIENDO APUESTAS");
  if (manual) {
    const int64_t total = int64_t{cifras.ApuestasQuiniela} + cifras.ApuestasExternas;
    avisa(LineaProgreso::Apuestas, TextoApuestasReducidas(total, total));
  } else {
    avisa(LineaProgreso::Apuestas, TextoApuestasReducidas(cifras.ApuestasBase, cifras.NumApuestas));
  }

  Desarrollo desarrollo(r);
  res.baseIncompleta = desarrollo.Incompleta();
  const fs::path destino = rutaDatos / NombreReduccion(r.Jornada, r.Orden);
  EscritorAtomico escritor(destino, 1 << 16);
  SalidaColumnas salida(escritor);
  auto fallo = [&](int16_t error) {
    res.error = error;
    res.fallo = {error, destino.filename().string(), OperacionFichero::Escribir};
    res.mensaje = "RED ERROR " + std::to_string(error);
    return res;
  };
  if (escritor.error() != kSinError) return fallo(escritor.error());

  std::optional<LectorExterno> externo;
  bool externoValido = false;
  if (conExterno) {
    externo.emplace(rutaDatos / NombreArchivoExterno(r.Jornada, r.Orden));
    // The file may have changed since the screen checked it: it is checked again.
    externoValido = externo->Abierto() && externo->Valida(cancelar);
  }

  Porcentaje porcentaje(desarrollo.Total(), progreso, cancelar);
  auto antes = [&](int64_t combinaciones) {
    porcentaje.Avanza(combinaciones);
    return !cancelar.load(std::memory_order_relaxed) && salida.error() == kSinError;
  };
  // The base columns come grouped by match 15 (it varies slowest); the external columns of
  // each sign join the base columns of that sign, which is the regrouping by match 15.
  const std::string& signos15 = desarrollo.Signos15();
  const char ultimoBase = desarrollo.Incompleta() || signos15.empty() ? 0 : signos15.back();
  int64_t porSigno[3] = {0, 0, 0};
  int64_t lineasBase = 0;
  int64_t lineasExternas = 0;
  bool parado = cancelar.load();
  auto finDesarrollo = [&] {
    const bool conBase = conExterno && !desarrollo.Incompleta();
    avisa(LineaProgreso::Finalizada, conBase ? Cp("Ha finalizado la reducción de la Quiniela Base")
                                             : Cp("Ha finalizado el proceso de reducción"));
  };
  if (ultimoBase == 0 && !parado) finDesarrollo();
  for (int g = 0; g < 3 && !parado; ++g) {
    const char signo = kOrdenSignos[g];
    const int64_t base = desarrollo.DesarrollaGrupo(signo, salida, antes);
    if (base < 0) {
      parado = true;
      break;
    }
    lineasBase += base;
    porSigno[g] += base;
    if (signo == ultimoBase) finDesarrollo();
    if (externoValido) {
      const int64_t ext = externo->CopiaGrupo(signo, salida, cancelar);
      if (ext < 0) {
        parado = true;
        break;
      }
      lineasExternas += ext;
      porSigno[g] += ext;
    }
    parado = cancelar.load() || salida.error() != kSinError;
  }
  if (!parado && conExterno) {
    avisa(LineaProgreso::Agrupando, Cp("Agrupando las columnas según el partido 15."));
    if (!desarrollo.Incompleta() && lineasExternas > 0) {
      avisa(LineaProgreso::Incorporadas, "Se han incorporado las columnas externas");
    }
  }
  if (cancelar.load()) {
    escritor.Descarta();
    avisa(LineaProgreso::Cancelada, Cp("El proceso de reducción ha sido cancelado"));
    res.cancelada = true;
    return res;
  }
  salida.Vacia();
  if (salida.error() != kSinError) return fallo(salida.error());

  // The record the index will hold, from what was written.
  Reduccion guardada = r;
  LimpiaCriteriosNoUsados(guardada);
  if (desarrollo.Incompleta()) {
    for (auto& p : guardada.Partido) {
      p.Signo = {};
      p.NumSignos = 0;
    }
  }
  const int64_t lineas = lineasBase + lineasExternas;
  if (manual) {
    guardada.ApuestasQuiniela = static_cast<int32_t>(lineasBase);
    guardada.ApuestasExternas = static_cast<int32_t>(lineasExternas);
    guardada.ApuestasBase = guardada.NumApuestas = static_cast<int32_t>(lineas);
    guardada.ColumnasPleno1 = static_cast<int32_t>(porSigno[0]);
    guardada.ColumnasPlenoX = static_cast<int32_t>(porSigno[1]);
  } else {
    guardada.ApuestasBase = static_cast<int32_t>(desarrollo.ApuestasBase());
    guardada.NumApuestas = static_cast<int32_t>(lineas);
    guardada.ApuestasQuiniela = guardada.ApuestasExternas = 0;
    guardada.ColumnasPleno1 = guardada.ColumnasPlenoX = 0;
  }

  // The columns file and the index record change together, as one commit.
  if (const int16_t err = escritor.Entrega(); err != kSinError) return fallo(err);
  Transaccion transaccion(rutaDatos);
  transaccion.ReemplazaCon(destino.filename().string(), escritor.temporal());
  const ContenidoIndice indice = IndiceConRegistro(rutaDatos, ConstruyeRegistroBases(guardada));
  if (indice.estado.error != kSinError) {
    res.error = indice.estado.error;
    res.fallo = {indice.estado.error, kFicheroIndice, OperacionFichero::Leer};
    res.mensaje = indice.estado.mensaje;
    return res;
  }
  transaccion.Reemplaza(kFicheroIndice, indice.contenido);
  const ResultadoTransaccion commit = transaccion.Confirma(&cancelar);
  if (commit.cancelada) {
    avisa(LineaProgreso::Cancelada, Cp("El proceso de reducción ha sido cancelado"));
    res.cancelada = true;
    return res;
  }
  if (commit.fallo) {
    res.error = commit.fallo.error;
    res.fallo = commit.fallo;
    res.mensaje = (commit.fallo.fichero == kFicheroIndice ? "EEB ERROR " : "RED ERROR ") +
                  std::to_string(commit.fallo.error);
    return res;
  }
  r = guardada;
  res.completada = true;
  res.columnas = lineas;
  return res;
}

}  // namespace zendo

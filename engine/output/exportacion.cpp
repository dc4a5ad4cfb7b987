#include "engine/output/exportacion.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <optional>
#include <vector>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fallo.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"
#include "engine/output/destinos.h"

namespace zendo {

namespace fs = std::filesystem;

namespace {

// A path as the messages show it: Windows-1252, a character it lacks as "?".
std::string RutaParaMensaje(const fs::path& ruta) {
  std::string utf8 = ruta.string();
  std::string salida;
  for (;;) {
    const ConversionCp1252 c = Utf8ACp1252(utf8);
    salida += c.texto;
    if (c.ok) return salida;
    salida += '?';
    std::size_t salto = 1;
    while (c.posicion + salto < utf8.size() &&
           (static_cast<unsigned char>(utf8[c.posicion + salto]) & 0xC0) == 0x80) {
      ++salto;
    }
    utf8.erase(0, c.posicion + salto);
  }
}

// "EXP ERROR 61: disco lleno al escribir /media/USB/AD243": the whole path, since the file
// is not in the data folder.
std::string MensajeError(const char* codigo, int16_t error, OperacionFichero operacion,
                         const fs::path& ruta) {
  return LineaFallo(codigo, {error, RutaParaMensaje(ruta), operacion});
}

// Where the converted bytes go: a temporary file or a descriptor.
struct Receptor {
  std::function<bool(std::string_view)> escribe;
  std::function<int16_t()> error;
  fs::path ruta;  // for the messages
};

// One pass over the columns: the work records of the boletos, converted as they come.
ResultadoExportacion Convierte(const PeticionExportacion& p, const CuentasAD243& previstas,
                               const Receptor& receptor, const AvisosExportacion& avisos,
                               const std::atomic<bool>& cancelar) {
  ResultadoExportacion res;
  const int64_t total = p.NumApuestas + previstas.incompletos;
  ConversorExportacion conversor(p.formato, receptor.escribe, p.cabecera, previstas);
  const ResultadoBoletos r = RecorreRegistrosBoletos(
      p.ficheroColumnas,
      [&](std::string_view registros) {
        const bool ok = conversor.Registros(registros);
        if (avisos.progreso) avisos.progreso(conversor.apuestas(), total);
        return ok;
      },
      nullptr, cancelar);
  res.apuestas = conversor.apuestas();
  if (r.cancelado) {
    res.cancelado = true;
    return res;
  }
  const bool completo = r.error == kSinError && conversor.Termina();
  if (const int16_t e = receptor.error(); e != kSinError) {
    res.error = e;
    res.mensaje = MensajeError("EXP", e, OperacionFichero::Escribir, receptor.ruta);
    return res;
  }
  if (!completo) {
    res.error = r.error != kSinError ? r.error : kErrEntradaSalida;
    res.mensaje =
        MensajeError("RED", res.error, OperacionFichero::Leer, p.ficheroColumnas.filename());
    return res;
  }
  res.cuentas = conversor.cuentas();
  if (avisos.progreso) avisos.progreso(res.apuestas, total);
  return res;
}

// The AD243 counts of the columns file, from a pass that writes nothing.
ResultadoExportacion Cuenta(const PeticionExportacion& p, const std::atomic<bool>& cancelar) {
  ResultadoExportacion res;
  ContadorAD243 contador;
  const ResultadoBoletos r = RecorreRegistrosBoletos(
      p.ficheroColumnas,
      [&](std::string_view registros) {
        contador.Registros(registros);
        return true;
      },
      nullptr, cancelar);
  res.cancelado = r.cancelado;
  if (!r.cancelado && r.error != kSinError) {
    res.error = r.error;
    res.mensaje =
        MensajeError("RED", r.error, OperacionFichero::Leer, p.ficheroColumnas.filename());
  }
  res.cuentas = contador.Termina();
  return res;
}

// Runs the export into what `abre` gives for each pass. AD243 writes its header first, so it
// needs the counts beforehand: counted in a pass of their own, or taken from the request and
// checked at the end, with a second pass when the file said otherwise.
ResultadoExportacion Exporta(
    const PeticionExportacion& p,
    const std::function<std::optional<Receptor>(ResultadoExportacion&)>& abre, bool repetible,
    const AvisosExportacion& avisos, const std::atomic<bool>& cancelar) {
  const bool ad243 = p.formato == FormatoExportacion::AD243;
  CuentasAD243 previstas;
  if (ad243) {
    if (p.previstas && repetible) {
      previstas = *p.previstas;
    } else {
      ResultadoExportacion c = Cuenta(p, cancelar);
      if (c.cancelado || c.error != kSinError) return c;
      previstas = c.cuentas;
    }
  }
  for (int pasada = 0;; ++pasada) {
    if (ad243 && previstas.incompletos > 0 && avisos.boletosIncompletos) {
      avisos.boletosIncompletos(previstas.incompletos);
    }
    ResultadoExportacion res;
    const std::optional<Receptor> receptor = abre(res);
    if (!receptor) return res;
    res = Convierte(p, previstas, *receptor, avisos, cancelar);
    if (!ad243 || res.cancelado || res.error != kSinError || res.cuentas == previstas) return res;
    if (!repetible || pasada > 0) {
      // The columns changed under the copy: the header would not tell the truth.
      res.error = kErrEntradaSalida;
      res.mensaje =
          MensajeError("RED", res.error, OperacionFichero::Leer, p.ficheroColumnas.filename());
      return res;
    }
    previstas = res.cuentas;
  }
}

}  // namespace

CuentasAD243 CuentasPrevistasAD243(const Reduccion& r) {
  std::vector<int64_t> grupos;
  if (r.Metodo == kMetodoManual) {
    grupos = {r.ColumnasPleno1, r.ColumnasPlenoX,
              int64_t{r.NumApuestas} - r.ColumnasPleno1 - r.ColumnasPlenoX};
  } else {
    const int k = std::max<int>(r.Partido[kPartidos].NumSignos, 1);
    const auto g = static_cast<int64_t>(std::nearbyint(static_cast<double>(r.NumApuestas) / k));
    for (int i = 0; i < k; ++i) grupos.push_back(i + 1 < k ? g : r.NumApuestas - g * (k - 1));
  }
  CuentasAD243 c;
  for (const int64_t n : grupos) {
    if (n <= 0) continue;
    c.boletos += (n + 7) / 8;
    c.incompletos += n % 8 == 1;
    c.columnas += n + (n % 8 == 1);
  }
  return c;
}

ResultadoExportacion ExportaAFichero(const PeticionExportacion& peticion, const fs::path& destino,
                                     const AvisosExportacion& avisos,
                                     const std::atomic<bool>& cancelar) {
  std::optional<EscritorAtomico> escritor;
  auto abre = [&](ResultadoExportacion& res) -> std::optional<Receptor> {
    // The converter hands out large blocks: they go straight to the file.
    escritor.reset();
    escritor.emplace(destino, RutaTemporal(destino), 1);
    if (int16_t e = escritor->error(); e != kSinError) {
      if (e == kErrNoEncontrado) e = kErrRutaNoEncontrada;  // a new file: its folder is missing
      res.error = e;
      res.mensaje = MensajeError("EXP", e, OperacionFichero::Crear, destino);
      return std::nullopt;
    }
    return Receptor{
        [&](std::string_view bloque) {
          escritor->Escribe(bloque);
          return escritor->error() == kSinError;
        },
        [&] { return escritor->error(); },
        destino,
    };
  };
  ResultadoExportacion res = Exporta(peticion, abre, true, avisos, cancelar);
  if (res.cancelado || res.error != kSinError) return res;  // the temporary goes with `escritor`
  // A removable medium may be pulled out as soon as the file is reported: it is flushed to it
  // first. Elsewhere the rename alone keeps an earlier file whole until the new one is.
  if (const int16_t e = escritor->Confirma(EnSoporteExterno(destino)); e != kSinError) {
    res.error = e;
    res.mensaje = MensajeError("EXP", e, OperacionFichero::Escribir, destino);
  }
  return res;
}

ResultadoExportacion ExportaADescriptor(const PeticionExportacion& peticion, int descriptor,
                                        const AvisosExportacion& avisos,
                                        const std::atomic<bool>& cancelar) {
  int16_t error = kSinError;
  auto abre = [&](ResultadoExportacion&) -> std::optional<Receptor> {
    return Receptor{
        [&](std::string_view bloque) {
          while (!bloque.empty() && error == kSinError) {
            const ssize_t n = ::write(descriptor, bloque.data(), bloque.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
              error = n < 0 ? ErrorDesdeErrno(errno) : kErrDiscoLleno;
              break;
            }
            bloque.remove_prefix(static_cast<std::size_t>(n));
          }
          return error == kSinError;
        },
        [&] { return error; },
        fs::path("(salida estándar)"),
    };
  };
  return Exporta(peticion, abre, false, avisos, cancelar);
}

Mensaje MensajeBoletoIncompleto(int64_t n) {
  const std::string cifra = Formato(static_cast<double>(n), "#");
  Mensaje m;
  m.titulo = "Boleto incompleto";
  m.texto = Cp("En esta reducción hay " + cifra + (n == 1 ? " boleto" : " boletos") +
               "  con una sola columna.  Como cada boleto debe contener dos columnas como "
               "mínimo,  se  va a duplicar esa columna y,  por lo tanto,  aumentará en " +
               cifra + " el número total de columnas que  se incluyen en el archivo.");
  m.lineas = 6;
  m.botones = kBotonesSalir;
  m.contexto = 2450;
  return m;
}

std::string TextoCreando(const std::string& ruta) {
  return "Creando archivo " + ruta;
}

std::string TextoPorcentaje(int porcentaje) {
  return "Se ha copiado el " + Formato(porcentaje, "##0") + " %";
}

std::string TextoCancelado() {
  return Cp("Se ha cancelado la operación de copiado");
}

std::string TextoCreado(const std::string& ruta) {
  return "Creado el archivo " + ruta;
}

int PorcentajeCopiado(int64_t apuestas, int64_t total) {
  if (total <= 0) return 0;
  return static_cast<int>(
      std::nearbyint(static_cast<double>(apuestas) * 100.0 / static_cast<double>(total)));
}

}  // namespace zendo

#include "engine/consult/borrado_columnas.h"

#include <algorithm>
#include <cstring>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/transaccion.h"

namespace zendo {

namespace {

constexpr int64_t kRegistrosLote = 52428;
namespace fs = std::filesystem;

std::string Codigo(const FalloFichero& f) {
  return (f.fichero == kFicheroIndice ? "EEB ERROR " : "RED ERROR ") + std::to_string(f.error);
}

}  // namespace

ResultadoBorradoColumnas BorraColumnasMarcadas(const fs::path& rutaDatos, int jornada, int orden) {
  ResultadoBorradoColumnas res;
  auto falla = [&res](int16_t error, std::string mensaje) {
    res.error = error;
    res.mensaje = std::move(mensaje);
    res.NumApuestas = res.ColumnasPleno1 = res.ColumnasPlenoX = 0;
    return res;
  };
  FicheroBoletos boletos = AbreFicheroBoletos(rutaDatos / kFicheroBoletos);
  if (boletos.error() != kSinError) {
    return falla(boletos.error(), "FORBOL ERROR " + std::to_string(boletos.error()));
  }
  const BusquedaReduccion b = ExisteReduccion(rutaDatos, jornada, orden);
  if (b.estado.error != kSinError && b.estado.error != kErrNoEncontrado) {
    return falla(b.estado.error, b.estado.mensaje);
  }
  if (!b.existe) {
    res.sinReduccion = true;
    return res;
  }

  const std::string nombre = NombreReduccion(jornada, orden);
  // The thinned columns go to the "N" copy, named by the temporaries' rule. Each batch is
  // handed over whole, so the writer keeps no buffer of its own.
  EscritorAtomico columnas(rutaDatos / nombre, RutaTemporal(rutaDatos / nombre, "N"), 1);
  auto fallaColumnas = [&](int16_t error) {
    res.fallo = {error, nombre, OperacionFichero::Escribir};
    return falla(error, "RED ERROR " + std::to_string(error));
  };
  if (columnas.error() != kSinError) return fallaColumnas(columnas.error());
  std::string lote;
  std::string salida;
  int64_t nuevas = 0, pleno1 = 0, plenoX = 0;
  for (int64_t primero = 1; primero <= boletos.registros(); primero += kRegistrosLote) {
    const int64_t n = std::min(kRegistrosLote, boletos.registros() - primero + 1);
    if (const int16_t err = boletos.Lee(primero, n, lote); err != kSinError) {
      res.fallo = {err, kFicheroBoletos, OperacionFichero::Leer};
      return falla(err, "FORBOL ERROR " + std::to_string(err));
    }
    // A line is shorter than its record, and one byte of scratch past the last is enough.
    salida.resize(lote.size() + 1);
    char* o = salida.data();
    // Counted in locals: the byte stores could otherwise be taken to change them.
    int64_t k = 0, p1 = 0, pX = 0;
    for (const char* r = lote.data(); r < lote.data() + lote.size(); r += kLargoRegistroBoleto) {
      // Blank places carry a blank mark; marked columns a "1".
      if (r[16] != '0') continue;
      std::memcpy(o, r, 16);  // the quote and the 15 signs
      std::memcpy(o + 16, "\"\r\n", 4);
      o += 19;
      ++k;
      p1 += r[15] == '1';
      pX += r[15] == 'X';
    }
    nuevas += k;
    pleno1 += p1;
    plenoX += pX;
    columnas.Escribe(std::string_view(salida.data(), static_cast<std::size_t>(o - salida.data())));
    if (columnas.error() != kSinError) return fallaColumnas(columnas.error());
  }
  if (const int16_t err = columnas.Entrega(); err != kSinError) return fallaColumnas(err);

  // The columns file and the three counts of its index record change together: after a
  // crash at any instant the next start finds the earlier pair or the new one.
  Transaccion transaccion(rutaDatos);
  transaccion.ReemplazaCon(nombre, columnas.temporal());
  const ContenidoIndice indice = IndiceConContadores(
      rutaDatos, b.NumRegistroBases, b.RegistroLeido, static_cast<int32_t>(nuevas),
      static_cast<int32_t>(pleno1), static_cast<int32_t>(plenoX));
  if (indice.estado.error != kSinError) {
    res.fallo = {indice.estado.error, kFicheroIndice, OperacionFichero::Leer};
    return falla(indice.estado.error, indice.estado.mensaje);
  }
  transaccion.Reemplaza(kFicheroIndice, indice.contenido);
  const ResultadoTransaccion commit = transaccion.Confirma();
  if (commit.fallo) {
    res.fallo = commit.fallo;
    return falla(commit.fallo.error, Codigo(commit.fallo));
  }
  res.NumApuestas = static_cast<int32_t>(nuevas);
  res.ColumnasPleno1 = static_cast<int32_t>(pleno1);
  res.ColumnasPlenoX = static_cast<int32_t>(plenoX);
  return res;
}

}  // namespace zendo

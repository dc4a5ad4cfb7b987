#include "engine/consult/borrado_columnas.h"

#include <algorithm>
#include <system_error>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"

namespace zendo {

namespace {

constexpr int64_t kRegistrosLote = 52428;
namespace fs = std::filesystem;

// The columns file and the three counts of its index record change together. The earlier
// columns file stays reachable under a temporary name until the record is stored, so that a
// failure of the index puts it back.
EstadoIndice ConfirmaBorrado(const fs::path& rutaDatos, const std::string& nombre,
                             EscritorAtomico& columnas, const BusquedaReduccion& b,
                             const ResultadoBorradoColumnas& cuentas) {
  const fs::path fichero = rutaDatos / nombre;
  const fs::path copia = RutaTemporal(rutaDatos / ("ANT" + nombre));
  std::error_code ec;
  fs::remove(copia, ec);
  fs::create_hard_link(fichero, copia, ec);
  const bool respaldado = !ec;
  if (const int16_t err = columnas.Confirma(); err != kSinError) {
    if (respaldado) fs::remove(copia, ec);
    return {err, "RED ERROR " + std::to_string(err)};
  }
  EstadoIndice estado =
      ReescribeContadores(rutaDatos, b.NumRegistroBases, b.RegistroLeido, cuentas.NumApuestas,
                          cuentas.ColumnasPleno1, cuentas.ColumnasPlenoX);
  if (respaldado) {
    if (estado.error != kSinError) {
      fs::rename(copia, fichero, ec);
    } else {
      fs::remove(copia, ec);
    }
  }
  return estado;
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
  EscritorAtomico columnas(rutaDatos / nombre, rutaDatos / ("N" + nombre), 1 << 20);
  if (columnas.error() != kSinError) {
    return falla(columnas.error(), "RED ERROR " + std::to_string(columnas.error()));
  }
  std::string lote;
  std::string salida;
  int64_t nuevas = 0, pleno1 = 0, plenoX = 0;
  for (int64_t primero = 1; primero <= boletos.registros(); primero += kRegistrosLote) {
    const int64_t n = std::min(kRegistrosLote, boletos.registros() - primero + 1);
    if (const int16_t err = boletos.Lee(primero, n, lote); err != kSinError) {
      return falla(err, "FORBOL ERROR " + std::to_string(err));
    }
    salida.clear();
    for (std::size_t p = 0; p < lote.size(); p += kLargoRegistroBoleto) {
      const char* r = lote.data() + p;
      // Blank places carry a blank mark; marked columns a "1".
      if (r[16] != '0') continue;
      salida.append(r, 16);  // the quote and the 15 signs
      salida.append("\"\r\n", 3);
      ++nuevas;
      pleno1 += r[15] == '1';
      plenoX += r[15] == 'X';
    }
    columnas.Escribe(salida);
    if (columnas.error() != kSinError) {
      return falla(columnas.error(), "RED ERROR " + std::to_string(columnas.error()));
    }
  }
  res.NumApuestas = static_cast<int32_t>(nuevas);
  res.ColumnasPleno1 = static_cast<int32_t>(pleno1);
  res.ColumnasPlenoX = static_cast<int32_t>(plenoX);
  const EstadoIndice estado = ConfirmaBorrado(rutaDatos, nombre, columnas, b, res);
  if (estado.error != kSinError) return falla(estado.error, estado.mensaje);
  return res;
}

}  // namespace zendo

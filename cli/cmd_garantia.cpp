// zendo-cli garantia: the guarantee of a stored reduction and how its winning columns spread
// over the numbers of hits, in one JSON object.

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/comandos.h"
#include "engine/consult/garantia.h"
#include "engine/core/texto.h"

namespace zendo::cli {
namespace {

template <typename Array>
std::string Lista(const Array& a) {
  std::string r = "[";
  for (std::size_t i = 0; i < a.size(); ++i) r += (i ? ", " : "") + std::to_string(a[i]);
  return r + "]";
}

// Millionths as a decimal with six places: 1234 -> 0.001234.
std::string SeisDecimales(int64_t millonesimas) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld.%06lld", static_cast<long long>(millonesimas / 1000000),
                static_cast<long long>(millonesimas % 1000000));
  return buf;
}

int Ejecuta(const Argumentos& a) {
  const auto pedida = PideReduccion(a);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& ruta = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;

  const auto guardada = CargaReduccionGuardada(ruta, jornada, orden);
  if (!guardada) return kSalidaError;

  const std::atomic<bool> nunca{false};
  const ResultadoGarantia res = CalculaGarantia(ruta, guardada->r, {}, nunca);
  if (res.estado != EstadoGarantia::Calculada) {
    ImprimeFallo(res.mensaje, res.fallo);
    return kSalidaError;
  }
  const Garantia& g = res.garantia;
  std::ostringstream o;
  o << "{\"ganadoras\": " << g.ganadoras << ", \"mejor\": " << Lista(g.mejor)
    << ", \"garantia\": " << (g.garantia < 0 ? std::string("null") : std::to_string(g.garantia))
    << ", \"aciertos\": " << Lista(g.aciertos);
  if (g.ponderada) {
    o << ", \"probabilidad\": [";
    for (std::size_t k = 0; k < g.millonesimas.size(); ++k) {
      o << (k ? ", " : "") << SeisDecimales(g.millonesimas[k]);
    }
    o << "]";
  }
  o << "}\n";
  std::cout << o.str();
  return kSalidaOk;
}

const RegistroComando kRegistro{Comando{
    "garantia",
    "garantía y premios de una reducción guardada (JSON)",
    "Uso: zendo-cli garantia --datos CARPETA --jornada J --orden O\n\n"
    "Lee la definición guardada de la reducción (jornada J, orden O) y sus columnas\n"
    "(RED<jj><oo>.TVX) y, para los resultados de los partidos 1 a 14 que caen dentro de la\n"
    "Quiniela Base (las columnas ganadoras), imprime un objeto JSON:\n"
    "  ganadoras     número de columnas ganadoras de la Quiniela Base\n"
    "  mejor         [n0, ..., n14]: columnas ganadoras cuya mejor columna guardada tiene\n"
    "                exactamente k aciertos\n"
    "  garantia      el menor k con nk > 0; null si la reducción no tiene ninguna columna\n"
    "  aciertos      [s0, ..., s14]: pares (columna ganadora, columna guardada) con\n"
    "                exactamente k aciertos\n"
    "  probabilidad  sólo en el método de Balance de signos: la parte de las columnas\n"
    "                ganadoras con mejor = k, ponderada por los porcentajes guardados de cada\n"
    "                signo (normalizados sobre los signos de la base), con 6 decimales\n"
    "Salida: 0 bien; 1 no hay definición guardada, o el fichero de columnas falta, no se\n"
    "puede leer o tiene una línea que no es una columna; 64 argumentos incorrectos.\n",
    {"--datos", "--jornada", "--orden"},
    {},
    Ejecuta}};

}  // namespace
}  // namespace zendo::cli

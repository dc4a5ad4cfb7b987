#include "engine/reduction/modelo.h"

#include <array>

#include "engine/core/texto.h"

namespace zendo {

Reduccion ReduccionNueva(int16_t jornada, int16_t orden, int16_t metodo) {
  Reduccion r;
  r.Jornada = jornada;
  r.Orden = orden;
  r.Metodo = metodo;
  for (int m = 1; m <= kPartidos; ++m) {
    r.Partido[m] = DatosPartido{};
    r.Partido[m].Signo[1] = 1;
    r.Partido[m].NumSignos = 1;
    r.Probabilidad[m] = {0, 100, 0, 0};
  }
  return r;
}

namespace {
int Acota(int metodo) {
  return metodo >= 1 && metodo <= 5 ? metodo : 0;
}
}  // namespace

const std::string& NombreLargoMetodo(int metodo) {
  static const std::array<std::string, 6> kNombres = {std::string(29, ' '),
                                                      Cp("Método Directo               "),
                                                      Cp("Método de Columna probable   "),
                                                      Cp("Método de Selección de signos"),
                                                      Cp("Método de Balance de signos  "),
                                                      Cp("Método de Reducción manual   ")};
  return kNombres[static_cast<std::size_t>(Acota(metodo))];
}

const std::string& NombreCortoMetodo(int metodo) {
  static const std::array<std::string, 6> kNombres = {
      std::string(19, ' '),      Cp("Directo            "), Cp("Columna probable   "),
      Cp("Selección de signos"), Cp("Balance de signos  "), Cp("Reducción manual   ")};
  return kNombres[static_cast<std::size_t>(Acota(metodo))];
}

}  // namespace zendo

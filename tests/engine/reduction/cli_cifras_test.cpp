// zendo-cli cifras against an independent count of the stored definitions.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "apoyo/apoyo.h"
#include "engine/core/datos_generales.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "tests/engine/reduction/base_aleatoria.h"
#include "tests/engine/reduction/enumerador.h"

namespace zendo {
namespace {

// The number or the array of numbers after "clave": in the output.
std::vector<double> Valores(const std::string& json, const std::string& clave) {
  const std::string marca = "\"" + clave + "\": ";
  const auto p = json.find(marca);
  if (p == std::string::npos) return {};
  std::istringstream in(json.substr(p + marca.size()));
  std::vector<double> v;
  if (in.peek() != '[') {
    double x = 0;
    in >> x;
    return {x};
  }
  in.get();
  double x = 0;
  while (in >> x) {
    v.push_back(x);
    if (in.get() == ']') break;
  }
  return v;
}

std::string Cifras(const prueba::CarpetaTemporal& d, int orden, const std::string& extra = "") {
  std::string salida;
  const int estado =
      prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " cifras --datos '" + d.ruta().string() +
                          "' --jornada 3 --orden " + std::to_string(orden) + extra + " 2>/dev/null",
                      &salida);
  EXPECT_EQ(estado, 0) << orden;
  return salida;
}

TEST(CliCifras, CoincideConLaEnumeracionDeLoGuardado) {
  prueba::CarpetaTemporal d;
  DatosGenerales datos;
  datos.PrecioApuesta = "0.75";
  datos.Normaliza();
  ASSERT_EQ(GuardaDatosGenerales(d.ruta(), datos), 0);

  std::mt19937 gen(73);
  std::vector<Reduccion> guardadas;
  std::vector<std::array<int64_t, 15>> externas;
  for (int orden = 1; orden <= 30; ++orden) {
    const int metodo = 1 + (orden - 1) % 5;
    Reduccion r = prueba::Aleatoria(gen, metodo, 8);
    r.Jornada = 3;
    r.Orden = static_cast<int16_t>(orden);
    LimpiaCriteriosNoUsados(r);
    ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
    std::array<int64_t, 15> porVariantes{};
    if (metodo == kMetodoManual && orden % 10 != 0) {
      std::string bytes;
      for (int i = 0; i < orden; ++i) {
        std::string col(15, '1');
        for (char& c : col) c = "1Xx2"[std::uniform_int_distribution<int>(0, 3)(gen)];
        ++porVariantes[static_cast<std::size_t>(prueba::Variantes(col))];
        bytes += "\"" + col + "\"\r\n";
      }
      prueba::EscribeBytes(d / ("Q44F03" + DosDigitos(orden) + ".TVF"), bytes);
    }
    guardadas.push_back(r);
    externas.push_back(porVariantes);
  }

  for (int orden = 1; orden <= 30; ++orden) {
    const Reduccion& r = guardadas[static_cast<std::size_t>(orden - 1)];
    const std::string json = Cifras(d, orden);
    const int32_t minimo = DiezMilesimas(static_cast<float>(Valores(json, "MinPorcentaje").at(0)));
    const int32_t maximo = DiezMilesimas(static_cast<float>(Valores(json, "MaxPorcentaje").at(0)));
    const prueba::Enumeracion e = prueba::Enumera(r, minimo, maximo);
    const std::string caso = "orden " + std::to_string(orden) + ": " + json;
    EXPECT_EQ(Valores(json, "ApuestasBase").at(0), e.ApuestasBase) << caso;
    EXPECT_EQ(Valores(json, "NumApuestas").at(0), e.NumApuestas) << caso;
    const std::size_t clases = r.Metodo == kMetodoBalanceSignos ? 101 : 15;
    const auto qbase = Valores(json, "QBase");
    const auto aceptadas = Valores(json, "Aceptadas");
    ASSERT_EQ(qbase.size(), clases) << caso;
    ASSERT_EQ(aceptadas.size(), clases) << caso;
    for (std::size_t k = 0; k < clases; ++k) {
      EXPECT_EQ(qbase[k], e.QBase[k]) << caso;
      const int64_t segunda = r.Metodo == kMetodoManual
                                  ? externas[static_cast<std::size_t>(orden - 1)][k]
                                  : e.Aceptadas[k];
      EXPECT_EQ(aceptadas[k], segunda) << caso;
    }
    EXPECT_EQ(Valores(json, "MaxSignos").size(), 3u);
    if (r.Metodo == kMetodoBalanceSignos && e.ApuestasBase > 0) {
      EXPECT_EQ(static_cast<float>(Valores(json, "PorcMinimo").at(0)),
                static_cast<float>(RedondeaPar(e.probMinima / 1e4 - 0.004999, 2)));
    }
    // The panel's amounts use the price of the general data and the Spanish separators.
    const std::string importe =
        Formato(0.75 * static_cast<double>(e.ApuestasBase), "##,###,##0.00");
    if (r.Metodo != kMetodoManual) {
      EXPECT_NE(json.find("[\"Importe total\", \"" + importe + " €\"]"), std::string::npos) << caso;
    }
  }
}

TEST(CliCifras, ComprobarDaElPrimerMensajeOLaPregunta) {
  prueba::CarpetaTemporal d;
  Reduccion r = ReduccionNueva(3, 1, kMetodoColumnaProbable);
  r.Partido[2] = {{0, 1, 1, 0}, 2, true, 0};
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
  std::string salida = Cifras(d, 1, " --comprobar");
  EXPECT_EQ(salida,
            "Error en la Columna probable\nHay un partido múltiple  para reducir de la Quiniela  "
            "Base  del  que no ha seleccionado ningún signo en la  Columna probable.  Debe "
            "seleccionar en la Columna probable un signo de cada partido a reducir antes de "
            "efectuar la reducción.\n");
  r.Partido[2].Probable = 1;
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
  salida = Cifras(d, 1, " --comprobar");
  EXPECT_EQ(salida.substr(0, salida.find('\n')), "Reducción ya existe");

  std::string codigo;
  EXPECT_NE(prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " cifras --datos '" + d.ruta().string() +
                                "' --jornada 3 --orden 2 2>/dev/null",
                            &codigo),
            0);  // nothing stored under that key
}

}  // namespace
}  // namespace zendo

namespace zendo {
namespace {

TEST(CliCifras, CargarRebajaLosErroresPorEncimaDeLosMultiplos) {
  // A record written elsewhere with bounds 5 and 4 over three multiples: the screen's load
  // lowers both to 3, and the figures follow.
  prueba::CarpetaTemporal d;
  Reduccion r = ReduccionNueva(3, 1, kMetodoColumnaProbable);
  r.Partido[1] = {{0, 1, 1, 0}, 2, true, 1};
  r.Partido[2] = {{0, 1, 1, 0}, 2, true, 2};
  r.Partido[3] = {{0, 1, 1, 1}, 3, true, 3};
  r.MinErrores = 5;
  r.MaxErrores = 4;
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
  const std::string json = Cifras(d, 1);
  EXPECT_EQ(Valores(json, "NumApuestas"), std::vector<double>{2});
}

}  // namespace
}  // namespace zendo

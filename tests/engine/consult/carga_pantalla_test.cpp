#include "engine/consult/carga_pantalla.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;

TEST(CargaPantalla, EncabezadosPorMetodoYPantalla) {
  EXPECT_EQ(EncabezadoPanel(2, Pantalla::Reducir).first,
            "Quiniela     Partidos    Columna            Errores");
  EXPECT_EQ(EncabezadoPanel(2, Pantalla::Reducir).second,
            "base      reducidos   probable          permitidos");
  EXPECT_EQ(EncabezadoPanel(2, Pantalla::Salida).second, "base      reducidos   probable");
  EXPECT_EQ(EncabezadoPanel(3, Pantalla::Escrutin).second, "base      reducidos    1    X    2");
  EXPECT_EQ(EncabezadoPanel(4, Pantalla::Reducir).first, std::string(73, ' ') + "Porcentajes");
  EXPECT_EQ(EncabezadoPanel(4, Pantalla::Consredu).first, std::string(73, ' '));
  EXPECT_EQ(EncabezadoPanel(5, Pantalla::Reducir),
            (std::pair<std::string, std::string>{"Quiniela", "base"}));
}

TEST(CargaPantalla, FilasTitulosYDescripcion) {
  EXPECT_EQ(TextoPartido(3, " Betis ", "Sevilla"), "3. Betis - Sevilla");  // "#" never pads
  EXPECT_EQ(TextoPartido(12, "Betis", ""), "12. Betis");
  EXPECT_EQ(TextoPartido(1, "", ""), "1. ");
  Reduccion r = ReduccionNueva(7, 12, kMetodoManual);
  EXPECT_EQ(Cp1252AUtf8(LineaDescripcion(r, false)),
            "No existe la reducción con orden 12 en la jornada 7");
  r.Descripcion = AjustaAncho("  Liga ", 35);
  EXPECT_EQ(LineaDescripcion(r, true), "Liga");
  EXPECT_EQ(Cp1252AUtf8(TituloPantalla(Pantalla::Consredu, 5)),
            "Consulta / Modificación de columnas reducidas con el Método de Reducción manual");
  EXPECT_EQ(Cp1252AUtf8(TituloPantalla(Pantalla::Reducir, 1)),
            "Reducción de apuestas por el Método Directo");
  EXPECT_EQ(LineaExterno(r), "Se incluyeron columnas del archivo Q44F0712.TVF");
}

TEST(CargaPantalla, ElegirJornadaBuscaElPrimerOrdenGuardado) {
  CarpetaTemporal dir;
  EXPECT_EQ(OrdenParaJornada(dir.ruta(), Pantalla::Salida, 4, 30), std::nullopt);
  ASSERT_EQ(GuardaRegistroBases(dir.ruta(), ConstruyeRegistroBases(ReduccionNueva(4, 3, 1))).error,
            0);
  EXPECT_EQ(OrdenParaJornada(dir.ruta(), Pantalla::Salida, 4, 30), 3);
  EXPECT_EQ(OrdenParaJornada(dir.ruta(), Pantalla::Salida, 4, 2), std::nullopt);
  EXPECT_EQ(OrdenParaJornada(dir.ruta(), Pantalla::Reducir, 9, 30), 1);
  const Mensaje m = MensajeSinJornada(4);
  EXPECT_EQ(Cp1252AUtf8(m.texto),
            "No hay ninguna reducción para la jornada  4. Sólo se pueden cargar datos de una "
            "reducción existente.  Seleccione la jornada correcta o busque en el Histórico de "
            "reducciones la que desee cargar.");
  EXPECT_EQ(m.contexto, 2280);
  EXPECT_EQ(Cp1252AUtf8(MensajeSinOrden(2).texto),
            "No existe para esta Jornada ninguna reducción con el número de Orden  2 . Sólo puede "
            "cargar datos de una reducción que ya  exista.  Elija un número de  Orden correcto o "
            "localice en el Histórico la reducción que desee cargar.");
}

TEST(CargaPantalla, MediaDeLaGanadoraSoloConCatorceSignos) {
  Reduccion r = ReduccionNueva(1, 1, kMetodoBalanceSignos);
  std::array<std::array<int16_t, 4>, 16> g{};
  for (std::size_t m = 1; m <= 13; ++m) {
    r.Probabilidad[m] = {0, 50, 30, 20};
    g[m][2] = 1;
  }
  EXPECT_EQ(MediaGanadora(r, g).texto, "------   ");
  r.Probabilidad[14] = {0, 0, 0, 100};
  g[14][1] = 1;  // a winning sign of probability 0 does not count
  EXPECT_FALSE(MediaGanadora(r, g).valida);
  g[14] = {0, 0, 0, 1};
  const auto p = MediaGanadora(r, g);
  EXPECT_TRUE(p.valida);
  EXPECT_EQ(p.texto, "35,00 %");  // (13 x 30 + 100) / 14
}

}  // namespace
}  // namespace zendo

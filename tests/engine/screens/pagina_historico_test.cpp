#include "engine/screens/pagina_historico.h"

#include <gtest/gtest.h>

#include <cmath>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/historico.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;

// A line whose every field is full, so that no field leaves a blank of its own.
std::string LineaLlena() {
  Reduccion r = ReduccionNueva(12, 30, 3);
  r.Descripcion = std::string(35, 'D');
  r.ApuestasBase = 14348907;
  r.NumApuestas = 12345678;
  return LineaHistorico(ConstruyeRegistroBases(r), "14/02/10");
}

TEST(PaginaHistorico, TitulosSobreLosCamposDeLasLineas) {
  const auto titulos = TitulosHistorico();
  const std::string linea = LineaLlena();
  ASSERT_EQ(linea.size(), kCaracteresLineaHistorico);
  EXPECT_EQ(titulos[0].size(), kCaracteresLineaHistorico);
  EXPECT_EQ(titulos[1].size(), kCaracteresLineaHistorico);
  // Each heading stands over the field it names.
  EXPECT_EQ(titulos[1].find("Jor"), 0u);
  EXPECT_EQ(linea.substr(1, 2), "12");
  EXPECT_EQ(linea.substr(titulos[1].find("Fecha") - 2, 8), "14/02/10");
  EXPECT_EQ(linea.substr(titulos[1].find("Ord") + 1, 2), "30");
  EXPECT_EQ(linea.substr(titulos[1].find(Cp("Método de reducción")), 19),
            Cp("Selección de signos"));
  EXPECT_EQ(linea.substr(titulos[1].find("Directas"), 8), "14348907");
  EXPECT_EQ(linea.substr(titulos[1].find("Reducidas") + 1, 8), "12345678");
  EXPECT_EQ(titulos[0].find("Apuestas"), titulos[1].find("Directas"));
  EXPECT_EQ(titulos[0].rfind("Apuestas"), titulos[1].find("Reducidas") + 1);
  EXPECT_EQ(Cp1252AUtf8(titulos[1].substr(0, 59)),
            "Jor   Fecha  Ord  Método de reducción           Descripción");
}

TEST(PaginaHistorico, LasLineasDeColumnaCaenEnBlancos) {
  const std::string linea = LineaLlena();
  for (double s : SeparadoresHistorico()) {
    // The characters touching the separator are blanks between two fields.
    const auto antes = static_cast<std::size_t>(std::ceil(s) - 1);
    const auto despues = static_cast<std::size_t>(std::floor(s));
    EXPECT_EQ(linea[antes], ' ') << s;
    EXPECT_EQ(linea[despues], ' ') << s;
  }
}

TEST(PaginaHistorico, ClicEnTextoEnSimboloOEnHueco) {
  // Page starting at line 18 of 40: row 2 holds line 20.
  ClicHistorico c = ClicEnHistorico(100, 2 * 25 + 10, 18, 40);
  EXPECT_EQ(c.accion, AccionHistorico::Elegir);
  EXPECT_EQ(c.linea, 20);
  c = ClicEnHistorico(kXSimboloBorrar + 5, 2 * 25 + 10, 18, 40);
  EXPECT_EQ(c.accion, AccionHistorico::Borrar);
  EXPECT_EQ(c.linea, 20);
  // Which spots are no row is HallaCualLinea's (core tests): here only that none is chosen.
  EXPECT_EQ(ClicEnHistorico(100, 10, 1, 0).accion, AccionHistorico::Ninguna);
}

TEST(PaginaHistorico, PreguntaDeBorrado) {
  EXPECT_EQ(MensajeBorrarReduccion(5, 12),
            (Mensaje{"Borrado de datos",
                     Cp("Se van a borrar los datos de la reducción con número de Orden 12 de la "
                        "Jornada  5. Si desea continuar con el proceso de borrado, pulse el "
                        "botón Aceptar.  Si desea anular el proceso de borrado, pulse el botón "
                        "Cancelar."),
                     5, kBotonesAceptarCancelar, 2280}));
}

TEST(PaginaHistorico, SinIndiceReescritoSeConservaElFichero) {
  CarpetaTemporal dir;
  // A folder where the index should be: it cannot be read nor rewritten.
  std::filesystem::create_directory(dir / "BASES.TVX");
  EscribeBytes(dir / "RED0101.TVX", "\"111111111111111\"\r\n");
  const EstadoIndice e = BorraReduccion(dir.ruta(), 1, 1);
  EXPECT_NE(e.error, 0);
  EXPECT_EQ(e.mensaje.substr(0, 10), "BRB ERROR ");
  EXPECT_TRUE(std::filesystem::exists(dir / "RED0101.TVX"));
}

TEST(PaginaHistorico, BorrarMatadoEnCadaPasoDejaLaReduccionEnteraONada) {
  auto prepara = [](const std::filesystem::path& ruta) {
    for (int o = 1; o <= 2; ++o) {
      const Reduccion r = ReduccionNueva(1, static_cast<int16_t>(o), 1);
      ASSERT_EQ(GuardaRegistroBases(ruta, ConstruyeRegistroBases(r)).error, 0);
      EscribeBytes(ruta / NombreReduccion(1, o), "\"111111111111111\"\r\n");
    }
  };
  CarpetaTemporal completa;
  prepara(completa.ruta());
  ASSERT_EQ(BorraReduccion(completa.ruta(), 1, 2).error, 0);
  const prueba::FotoCarpeta despues = prueba::Foto(completa.ruta());
  ASSERT_EQ(despues.count("RED0102.TVX"), 0u);
  for (int paso = 1;; ++paso) {
    SCOPED_TRACE("paso " + std::to_string(paso));
    CarpetaTemporal dir;
    prepara(dir.ruta());
    const prueba::FotoCarpeta antes = prueba::Foto(dir.ruta());
    const bool muerto = prueba::MuereEnPaso(paso, [&] { BorraReduccion(dir.ruta(), 1, 2); });
    ASSERT_TRUE(AbreCarpetaEscritura(dir.ruta(), std::chrono::milliseconds(0)).ok());
    const prueba::FotoCarpeta f = prueba::Foto(dir.ruta());
    EXPECT_TRUE(f == antes || f == despues);
    if (!muerto) {
      EXPECT_EQ(f, despues);
      break;
    }
    ASSERT_LT(paso, 100);
  }
}

}  // namespace
}  // namespace zendo

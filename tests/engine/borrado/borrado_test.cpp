#include "engine/core/borrado.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

void GuardaReduccion(const fs::path& ruta, int jornada, int orden) {
  const Reduccion r = ReduccionNueva(static_cast<int16_t>(jornada), static_cast<int16_t>(orden), 1);
  ASSERT_EQ(GuardaRegistroBases(ruta, ConstruyeRegistroBases(r)).error, 0);
  EscribeBytes(ruta / NombreReduccion(jornada, orden), "\"111111111111111\"\r\n");
}

void GuardaJornada(const fs::path& ruta, int jornada) {
  std::string registro = RegistroJornadaVacio();
  PonCabecera(registro, jornada, "12/09/26");
  PonEquipo(registro, 1, "Betis");
  PonEquipo(registro, 2, "Celta");
  ASSERT_EQ(EscribeJornada(ruta, jornada, registro), 0);
}

// Keys of the live records of the index, in file order ("0301", ...), "----" for deleted.
std::vector<std::string> ClavesIndice(const fs::path& ruta) {
  std::vector<std::string> claves;
  for (const auto& r : LeeIndice(ruta).registros) {
    claves.push_back(RegistroBorrado(r) ? "----" : r.substr(0, 4));
  }
  return claves;
}

TEST(Borrado, PreguntaSegunElRango) {
  EXPECT_EQ(PreguntaBorrado(3, 3),
            Cp("Se van a eliminar todos los datos referentes a la Jornada  3.\r\nSi desea "
               "continuar con el proceso,  pulse el botón  Aceptar.  Si  prefiere conservar "
               "esos datos, pulse el botón Cancelar."));
  const std::string rango = PreguntaBorrado(4, 12);
  EXPECT_EQ(rango.substr(0, rango.find('\r')),
            "Se van a eliminar todos los datos  desde  la Jornada  4 hasta la Jornada 12.");
}

TEST(Borrado, ElRangoNuncaSeCruza) {
  RangoJornadas r;
  r.PonHasta(4);
  r.PonDesde(10);
  EXPECT_EQ(r.desde, 10);
  EXPECT_EQ(r.hasta, 10);
  r.PonHasta(2);
  EXPECT_EQ(r.desde, 2);
  EXPECT_EQ(r.hasta, 2);
  r.PonHasta(7);
  EXPECT_EQ(r.desde, 2);
  EXPECT_EQ(r.hasta, 7);
}

TEST(Borrado, NombresDeFicherosDeReduccion) {
  EXPECT_TRUE(EsFicheroReduccionDe("RED0312.TVX", 3));
  EXPECT_TRUE(EsFicheroReduccionDe("RED03.TVX", 3));
  EXPECT_TRUE(EsFicheroReduccionDe("red0360.tvx", 3));
  EXPECT_FALSE(EsFicheroReduccionDe("RED1303.TVX", 3));
  EXPECT_FALSE(EsFicheroReduccionDe("NRED0301.TVX", 3));
  EXPECT_FALSE(EsFicheroReduccionDe("RED0301.TXT", 3));
  EXPECT_FALSE(EsFicheroReduccionDe("Q44F0301.TVF", 3));
}

TEST(Borrado, BorraSoloLasJornadasDelRango) {
  CarpetaTemporal dir;
  for (int j = 1; j <= 4; ++j) GuardaJornada(dir.ruta(), j);
  GuardaReduccion(dir.ruta(), 1, 1);
  GuardaReduccion(dir.ruta(), 2, 1);
  GuardaReduccion(dir.ruta(), 2, 60);
  GuardaReduccion(dir.ruta(), 3, 5);
  GuardaReduccion(dir.ruta(), 12, 2);
  EscribeBytes(dir / "RED02.TVX", "x");
  EscribeBytes(dir / "NRED0201.TVX", "x");

  const ResultadoBorrado r = BorraJornadas(dir.ruta(), 2, 3);
  EXPECT_EQ(r.error, 0) << r.mensaje;
  EXPECT_EQ(r.reducciones, 3);
  EXPECT_EQ(r.ficheros, 4);

  // The index keeps its length; the wiped records are reused by the next reduction.
  EXPECT_EQ(ClavesIndice(dir.ruta()),
            (std::vector<std::string>{"0101", "----", "----", "----", "1202"}));
  GuardaReduccion(dir.ruta(), 9, 9);
  EXPECT_EQ(ClavesIndice(dir.ruta())[1], "0909");

  for (int j = 1; j <= 4; ++j) {
    const LecturaJornada l = LeeJornada(dir.ruta(), j);
    EXPECT_EQ(l.jornada.vacia, j == 2 || j == 3) << j;
  }
  EXPECT_EQ(LeeBytes(dir / kFicheroJornadas).size(), 4 * kLargoRegistroJornada);
  EXPECT_TRUE(fs::exists(dir / "RED0101.TVX"));
  EXPECT_TRUE(fs::exists(dir / "RED1202.TVX"));
  EXPECT_TRUE(fs::exists(dir / "NRED0201.TVX"));
  for (const char* nombre : {"RED0201.TVX", "RED0260.TVX", "RED0305.TVX", "RED02.TVX"}) {
    EXPECT_FALSE(fs::exists(dir / nombre)) << nombre;
  }
}

TEST(Borrado, UnaCarpetaSinDatosNoEsError) {
  CarpetaTemporal dir;
  const ResultadoBorrado r = BorraJornadas(dir.ruta(), 1, 1);
  EXPECT_EQ(r.error, 0) << r.mensaje;
  EXPECT_EQ(r.reducciones, 0);
  EXPECT_TRUE(LeeJornada(dir.ruta(), 1).jornada.vacia);
}

TEST(Borrado, UnFalloNoBorraNada) {
  CarpetaTemporal dir;
  GuardaReduccion(dir.ruta(), 5, 1);
  // JORNADAS.TVX that cannot be opened as a file: every user, root included, fails.
  fs::create_directory(dir / kFicheroJornadas);
  const ResultadoBorrado r = BorraJornadas(dir.ruta(), 5, 5);
  EXPECT_EQ(r.error, 75);
  EXPECT_EQ(r.mensaje, "BDJ ERROR 75");
  EXPECT_EQ(r.fallo.fichero, kFicheroJornadas);
  EXPECT_EQ(ClavesIndice(dir.ruta()), std::vector<std::string>{"0501"});
  EXPECT_TRUE(fs::exists(dir / "RED0501.TVX"));
}

TEST(Borrado, MatadoEnCadaPasoElArranqueDejaTodoOTodoBorrado) {
  auto prepara = [](const fs::path& ruta) {
    for (int j = 1; j <= 3; ++j) GuardaJornada(ruta, j);
    GuardaReduccion(ruta, 1, 1);
    GuardaReduccion(ruta, 2, 1);
    GuardaReduccion(ruta, 2, 7);
    GuardaReduccion(ruta, 3, 1);
  };
  CarpetaTemporal completa;
  prepara(completa.ruta());
  ASSERT_EQ(BorraJornadas(completa.ruta(), 2, 3).error, 0);
  const prueba::FotoCarpeta despues = prueba::Foto(completa.ruta());
  for (int paso = 1;; ++paso) {
    SCOPED_TRACE("paso " + std::to_string(paso));
    CarpetaTemporal dir;
    prepara(dir.ruta());
    const prueba::FotoCarpeta antes = prueba::Foto(dir.ruta());
    const bool muerto = prueba::MuereEnPaso(paso, [&] { BorraJornadas(dir.ruta(), 2, 3); });
    ASSERT_TRUE(AbreCarpetaEscritura(dir.ruta(), std::chrono::milliseconds(0)).ok());
    const prueba::FotoCarpeta f = prueba::Foto(dir.ruta());
    EXPECT_TRUE(f == antes || f == despues);
    if (!muerto) {
      EXPECT_EQ(f, despues);
      break;
    }
    ASSERT_LT(paso, 200);
  }
}

}  // namespace
}  // namespace zendo

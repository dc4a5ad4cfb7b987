// zendo-cli escrutinio: the two lists as the screen shows them, the record it saves, and
// what it says and returns for a wrong column, wrong prizes and files that fail.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "referencia.h"

namespace zendo::prueba {
namespace {

const std::string kGanadora = "1X21X21X21X21X2";

struct Salida {
  int estado = 0;
  std::string texto;
};

class CliEscrutinio : public ::testing::Test {
 protected:
  // A manual reduction (1, 2) of `columnas` columns, grouped by match 15 as stored.
  void Guarda(const std::vector<std::string>& columnas) {
    r_ = ReduccionNueva(1, 2, kMetodoManual);
    r_.Partido[15].NumSignos = 3;
    r_.NumApuestas = static_cast<int32_t>(columnas.size());
    for (const auto& c : columnas) {
      r_.ColumnasPleno1 += c[14] == '1';
      r_.ColumnasPlenoX += c[14] == 'X';
    }
    ASSERT_EQ(GuardaRegistroBases(d_.ruta(), ConstruyeRegistroBases(r_)).error, 0);
    contenido_.clear();
    for (const auto& c : columnas) contenido_ += LineaColumna(c);
    EscribeBytes(d_ / "RED0102.TVX", contenido_);
  }
  Salida Ejecuta(const std::string& argumentos, const std::string& errores = " 2>&1") {
    Salida s;
    s.estado =
        prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " escrutinio --datos '" + d_.ruta().string() +
                            "' --jornada 1 --orden 2 " + argumentos + errores,
                        &s.texto);
    return s;
  }

  // The standard output the independent count expects.
  std::string Esperado(const std::array<int64_t, 7>& premios) const {
    const Referencia ref = EscrutinioReferencia(r_, contenido_, kGanadora, premios);
    std::string t;
    for (const auto& l : ref.aciertos) t += l + "\n";
    t += "--------------------------\n";
    for (const auto& l : ref.boletos) t += l + "\n";
    return t;
  }

  CarpetaTemporal d_;
  Reduccion r_;
  std::string contenido_;
};

// Columns around the winning one in three groups of match 15.
std::vector<std::string> Columnas() {
  std::vector<std::string> c;
  for (const char pleno : {'1', 'X', '2'}) {
    for (int i = 0; i < 21; ++i) {
      std::string col = kGanadora;
      for (int m = 0; m < i % 7; ++m) col[static_cast<std::size_t>(m * 2)] = '2';
      col[14] = pleno;
      c.push_back(col);
    }
  }
  return c;
}

TEST_F(CliEscrutinio, EscribeLasDosListasComoLaPantalla) {
  Guarda(Columnas());
  const Salida s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 100000 1234.5 15.05 3 .5 0", "");
  ASSERT_EQ(s.estado, 0) << s.texto;
  EXPECT_EQ(s.texto, Esperado({0, 10000000, 123450, 1505, 300, 50, 0}));
  // Three 15s and six 14s: the 15s are paid as 14s too.
  EXPECT_NE(s.texto.find("  15      3   300000.00\n  14      9    11110.50\n"), std::string::npos);
  // Nothing was written: JORNADAS.TVX is not even created.
  EXPECT_FALSE(std::filesystem::exists(d_ / kFicheroJornadas));
}

TEST_F(CliEscrutinio, GuardarEscribeSoloSusPosicionesDelRegistro) {
  Guarda(Columnas());
  std::string previo = RegistroJornadaVacio();
  PonCabecera(previo, 1, "03/05/09");
  PonEquipo(previo, 1, "Osasuna");
  PonEquipo(previo, 30, "Numancia");
  EscribeBytes(d_ / kFicheroJornadas, previo);
  const Salida s =
      Ejecuta("--ganadora 1x21X21X21X21X2 --premios 0 1234.5 1.005 '' 12345678.9 7 --guardar",
              " 2>/dev/null");
  ASSERT_EQ(s.estado, 0);
  const std::string r = LeeBytes(d_ / kFicheroJornadas);
  EXPECT_EQ(r, previo.substr(0, 463) + "123123123123123" + "       0.00    1234.50       1.01" +
                   "       0.0012345678.90       7.00");
  // An incomplete column is saved all the same, then refused.
  const Salida incompleta = Ejecuta("--ganadora 1X21X21X21X21X- --premios 1 2 3 4 5 6 --guardar");
  EXPECT_EQ(incompleta.estado, 64);
  EXPECT_EQ(incompleta.texto,
            "Columna Ganadora incompleta\nEs necesario que marque los 15 resultados de la "
            "columna ganadora  para  poder realizar el escrutinio de aciertos.\n");
  EXPECT_EQ(LeeBytes(d_ / kFicheroJornadas).substr(463),
            "123123123123120       1.00       2.00       3.00       4.00       5.00       6.00");
}

TEST_F(CliEscrutinio, ArgumentosIncorrectos) {
  Guarda(Columnas());
  for (const char* malo : {
           "--ganadora 1X21X21X21X21X --premios 1 2 3 4 5 6",
           "--ganadora 1X21X21X21X21XZ --premios 1 2 3 4 5 6 --guardar",
           "--premios 1 2 3 4 5 6",
           "--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5",
           "--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6 --premios 1 2 3 4 5 6",
           "--ganadora 1X21X21X21X21X2 --premios 1,5 2 3 4 5 6",
           "--ganadora 1X21X21X21X21X2 --premios -5 2 3 4 5 6",
       }) {
    const Salida s = Ejecuta(malo);
    EXPECT_EQ(s.estado, 64) << malo << "\n" << s.texto;
  }
  EXPECT_FALSE(std::filesystem::exists(d_ / kFicheroJornadas));
  EXPECT_NE(Ejecuta("--ganadora 1X21X21X21X21X --premios 1 2 3 4 5 6")
                .texto.find("Columna Ganadora incompleta"),
            std::string::npos);
}

TEST_F(CliEscrutinio, FicherosQueFallan) {
  // No index, then a reduction without its columns file.
  Salida s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6");
  EXPECT_EQ(s.estado, 1);
  EXPECT_EQ(s.texto, "No se encuentra el fichero BASES.TVX.\n");
  EXPECT_FALSE(std::filesystem::exists(d_ / kFicheroIndice));
  Guarda(Columnas());
  ASSERT_EQ(BorraReduccionBases(d_.ruta(), 1, 2).error, 0);
  s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6");
  EXPECT_EQ(s.estado, 1);
  EXPECT_EQ(s.texto, "No hay ninguna reducción guardada con la jornada 1 y el orden 2.\n");
  Guarda(Columnas());
  std::filesystem::remove(d_ / "RED0102.TVX");
  s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6");
  EXPECT_EQ(s.estado, 1);
  EXPECT_EQ(s.texto, "ESC ERROR 53: fichero no encontrado al leer RED0102.TVX\n");
  // A record that cannot be written: said, and the counting still runs.
  Guarda(Columnas());
  EscribeBytes(d_ / kFicheroJornadas, "");
  SoloLectura bloqueo(d_.ruta());
  if (!bloqueo.activa()) GTEST_SKIP() << "no read-only folder here";
  s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6 --guardar", " 2>&1 >/dev/null");
  EXPECT_EQ(s.estado, 1);
  EXPECT_EQ(s.texto, "ESC ERROR 70: permiso denegado al escribir JORNADAS.TVX\n");
  s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6 --guardar", " 2>/dev/null");
  EXPECT_EQ(s.texto, Esperado({0, 100, 200, 300, 400, 500, 600}));
}

TEST_F(CliEscrutinio, UnaSalidaLlenaSeDice) {
  Guarda(Columnas());
  const Salida s = Ejecuta("--ganadora 1X21X21X21X21X2 --premios 1 2 3 4 5 6", " >/dev/full 2>&1");
  EXPECT_EQ(s.estado, 1);
}

}  // namespace
}  // namespace zendo::prueba

// zendo-cli reducir: stored definitions reduced from a terminal, its exit codes and Ctrl-C.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/generacion/apoyo_generacion.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/externo.h"

namespace zendo::prueba {
namespace {

// The command line; its standard error joins the output unless `errores` says otherwise.
std::string Orden(const CarpetaTemporal& d, int orden, const std::string& extra = "",
                  const std::string& errores = " 2>&1") {
  return std::string(ZENDO_CLI_PATH) + " reducir --datos '" + d.ruta().string() +
         "' --jornada 1 --orden " + std::to_string(orden) + extra + errores;
}

// Stores the definition `r` (as the screen leaves it after its figures) under (1, orden).
void Guarda(const CarpetaTemporal& d, Reduccion& r, int orden) {
  r.Orden = static_cast<int16_t>(orden);
  const CargaExterno carga = CargaArchivoExterno(d.ruta(), r);
  RecalculaReduccion(r, carga.externo);
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
}

TEST(CliReducir, ReduceLasDefinicionesGuardadasDeLosCincoMetodos) {
  CarpetaTemporal d;
  std::vector<Reduccion> modelos;
  Reduccion directo =
      BaseDe(kMetodoDirecto, {"1X2", "1X2", "1X", "1X2", "X2", "12", "1X2"}, "RRRRRR");
  modelos.push_back(directo);
  Reduccion probable = BaseDe(kMetodoColumnaProbable, {"1X2", "1X2", "1X2", "12", "1X"}, "RRRR");
  probable.Partido[1].Probable = 1;
  probable.Partido[2].Probable = 2;
  probable.Partido[3].Probable = 3;
  probable.Partido[4].Probable = 3;
  probable.MaxErrores = 2;
  modelos.push_back(probable);
  Reduccion signos = BaseDe(kMetodoSeleccionSignos, {"1X2", "1X2", "1X2", "1X2", "1X"}, "RRRR");
  for (int n = 1; n <= 2; ++n) {
    for (int s = 1; s <= 3; ++s) signos.TotalSignos[s][n] = 1;
  }
  modelos.push_back(signos);
  Reduccion balance = BaseDe(kMetodoBalanceSignos, std::vector<std::string>(6, "1X2"));
  for (int m = 1; m <= 6; ++m) balance.Probabilidad[m] = {0, 60, 25, 15};
  balance.MinPorcentaje = 70;
  balance.MaxPorcentaje = 80.5f;
  modelos.push_back(balance);
  Reduccion manual = BaseDe(kMetodoManual, {"1X", "12", "1", "1", "1", "1", "1", "1", "1", "1", "1",
                                            "1", "1", "1", "1X2"});
  manual.IncluyeExterno = 1;
  EscribeBytes(d / NombreArchivoExterno(1, 5), "2222222222222X1\r\n11111111111111x\r\n");
  modelos.push_back(manual);

  for (int metodo = 1; metodo <= 5; ++metodo) {
    SCOPED_TRACE(metodo);
    Reduccion& r = modelos[static_cast<std::size_t>(metodo - 1)];
    Guarda(d, r, metodo);
    std::string salida;
    ASSERT_EQ(Ejecuta(Orden(d, metodo, " --reemplazar", " 2>/dev/null"), &salida), 0);
    const std::vector<std::string> esperadas = ColumnasFuerzaBruta(r, d.ruta());
    ASSERT_FALSE(esperadas.empty());
    EXPECT_EQ(LeeBytes(d / NombreReduccion(1, metodo)), Fichero(esperadas));
    EXPECT_EQ(salida,
              NombreReduccion(1, metodo) + ": " + std::to_string(esperadas.size()) + " columnas\n");
    EXPECT_EQ(CampoRegistro(Registro(d.ruta(), 1, metodo), 32, 39),
              static_cast<int64_t>(esperadas.size()));
  }
}

TEST(CliReducir, CodigosDeSalida) {
  CarpetaTemporal d;
  std::string salida;
  // Nothing stored under that key.
  EXPECT_EQ(Ejecuta(Orden(d, 1), &salida), 1);
  EXPECT_NE(salida.find("No hay ninguna reducción guardada de la jornada 1 con el orden 1."),
            std::string::npos)
      << salida;

  // The stored reduction is only replaced with --reemplazar.
  Reduccion r = BaseDe(kMetodoManual, {"1X"});
  Guarda(d, r, 1);
  const std::string indice = LeeBytes(d / "BASES.TVX");
  EXPECT_EQ(Ejecuta(Orden(d, 1), &salida), 3);
  EXPECT_NE(salida.find("Reducción ya existe"), std::string::npos) << salida;
  EXPECT_FALSE(fs::exists(d / "RED0101.TVX"));
  EXPECT_EQ(LeeBytes(d / "BASES.TVX"), indice);

  // A failing check shows its title and text.
  Reduccion p = BaseDe(kMetodoColumnaProbable, {"1X2", "1X2"}, "RR");
  p.Partido[1].Probable = 1;
  Guarda(d, p, 2);
  EXPECT_EQ(Ejecuta(Orden(d, 2, " --reemplazar"), &salida), 2);
  EXPECT_NE(salida.find("Error en la Columna probable"), std::string::npos) << salida;
  EXPECT_NE(salida.find("Hay un partido múltiple  para reducir"), std::string::npos) << salida;
  EXPECT_FALSE(fs::exists(d / "RED0102.TVX"));

  EXPECT_EQ(Ejecuta(Orden(d, 1, " --orden2"), &salida), 64);
}

TEST(CliReducir, CtrlCCancelaYConservaLaReduccionAnterior) {
  CarpetaTemporal d;
  // The definition of the full base, and the columns of the reduction stored before.
  Reduccion r = BaseDe(kMetodoManual, std::vector<std::string>(15, "1X2"));
  Guarda(d, r, 1);
  EscribeBytes(d / "RED0101.TVX", "\"111111111111111\"\r\n");
  const std::string indice = LeeBytes(d / "BASES.TVX");

  const pid_t hijo = ::fork();
  if (hijo == 0) {
    const std::string datos = d.ruta().string();
    ::execl(ZENDO_CLI_PATH, ZENDO_CLI_PATH, "reducir", "--datos", datos.c_str(), "--jornada", "1",
            "--orden", "1", "--reemplazar", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // Once its temporary columns file exists the run is developing the base.
  const fs::path temporal = RutaTemporal(d / "RED0101.TVX");
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!fs::exists(temporal) && std::chrono::steady_clock::now() < limite) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(fs::exists(temporal));
  ::kill(hijo, SIGINT);
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 130);
  EXPECT_EQ(LeeBytes(d / "RED0101.TVX"), "\"111111111111111\"\r\n");
  EXPECT_EQ(LeeBytes(d / "BASES.TVX"), indice);
  // The lock file stays: it is never deleted.
  EXPECT_EQ(Ficheros(d.ruta()),
            (std::vector<std::string>{kFicheroCerrojo, "BASES.TVX", "RED0101.TVX"}));
}

// A Ctrl-C at an exact step of the commit, placed there by a preloaded library: up to the
// commit point it cancels and the earlier pair stays; from the first rename of the commit on
// it is too late, which standard error says, and the new pair is stored whole. The folder is
// compared with one reduced without interruption.
TEST(CliReducir, CtrlCAntesYDespuesDelPuntoDeConfirmacion) {
  auto prepara = [](const CarpetaTemporal& d) {
    Reduccion r = BaseDe(kMetodoDirecto, {"1X2", "1X", "12"}, "RR");
    Guarda(d, r, 1);
    EscribeBytes(d / "RED0101.TVX", "\"111111111111111\"\r\n");
  };
  CarpetaTemporal referencia;
  prepara(referencia);
  const FotoCarpeta anterior = Foto(referencia.ruta());
  std::string salida;
  ASSERT_EQ(Ejecuta(Orden(referencia, 1, " --reemplazar", " 2>/dev/null"), &salida), 0);
  const FotoCarpeta nueva = Foto(referencia.ruta());
  ASSERT_NE(nueva, anterior);
  const std::string columnas = salida;

  const std::string tarde = "Demasiado tarde para cancelar: la reducción ya estaba guardada.";
  struct Caso {
    std::string paso;
    bool aTiempo;
  };
  const Caso casos[] = {
      {"rename:.zendo-diario", true},  // the journal is in place; nothing renamed yet
      {"rename:RED0101.TVX", false},   // the commit point
      {"rename:BASES.TVX", false},
      {"unlink:.zendo-diario", false},  // the last step
  };
  for (const Caso& k : casos) {
    SCOPED_TRACE(k.paso);
    CarpetaTemporal d;
    prepara(d);
    ASSERT_EQ(Foto(d.ruta()), anterior);
    CarpetaTemporal aparte;
    const fs::path marca = aparte / "interrumpido";
    const std::string entorno = "ZENDO_INTERRUMPE_EN='" + k.paso + "' ZENDO_INTERRUMPE_MARCA='" +
                                marca.string() + "' LD_PRELOAD='" + ZENDO_INTERRUMPE_EN_PASO +
                                "' ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" ";
    const fs::path errores = aparte / "errores";
    salida.clear();
    const int codigo =
        Ejecuta(entorno + Orden(d, 1, " --reemplazar", " 2>'" + errores.string() + "'"), &salida);
    ASSERT_TRUE(fs::exists(marca)) << "the step was never reached";
    const std::string textoErrores = LeeBytes(errores);
    if (k.aTiempo) {
      EXPECT_EQ(codigo, 130);
      EXPECT_EQ(salida, "");
      EXPECT_NE(textoErrores.find("El proceso de reducción ha sido cancelado"), std::string::npos)
          << textoErrores;
      EXPECT_EQ(textoErrores.find(tarde), std::string::npos) << textoErrores;
      EXPECT_EQ(Foto(d.ruta()), anterior);
    } else {
      EXPECT_EQ(codigo, 0);
      EXPECT_EQ(salida, columnas);
      EXPECT_NE(textoErrores.find(tarde + "\n"), std::string::npos) << textoErrores;
      EXPECT_EQ(textoErrores.find("cancelado"), std::string::npos) << textoErrores;
      EXPECT_EQ(Foto(d.ruta()), nueva);
    }
  }
}

}  // namespace
}  // namespace zendo::prueba

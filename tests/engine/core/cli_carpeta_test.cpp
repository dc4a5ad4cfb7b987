// zendo-cli on data folders that fight back: missing, odd files, held by another program,
// left with a commit half done, a full output.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/transaccion.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::Ejecuta;
using prueba::EscribeBytes;
using prueba::Foto;
using prueba::LeeBytes;

struct Salida {
  int estado = 0;
  std::string out;
  std::string err;
};

Salida Cli(const std::string& args, const std::string& redireccion = "") {
  CarpetaTemporal t;
  Salida s;
  const std::string fe = (t / "err").string();
  // Under a time limit: a hang is a fault like any other (status 124).
  s.estado = Ejecuta(
      "timeout 60 " + std::string(ZENDO_CLI_PATH) + " " + args + " 2>" + fe + redireccion, &s.out);
  s.err = LeeBytes(fe);
  return s;
}

std::string D(const CarpetaTemporal& d) {
  return "--datos '" + d.ruta().string() + "'";
}

// A stored reduction (1, 1) of 3 columns and a jornada 1 record.
void Datos(const CarpetaTemporal& d) {
  Reduccion r = ReduccionNueva(1, 1, kMetodoManual);
  r.Partido[1].Signo = {0, 1, 1, 1};
  r.Partido[1].NumSignos = 3;
  r.ApuestasQuiniela = r.NumApuestas = r.ApuestasBase = 3;
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
  EscribeBytes(d / "RED0101.TVX",
               "\"111111111111111\"\r\n\"X11111111111111\"\r\n\"211111111111111\"\r\n");
  std::string jornada = "Jor0112/10/09Betis          Sevilla        ";
  jornada.resize(544, ' ');
  EscribeBytes(d / "JORNADAS.TVX", jornada);
}

TEST(CliCarpeta, UnaCarpetaQueNoSirveSeDiceYSaleConError) {
  CarpetaTemporal d;
  EscribeBytes(d / "fichero", "x");
  const std::string largo(5000, 'a');
  for (const std::string& carpeta :
       {(d / "no").string(), (d / "fichero").string(), d.ruta().string() + "/" + largo}) {
    for (const std::string orden :
         {"indice", "jornada --jornada 1", "generales", "cifras --jornada 1 --orden 1",
          "reducir --jornada 1 --orden 1"}) {
      SCOPED_TRACE(orden + " " + carpeta.substr(0, 80));
      const Salida s = Cli(orden + " --datos '" + carpeta + "'");
      EXPECT_EQ(s.estado, 1);
      EXPECT_NE(s.err.find("no se puede usar la carpeta de datos"), std::string::npos) << s.err;
      EXPECT_EQ(s.out, "");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(d / "no"));
}

TEST(CliCarpeta, LasOrdenesQueLeenNoEscribenNada) {
  CarpetaTemporal d;
  Datos(d);
  std::filesystem::remove(d / "JORNADAS.TVX");
  const auto antes = Foto(d.ruta());
  for (const std::string orden :
       {"indice", "jornada --jornada 1", "cifras --jornada 1 --orden 1",
        "escrutinio --jornada 1 --orden 1 --ganadora 111111111111111 --premios 1 1 1 1 1 1",
        "garantia --jornada 1 --orden 1", "correo --jornada 1 --orden 1 --mostrar"}) {
    SCOPED_TRACE(orden);
    Cli(orden + " " + D(d));
    EXPECT_EQ(Foto(d.ruta()), antes);
    EXPECT_FALSE(std::filesystem::exists(d / kFicheroCerrojo));
  }
  // Not even through a dangling link.
  std::filesystem::create_symlink(d / "destino", d / "JORNADAS.TVX");
  EXPECT_EQ(Cli("indice " + D(d)).estado, 0);
  EXPECT_FALSE(std::filesystem::exists(d / "destino"));
}

TEST(CliCarpeta, FicherosQueNoSonFicherosSonErroresConSuCausa) {
  CarpetaTemporal d;
  Datos(d);
  std::filesystem::remove(d / "JORNADAS.TVX");
  std::filesystem::create_directory(d / "JORNADAS.TVX");
  Salida s = Cli("indice " + D(d));
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.err.find("LJO ERROR 75: acceso no permitido al leer JORNADAS.TVX"), std::string::npos)
      << s.err;
  std::filesystem::remove(d / "JORNADAS.TVX");
  // A link loop and devices: an error, never an abort or a hang.
  std::filesystem::create_symlink("JORNADAS.TVX", d / "JORNADAS.TVX");
  s = Cli("jornada --jornada 1 " + D(d));
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.err.find("LJO ERROR"), std::string::npos) << s.err;
  std::filesystem::remove(d / "JORNADAS.TVX");
  std::filesystem::create_symlink("/dev/zero", d / "JORNADAS.TVX");
  s = Cli("jornada --jornada 1 " + D(d));
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.err.find("LJO ERROR 57"), std::string::npos) << s.err;
  const std::pair<const char*, std::string> casos[] = {
      {"BASES.TVX", "indice"},
      {"BASES.TVX", "cifras --jornada 1 --orden 1"},
      {"BASES.TVX", "reducir --jornada 1 --orden 1 --reemplazar"},
      {"DATOSGEN.TVX", "generales"},
      {"DATOSGEN.TVX", "cifras --jornada 1 --orden 1"},
      {"RED0101.TVX",
       "escrutinio --jornada 1 --orden 1 --ganadora 111111111111111 --premios 1 1 "
       "1 1 1 1"},
  };
  for (const auto& [fichero, orden] : casos) {
    SCOPED_TRACE(std::string(fichero) + " " + orden);
    CarpetaTemporal e;
    Datos(e);
    EscribeBytes(e / "DATOSGEN.TVX",
                 "1,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    std::filesystem::remove(e / fichero);
    std::filesystem::create_symlink("/dev/zero", e / fichero);
    s = Cli(orden + " " + D(e));
    EXPECT_NE(s.estado, 124) << "hung";
    EXPECT_EQ(s.estado, 1);
    EXPECT_NE(s.err.find(" ERROR 57: error de entrada/salida al leer " + std::string(fichero)),
              std::string::npos)
        << s.err;
  }
  // An external file that is a device is no external file; the reduction goes on.
  CarpetaTemporal e;
  Datos(e);
  std::filesystem::create_symlink("/dev/zero", e / "Q44F0101.TVF");
  s = Cli("reducir --jornada 1 --orden 1 --reemplazar " + D(e));
  EXPECT_EQ(s.estado, 0) << s.err;
}

TEST(CliCarpeta, EnUnaCarpetaDeSoloLecturaNadaSeDaPorHecho) {
  CarpetaTemporal d;
  Datos(d);
  prueba::SoloLectura bloqueo(d.ruta());
  if (!bloqueo.activa()) GTEST_SKIP() << "no read-only folder here";
  // generales cannot create its file: it says why and does not claim it did.
  Salida s = Cli("generales " + D(d));
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.err.find("LDG ERROR "), std::string::npos) << s.err;
  EXPECT_NE(s.err.find("al crear DATOSGEN.TVX"), std::string::npos) << s.err;
  EXPECT_EQ(s.err.find("Se ha procedido a crearlo"), std::string::npos) << s.err;
  EXPECT_EQ(s.out, "");
  // Reading needs no lock file, and a command that writes runs and reports its write.
  s = Cli("indice " + D(d));
  EXPECT_EQ(s.estado, 0) << s.err;
  s = Cli("reducir --jornada 1 --orden 1 --reemplazar " + D(d));
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.err.find("RED ERROR "), std::string::npos) << s.err;
  EXPECT_FALSE(std::filesystem::exists(d / kFicheroCerrojo));
}

TEST(CliCarpeta, UnNombreConControlesSeEscribeEscapado) {
  CarpetaTemporal d;
  std::string jornada = "Jor0112/10/09Bet\nis\\x        Sev\x7Flla\x01      ";
  jornada.resize(544, ' ');
  EscribeBytes(d / "JORNADAS.TVX", jornada);
  const Salida s = Cli("jornada --jornada 1 " + D(d));
  EXPECT_EQ(s.estado, 0);
  EXPECT_EQ(s.out.substr(0, s.out.find("\n - ")), "12/10/09\nBet\\x0Ais\\\\x - Sev\\x7Flla\\x01");
}

TEST(CliCarpeta, UnaSalidaLlenaEsUnError) {
  CarpetaTemporal d;
  Datos(d);
  for (const std::string orden : {"indice", "jornada --jornada 1", "generales"}) {
    SCOPED_TRACE(orden);
    const Salida s = Cli(orden + " " + D(d), " >/dev/full");
    EXPECT_EQ(s.estado, 1);
    EXPECT_NE(s.err.find("no se ha podido escribir la salida"), std::string::npos) << s.err;
  }
}

TEST(CliCarpeta, UnaOrdenQueEscribeEsperaAlOtroProgramaYLuegoAvisa) {
  CarpetaTemporal d;
  Datos(d);
  const auto antes = Foto(d.ruta());
  CerrojoCarpeta otro = CerrojoCarpeta::Toma(d.ruta(), std::chrono::milliseconds(0));
  ASSERT_TRUE(otro.tomado());
  const auto inicio = std::chrono::steady_clock::now();
  Salida s = Cli("reducir --jornada 1 --orden 1 --reemplazar " + D(d));
  EXPECT_GE(std::chrono::steady_clock::now() - inicio, kEsperaCerrojo);
  EXPECT_EQ(s.estado, 1);
  EXPECT_NE(s.err.find("en uso por otro programa Zendo"), std::string::npos) << s.err;
  EXPECT_EQ(Foto(d.ruta()), antes);
  // Reading goes on while the other program works.
  EXPECT_EQ(Cli("indice " + D(d)).estado, 0);
  otro.Suelta();
  s = Cli("reducir --jornada 1 --orden 1 --reemplazar " + D(d));
  EXPECT_EQ(s.estado, 0) << s.err;
}

TEST(CliCarpeta, UnCambioAMedioHacerLoResuelveLaSiguienteOrden) {
  for (const std::string orden : {"indice", "jornada --jornada 1", "generales"}) {
    SCOPED_TRACE(orden);
    // A commit killed right after its first rename: the columns file is new, the index old.
    for (int paso = 1;; ++paso) {
      ASSERT_LT(paso, 50);
      CarpetaTemporal d;
      Datos(d);
      const auto antes = Foto(d.ruta());
      ASSERT_TRUE(prueba::MuereEnPaso(paso, [&] {
        Transaccion t(d.ruta());
        t.Reemplaza("RED0101.TVX", "\"222222222222222\"\r\n");
        t.Reemplaza(kFicheroIndice, "");
        t.Confirma();
      }));
      if (!HayDiario(d.ruta()) || LeeBytes(d / "RED0101.TVX") == antes.at("RED0101.TVX")) {
        continue;
      }
      const Salida s = Cli(orden + " " + D(d));
      EXPECT_EQ(s.estado, 0) << s.err;
      EXPECT_FALSE(HayDiario(d.ruta()));
      auto despues = Foto(d.ruta());
      despues.erase("DATOSGEN.TVX");  // generales creates it
      EXPECT_EQ(despues, antes);
      break;
    }
  }
}

TEST(CliCarpeta, BajoUnLimiteDeTamanoLaReduccionDiceDiscoLleno) {
  CarpetaTemporal d;
  Datos(d);
  Reduccion r = ReduccionNueva(1, 2, kMetodoManual);
  for (std::size_t m = 1; m <= 9; ++m) {
    r.Partido[m].Signo = {0, 1, 1, 1};
    r.Partido[m].NumSignos = 3;
  }
  ASSERT_EQ(GuardaRegistroBases(d.ruta(), ConstruyeRegistroBases(r)).error, 0);
  const auto antes = Foto(d.ruta());
  // 64 blocks of 512 bytes: the 19683 columns do not fit.
  CarpetaTemporal t;
  std::string salida;
  const int estado = Ejecuta("sh -c \"ulimit -f 64; exec " + std::string(ZENDO_CLI_PATH) +
                                 " reducir --jornada 1 --orden 2 --reemplazar " + D(d) + "\" 2>" +
                                 (t / "err").string(),
                             &salida);
  const std::string mensajes = LeeBytes(t / "err");
  EXPECT_EQ(estado, 1);
  EXPECT_NE(mensajes.find("RED ERROR 61: disco lleno al escribir RED0102.TVX"), std::string::npos)
      << mensajes;
  EXPECT_EQ(Foto(d.ruta()), antes);
}

}  // namespace
}  // namespace zendo

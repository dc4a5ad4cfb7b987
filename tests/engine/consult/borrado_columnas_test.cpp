// Deleting the marked columns: the thinned columns file and the three counts of the index
// record, and a stored reduction left whole by every failure.

#include "engine/consult/borrado_columnas.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "apoyo/apoyo.h"
#include "engine/consult/apoyo_consulta.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::ConstruyeTrabajo;
using prueba::FicheroColumnas;
using prueba::GuardaReduccion;
using prueba::LeeBytes;

// Three columns for each sign of match 15, grouped by it.
const std::vector<std::string> kTresSignos = {
    "111111111111111", "X11111111111111", "XX1111111111111", "11111111111111X", "21111111111111X",
    "22111111111111X", "111111111111112", "1X1111111111112", "1XX111111111112",
};

std::string Registro(const CarpetaTemporal& d, int orden) {
  return ExisteReduccion(d.ruta(), 1, orden).RegistroLeido;
}

// Everything but the three counts stays as it was.
void ExpectSoloCambianLosContadores(const std::string& antes, const std::string& despues,
                                    const std::string& apuestas, const std::string& pleno1,
                                    const std::string& plenoX) {
  ASSERT_EQ(despues.size(), 395u);
  EXPECT_EQ(despues.substr(31, 8), apuestas);
  EXPECT_EQ(despues.substr(346, 8), pleno1);
  EXPECT_EQ(despues.substr(354, 8), plenoX);
  std::string a = antes, b = despues;
  for (std::string* s : {&a, &b}) {
    s->replace(31, 8, 8, '.');
    s->replace(346, 16, 16, '.');
  }
  EXPECT_EQ(a, b);
}

TEST(BorradoColumnas, RegistroYFicheroDeLosMetodos1Y5) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoDirecto, kTresSignos);
  GuardaReduccion(d.ruta(), 1, 5, kMetodoManual, kTresSignos);
  for (const int orden : {1, 5}) {
    SCOPED_TRACE(orden);
    const std::string antes = Registro(d, orden);
    EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, orden);
    ASSERT_EQ(e.LineasTrabajo, 19);
    // The first 1, one X and the last 2.
    ASSERT_EQ(MarcaNumeros(d / kFicheroBoletos, {1, 5, 9}, e).error, 0);
    const ResultadoBorradoColumnas r = BorraColumnasMarcadas(d.ruta(), 1, orden);
    ASSERT_EQ(r.error, 0) << r.mensaje;
    EXPECT_EQ(r.NumApuestas, 6);
    EXPECT_EQ(r.ColumnasPleno1, 2);
    EXPECT_EQ(r.ColumnasPlenoX, 2);
    EXPECT_EQ(LeeBytes(d / NombreReduccion(1, orden)),
              FicheroColumnas({"X11111111111111", "XX1111111111111", "11111111111111X",
                               "22111111111111X", "111111111111112", "1X1111111111112"}));
    ExpectSoloCambianLosContadores(antes, Registro(d, orden), "       6", "       2", "       2");
    EXPECT_EQ(prueba::Ficheros(d.ruta()),
              (std::vector<std::string>{"BASES.TVX", "FORBOLW.TVX", "RED0101.TVX", "RED0105.TVX"}));
  }
}

TEST(BorradoColumnas, TodasMarcadasDejaCeroApuestas) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kTresSignos);
  const std::string antes = Registro(d, 1);
  EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
  std::array<bool, 15> todas;
  todas.fill(true);
  ASSERT_EQ(MarcaPorVariantes(d / kFicheroBoletos, todas, e).cambiadas, 9);
  const ResultadoBorradoColumnas r = BorraColumnasMarcadas(d.ruta(), 1, 1);
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(r.NumApuestas, 0);
  EXPECT_EQ(LeeBytes(d / "RED0101.TVX"), "");
  ExpectSoloCambianLosContadores(antes, Registro(d, 1), "       0", "       0", "       0");
}

TEST(BorradoColumnas, SinFicheroDeTrabajoOSinReduccionNoCambiaNada) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kTresSignos);
  const std::string indice = LeeBytes(d / "BASES.TVX");
  const std::string columnas = LeeBytes(d / "RED0101.TVX");
  ResultadoBorradoColumnas r = BorraColumnasMarcadas(d.ruta(), 1, 1);
  EXPECT_EQ(r.error, kErrNoEncontrado);
  EXPECT_EQ(r.mensaje, "FORBOL ERROR 53");

  ConstruyeTrabajo(d.ruta(), 1, 1);
  r = BorraColumnasMarcadas(d.ruta(), 1, 2);  // no record of (1, 2)
  EXPECT_TRUE(r.sinReduccion);
  EXPECT_EQ(r.error, 0);
  EXPECT_FALSE(std::filesystem::exists(d / "RED0102.TVX"));
  EXPECT_EQ(LeeBytes(d / "BASES.TVX"), indice);
  EXPECT_EQ(LeeBytes(d / "RED0101.TVX"), columnas);
}

// The folder must look exactly as before: same index, same columns, no temporaries.
class Intacta {
 public:
  explicit Intacta(const CarpetaTemporal& d)
      : d_(d), indice_(LeeBytes(d / "BASES.TVX")), columnas_(LeeBytes(d / "RED0101.TVX")) {}
  void Comprueba(const std::vector<std::string>& ficheros) const {
    EXPECT_EQ(LeeBytes(d_ / "BASES.TVX"), indice_);
    EXPECT_EQ(LeeBytes(d_ / "RED0101.TVX"), columnas_);
    EXPECT_EQ(prueba::Ficheros(d_.ruta()), ficheros);
  }

 private:
  const CarpetaTemporal& d_;
  std::string indice_, columnas_;
};

TEST(BorradoColumnas, DiscoLlenoYCarpetaDeSoloLectura) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kTresSignos);
  EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
  ASSERT_EQ(MarcaNumeros(d / kFicheroBoletos, {2}, e).error, 0);
  const Intacta intacta(d);
  const std::vector<std::string> ficheros = {"BASES.TVX", "FORBOLW.TVX", "RED0101.TVX"};

  // The thinned columns cannot be written.
  std::filesystem::create_symlink("/dev/full", d / "~zendo-NRED0101.TVX");
  ResultadoBorradoColumnas r = BorraColumnasMarcadas(d.ruta(), 1, 1);
  EXPECT_EQ(r.error, kErrDiscoLleno);
  EXPECT_EQ(r.mensaje, "RED ERROR 61");
  intacta.Comprueba(ficheros);

  // The index cannot be written: the columns file is not touched either.
  std::filesystem::create_symlink("/dev/full", RutaTemporal(d / "BASES.TVX"));
  r = BorraColumnasMarcadas(d.ruta(), 1, 1);
  EXPECT_EQ(r.mensaje, "EEB ERROR 61");
  intacta.Comprueba(ficheros);

  // A file-size limit (a full disk for this process) while the columns are written.
  std::vector<std::string> muchas(5000, "111111111111111");
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, muchas);
  e = ConstruyeTrabajo(d.ruta(), 1, 1);
  ASSERT_EQ(MarcaNumeros(d / kFicheroBoletos, {1}, e).error, 0);
  const Intacta grande(d);
  const pid_t hijo = ::fork();
  if (hijo == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{50000, 50000};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const ResultadoBorradoColumnas rh = BorraColumnasMarcadas(d.ruta(), 1, 1);
    _exit(rh.mensaje == "RED ERROR 61" ? 0 : 1);
  }
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
  grande.Comprueba(ficheros);

  prueba::SoloLectura ro(d.ruta());
  if (!ro.activa()) GTEST_SKIP() << "no read-only folder here";
  r = BorraColumnasMarcadas(d.ruta(), 1, 1);
  EXPECT_EQ(r.mensaje, "RED ERROR 70");
  grande.Comprueba(ficheros);
}

// Killed right before and right after each rename, unlink and flush of the commit: the
// next start finds the earlier pair (columns file and record) or the new pair, never a mix.
TEST(BorradoColumnas, MatadoEnCadaPasoQuedaElParAnteriorOElNuevo) {
  auto prepara = [](const CarpetaTemporal& d) {
    GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kTresSignos);
    GuardaReduccion(d.ruta(), 1, 2, kMetodoDirecto, kTresSignos);
    EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
    ASSERT_EQ(MarcaNumeros(d / kFicheroBoletos, {2, 4, 9}, e).error, 0);
  };
  auto borra = [](const CarpetaTemporal& d) { BorraColumnasMarcadas(d.ruta(), 1, 1); };
  auto arranca = [](const CarpetaTemporal& d) {
    const AccesoCarpeta a = AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0));
    EXPECT_TRUE(a.ok()) << a.fallo.error << " " << a.fallo.fichero;
    return prueba::Foto(d.ruta());
  };
  CarpetaTemporal base;
  prepara(base);
  const prueba::FotoCarpeta antes = prueba::Foto(base.ruta());
  borra(base);
  const prueba::FotoCarpeta despues = prueba::Foto(base.ruta());
  ASSERT_NE(antes, despues);
  ASSERT_EQ(LeeBytes(base / "RED0101.TVX"),
            FicheroColumnas({"111111111111111", "XX1111111111111", "21111111111111X",
                             "22111111111111X", "111111111111112", "1X1111111111112"}));

  int pasos = 0;
  bool vistoAntes = false, vistoDespues = false;
  for (int paso = 1;; ++paso) {
    SCOPED_TRACE("paso " + std::to_string(paso));
    CarpetaTemporal d;
    prepara(d);
    const bool muerto = prueba::MuereEnPaso(paso, [&] { borra(d); });
    const prueba::FotoCarpeta f = arranca(d);
    EXPECT_TRUE(f == antes || f == despues);
    vistoAntes = vistoAntes || f == antes;
    vistoDespues = vistoDespues || f == despues;
    if (!muerto) break;
    ++pasos;
    ASSERT_LT(paso, 100);
  }
  EXPECT_GE(pasos, 8);
  EXPECT_TRUE(vistoAntes);
  EXPECT_TRUE(vistoDespues);
}

}  // namespace
}  // namespace zendo

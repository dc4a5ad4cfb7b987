// Marking columns of the work file: the three methods of the screen and marking by number,
// with the counters the screen shows kept equal to what the file holds.

#include "engine/consult/marcado.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "apoyo/apoyo.h"
#include "engine/consult/apoyo_consulta.h"
#include "engine/core/fichero.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::ConstruyeTrabajo;
using prueba::GuardaReduccion;
using prueba::Marcas;

// Columns with 0, 1, 2, 3 and 14 variants; the last one starts a boleto of its own.
const std::vector<std::string> kColumnas = {
    "111111111111111", "X11111111111111", "X21111111111111",
    "2X2111111111111", "1X1111111111111", "22222222222222X",
};

// The counters recomputed from the file, to compare with those kept by the marking.
EstadoMarcado Recuenta(const std::filesystem::path& datos, const EstadoMarcado& base) {
  EstadoMarcado e = base;
  e.ColumnasMarcadas = 0;
  e.SinMarcarPorVariantes = {};
  const std::string bytes = prueba::LeeBytes(datos / kFicheroBoletos);
  for (std::size_t p = 0; p + kLargoRegistroBoleto <= bytes.size(); p += kLargoRegistroBoleto) {
    const std::string_view r(bytes.data() + p, kLargoRegistroBoleto);
    if (EsRegistroBlanco(r)) continue;
    if (MarcaRegistro(r) == '1') {
      ++e.ColumnasMarcadas;
    } else {
      ++e.SinMarcarPorVariantes[static_cast<std::size_t>(VariantesRegistro(r))];
    }
  }
  return e;
}

// Puts the bytes back in place (a truncation would wait for the disk on every round).
void Sobrescribe(const std::filesystem::path& ruta, const std::string& bytes) {
  std::fstream f(ruta, std::ios::binary | std::ios::in | std::ios::out);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ExpectCuentasDelFichero(const std::filesystem::path& datos, const EstadoMarcado& e) {
  const EstadoMarcado f = Recuenta(datos, e);
  EXPECT_EQ(e.ColumnasMarcadas, f.ColumnasMarcadas);
  EXPECT_EQ(e.SinMarcarPorVariantes, f.SinMarcarPorVariantes);
}

TEST(Marcado, PorVariantesDosVecesYLosTotalesDelPanel) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kColumnas);
  EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
  ASSERT_EQ(e.LineasTrabajo, 9);
  EXPECT_EQ(e.SinMarcarPorVariantes[1], 2);

  std::array<bool, 15> v{};
  v[1] = v[14] = true;
  EXPECT_EQ(TotalesPorVariantes(e, v).marcar, 3);
  EXPECT_EQ(TotalesPorVariantes(e, v).quedan, 3);
  auto r = MarcaPorVariantes(d / kFicheroBoletos, v, e);
  ASSERT_EQ(r.error, 0);
  EXPECT_EQ(r.cambiadas, 3);
  EXPECT_EQ(Marcas(d.ruta()), "01001   1");
  EXPECT_EQ(e.ColumnasMarcadas, 3);
  EXPECT_EQ(e.SinMarcarPorVariantes[1], 0);
  EXPECT_EQ(e.SinMarcarPorVariantes[14], 0);
  ExpectCuentasDelFichero(d.ruta(), e);

  // The second time the ticked classes have nothing left to mark.
  EXPECT_EQ(TotalesPorVariantes(e, v).marcar, 0);
  r = MarcaPorVariantes(d / kFicheroBoletos, v, e);
  EXPECT_EQ(r.cambiadas, 0);
  EXPECT_EQ(Marcas(d.ruta()), "01001   1");
  EXPECT_EQ(e.ColumnasMarcadas, 3);
}

TEST(Marcado, AMano) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kColumnas);
  EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
  const EstadoMarcado antes = e;
  const std::string fichero = prueba::LeeBytes(d / kFicheroBoletos);
  // Twice on the same column: everything as it was.
  EXPECT_EQ(CambiaMarca(d / kFicheroBoletos, 3, e).cambiadas, 1);
  EXPECT_EQ(Marcas(d.ruta()), "00100   0");
  EXPECT_EQ(e.ColumnasMarcadas, 1);
  EXPECT_EQ(e.SinMarcarPorVariantes[2], 0);
  EXPECT_EQ(CambiaMarca(d / kFicheroBoletos, 3, e).cambiadas, 1);
  EXPECT_EQ(prueba::LeeBytes(d / kFicheroBoletos), fichero);
  EXPECT_EQ(e.ColumnasMarcadas, antes.ColumnasMarcadas);
  EXPECT_EQ(e.SinMarcarPorVariantes, antes.SinMarcarPorVariantes);
  // A blank place, a record past the end, a record 0 mark nothing.
  for (const int64_t r : {6, 10, 0, -1}) {
    EXPECT_EQ(CambiaMarca(d / kFicheroBoletos, r, e).cambiadas, 0) << r;
  }
  EXPECT_EQ(prueba::LeeBytes(d / kFicheroBoletos), fichero);
}

TEST(Marcado, PorNumeroDeColumnaSaltaLosLugaresEnBlanco) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kColumnas);
  EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
  const std::string fichero = prueba::LeeBytes(d / kFicheroBoletos);
  // Column 6 is record 9, after three blank places.
  EXPECT_EQ(MarcaNumeros(d / kFicheroBoletos, {6, 2, 2}, e).cambiadas, 2);
  EXPECT_EQ(Marcas(d.ruta()), "01000   1");
  ExpectCuentasDelFichero(d.ruta(), e);
  // Already marked: nothing changes; out of the reduction: nothing at all is touched.
  EXPECT_EQ(MarcaNumeros(d / kFicheroBoletos, {2}, e).cambiadas, 0);
  const std::string marcado = prueba::LeeBytes(d / kFicheroBoletos);
  EXPECT_EQ(MarcaNumeros(d / kFicheroBoletos, {1, 7}, e).error, kErrFinFichero);
  EXPECT_EQ(MarcaNumeros(d / kFicheroBoletos, {0, 1}, e).error, kErrFinFichero);
  EXPECT_EQ(prueba::LeeBytes(d / kFicheroBoletos), marcado);
  EXPECT_EQ(e.ColumnasMarcadas, 2);
}

TEST(Marcado, PorcentajeRedondeadoAlEnteroMasCercano) {
  EXPECT_EQ(TotalesPorPorcentaje(10, 0, 99).marcar, 10);  // 9.9
  EXPECT_EQ(TotalesPorPorcentaje(10, 0, 99).quedan, 0);
  EXPECT_EQ(TotalesPorPorcentaje(10, 0, 0).marcar, 0);
  EXPECT_EQ(TotalesPorPorcentaje(10, 4, 50).marcar, 3);
  EXPECT_EQ(TotalesPorPorcentaje(10, 4, 50).quedan, 3);
  EXPECT_EQ(TotalesPorPorcentaje(5, 0, 50).marcar, 2);  // 2.5: a half goes to the even one
  EXPECT_EQ(TotalesPorPorcentaje(7, 0, 50).marcar, 4);  // 3.5
  EXPECT_EQ(TotalesPorPorcentaje(14348907, 0, 99).marcar, 14205418);
}

TEST(Marcado, AlAzarMarcaExactamenteNSinMarcadasNiLugaresEnBlanco) {
  CarpetaTemporal d;
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kColumnas);
  EstadoMarcado e = ConstruyeTrabajo(d.ruta(), 1, 1);
  GeneradorAzar azar;
  ASSERT_EQ(CambiaMarca(d / kFicheroBoletos, 1, e).error, 0);
  auto r = MarcaAlAzar(d / kFicheroBoletos, 3, azar, e);
  EXPECT_EQ(r.cambiadas, 3);
  EXPECT_EQ(e.ColumnasMarcadas, 4);
  ExpectCuentasDelFichero(d.ruta(), e);
  EXPECT_EQ(Marcas(d.ruta()).substr(5, 3), "   ");
  // More than are left marks what is left, and nothing loops.
  r = MarcaAlAzar(d / kFicheroBoletos, 99, azar, e);
  EXPECT_EQ(r.cambiadas, 2);
  EXPECT_EQ(Marcas(d.ruta()), "11111   1");
  EXPECT_EQ(MarcaAlAzar(d / kFicheroBoletos, 1, azar, e).cambiadas, 0);
}

TEST(Marcado, AlAzarEsRepetibleYNoPrefiereNingunaColumna) {
  CarpetaTemporal d;
  std::vector<std::string> columnas(10, "111111111111111");
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, columnas);
  // The same seed gives the same choice; the same generator goes on to another one.
  std::map<std::string, int> vistas;
  std::array<int, 10> veces{};
  GeneradorAzar a;
  GeneradorAzar b;
  std::string primera;
  constexpr int kVueltas = 2000;
  const EstadoMarcado inicial = ConstruyeTrabajo(d.ruta(), 1, 1);
  const std::string sinMarcas = prueba::LeeBytes(d / kFicheroBoletos);
  for (int vuelta = 0; vuelta < kVueltas; ++vuelta) {
    Sobrescribe(d / kFicheroBoletos, sinMarcas);
    EstadoMarcado e = inicial;
    ASSERT_EQ(MarcaAlAzar(d / kFicheroBoletos, 3, a, e).cambiadas, 3);
    const std::string m = Marcas(d.ruta());
    if (vuelta == 0) {
      primera = m;
      Sobrescribe(d / kFicheroBoletos, sinMarcas);
      EstadoMarcado e2 = inicial;
      MarcaAlAzar(d / kFicheroBoletos, 3, b, e2);
      EXPECT_EQ(Marcas(d.ruta()), primera);
    }
    ++vistas[m];
    for (std::size_t i = 0; i < m.size(); ++i) veces[i] += m[i] == '1';
  }
  // 120 possible choices of 3 among 10: all of them come up, each column about 30% of the
  // time (the bounds are six standard deviations wide).
  EXPECT_EQ(vistas.size(), 120u);
  for (const int v : veces) {
    EXPECT_GT(v, kVueltas * 3 / 10 - 123);
    EXPECT_LT(v, kVueltas * 3 / 10 + 123);
  }
}

TEST(Marcado, FicheroDeTrabajoAusenteOSoloLectura) {
  CarpetaTemporal d;
  EstadoMarcado e;
  e.columnas = 5;
  GeneradorAzar azar;
  std::array<bool, 15> v{};
  v[0] = true;
  auto r = MarcaPorVariantes(d / kFicheroBoletos, v, e);
  EXPECT_EQ(r.error, kErrNoEncontrado);
  EXPECT_EQ(r.mensaje, "FORBOL ERROR 53");
  EXPECT_EQ(MarcaAlAzar(d / kFicheroBoletos, 2, azar, e).mensaje, "FORBOL ERROR 53");
  EXPECT_EQ(CambiaMarca(d / kFicheroBoletos, 1, e).mensaje, "FORBOL ERROR 53");
  EXPECT_EQ(e.ColumnasMarcadas, 0);

  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, kColumnas);
  e = ConstruyeTrabajo(d.ruta(), 1, 1);
  prueba::SoloLectura ro(d.ruta());
  if (!ro.activa()) GTEST_SKIP() << "no read-only folder here";
  r = MarcaPorVariantes(d / kFicheroBoletos, v, e);
  EXPECT_EQ(r.mensaje, "FORBOL ERROR 70");
  EXPECT_EQ(e.ColumnasMarcadas, 0);
}

}  // namespace
}  // namespace zendo

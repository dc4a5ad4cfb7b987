// The boleto work file: byte-exact layouts, the counts gathered while building it, and what
// a missing or unwritable file does.

#include "engine/consult/fichero_boletos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "apoyo/apoyo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/reduction/modelo.h"
#include "engine/scrutiny/escrutinio.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

const std::string kBlanco(kRegistroBlanco);

std::string Red(std::initializer_list<const char*> columnas) {
  std::string s;
  for (const char* c : columnas) s += std::string("\"") + c + "\"\r\n";
  return s;
}
std::string Reg(const char* c) {
  return std::string("\"") + c + "0\"\r\n";
}
std::string Blancos(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += kBlanco;
  return s;
}

ResultadoBoletos Construye(const CarpetaTemporal& d) {
  std::atomic<bool> cancelar{false};
  return CreaFicheroBoletos(d.ruta(), 7, 3, nullptr, cancelar);
}

TEST(FicheroBoletos, UnCambioDelPleno15EmpiezaBoletoNuevo) {
  CarpetaTemporal d;
  EscribeBytes(d / "RED0703.TVX", Red({"111111111111111", "X1111111111111X", "2X2X2X2X2X2X2X1"}));
  const auto res = Construye(d);
  ASSERT_EQ(res.error, 0);
  EXPECT_EQ(LeeBytes(d / "FORBOLW.TVX"), Reg("111111111111111") + Blancos(7) +
                                             Reg("X1111111111111X") + Blancos(7) +
                                             Reg("2X2X2X2X2X2X2X1"));
  EXPECT_EQ(res.resumen.LineasTrabajo, 17);
  EXPECT_EQ(res.resumen.columnas, 3);
  EXPECT_EQ(res.resumen.SinMarcarPorVariantes[0], 1);
  EXPECT_EQ(res.resumen.SinMarcarPorVariantes[1], 1);
  EXPECT_EQ(res.resumen.SinMarcarPorVariantes[14], 1);
}

TEST(FicheroBoletos, NuncaRellenaTrasLaUltimaColumna) {
  CarpetaTemporal d;
  std::string red, esperado;
  for (int i = 0; i < 9; ++i) {
    red += Red({"11111111111111X"});
    esperado += Reg("11111111111111X");
  }
  // A change after exactly 8 columns needs no blank place.
  for (int i = 0; i < 8; ++i) {
    red += Red({"111111111111112"});
    if (i == 0) esperado += Blancos(7);
    esperado += Reg("111111111111112");
  }
  EscribeBytes(d / "RED0703.TVX", red);
  const auto res = Construye(d);
  ASSERT_EQ(res.error, 0);
  EXPECT_EQ(LeeBytes(d / "FORBOLW.TVX"), esperado);
  EXPECT_EQ(res.resumen.LineasTrabajo, 24);
}

TEST(FicheroBoletos, LineasRarasDelFicheroDeColumnas) {
  CarpetaTemporal d;
  // No CR, no end on the last line, an empty line, a short column, a long one.
  EscribeBytes(d / "RED0703.TVX", "\"111111111111111\"\n\r\n\"1X2\"\r\n\"111111111111111222\"");
  const auto res = Construye(d);
  ASSERT_EQ(res.error, 0);
  EXPECT_EQ(LeeBytes(d / "FORBOLW.TVX"), Reg("111111111111111") + Blancos(7) +
                                             Reg("1X2            ") + Blancos(7) +
                                             Reg("111111111111111"));
}

// A quote inside a 17-character line ends its column there: a blank column is no column, a
// short one is padded; the scrutiny counts the same columns.
TEST(FicheroBoletos, UnaComillaDentroCortaLaColumna) {
  CarpetaTemporal d;
  const std::string red = "\"  \"            \"\r\n\"1X\"111111111111\"\r\n\"111111111111111\"\r\n";
  EscribeBytes(d / "RED0703.TVX", red);
  const auto res = Construye(d);
  ASSERT_EQ(res.error, 0);
  EXPECT_EQ(LeeBytes(d / "FORBOLW.TVX"),
            Reg("1X             ") + Blancos(7) + Reg("111111111111111"));
  EXPECT_EQ(res.resumen.columnas, 2);
  const std::atomic<bool> nunca{false};
  const ResultadoEscrutinio e =
      Escruta(d.ruta(), ReduccionNueva(7, 3, kMetodoManual), "111111111111111", {}, {}, nunca);
  EXPECT_EQ(e.columnas, res.resumen.columnas);
}

// The work records of any columns file, line by line as the reader splits it: the rules
// written out plainly, to hold the fast path for the lines the generation writes to them.
std::string RegistrosEsperados(const std::string& red, std::array<int64_t, 15>& variantes) {
  std::string salida;
  int64_t lineas = 0;
  char anterior = 0;
  bool primera = true;
  for (const std::string_view linea : PartirLineas(red)) {
    const bool comun = linea.size() == 17 && linea.front() == '"' && linea.back() == '"' &&
                       linea.substr(1, 15).find('"') == std::string_view::npos;
    std::string signos(comun ? linea.substr(1, 15) : ColumnaDeLinea(linea));
    if (signos.find_first_not_of(' ') == std::string::npos) continue;
    signos.resize(15, ' ');
    if (!primera && signos[14] != anterior) {
      for (; lineas % 8 != 0; ++lineas) salida += kBlanco;
    }
    primera = false;
    anterior = signos[14];
    salida += Reg(signos.c_str());
    ++lineas;
    ++variantes[static_cast<std::size_t>(
        std::count_if(signos.begin(), signos.begin() + 14, [](char c) { return c != '1'; }))];
  }
  return salida;
}

TEST(FicheroBoletos, LineasComunesYRarasMezcladasEnVariosLotes) {
  CarpetaTemporal d;
  // Several batches of records: common lines in runs of the same match-15 sign, and now and
  // then a line the reader has to split its own way.
  std::mt19937 azar(11);
  const std::vector<std::string> raras = {
      "\"               \"\r\n",     // all blank: no column
      "\" 1X2X2X2X2X2X2X\"\r\n",     // a blank first sign
      "\"1X2\n1X21X21X21X\"\r\n",    // a line feed inside: two lines
      "\"1X21X2\r1X21X21X\"\r\n",    // a carriage return inside
      "\"1X21X2\"1X21X21X\"\r\n",    // a quote inside ends the column
      "\"111111111111111\"\n",       // no CR
      "\"1X2\"\r\n",                 // short
      "\"1X21X21X21X21X21X2\"\r\n",  // long
      "\r\n",                        // empty
      "  \"X1X1X1X1X1X1X1X\"\r\n",   // leading blanks
      "1X1X1X1X1X1X1X1,2\r\n",       // no quotes
  };
  std::string red;
  char pleno = '1';
  while (red.size() < 4'000'000) {
    if (azar() % 50 == 0) pleno = "1X2"[azar() % 3];
    if (azar() % 200 == 0) {
      red += raras[azar() % raras.size()];
      continue;
    }
    std::string c(15, '1');
    for (std::size_t i = 0; i < 14; ++i) c[i] = "1X2"[azar() % 3];
    c[14] = pleno;
    red += Red({c.c_str()});
  }
  red += "\"1X21X21X21X21X2\"";  // the last line without its end
  EscribeBytes(d / "RED0703.TVX", red);
  std::array<int64_t, 15> variantes{};
  const std::string esperado = RegistrosEsperados(red, variantes);
  ASSERT_GT(esperado.size(), 3u << 20);
  const auto res = Construye(d);
  ASSERT_EQ(res.error, 0);
  EXPECT_TRUE(LeeBytes(d / "FORBOLW.TVX") == esperado);
  EXPECT_EQ(res.resumen.LineasTrabajo, static_cast<int64_t>(esperado.size() / 20));
  EXPECT_EQ(res.resumen.SinMarcarPorVariantes, variantes);
}

TEST(FicheroBoletos, ReduccionVaciaYFicheroAusente) {
  CarpetaTemporal d;
  EscribeBytes(d / "FORBOLW.TVX", Reg("111111111111111"));
  auto res = Construye(d);
  EXPECT_EQ(res.error, kErrNoEncontrado);
  EXPECT_TRUE(res.mensaje.empty());
  // A work file of another reduction never survives a failed build.
  EXPECT_FALSE(std::filesystem::exists(d / "FORBOLW.TVX"));

  EscribeBytes(d / "RED0703.TVX", "");
  res = Construye(d);
  ASSERT_EQ(res.error, 0);
  EXPECT_EQ(LeeBytes(d / "FORBOLW.TVX"), "");
  EXPECT_EQ(res.resumen.LineasTrabajo, 0);
}

TEST(FicheroBoletos, DiscoLlenoYFicheroQueNoEsRegular) {
  CarpetaTemporal d;
  EscribeBytes(d / "RED0703.TVX", Red({"111111111111111"}));
  std::filesystem::create_symlink("/dev/full", d / "~zendo-FORBOLW.TVX");
  auto res = Construye(d);
  EXPECT_EQ(res.error, kErrDiscoLleno);
  EXPECT_EQ(res.mensaje, "FORBOL ERROR 61");
  EXPECT_FALSE(std::filesystem::exists(d / "FORBOLW.TVX"));

  std::filesystem::remove(d / "RED0703.TVX");
  std::filesystem::create_symlink("/dev/zero", d / "RED0703.TVX");
  std::filesystem::remove(d / "~zendo-FORBOLW.TVX");
  res = Construye(d);
  EXPECT_NE(res.error, 0);
  EXPECT_EQ(res.mensaje, "RED ERROR " + std::to_string(res.error));
}

TEST(FicheroBoletos, CancelarNoDejaFicheroDeTrabajo) {
  CarpetaTemporal d;
  std::string red;
  for (int i = 0; i < 120000; ++i) red += Red({i % 2 ? "111111111111111" : "X1111111111111X"});
  EscribeBytes(d / "RED0703.TVX", red);
  std::atomic<bool> cancelar{false};
  int avisos = 0;
  const auto res = CreaFicheroBoletos(
      d.ruta(), 7, 3, [&](uint64_t, uint64_t) { cancelar = ++avisos == 1; }, cancelar);
  EXPECT_TRUE(res.cancelado);
  EXPECT_FALSE(std::filesystem::exists(d / "FORBOLW.TVX"));
  EXPECT_FALSE(std::filesystem::exists(d / "~zendo-FORBOLW.TVX"));
}

TEST(FicheroBoletos, UnDestinoQueRehusaParaLaLecturaEnCualquierLote) {
  // Reading runs ahead of the sink: a refusal must stop it wherever it is, with nothing
  // handed over after the refusal and the error reported.
  CarpetaTemporal d;
  std::string red;
  for (int i = 0; i < 400000; ++i) red += Red({i % 3 ? "1X2111111111111" : "X11111111111112"});
  EscribeBytes(d / "RED0703.TVX", red);
  for (int rehusa : {1, 2, 5}) {
    std::atomic<bool> cancelar{false};
    int llamadas = 0;
    uint64_t leidosAntes = 0;
    const auto res = RecorreRegistrosBoletos(
        d / "RED0703.TVX",
        [&](std::string_view registros) {
          EXPECT_EQ(registros.size() % kLargoRegistroBoleto, 0u);
          return ++llamadas < rehusa;
        },
        [&](uint64_t leidos, uint64_t total) {
          EXPECT_GE(leidos, leidosAntes);
          EXPECT_EQ(total, red.size());
          leidosAntes = leidos;
        },
        cancelar);
    EXPECT_EQ(llamadas, rehusa);
    EXPECT_EQ(res.error, kErrEntradaSalida);
    EXPECT_FALSE(res.cancelado);
  }
  // A sink that throws (out of memory) lets the exception out; nothing is left running.
  std::atomic<bool> cancelar{false};
  int llamadas = 0;
  EXPECT_THROW(RecorreRegistrosBoletos(
                   d / "RED0703.TVX",
                   [&](std::string_view) {
                     if (++llamadas == 2) throw std::bad_alloc();
                     return true;
                   },
                   nullptr, cancelar),
               std::bad_alloc);
  EXPECT_EQ(llamadas, 2);
}

TEST(FicheroBoletos, LecturaYEscrituraPorRegistro) {
  CarpetaTemporal d;
  // Eight columns fill one boleto exactly: no blank place anywhere.
  std::string red;
  for (int i = 0; i < 8; ++i) red += Red({"1X21X21X21X21X2"});
  EscribeBytes(d / "RED0703.TVX", red);
  ASSERT_EQ(Construye(d).resumen.LineasTrabajo, 8);
  // A cut record at the end does not count.
  EscribeBytes(d / "FORBOLW.TVX", LeeBytes(d / "FORBOLW.TVX") + "\"1X2");

  FicheroBoletos f = AbreFicheroBoletos(d / "FORBOLW.TVX", true);
  ASSERT_EQ(f.error(), 0);
  EXPECT_EQ(f.registros(), 8);
  std::string r;
  ASSERT_EQ(f.Lee(7, 3, r), 0);
  EXPECT_EQ(r, Reg("1X21X21X21X21X2") + Reg("1X21X21X21X21X2") + kBlanco);
  ASSERT_EQ(f.Escribe(8, "\"1X21X21X21X21X21\"\r\n"), 0);
  EXPECT_EQ(f.Escribe(9, kBlanco), kErrFinFichero);  // never grows the file
  EXPECT_EQ(f.Escribe(0, kBlanco), kErrFinFichero);
  EXPECT_EQ(f.Escribe(1, "\"1X2"), kErrFinFichero);  // whole records only
  EXPECT_EQ(LeeBytes(d / "FORBOLW.TVX").substr(140, 21), "\"1X21X21X21X21X21\"\r\n\"");

  // Only a regular file opens.
  EXPECT_EQ(AbreFicheroBoletos(d.ruta()).error(), kErrAcceso);
  EXPECT_EQ(AbreFicheroBoletos("/dev/zero").error(), kErrEntradaSalida);
  FicheroBoletos falta = AbreFicheroBoletos(d / "NADA.TVX");
  EXPECT_EQ(falta.error(), kErrNoEncontrado);
  EXPECT_FALSE(falta.abierto());
  EXPECT_NE(falta.Lee(1, 1, r), 0);
  EXPECT_EQ(r, kBlanco);
}

}  // namespace
}  // namespace zendo

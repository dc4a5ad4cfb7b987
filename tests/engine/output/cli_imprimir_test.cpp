// zendo-cli imprimir: the page operations of every document agree with the routines the
// screens call, with the options corrected as the screen corrects them; bad arguments and
// missing files end with their exit codes; --pdf paints real pages (read back with
// poppler-utils).

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "apoyo/reduccion_guardada.h"
#include "engine/consult/boletos.h"
#include "engine/core/datos_generales.h"
#include "engine/core/texto.h"
#include "engine/output/documentos.h"
#include "engine/scrutiny/impresion_escrutinio.h"
#include "operaciones.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;

class CliImprimir : public ::testing::Test {
 protected:
  void SetUp() override {
    DatosGenerales g;
    g.MargenIzqBoleto = 150;
    g.MargenSupBoleto = 33;
    g.MargenIzqContinuo = 7;
    g.MargenSupContinuo = 50;
    g.Orientacion = 2;
    g.Normaliza();
    ASSERT_EQ(GuardaDatosGenerales(d_.ruta(), g), 0);
    prueba::GuardaJornada(d_.ruta(), 7, "15/11/09");
    Reduccion r = ReduccionNueva(7, 3, kMetodoDirecto);
    r.Descripcion = AjustaAncho(Cp("Reducción de prueba"), 35);
    r.Partido[15].Signo = {0, 1, 1, 0};
    r.Partido[15].NumSignos = 2;
    auto c = prueba::Columnas(66, '1');
    const auto x = prueba::Columnas(66, 'X', 100);
    c.insert(c.end(), x.begin(), x.end());
    r.ApuestasBase = 400;
    r_ = prueba::GuardaReduccion(d_.ruta(), r, c);
    j_ = LeeJornada(d_.ruta(), 7).jornada;
  }

  // With ZENDO_CONSERVA set, the data folder is kept there to look at (or to run the program
  // on it).
  void TearDown() override {
    if (const char* destino = std::getenv("ZENDO_CONSERVA")) {
      std::filesystem::copy(d_.ruta(), destino,
                            std::filesystem::copy_options::recursive |
                                std::filesystem::copy_options::overwrite_existing);
    }
  }

  int Cli(const std::string& argumentos, std::string* salida = nullptr) {
    return prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " imprimir --datos '" +
                               d_.ruta().string() + "' --jornada 7 --orden 3 " + argumentos +
                               " 2>/dev/null",
                           salida);
  }
  std::vector<std::string> Ops(const std::string& argumentos) {
    std::string salida;
    EXPECT_EQ(Cli(argumentos + " --operaciones", &salida), 0) << argumentos;
    return prueba::Lineas(salida);
  }
  Impresion Peticion(int modo) const {
    Impresion p;
    p.modo = modo;
    p.rutaDatos = d_.ruta();
    p.reduccion = r_;
    p.jornada = j_;
    p.BoletoFinal = NumBoletos(r_);
    return p;
  }
  std::vector<std::string> Esperadas(const Impresion& p) const {
    return prueba::Operaciones([&](DestinoPaginas& d) {
      ControlImpresion c;
      Imprime(p, d, c);
    });
  }

  CarpetaTemporal d_;
  Reduccion r_;
  Jornada j_;
};

TEST_F(CliImprimir, CadaDocumentoComoLoImprimeLaPantalla) {
  ASSERT_EQ(NumBoletos(r_), 18);  // 66 columns in 9 boletos, twice
  Impresion p = Peticion(kModoDatos);
  p.NumCopias = 2;
  EXPECT_EQ(Ops("--documento datos --copias 2"), Esperadas(p));

  p = Peticion(kModoBoletos);
  p.BoletoInicial = 9;
  p.BoletoFinal = 10;
  p.MargenIzq = 150;
  p.MargenSup = 33;
  p.Orientacion = 2;
  p.reverso = true;
  const auto boletos = Ops("--documento boletos --inicial 9 --final 10 --reverso");
  EXPECT_EQ(boletos, Esperadas(p));
  EXPECT_EQ(prueba::Cuenta(boletos, "fin"), 2);  // as if Siguiente followed each boleto
  EXPECT_EQ(prueba::Cuenta(boletos, "texto 850.5 187.11 10"), 1);

  p = Peticion(kModoContinuo);
  p.MargenIzq = 7;
  p.MargenSup = 50;
  p.prueba = true;
  EXPECT_EQ(Ops("--documento continuo --prueba"), Esperadas(p));
  p.prueba = false;
  EXPECT_EQ(Ops("--documento continuo"), Esperadas(p));

  // The range as the boxes commit it: 0 is boleto 1, past the end is the last one, and a
  // last boleto below the first moves the first.
  p = Peticion(kModoRelacion);
  p.AnchoPapel = 1;
  EXPECT_EQ(Ops("--documento relacion --ancho 1 --inicial 0 --final 99"), Esperadas(p));
  p.AnchoPapel = 0;
  p.BoletoInicial = p.BoletoFinal = 5;
  EXPECT_EQ(Ops("--documento relacion --inicial 12 --final 5"), Esperadas(p));
}

TEST_F(CliImprimir, EscrutinioConLaColumnaYLosPremiosDados) {
  const std::atomic<bool> no{false};
  PremiosCentimos premios{0, 100, 200, 300, 400, 500, 600};
  const ResultadoEscrutinio res = Escruta(d_.ruta(), r_, "111111111111111", premios, {}, no);
  const auto esperadas = prueba::Operaciones([&](DestinoPaginas& d) {
    ImpriEscrutinio({7, 3, j_, &res}, d);
  });
  EXPECT_EQ(Ops("--documento escrutinio --ganadora 111111111111111 --premios 1 2 3 4 5 6"),
            esperadas);
  // Without them the jornada's record is used: this one has no winning column.
  std::string salida;
  EXPECT_EQ(Cli("--documento escrutinio --operaciones", &salida), 1);
  EXPECT_TRUE(salida.empty());
}

TEST_F(CliImprimir, ErroresConSuCodigo) {
  EXPECT_EQ(Cli("--documento todo --operaciones"), 64);
  EXPECT_EQ(Cli("--documento datos"), 64);
  EXPECT_EQ(Cli("--documento datos --operaciones --pdf x.pdf"), 64);
  EXPECT_EQ(Cli("--documento relacion --inicial 1a --operaciones"), 64);
  EXPECT_EQ(Cli("--documento relacion --ancho 2 --operaciones"), 64);
  // A reduction file that cannot be read is told with its code and number.
  std::filesystem::remove(d_ / "RED0703.TVX");
  std::string salida;
  EXPECT_EQ(
      prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " imprimir --datos '" + d_.ruta().string() +
                          "' --jornada 7 --orden 3 --documento boletos --operaciones 2>&1",
                      &salida),
      1);
  EXPECT_NE(salida.find("RED ERROR 53"), std::string::npos) << salida;
  EXPECT_EQ(Cli("--documento datos --operaciones"), 0);  // the sheet needs no columns
  EXPECT_EQ(
      prueba::Ejecuta(std::string(ZENDO_CLI_PATH) + " imprimir --datos '" + d_.ruta().string() +
                      "' --jornada 8 --orden 3 --documento datos --operaciones 2>/dev/null"),
      1);
}

// The number after "Pages:" in what pdfinfo says.
int Paginas(const std::string& pdf) {
  std::string info;
  EXPECT_EQ(prueba::Ejecuta("pdfinfo '" + pdf + "'", &info), 0) << "poppler-utils missing?";
  const auto p = info.find("Pages:");
  return p == std::string::npos ? -1 : std::atoi(info.c_str() + p + 6);
}

// The text of a PDF with every run of blanks made one, as pdftotext reads it back.
std::string TextoPdf(const std::string& pdf) {
  std::string texto;
  EXPECT_EQ(prueba::Ejecuta("pdftotext -raw '" + pdf + "' - | tr -s ' '", &texto), 0);
  return texto;
}

TEST_F(CliImprimir, PdfConPaginasReales) {
  const std::string pdf = (d_ / "datos.pdf").string();
  ASSERT_EQ(Cli("--documento datos --copias 2 --pdf '" + pdf + "'"), 0);
  EXPECT_EQ(Paginas(pdf), 2);
  const std::string texto = TextoPdf(pdf);
  for (const char* t : {"JORNADA NRO. 7 DE FECHA 15/11/09 (Orden 3)", "Reducción de prueba",
                        "400 apuestas reducidas a 132", "Importe reducidas........: 66,00 €",
                        "1. Local 1-Visitante 1............ 1"}) {
    EXPECT_NE(texto.find(t), std::string::npos) << t << "\n" << texto;
  }

  // Two boletos to a sheet: 18 boletos on 9 pages of 210 x 158.5 mm.
  const std::string continuo = (d_ / "continuo.pdf").string();
  ASSERT_EQ(Cli("--documento continuo --pdf '" + continuo + "'"), 0);
  EXPECT_EQ(Paginas(continuo), 9);
  std::string info;
  prueba::Ejecuta("pdfinfo '" + continuo + "'", &info);
  EXPECT_NE(info.find("595 x 449 pts"), std::string::npos) << info;

  // A failed run leaves an earlier file as it was.
  prueba::EscribeBytes(d_ / "previo.pdf", "antes");
  std::filesystem::remove(d_ / "RED0703.TVX");
  EXPECT_EQ(Cli("--documento relacion --pdf '" + (d_ / "previo.pdf").string() + "'"), 1);
  EXPECT_EQ(prueba::LeeBytes(d_ / "previo.pdf"), "antes");
}

// Painting needs Qt and CUPS, which zendo-cli leaves to zendo-cli-salida beside it: called
// through a link from elsewhere it still finds it; without it the PDF fails with a message
// saying what is missing, and everything else still works.
TEST_F(CliImprimir, ElPdfLoPintaElProgramaDeAlLado) {
  std::string cargadas;
  ASSERT_EQ(prueba::Ejecuta("LD_TRACE_LOADED_OBJECTS=1 " + std::string(ZENDO_CLI_PATH), &cargadas),
            0);
  for (const char* pesada : {"libQt6", "libcups", "libcurl"}) {
    EXPECT_EQ(cargadas.find(pesada), std::string::npos) << pesada << "\n" << cargadas;
  }

  const CarpetaTemporal otra;
  std::filesystem::create_symlink(ZENDO_CLI_PATH, otra / "enlace");
  const std::string reduccion = " --datos '" + d_.ruta().string() + "' --jornada 7 --orden 3";
  const std::string datos = " imprimir" + reduccion;
  const std::string pdf = (d_ / "datos.pdf").string();
  ASSERT_EQ(prueba::Ejecuta((otra / "enlace").string() + datos + " --documento datos --pdf '" +
                            pdf + "'"),
            0);
  EXPECT_EQ(Paginas(pdf), 1);

  std::filesystem::copy_file(ZENDO_CLI_PATH, otra / "zendo-cli");
  const std::string sola = (otra / "zendo-cli").string();
  std::string salida;
  EXPECT_EQ(prueba::Ejecuta(
                sola + datos + " --documento datos --pdf '" + (d_ / "sin.pdf").string() + "' 2>&1",
                &salida),
            1);
  EXPECT_EQ(salida, "zendo-cli: no se puede ejecutar " + (otra / "zendo-cli-salida").string() +
                        " (fichero no encontrado), que pinta los PDF y envía el correo; debe "
                        "estar junto a zendo-cli\n");
  EXPECT_FALSE(std::filesystem::exists(d_ / "sin.pdf"));
  EXPECT_EQ(prueba::Ejecuta(sola + datos + " --documento datos --operaciones > /dev/null"), 0);
  salida.clear();
  EXPECT_EQ(prueba::Ejecuta(
                sola + " correo" + reduccion + " --para a@b.es --servidor smtp://localhost:1 2>&1",
                &salida),
            1);
  EXPECT_NE(salida.find("zendo-cli-salida"), std::string::npos) << salida;
}

}  // namespace
}  // namespace zendo

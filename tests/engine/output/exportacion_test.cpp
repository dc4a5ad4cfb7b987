// The copy to external media: the seven layouts byte for byte, the AD243 header and its
// duplicated single columns, and what a cancel, a full disk, a read-only or vanished
// destination and a missing columns file leave behind.

#include "engine/output/exportacion.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "apoyo/apoyo.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"

namespace zendo {
namespace {

namespace fs = std::filesystem;
using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

std::string Columnas(const std::vector<std::string>& columnas) {
  std::string s;
  for (const auto& c : columnas) s += "\"" + c + "\"\r\n";
  return s;
}

// n columns whose match 15 is `pleno`, each different in match 1..14.
std::vector<std::string> Grupo(int n, char pleno, char base = '1') {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) {
    std::string c(14, base);
    c[static_cast<std::size_t>(i % 14)] = "X2"[(i / 14) % 2];
    v.push_back(c + pleno);
  }
  return v;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A detail record built by hand: boleto number, the columns of its places, match 15.
std::string Detalle(int boleto, const std::vector<std::string>& columnas, char cuenta) {
  std::string d =
      "D" + std::string(8 - std::to_string(boleto).size(), '0') + std::to_string(boleto) + cuenta;
  for (std::size_t p = 0; p < 8; ++p) {
    d += p < columnas.size() ? columnas[p].substr(0, 14) : std::string(14, ' ');
  }
  d += columnas.front()[14];
  EXPECT_EQ(d.size(), 123u);
  return d;
}

std::vector<std::string> Trozo(const std::vector<std::string>& v, std::size_t desde,
                               std::size_t n) {
  return {v.begin() + static_cast<std::ptrdiff_t>(desde),
          v.begin() + static_cast<std::ptrdiff_t>(std::min(v.size(), desde + n))};
}

std::vector<std::string> Nombres(const fs::path& carpeta) {
  std::vector<std::string> v;
  for (const auto& e : fs::directory_iterator(carpeta)) v.push_back(e.path().filename().string());
  std::sort(v.begin(), v.end());
  return v;
}

struct Copia {
  ResultadoExportacion res;
  std::vector<int64_t> incompletos;  // each "Boleto incompleto" notice
  std::string bytes;
};

Copia Exporta(const CarpetaTemporal& d, const std::vector<std::string>& columnas,
              FormatoExportacion formato, CabeceraAD243 cabecera = {}) {
  EscribeBytes(d / "RED0702.TVX", Columnas(columnas));
  PeticionExportacion p;
  p.ficheroColumnas = d / "RED0702.TVX";
  p.formato = formato;
  p.cabecera = std::move(cabecera);
  p.NumApuestas = static_cast<int64_t>(columnas.size());
  Copia c;
  AvisosExportacion avisos;
  avisos.boletosIncompletos = [&](int64_t n) { c.incompletos.push_back(n); };
  std::atomic<bool> cancelar{false};
  c.res = ExportaAFichero(p, d / "salida.txt", avisos, cancelar);
  if (fs::exists(d / "salida.txt")) c.bytes = LeeBytes(d / "salida.txt");
  return c;
}

CabeceraAD243 Cabecera(int jornada, const char* fecha, const char* del, const char* rec) {
  return {jornada, fecha, del, rec};
}

TEST(Exportacion, AD243DuplicaLaColumnaSolaDelUltimoBoleto) {
  CarpetaTemporal d;
  const auto cols = Grupo(17, '1');
  const Copia c =
      Exporta(d, cols, FormatoExportacion::AD243, Cabecera(7, "09/11/25", "28", "12345"));
  ASSERT_EQ(c.res.error, 0) << c.res.mensaje;
  const std::string cabecera =
      "C01243"
      "07"
      "091125"
      "28"
      "12345"
      "000018"
      "01"
      "000003"
      "04" +
      std::string(86, ' ');
  std::vector<std::string> ultimo = {cols[16], cols[16]};
  EXPECT_EQ(c.bytes, cabecera + Detalle(1, Trozo(cols, 0, 8), '8') +
                         Detalle(2, Trozo(cols, 8, 8), '8') + Detalle(3, ultimo, '2'));
  EXPECT_EQ(c.incompletos, std::vector<int64_t>{1});
  EXPECT_EQ(c.res.cuentas, (CuentasAD243{18, 3, 1}));
  EXPECT_EQ(c.res.apuestas, 17);
}

TEST(Exportacion, AD243CuentaCadaBoletoDeUnaSolaColumnaDeCadaGrupoDelPleno) {
  // A change of the match-15 sign after 9 columns, and a manual reduction with its three
  // groups: every single column anywhere is duplicated and counted in the header.
  CarpetaTemporal d;
  const auto cols = Grupo(9, '1') + Grupo(8, 'X');
  const Copia c = Exporta(d, cols, FormatoExportacion::AD243);
  ASSERT_EQ(c.res.error, 0);
  EXPECT_EQ(c.bytes.substr(0, 37),
            "C01243"
            "01"
            "000000"
            "00"
            "00000"
            "000018"
            "01"
            "000003"
            "00");
  EXPECT_EQ(c.bytes.substr(123), Detalle(1, Trozo(cols, 0, 8), '8') +
                                     Detalle(2, {cols[8], cols[8]}, '2') +
                                     Detalle(3, Trozo(cols, 9, 8), '8'));
  EXPECT_EQ(c.incompletos, std::vector<int64_t>{1});

  const auto manual = Grupo(9, '1') + Grupo(1, 'X') + Grupo(17, '2');
  const Copia m = Exporta(d, manual, FormatoExportacion::AD243);
  ASSERT_EQ(m.res.error, 0);
  EXPECT_EQ(m.bytes.substr(21, 16),
            "000030"
            "01"
            "000006"
            "00");
  EXPECT_EQ(m.bytes.size(), 123u * 7);
  EXPECT_EQ(m.bytes.substr(123 * 2, 123), Detalle(2, {manual[8], manual[8]}, '2'));
  EXPECT_EQ(m.bytes.substr(123 * 3, 123), Detalle(3, {manual[9], manual[9]}, '2'));
  EXPECT_EQ(m.bytes.substr(123 * 6, 123), Detalle(6, {manual[26], manual[26]}, '2'));
  EXPECT_EQ(m.incompletos, std::vector<int64_t>{3});
  EXPECT_EQ(MensajeBoletoIncompleto(3).texto,
            "En esta reducci\xf3n hay 3 boletos  con una sola columna.  Como cada boleto debe "
            "contener dos columnas como m\xednimo,  se  va a duplicar esa columna y,  por lo "
            "tanto,  aumentar\xe1 en 3 el n\xfamero total de columnas que  se incluyen en el "
            "archivo.");
  EXPECT_NE(MensajeBoletoIncompleto(1).texto.find("hay 1 boleto  con"), std::string::npos);

  // Full boletos only: no notice, the header counts the columns as they are.
  const Copia llenos = Exporta(d, Grupo(16, '2'), FormatoExportacion::AD243);
  EXPECT_TRUE(llenos.incompletos.empty());
  EXPECT_EQ(llenos.bytes.substr(21, 16),
            "000016"
            "01"
            "000002"
            "00");
  // Nothing to copy: an empty file.
  const Copia vacia = Exporta(d, {}, FormatoExportacion::AD243);
  EXPECT_EQ(vacia.res.error, 0);
  EXPECT_EQ(vacia.bytes, "");
}

TEST(Exportacion, DigitoDeControlYCabecera) {
  EXPECT_EQ(DigitoControl("00", "00000"), "00");
  EXPECT_EQ(DigitoControl("28", "12345"), "04");  // 2+16+3+8+15+24+35 = 103
  EXPECT_EQ(DigitoControl("30", "00001"), "10");  // 3+7
  EXPECT_EQ(DigitoControl("99", "99999"), "10");  // 9*28 = 252
  EXPECT_EQ(DigitoControl("1 ", "0A001"), "08");  // blanks and letters count 0
  // Counts beyond six digits are written whole rather than cut.
  const std::string h =
      RegistroCabeceraAD243(Cabecera(30, "31/12/99", "01", "00002"), {15000000, 1875000, 0});
  EXPECT_EQ(h.substr(0, 40),
            "C01243"
            "30"
            "311299"
            "01"
            "00002"
            "15000000"
            "01"
            "1875000"
            "05");
  EXPECT_EQ(h.size(), 123u + 3);
}

TEST(Exportacion, LosSeisFormatosDeTexto) {
  CarpetaTemporal d;
  // Two bets, then a new boleto (blank places between them in the work records).
  const std::vector<std::string> cols = {"1X21X21X21X21X1", "111111111111111", "22222222222222X"};
  auto texto = [&](FormatoExportacion f) {
    const Copia c = Exporta(d, cols, f);
    EXPECT_EQ(c.res.error, 0);
    EXPECT_EQ(c.res.apuestas, 3);
    return c.bytes;
  };
  EXPECT_EQ(texto(FormatoExportacion::TXT1),
            "1X21X21X21X21X1111111111111111"
            "22222222222222X");
  EXPECT_EQ(texto(FormatoExportacion::TXT2),
            "1X21X21X21X21X1\r\n111111111111111\r\n22222222222222X\r\n");
  EXPECT_EQ(texto(FormatoExportacion::TXT3),
            "\"1X21X21X21X21X1\",\"111111111111111\",\"22222222222222X\"");
  EXPECT_EQ(texto(FormatoExportacion::TXT4),
            "\"1X21X21X21X21X1\"\r\n\"111111111111111\"\r\n\"22222222222222X\"\r\n");
  auto signos = [](const std::string& c) {
    std::string s;
    for (char x : c) s += std::string(s.empty() ? "" : ",") + "\"" + x + "\"";
    return s;
  };
  EXPECT_EQ(texto(FormatoExportacion::TXT5),
            signos(cols[0]) + "," + signos(cols[1]) + "," + signos(cols[2]));
  EXPECT_EQ(texto(FormatoExportacion::TXT6),
            signos(cols[0]) + "\r\n" + signos(cols[1]) + "\r\n" + signos(cols[2]) + "\r\n");
  EXPECT_EQ(signos(cols[0]).size(), 59u);
}

TEST(Exportacion, NombresYCodigosDeLosFormatos) {
  const std::vector<std::pair<const char*, const char*>> esperados = {
      {"AD243", "Formato AD243"},
      {"TXT1", "Apuestas en formato continuo"},
      {"TXT2", "Apuestas en columna"},
      {"TXT3", "Apuestas delimitadas y separadas por comas"},
      {"TXT4", "Apuestas delimitadas y en columnas"},
      {"TXT5", "Signos delimitados y separados por comas"},
      {"TXT6", "Signos delimitados y en columnas"}};
  for (int i = 0; i < kNumFormatosExportacion; ++i) {
    const auto f = static_cast<FormatoExportacion>(i);
    EXPECT_EQ(CodigoFormato(f), esperados[static_cast<std::size_t>(i)].first);
    EXPECT_EQ(TituloFormato(f), esperados[static_cast<std::size_t>(i)].second);
    EXPECT_EQ(FormatoDesdeCodigo(esperados[static_cast<std::size_t>(i)].first), f);
    EXPECT_EQ(NombreArchivoPorDefecto(f, 7, 2), i == 0 ? "AD243" : "Col0702.txt");
  }
  EXPECT_EQ(FormatoDesdeCodigo("txt6"), FormatoExportacion::TXT6);
  EXPECT_FALSE(FormatoDesdeCodigo("TXT7"));
  EXPECT_FALSE(FormatoDesdeCodigo("TXT"));
  EXPECT_EQ(NombreArchivoPorDefecto(FormatoExportacion::TXT3, 12, 30), "Col1230.txt");
}

TEST(Exportacion, TextosDeLaCopia) {
  EXPECT_EQ(TextoPorcentaje(7), "Se ha copiado el 7 %");
  EXPECT_EQ(TextoPorcentaje(100), "Se ha copiado el 100 %");
  EXPECT_EQ(PorcentajeCopiado(17, 18), 94);
  EXPECT_EQ(PorcentajeCopiado(0, 0), 0);
  EXPECT_EQ(TextoCreado("/media/USB/AD243"), "Creado el archivo /media/USB/AD243");
  EXPECT_EQ(TextoCancelado(), "Se ha cancelado la operaci\xf3n de copiado");
}

// A columns file large enough for several blocks.
std::vector<std::string> Muchas(int n) {
  std::vector<std::string> v;
  v.reserve(static_cast<std::size_t>(n));
  std::string c = "111111111111111";
  for (int i = 0; i < n; ++i) {
    int k = i;
    for (std::size_t m = 0; m < 14 && k > 0; ++m, k /= 3) c[m] = "1X2"[k % 3];
    v.push_back(c);
  }
  return v;
}

TEST(Exportacion, LosBytesNoDependenDeComoLleguenLosRegistros) {
  // The work records come in batches that may cut a boleto anywhere: fed whole, a record at
  // a time or in odd pieces, every format gives the same bytes and counts.
  CarpetaTemporal d;
  const auto cols = Grupo(9, '1') + Grupo(1, 'X') + std::vector<std::string>{"              X"} +
                    Grupo(17, '2') + Muchas(3000) + Grupo(3, 'X');
  EscribeBytes(d / "RED0702.TVX", Columnas(cols));
  std::string registros;
  std::atomic<bool> cancelar{false};
  ASSERT_EQ(RecorreRegistrosBoletos(
                d / "RED0702.TVX",
                [&](std::string_view r) {
                  registros += r;
                  return true;
                },
                nullptr, cancelar)
                .error,
            0);
  ContadorAD243 contador;
  contador.Registros(registros);
  const CuentasAD243 previstas = contador.Termina();
  for (int f = 0; f < kNumFormatosExportacion; ++f) {
    std::string entero;
    int64_t apuestas = -1;
    for (const std::size_t trozo :
         {registros.size(), std::size_t{20}, std::size_t{140}, std::size_t{260}}) {
      std::string bytes;
      ConversorExportacion conversor(
          static_cast<FormatoExportacion>(f),
          [&](std::string_view b) {
            bytes += b;
            return true;
          },
          Cabecera(7, "09/11/25", "28", "12345"), previstas);
      for (std::size_t p = 0; p < registros.size(); p += trozo) {
        ASSERT_TRUE(conversor.Registros(std::string_view(registros).substr(p, trozo)));
      }
      ASSERT_TRUE(conversor.Termina());
      if (entero.empty()) {
        entero = bytes;
        apuestas = conversor.apuestas();
        if (f == 0) {
          EXPECT_EQ(conversor.cuentas(), previstas);
        }
      }
      EXPECT_TRUE(bytes == entero) << "formato " << f << ", trozos de " << trozo;
      EXPECT_EQ(conversor.apuestas(), apuestas);
    }
    EXPECT_EQ(apuestas, static_cast<int64_t>(cols.size()));
  }
}

TEST(Exportacion, CancelarAMitadDejaElArchivoAnteriorYNingunTemporal) {
  CarpetaTemporal d;
  EscribeBytes(d / "RED0702.TVX", Columnas(Muchas(200000)));
  EscribeBytes(d / "salida.txt", "anterior");
  for (const auto f : {FormatoExportacion::AD243, FormatoExportacion::TXT6}) {
    PeticionExportacion p{d / "RED0702.TVX", f, {}, 200000, {}};
    std::atomic<bool> cancelar{false};
    std::vector<int64_t> avance;
    AvisosExportacion avisos;
    avisos.progreso = [&](int64_t hechas, int64_t total) {
      avance.push_back(hechas);
      EXPECT_EQ(total, 200000);
      if (hechas > 0) cancelar = true;
    };
    const ResultadoExportacion r = ExportaAFichero(p, d / "salida.txt", avisos, cancelar);
    EXPECT_TRUE(r.cancelado);
    EXPECT_GT(r.apuestas, 0);
    EXPECT_LT(r.apuestas, 200000);
    EXPECT_EQ(LeeBytes(d / "salida.txt"), "anterior");
    EXPECT_EQ(Nombres(d.ruta()), (std::vector<std::string>{"RED0702.TVX", "salida.txt"}));
  }
}

TEST(Exportacion, UnaColumnaQueFaltaSeDiceYNoCreaNada) {
  CarpetaTemporal d;
  PeticionExportacion p{d / "RED0702.TVX", FormatoExportacion::TXT2, {}, 10, {}};
  std::atomic<bool> cancelar{false};
  const ResultadoExportacion r = ExportaAFichero(p, d / "Col0702.txt", {}, cancelar);
  EXPECT_EQ(r.error, 53);
  EXPECT_EQ(r.mensaje, "RED ERROR 53: fichero no encontrado al leer RED0702.TVX");
  EXPECT_TRUE(fs::is_empty(d.ruta()));
}

TEST(Exportacion, DiscoLlenoSeDiceConSuNumeroYNoDejaNada) {
  CarpetaTemporal d;
  EscribeBytes(d / "RED0702.TVX", Columnas(Muchas(20000)));
  EscribeBytes(d / "Col0702.txt", "anterior");
  // A child with a file-size limit: the write fails as on a full medium.
  const pid_t hijo = ::fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{100000, 100000};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    PeticionExportacion p{d / "RED0702.TVX", FormatoExportacion::TXT6, {}, 20000, {}};
    std::atomic<bool> cancelar{false};
    const ResultadoExportacion r = ExportaAFichero(p, d / "Col0702.txt", {}, cancelar);
    const bool bien = r.error == 61 && r.mensaje == "EXP ERROR 61: disco lleno al escribir " +
                                                        (d / "Col0702.txt").string();
    ::_exit(bien ? 0 : 1);
  }
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0);
  EXPECT_EQ(LeeBytes(d / "Col0702.txt"), "anterior");
  EXPECT_EQ(Nombres(d.ruta()), (std::vector<std::string>{"Col0702.txt", "RED0702.TVX"}));
}

TEST(Exportacion, DestinoDeSoloLecturaODesaparecido) {
  CarpetaTemporal d;
  EscribeBytes(d / "RED0702.TVX", Columnas(Muchas(100000)));
  fs::create_directory(d / "usb");
  PeticionExportacion p{d / "RED0702.TVX", FormatoExportacion::TXT2, {}, 100000, {}};
  std::atomic<bool> cancelar{false};
  {
    prueba::SoloLectura protegida(d / "usb");
    if (protegida.activa()) {
      const ResultadoExportacion r = ExportaAFichero(p, d / "usb" / "Col0702.txt", {}, cancelar);
      EXPECT_EQ(r.error, 70);
      EXPECT_EQ(r.mensaje.rfind("EXP ERROR 70: ", 0), 0u) << r.mensaje;
    }
  }
  // The medium goes away in the middle of the copy: the copy is not reported as made.
  AvisosExportacion avisos;
  avisos.progreso = [&](int64_t hechas, int64_t) {
    if (hechas > 0 && fs::exists(d / "usb")) fs::remove_all(d / "usb");
  };
  const ResultadoExportacion r = ExportaAFichero(p, d / "usb" / "Col0702.txt", avisos, cancelar);
  EXPECT_NE(r.error, 0);
  EXPECT_NE(r.mensaje.find("EXP ERROR"), std::string::npos);
  EXPECT_FALSE(fs::exists(d / "usb"));
}

}  // namespace
}  // namespace zendo

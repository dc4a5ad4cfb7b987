// What the scrutiny screen edits before counting: the winning column by clicks on its grid,
// the prize texts as they are typed and left, and the jornada record they are saved into.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/core/jornadas.h"
#include "engine/scrutiny/ganadora.h"
#include "engine/scrutiny/importes.h"
#include "engine/scrutiny/registro_escrutinio.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;

TEST(QueGanadoraHaPulsado, CeldasYHuecos) {
  // Row m spans y = 18m - 14 .. 18m; columns x = 4..15, 18..30, 33..45.
  EXPECT_EQ(QueGanadoraHaPulsado(10, 10), (PulsacionGanadora{1, 1}));
  EXPECT_EQ(QueGanadoraHaPulsado(4, 4), (PulsacionGanadora{1, 1}));
  EXPECT_EQ(QueGanadoraHaPulsado(15, 18), (PulsacionGanadora{1, 1}));
  EXPECT_EQ(QueGanadoraHaPulsado(18, 22), (PulsacionGanadora{2, 2}));
  EXPECT_EQ(QueGanadoraHaPulsado(45, 270), (PulsacionGanadora{15, 3}));
  EXPECT_EQ(QueGanadoraHaPulsado(33, 256), (PulsacionGanadora{15, 3}));
  // The gaps between rows answer nothing; between columns the match is found, not the sign.
  EXPECT_EQ(QueGanadoraHaPulsado(10, 19), (PulsacionGanadora{}));
  EXPECT_EQ(QueGanadoraHaPulsado(10, 21), (PulsacionGanadora{}));
  EXPECT_EQ(QueGanadoraHaPulsado(16, 10), (PulsacionGanadora{1, 0}));
  EXPECT_EQ(QueGanadoraHaPulsado(17, 10), (PulsacionGanadora{1, 0}));
  // The margins: x and y must be strictly inside 3 .. 48 and 3 .. 274.
  EXPECT_EQ(QueGanadoraHaPulsado(3, 10), (PulsacionGanadora{1, 0}));
  EXPECT_EQ(QueGanadoraHaPulsado(10, 3), (PulsacionGanadora{}));
  EXPECT_EQ(QueGanadoraHaPulsado(48, 10), (PulsacionGanadora{1, 0}));
  EXPECT_EQ(QueGanadoraHaPulsado(10, 274), (PulsacionGanadora{}));
  EXPECT_EQ(QueGanadoraHaPulsado(10, 272), (PulsacionGanadora{}));
  // Fractional points round before the gap test.
  EXPECT_EQ(QueGanadoraHaPulsado(15.4, 18.4), (PulsacionGanadora{1, 1}));
  EXPECT_EQ(QueGanadoraHaPulsado(15.6, 18.6), (PulsacionGanadora{}));
}

TEST(PulsaGanadora, MarcaMueveYBorra) {
  MarcasGanadora g{};
  EXPECT_TRUE(PulsaGanadora(g, 4, 2));
  EXPECT_EQ(SignoGanador(g, 4), 2);
  EXPECT_TRUE(PulsaGanadora(g, 4, 3));  // another sign moves the mark
  EXPECT_EQ(g[4], (std::array<int16_t, 4>{0, 0, 0, 1}));
  EXPECT_TRUE(PulsaGanadora(g, 4, 3));  // the marked sign clears
  EXPECT_EQ(SignoGanador(g, 4), 0);
  EXPECT_FALSE(PulsaGanadora(g, 4, 0));
  EXPECT_FALSE(PulsaGanadora(g, 16, 1));
  EXPECT_EQ(g, MarcasGanadora{});
}

TEST(ColumnaGanadora, CompletaIncompletaYEscrita) {
  const auto g = MarcasDeTexto("1X21X21X21X21x2");
  ASSERT_TRUE(g);
  EXPECT_EQ(ColumnaGanadora(*g), "1X21X21X21X21X2");
  auto falta = MarcasDeTexto("1X21X21X21X21X-");
  ASSERT_TRUE(falta);
  EXPECT_FALSE(ColumnaGanadora(*falta));
  EXPECT_EQ(MarcasDeTexto("000000000000000"), MarcasGanadora{});
  for (const char* malo : {"1X21X21X21X21X", "1X21X21X21X21X22", "1X21X21X21X21XA", ""}) {
    EXPECT_FALSE(MarcasDeTexto(malo)) << malo;
  }
  const Mensaje m = MensajeGanadoraIncompleta();
  EXPECT_EQ(m.titulo, "Columna Ganadora incompleta");
  EXPECT_EQ(m.texto,
            "Es necesario que marque los 15 resultados de la columna ganadora  para  poder "
            "realizar el escrutinio de aciertos.");
  EXPECT_EQ(m.lineas, 3);
  EXPECT_EQ(m.botones, kBotonesSalir);
  EXPECT_EQ(m.contexto, 2510);
}

TEST(Importes, NormalizadosComoAlDejarLaCaja) {
  for (const auto& [tecleado, normalizado] : std::vector<std::pair<std::string, std::string>>{
           {"1234.5", "1234.50"},
           {"", "0.00"},
           {".", "0.00"},
           {"abc", "0.00"},
           {"1.2.3", "1.20"},
           {"0.005", "0.01"},  // half away from zero
           {"0.004", "0.00"},
           {"  7  ", "7.00"},
           {"12345678.999", "12345679.00"},
           {"123456789.5", "23456789.50"},  // the last 11 characters
           {"00001", "1.00"},
       }) {
    EXPECT_EQ(NormalizaImporte(tecleado), normalizado) << tecleado;
  }
  EXPECT_EQ(TextoPremio(1234.5), "1234.50");
  EXPECT_EQ(TextoPremio(0), "0.00");
  EXPECT_EQ(CentimosDeImporte("1234.50"), 123450);
  EXPECT_EQ(CentimosDeImporte("0.07"), 7);
  EXPECT_EQ(CentimosDeImporte("-5.00"), -500);
  EXPECT_EQ(CentimosDeImporte("12"), 1200);
  EXPECT_EQ(CentimosDeImporte("3.1"), 310);
  EXPECT_EQ(TextoCentimos(370350), "3703.50");
  EXPECT_EQ(TextoCentimos(5), "0.05");
  EXPECT_EQ(TextoCentimos(-1500), "-15.00");
  EXPECT_EQ(CampoImporte(0), "       0.00");
  EXPECT_EQ(CampoImporte(12345678901234), "123456789012.34");
}

// A record as the jornada screen leaves it: marker, date, teams, and old result and prizes.
std::string RegistroConEquipos(int jornada) {
  std::string r = RegistroJornadaVacio();
  PonCabecera(r, jornada, "15/11/09");
  for (int s = 1; s <= 30; ++s) PonEquipo(r, s, "Equipo " + std::to_string(s));
  r.replace(463, 15, "123123123123123");
  r.replace(478, 11, "     999.00");
  return r;
}

TEST(RegistroEscrutinio, SoloSusPosiciones) {
  MarcasGanadora g = *MarcasDeTexto("2X1-11111111112");
  const TextosPremios premios = {"", "1234567.89", "1234.50", "0.00", "7.10", "", "0.00"};
  const std::string leido = RegistroConEquipos(12);
  const std::string r = RegistroEscrutinio(leido, 12, "15/11/09", g, premios);
  ASSERT_EQ(r.size(), 544U);
  EXPECT_EQ(r.substr(0, 13), "Jor1215/11/09");
  EXPECT_EQ(r.substr(13, 450), leido.substr(13, 450));  // the teams as read
  EXPECT_EQ(r.substr(463, 15), "321011111111113");
  EXPECT_EQ(r.substr(478),
            " 1234567.89    1234.50       0.00       7.10           "
            "       0.00");
  // An empty record gets the marker and the empty date.
  const std::string vacio = RegistroEscrutinio(RegistroJornadaVacio(), 7, "00/00/00", g, premios);
  EXPECT_EQ(vacio.substr(0, 13), "Jor0700/00/00");
  EXPECT_EQ(vacio.substr(13, 450), std::string(450, ' '));
}

TEST(RegistroEscrutinio, GuardaElRegistroEnSuSitio) {
  CarpetaTemporal dir;
  std::string fichero;
  for (int j = 1; j <= 3; ++j) fichero += RegistroConEquipos(j);
  prueba::EscribeBytes(dir / kFicheroJornadas, fichero);
  const MarcasGanadora g = *MarcasDeTexto("1X21X21X21X21X2");
  const std::string r = RegistroEscrutinio(RegistroConEquipos(2), 2, "15/11/09", g,
                                           {"", "1.00", "2.00", "3.00", "4.00", "5.00", "6.00"});
  EXPECT_FALSE(GuardaEscrutinio(dir.ruta(), 2, r));
  const std::string despues = prueba::LeeBytes(dir / kFicheroJornadas);
  EXPECT_EQ(despues, fichero.substr(0, 544) + r + fichero.substr(1088));
  const Jornada leida = LeeJornada(dir.ruta(), 2).jornada;
  EXPECT_EQ(GanadoraComoSignos(leida), "1X21X21X21X21X2");
  EXPECT_EQ(leida.Premios[3], 3.0);
  // Beyond the end: gap records that read as empty.
  EXPECT_FALSE(GuardaEscrutinio(dir.ruta(), 6,
                                RegistroEscrutinio(RegistroJornadaVacio(), 6, "00/00/00", g, {})));
  EXPECT_EQ(prueba::LeeBytes(dir / kFicheroJornadas).size(), 6U * 544);
  EXPECT_TRUE(LeeJornada(dir.ruta(), 5).jornada.vacia);
  EXPECT_FALSE(LeeJornada(dir.ruta(), 6).jornada.vacia);
}

TEST(RegistroEscrutinio, UnFicheroQueNoSePuedeEscribirSeDice) {
  CarpetaTemporal dir;
  prueba::EscribeBytes(dir / kFicheroJornadas, RegistroConEquipos(1));
  const std::string antes = prueba::LeeBytes(dir / kFicheroJornadas);
  prueba::SoloLectura bloqueo(dir.ruta());
  if (!bloqueo.activa()) GTEST_SKIP() << "no read-only folder here";
  const FalloEscrutinio f = GuardaEscrutinio(
      dir.ruta(), 1, RegistroEscrutinio(antes, 1, "15/11/09", MarcasGanadora{}, {}));
  ASSERT_TRUE(f);
  EXPECT_TRUE(f.escribiendo);
  EXPECT_EQ(LineaFallo(f), "ESC ERROR 70: permiso denegado al escribir JORNADAS.TVX");
  EXPECT_EQ(prueba::LeeBytes(dir / kFicheroJornadas), antes);
}

}  // namespace
}  // namespace zendo

// The consultation screen's rules: pages of the work file, paging, the column under the
// pointer, and the exact texts of the marking panel and of the deletion dialogs.

#include "engine/consult/consulta.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/consult/apoyo_consulta.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::GuardaReduccion;

TEST(PaginaColumnas, FilasDelPanelNumerosDeBoletoYFinDelFichero) {
  CarpetaTemporal d;
  // Ten columns with 1 in match 15 fill boleto 1 and start boleto 2; X starts boleto 3.
  std::vector<std::string> columnas(9, "1X2111111111111");
  columnas.push_back("222222222222221");
  columnas.push_back("11111111111111X");
  GuardaReduccion(d.ruta(), 1, 1, kMetodoManual, columnas);
  EstadoMarcado e = prueba::ConstruyeTrabajo(d.ruta(), 1, 1);
  ASSERT_EQ(e.LineasTrabajo, 17);
  ASSERT_EQ(CambiaMarca(d / kFicheroBoletos, 2, e).error, 0);

  PaginaColumnas p = LeePaginaColumnas(d / kFicheroBoletos, 1);
  EXPECT_EQ(p.error, 0);
  EXPECT_EQ(p.FilaPanel[1], "1111111112      1       ");
  EXPECT_EQ(p.FilaPanel[2], "XXXXXXXXX2      1       ");
  EXPECT_EQ(p.FilaPanel[15], "1111111111      X       ");
  EXPECT_EQ(p.FilaPanel[16], "0100000000      0       ");
  EXPECT_EQ(p.boleto, (std::array<int64_t, 3>{1, 2, 3}));
  EXPECT_TRUE(p.Marcada(2));
  EXPECT_FALSE(p.Marcada(1));
  EXPECT_FALSE(p.EsColumna(11));
  EXPECT_EQ(p.Signo(3, 10), '2');

  // Line 9 on: a boleto whose first place is blank gets no number; past the end is blank.
  p = LeePaginaColumnas(d / kFicheroBoletos, 9);
  EXPECT_EQ(p.boleto, (std::array<int64_t, 3>{2, 3, 0}));
  EXPECT_EQ(p.FilaPanel[16], "00      0               ");
  p = LeePaginaColumnas(d / kFicheroBoletos, 25);
  EXPECT_EQ(p.boleto, (std::array<int64_t, 3>{0, 0, 0}));
  EXPECT_EQ(p.boleto[0], 0);
  EXPECT_EQ(p.FilaPanel[1], std::string(24, ' '));
  EXPECT_EQ(TextoBoleto(4), "Boleto 4");
  EXPECT_EQ(TextoBoleto(1234567), "Boleto 1234567");

  // A missing work file gives a blank page and its error.
  std::filesystem::remove(d / kFicheroBoletos);
  p = LeePaginaColumnas(d / kFicheroBoletos, 1);
  EXPECT_EQ(p.error, kErrNoEncontrado);
  EXPECT_EQ(p.FilaPanel[16], std::string(24, ' '));
}

TEST(PaginaColumnas, RegistrosRarosDelFicheroDeTrabajo) {
  // Cut short, or not a multiple of 20: what is not there reads as blank.
  const PaginaColumnas p = PaginaDeRegistros("\"1111111111111110\"\r\n\"XX", 1);
  EXPECT_EQ(p.FilaPanel[1], "1" + std::string(23, ' '));
  EXPECT_EQ(p.boleto[0], 1);
}

TEST(Paginacion, BotonesActivosYPrimeraLinea) {
  // 48 lines: "Ir al final" shows lines 25 to 48.
  EXPECT_FALSE(BotonPaginacionActivo(kIrPrincipio, 1, 48));
  EXPECT_FALSE(BotonPaginacionActivo(kRetroceder, 1, 48));
  EXPECT_TRUE(BotonPaginacionActivo(kAvanzar, 1, 48));
  EXPECT_TRUE(BotonPaginacionActivo(kIrFinal, 1, 48));
  EXPECT_EQ(PrimeraLineaTras(kIrFinal, 1, 48), 25);
  EXPECT_FALSE(BotonPaginacionActivo(kAvanzar, 25, 48));
  EXPECT_TRUE(BotonPaginacionActivo(kRetroceder, 25, 48));
  EXPECT_EQ(PrimeraLineaTras(kRetroceder, 25, 48), 1);
  // 24 lines: both forward buttons inactive, and pressing them moves nothing.
  EXPECT_FALSE(BotonPaginacionActivo(kAvanzar, 1, 24));
  EXPECT_FALSE(BotonPaginacionActivo(kIrFinal, 1, 24));
  EXPECT_EQ(PrimeraLineaTras(kIrFinal, 1, 24), 1);
  // 49 lines: the last page holds one line.
  EXPECT_EQ(PrimeraLineaTras(kIrFinal, 1, 49), 49);
  EXPECT_EQ(PrimeraLineaTras(kAvanzar, 25, 49), 49);
  EXPECT_EQ(PrimeraLineaTras(kIrPrincipio, 49, 49), 1);
  // An empty reduction pages nowhere.
  for (int b = 1; b <= 4; ++b) EXPECT_FALSE(BotonPaginacionActivo(b, 1, 0));
  EXPECT_EQ(AyudaBotonPaginacion(kIrPrincipio), " Ir al principio ");
  EXPECT_EQ(AyudaBotonPaginacion(kRetroceder), " Retroceder tres boletos ");
  EXPECT_EQ(AyudaBotonPaginacion(kAvanzar), " Avanzar tres boletos ");
  EXPECT_EQ(AyudaBotonPaginacion(kIrFinal), " Ir al final ");
}

TEST(ColumnaBajoCursor, ReglaDePixeles) {
  const std::string llena(24, '1');
  // Column 1 is hit from x = 8 to 14 (d mod 10 from 2 to 8).
  EXPECT_EQ(ColumnaBajoCursor(7, 100, llena), 0);
  EXPECT_EQ(ColumnaBajoCursor(8, 100, llena), 1);
  EXPECT_EQ(ColumnaBajoCursor(14, 100, llena), 1);
  EXPECT_EQ(ColumnaBajoCursor(15, 100, llena), 0);
  EXPECT_EQ(ColumnaBajoCursor(18, 100, llena), 2);
  EXPECT_EQ(ColumnaBajoCursor(84, 100, llena), 8);
  // The gap between boletos 1 and 2, then column 9 at x = 96 + 2.
  for (int x = 86; x < 96; ++x) EXPECT_EQ(ColumnaBajoCursor(x, 100, llena), 0) << x;
  EXPECT_EQ(ColumnaBajoCursor(98, 100, llena), 9);
  EXPECT_EQ(ColumnaBajoCursor(6 + 180 + 72, 100, llena), 24);
  EXPECT_EQ(ColumnaBajoCursor(6 + 180 + 79, 100, llena), 0);
  EXPECT_EQ(ColumnaBajoCursor(6 + 270, 100, llena), 0);
  EXPECT_EQ(ColumnaBajoCursor(-3, 100, llena), 0);
  // Rows from 5 to 269.
  EXPECT_EQ(ColumnaBajoCursor(10, 4, llena), 0);
  EXPECT_EQ(ColumnaBajoCursor(10, 5, llena), 1);
  EXPECT_EQ(ColumnaBajoCursor(10, 269, llena), 1);
  EXPECT_EQ(ColumnaBajoCursor(10, 270, llena), 0);
  // A blank place, or one past the end of the file, is no column.
  std::string conHuecos = llena;
  conHuecos[1] = ' ';
  EXPECT_EQ(ColumnaBajoCursor(18, 100, conHuecos), 0);
  EXPECT_EQ(ColumnaBajoCursor(98, 100, "11111111"), 0);
}

TEST(PanelMarcado, Rotulos) {
  EXPECT_EQ(RotuloNumVar(3, 0), " 3 var.");
  EXPECT_EQ(RotuloNumVar(3, 5), " 3 var. ->     5");
  EXPECT_EQ(RotuloNumVar(14, 1234567), "14 var. ->1234567");
  EXPECT_EQ(RotuloPorcentaje(0), "Marcar  0 % de columnas");
  EXPECT_EQ(RotuloPorcentaje(99), "Marcar 99 % de columnas");
  EXPECT_EQ(CifraEstaMar(14348907), "14.348.907");
  EXPECT_EQ(CifraEstaMar(0), "0");
  EXPECT_EQ(CifraTotSel(14348907), "14348907");
  EXPECT_EQ(TextoManual(),
            "Puede marcar en el panel\r\n\r\nde la izquierda aquellas\r\n\r\ncolumnas que va a "
            "borrar");
}

TEST(PanelMarcado, MensajesDelBorrado) {
  const Mensaje pregunta = MensajeBorrarMarcadas(12);
  EXPECT_EQ(pregunta.titulo, "Borrado de columnas");
  EXPECT_EQ(pregunta.texto,
            Cp("Hay 12 columnas  marcadas  para  borrar.\r\nSi desea borrarlas de forma "
               "definitiva, pulse el botón Aceptar.  Si desea anular el proceso de borrado, "
               "pulse el botón Cancelar."));
  EXPECT_EQ(pregunta.lineas, 4);
  EXPECT_EQ(pregunta.botones, kBotonesAceptarCancelar);
  EXPECT_EQ(pregunta.contexto, 2370);
  const Mensaje hecho = MensajeMarcadasBorradas(0);
  EXPECT_EQ(hecho.titulo, "Borrado de columnas");
  EXPECT_EQ(hecho.texto, Cp("Se han borrado las columnas marcadas. Esta reducción contiene "
                            "ahora 0 apuestas."));
  EXPECT_EQ(hecho.lineas, 2);
  EXPECT_EQ(hecho.botones, kBotonesSalir);
  EXPECT_EQ(hecho.contexto, 2370);
}

}  // namespace
}  // namespace zendo

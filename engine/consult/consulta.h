#pragma once
// The rules of the consultation screen that are not drawing: the page of three boletos read
// from the work file, the paging strip, the column under the pointer, and the texts of the
// marking panel and of the deletion of marked columns.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/consult/marcado.h"
#include "engine/core/mensaje.h"

namespace zendo {

inline constexpr int kLineasPagina = 24;  // three boletos of eight places
inline constexpr int kBoletosPagina = 3;

// A page of the columns pane: FilaPanel(i) holds character i of each of the 24 lines shown
// (rows 1 to 15 the signs of match i, row 16 the marks); a line past the end of the work file
// is 16 blanks. `boleto[b]` is the number printed above boleto b, 0 when its first place is
// blank (nothing is printed then).
struct PaginaColumnas {
  std::array<std::string, 17> FilaPanel{};  // [1..16], 24 characters each
  std::array<int64_t, kBoletosPagina> boleto{};
  int16_t error = 0;  // of the work file; the page is then blank

  char Signo(int partido, int columna) const {
    return FilaPanel[static_cast<std::size_t>(partido)][static_cast<std::size_t>(columna - 1)];
  }
  bool Marcada(int columna) const { return Signo(16, columna) == '1'; }
  bool EsColumna(int columna) const { return Signo(1, columna) != ' '; }
};

// DibujaColumnas without the drawing: the 24 lines from `primeraLinea` on.
PaginaColumnas LeePaginaColumnas(const std::filesystem::path& ficheroBoletos, int64_t primeraLinea);
// The same from the 24 records already read (480 bytes, or fewer: the rest is blank).
PaginaColumnas PaginaDeRegistros(std::string_view registros, int64_t primeraLinea);

// "Boleto " + the number formatted "######".
std::string TextoBoleto(int64_t numero);

// The paging strip Pic_BotAdeAtr: 1 first page, 2 back three boletos, 3 forward three
// boletos, 4 last page.
enum BotonPaginacion { kIrPrincipio = 1, kRetroceder = 2, kAvanzar = 3, kIrFinal = 4 };
bool BotonPaginacionActivo(int boton, int64_t primeraLinea, int64_t lineasTrabajo);
// The first line shown after the button (the same line when it is not active).
int64_t PrimeraLineaTras(int boton, int64_t primeraLinea, int64_t lineasTrabajo);
// Its tool tip, blanks included.
std::string AyudaBotonPaginacion(int boton);

// ColumnaBajoCursor: the column (1..24) of the pane under a point (pixels of the pane), 0 when
// none or when that place holds no column (`fila1` is FilaPanel(1)). Three boletos 80 pixels
// wide with 10-pixel gaps, from x = 6; columns 10 pixels wide, hit from 2 to 8 within each;
// rows from y = 5 to 269.
int ColumnaBajoCursor(int x, int y, std::string_view fila1);
inline constexpr int kXColumnas = 6;
inline constexpr int kAnchoBoletoPanel = 80;
inline constexpr int kHuecoBoletos = 10;
inline constexpr int kAnchoColumnaPanel = 10;
inline constexpr int kYPrimeraFila = 5;
inline constexpr int kYUltimaFila = 269;

// The marking panel.
inline constexpr int kMarcarPorVariantes = 1;
inline constexpr int kMarcarAlAzar = 2;
inline constexpr int kMarcarAMano = 3;

// Caption of Chk_NumVar(v): "@@" + " var." and, when some column is left, " ->" + "@@@@@@".
std::string RotuloNumVar(int variantes, int64_t sinMarcar);
// Caption of Pic_BotPorcen: "Marcar " + "@@" + " % de columnas".
std::string RotuloPorcentaje(int porcentaje);
// The two numbers of Pic_EstaMar ("#,###,##0"): columns left unmarked and columns marked.
std::string CifraEstaMar(int64_t valor);
// A number of Pic_TotSel ("######0").
std::string CifraTotSel(int64_t valor);
// The three lines of Lab_Manual.
std::string TextoManual();

// BorraMarcadas: the question before deleting and the report after it.
Mensaje MensajeBorrarMarcadas(int64_t columnasMarcadas);
Mensaje MensajeMarcadasBorradas(int64_t apuestas);
inline constexpr int kAyudaBorrado = 2370;
inline constexpr int kAyudaConsulta = 2300;

}  // namespace zendo

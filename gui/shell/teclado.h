#pragma once
// The keyboard and the focus of the controls the program draws itself (buttons, grids,
// pages), so that every screen can be used without the mouse and shows where the focus is.
//
// How a screen uses it:
//  - A drawn button (Boton) takes the focus with Tab, shows the focus ring and is pressed
//    with Enter or Space like a click: nothing to do.
//  - A grid derived from Rejilla (gui/consult/rejilla.h) moves its focused cell with the
//    arrow keys and clicks it with Space or Enter. A grid whose three columns are the signs
//    1, X and 2 calls PonTeclasSigno(true): the keys 1, X and 2 then click the cell of that
//    sign in the focused row.
//  - A widget painted by hand draws PintaAnilloFoco around what the keyboard acts on while
//    it has the focus, and presses it when EsTeclaPulsar says so.
//  - Formulario orders Tab from the top left to the bottom right when it is shown and gives
//    the focus to the first control (never to Ayuda). A screen that moves or shows its
//    controls afterwards calls OrdenaTabulacion(this) again.
//  - A list or box opened under its button (AbreBajoBoton, gui/shell/controles.h) follows
//    its button in the Tab order.

#include <QRect>
#include <optional>
#include <vector>

class QKeyEvent;
class QPainter;
class QWidget;

namespace zendo {

// The focus ring: a bright amber band with a dark edge, readable on the blue buttons and
// on the coloured cells alike. Drawn over `r`, reaching one pixel outside it.
void PintaAnilloFoco(QPainter& p, const QRect& r, double radio = 3);

// Enter, Return or Space: what presses a focused drawn control.
bool EsTeclaPulsar(const QKeyEvent* evento);

// The sign column (0 for 1, 1 for X, 2 for 2) a key names, from the main keys or the
// keypad; nothing for any other key.
std::optional<int> ColumnaDeSigno(const QKeyEvent* evento);

// The reading order of rectangles: rows from the top, each row from the left. A rectangle
// belongs to the row of the one above it when it starts before that one ends, so that a
// tall grid and the buttons beside it form one row. Returns the indices in that order.
std::vector<int> OrdenLectura(const std::vector<QRect>& zonas);

// Chains the Tab order of every control of `pantalla` that takes the focus with Tab, in
// reading order of where they stand on the screen, hidden ones included (they take their
// place when shown). Returns the chain.
std::vector<QWidget*> OrdenaTabulacion(QWidget* pantalla);

// The first control of the chain that can take the focus now; null when none.
QWidget* PrimerControl(const std::vector<QWidget*>& cadena);

}  // namespace zendo

#pragma once
// The program's own pictures, painted once and kept: the button strip, the corner
// emblems, the images of the fixed buttons, the cursors and the program icon.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace zendo {

// The strip every drawn button is copied from: rows 0-23 the released button, rows 25-48
// the pressed one; columns 0-2 the left edge, column 3 the body, columns 4-6 the right edge.
const QPixmap& TiraBotones();

// The two 48 x 48 corner emblems (1 and 2).
const QPixmap& Emblema(int numero);

enum class ImagenFija { Ayuda, Salir, Aceptar, Cancelar };
// The 36 x 36 images of the fixed buttons, released or pressed.
QPixmap ImagenBoton(ImagenFija cual, bool pulsado);

// The cursors 21 ManoIndice, 22 ManoAbierta, 23 ManoCerrada, 24 Lapiz, 25 Goma.
QCursor CursorZendo(int tipo);
// The picture of a cursor (for tests and previews).
QPixmap ImagenCursor(int tipo);

QIcon IconoPrograma();

}  // namespace zendo

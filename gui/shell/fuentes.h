#pragma once
// The program's proportional font.

#include <QFont>

namespace zendo {

// "Arial" sized in pixels, so that texts keep their size whatever the screen's dpi.
inline QFont FuenteArial(int pixeles, bool negrita = false) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixeles);
  f.setBold(negrita);
  return f;
}

}  // namespace zendo

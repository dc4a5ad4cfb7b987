#pragma once
// The one typing rule of every edit box (engine/core/tecleo.h): a character the data files
// cannot hold, or one the box does not take, is refused as it is typed or pasted. The box
// then stays exactly as it was (no character dropped behind the caret, no list entry
// completed), the desktop beeps and a brief notice shows under the box.

#include <QString>

#include "engine/core/tecleo.h"

class QLineEdit;

namespace zendo {

// Gives `caja` the rule and its length in characters (0 keeps the box's own length). The
// characters a box already holds (a damaged file may have put them there) stay editable:
// only new refused characters are refused.
void PonReglaTecleo(QLineEdit* caja, int maximo, ReglaTecleo regla = {});

}  // namespace zendo

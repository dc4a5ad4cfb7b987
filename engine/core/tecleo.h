#pragma once
// What an edit box accepts. The data files hold one Windows-1252 byte per character, so a
// character they cannot hold is refused where it is typed instead of being stored as a
// question mark or dropped later; a box may further refuse some characters or admit only
// a few (digits, for instance). Every edit box of every screen applies this one rule.

#include <cstddef>
#include <string>
#include <string_view>

namespace zendo {

struct ReglaTecleo {
  std::string prohibidos;  // Windows-1252 bytes refused in this box
  std::string admitidos;   // when not empty, the only bytes this box accepts
};

// The rule of the digit boxes, and of the digit boxes that also take a decimal point.
ReglaTecleo ReglaCifras();
ReglaTecleo ReglaCifrasYPunto();

enum class RechazoTecleo {
  Ninguno,
  FueraCp1252,  // no place in Windows-1252, or a control character
  Prohibido,    // one of the box's `prohibidos`
  NoAdmitido,   // not one of the box's `admitidos`
};

struct RevisionTecleo {
  RechazoTecleo rechazo = RechazoTecleo::Ninguno;  // why the first refused character is
  int rechazados = 0;                              // how many characters are refused
  std::string texto;  // the Windows-1252 bytes of the characters accepted
};

// Checks the whole text a box would hold (UTF-8). A malformed UTF-8 sequence counts as one
// character outside Windows-1252.
RevisionTecleo RevisaTecleo(std::string_view utf8, const ReglaTecleo& regla);

// The brief notice shown beside the box (Windows-1252), empty for Ninguno.
std::string AvisoRechazo(RechazoTecleo rechazo, const ReglaTecleo& regla);

}  // namespace zendo

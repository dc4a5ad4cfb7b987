#pragma once
// The printout behind Pic_BotImpriEscru of the scrutiny screen: the report of the scrutiny
// on the system's default printer. Without a printer it says so and offers the print preview
// (from which the pages can also be printed or saved). A job the printer refuses is reported.

#include <QString>
#include <functional>

#include "gui/scrutiny/impresion_escrutinio.h"

namespace zendo {

// The printout for the screen. `impresora` names the printer: the system's default one
// unless a test names another (an empty name: no printer installed).
ImpresionEscrutinio ImprimeEscrutinio(std::function<QString()> impresora = {});

}  // namespace zendo

#pragma once
// Start-up: the program and data folders, the screen check, the main menu and the
// greeting.

#include <QSize>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "engine/core/cerrojo.h"

namespace zendo {

class MenuPrincipal;
class Servicios;
struct Estado;

// The program's name, version and icon for the desktop. The name the desktop appends to
// window titles is the main menu's own title, so that the menu reads "Zendo 3.4" and
// not "Zendo 3.4 — Zendo".
void IdentificaPrograma();

// Fixes the program folder and the data folder ("Datos" beside the program, or under the
// user's data folder when that cannot be written). False when no folder can be used.
bool PreparaRutas(Estado& estado, const QString& rutaPrograma, const QString& rutaUsuario);

// Reserves the data folder for this run (one program per data folder): takes its lock,
// resolves a change that a crash cut short and removes stale temporaries. When another
// program holds the folder, or it cannot be used, says so in the message dialog and returns
// nothing: the program then ends without showing anything else.
std::optional<CerrojoCarpeta> ReservaCarpeta(Servicios& servicios,
                                             const std::filesystem::path& rutaDatos);

// Runs the start-up on a screen of the given size. Returns the main menu, shown, or null
// when the program must end (a screen narrower than 800 pixels).
std::unique_ptr<MenuPrincipal> Arranca(Servicios& servicios, QSize pantalla,
                                       const std::function<void(MenuPrincipal&)>& registra);

}  // namespace zendo

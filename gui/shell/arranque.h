#pragma once
// Start-up: the program and data folders, the screen check, the main menu and the
// greeting.

#include <QSize>
#include <QString>
#include <functional>
#include <memory>

namespace zendo {

class MenuPrincipal;
class Servicios;
struct Estado;

// Fixes the program folder and the data folder ("Datos" beside the program, or under the
// user's data folder when that cannot be written). False when no folder can be used.
bool PreparaRutas(Estado& estado, const QString& rutaPrograma, const QString& rutaUsuario);

// Runs the start-up on a screen of the given size. Returns the main menu, shown, or null
// when the program must end (a screen narrower than 800 pixels).
std::unique_ptr<MenuPrincipal> Arranca(Servicios& servicios, QSize pantalla,
                                       const std::function<void(MenuPrincipal&)>& registra);

}  // namespace zendo

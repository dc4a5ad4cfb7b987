#pragma once
// Which screen each main menu button opens. A button whose screen is not registered here
// stays disabled.

namespace zendo {

class MenuPrincipal;

void RegistraPantallas(MenuPrincipal& menu);

}  // namespace zendo

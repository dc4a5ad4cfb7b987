#include "gui/output/panel_modo.h"

namespace zendo {

void ModosSalida::Registra(int modo, Fabrica fabrica) {
  if (modo >= 1 && modo <= 6) fabricas_[static_cast<std::size_t>(modo)] = std::move(fabrica);
}

bool ModosSalida::Hay(int modo) const {
  return modo >= 1 && modo <= 6 && static_cast<bool>(fabricas_[static_cast<std::size_t>(modo)]);
}

std::unique_ptr<PanelModo> ModosSalida::Crea(int modo) const {
  if (!Hay(modo)) return nullptr;
  return fabricas_[static_cast<std::size_t>(modo)]();
}

}  // namespace zendo

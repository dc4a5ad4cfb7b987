#pragma once
// The mounted file systems of the machine, as Qt's storage information reports them (USB
// sticks under /media or /run/media with their labels, user mounts under /mnt).

#include "engine/output/destinos.h"

namespace zendo {

class ListaVolumenesQt : public ListaVolumenes {
 public:
  std::vector<Volumen> Montados() override;
};

}  // namespace zendo

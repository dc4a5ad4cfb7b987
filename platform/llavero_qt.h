#pragma once
// The mail password in the desktop's keyring (Secret Service or KWallet, through
// QtKeychain). Where no keyring service answers, the password is held in memory for the
// rest of the run, so it is asked once per run and never written anywhere.

#include <map>
#include <string>

#include "engine/output/llavero.h"

namespace zendo {

class LlaveroQt : public LlaveroCorreo {
 public:
  std::optional<std::string> Lee(const std::string& cuenta) override;
  void Guarda(const std::string& cuenta, const std::string& contrasena) override;
  void Olvida(const std::string& cuenta) override;
  bool Persistente() const override { return !sinServicio_; }

 private:
  std::map<std::string, std::string> memoria_;
  bool sinServicio_ = false;
};

// The program's keyring, one for the whole run (its memory lasts as long as the run).
LlaveroCorreo& LlaveroDelPrograma();

}  // namespace zendo

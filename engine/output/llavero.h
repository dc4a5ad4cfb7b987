#pragma once
// Where the mail password is kept: the desktop's keyring, or, where no keyring service
// runs, the memory of this run only. Never a file.

#include <optional>
#include <string>

namespace zendo {

class LlaveroCorreo {
 public:
  virtual ~LlaveroCorreo() = default;
  // The password kept under `cuenta` (UTF-8), if any.
  virtual std::optional<std::string> Lee(const std::string& cuenta) = 0;
  // Keeps it: in the keyring when there is one, in memory for this run otherwise.
  virtual void Guarda(const std::string& cuenta, const std::string& contrasena) = 0;
  // Forgets it (a password the server refused).
  virtual void Olvida(const std::string& cuenta) = 0;
  // True while the desktop's keyring answers; false once it proved absent.
  virtual bool Persistente() const = 0;
};

}  // namespace zendo

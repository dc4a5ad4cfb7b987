#pragma once
// The "Correo" settings: the mail server, how the connection is protected, the user name,
// the sender's address and name, kept in CORREO.TVX; the password goes to the keyring
// (LlaveroCorreo), never to the file. And the small dialog that asks for a password.

#include <optional>
#include <string>

#include "engine/output/ajustes_correo.h"
#include "gui/shell/formulario.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace zendo {

class LlaveroCorreo;

inline constexpr int kContextoCorreo = 2460;

class DialogoCorreo : public Formulario {
  Q_OBJECT

 public:
  DialogoCorreo(Servicios& servicios, LlaveroCorreo& llavero, QWidget* padre = nullptr);
  const AjustesCorreo& ajustes() const { return ajustes_; }

 private:
  void Guarda();
  void CambiaSeguridad(int indice);
  AjustesCorreo Leidos() const;

  LlaveroCorreo& llavero_;
  AjustesCorreo ajustes_;
  QLineEdit* servidor_ = nullptr;
  QLineEdit* puerto_ = nullptr;
  QComboBox* seguridad_ = nullptr;
  QLineEdit* usuario_ = nullptr;
  QLineEdit* contrasena_ = nullptr;
  QLineEdit* remitente_ = nullptr;
  QLineEdit* nombre_ = nullptr;
  QLabel* aviso_ = nullptr;
  int seguridadPrevia_ = 0;
};

// Asks for the password of `usuario` on `servidor`; nullopt when the user leaves without it.
std::optional<std::string> PideContrasena(Servicios& servicios, const QString& usuario,
                                          const QString& servidor, QWidget* padre);

}  // namespace zendo

#pragma once
// Output mode 6 on `listados`: the mail panel (panel_correo.h) behind Pic_BotEnviar
// "Enviar mensajes"; leaving the screen rewrites DIRECC.TVX.

#include "gui/output/panel_modo.h"

namespace zendo {

class PanelCorreo;

class ModoCorreo : public PanelModo {
 public:
  QString nombreAccion() const override { return QStringLiteral("Pic_BotEnviar"); }
  QString textoAccion() const override { return QStringLiteral("Enviar mensajes"); }
  QSize Construye(PantallaListados& pantalla, QWidget* zona) override;
  void Accion() override;
  bool AntesDeSalir() override;

  PanelCorreo* panel() const { return panel_; }

 private:
  PantallaListados* pantalla_ = nullptr;
  PanelCorreo* panel_ = nullptr;
};

void RegistraModoCorreo(ModosSalida& modos);

}  // namespace zendo

#pragma once
// How an output mode puts its options on the screen `listados`.
//
// The screen owns what every mode shares: the window with the caption of the mode, the
// status line, the bottom row with Pic_BotAyuda (help context 2400 + 10 x mode),
// Pic_BotSalir, Pic_BotCancelar and the mode's action button, and the busy state
// (`Imprimiendo`): while busy Ayuda, Salir and the action buttons are hidden, Cancelar is
// shown, and Cancelar or Salir set the cancel flag instead of leaving.
//
// A mode brings a PanelModo: it names its action button (Pic_BotImprimir "Imprimir",
// Pic_BotCopiar "Copiar", Pic_BotEnviar "Enviar mensajes"), builds its controls in the
// options area the screen gives it, runs when the action button is pressed, and may do
// something before the screen is left (mode 6 rewrites DIRECC.TVX). A mode is offered by
// registering a factory in the ModosSalida of the program (gui/pantallas.cpp):
//
//   modos.Registra(5, [] { return std::make_unique<PanelCopia>(); });
//
// and its Pic_BotSal button on `salida` is enabled from then on. Nothing else changes: a
// mode lives in its own files.

#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace zendo {

class PantallaListados;

class PanelModo {
 public:
  virtual ~PanelModo() = default;

  virtual QString nombreAccion() const = 0;  // objectName of the action button
  virtual QString textoAccion() const = 0;   // its caption

  // Builds the controls of the mode as children of `zona` (the options area, in its own
  // coordinates) when the screen loads, and returns the size they take. `pantalla` stays
  // valid for the panel's whole life.
  virtual QSize Construye(PantallaListados& pantalla, QWidget* zona) = 0;

  // The action button was pressed while the screen was idle. A long run calls
  // pantalla.EmpiezaProceso() and, when it ends, pantalla.TerminaProceso(); it reads
  // pantalla.cancelado() after every unit of work.
  virtual void Accion() = 0;

  // Salir was pressed while idle: what must happen before the screen closes. False keeps
  // the screen open.
  virtual bool AntesDeSalir() { return true; }

  // Cancelar (or Salir while busy) was pressed; the flag is set already. Runs that wait
  // for the user (individual boletos) are woken here.
  virtual void AlCancelar() {}
};

class ModosSalida {
 public:
  using Fabrica = std::function<std::unique_ptr<PanelModo>()>;

  void Registra(int modo, Fabrica fabrica);
  bool Hay(int modo) const;
  std::unique_ptr<PanelModo> Crea(int modo) const;

 private:
  std::array<Fabrica, 7> fabricas_{};
};

}  // namespace zendo

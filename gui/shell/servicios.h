#pragma once
// The services every screen shares: messages, sounds, help, cursors and pauses, over the
// program's state.

#include <QString>

#include "engine/shell/servicios.h"
#include "gui/shell/estado.h"
#include "gui/shell/mensajero.h"

class QWidget;

namespace zendo {

// Pointer codes of PonCursor: below 20 the platform's own (0 the default), from 21 the
// program's drawn cursors.
inline constexpr int kCursorDefecto = 0;
inline constexpr int kCursorEspera = 11;
inline constexpr int kCursorManoIndice = 21;
inline constexpr int kCursorManoAbierta = 22;
inline constexpr int kCursorManoCerrada = 23;
inline constexpr int kCursorLapiz = 24;
inline constexpr int kCursorGoma = 25;

class Servicios {
 public:
  Servicios(Estado& e, Mensajero& m, ReproductorSonido& r, VisorAyuda& v)
      : estado(e), mensajero(m), sonido(r), ayuda(v) {}

  Estado& estado;
  Mensajero& mensajero;
  ReproductorSonido& sonido;
  VisorAyuda& ayuda;

  // MuestraMensaje: the answer is also kept as RespuestaDialogo.
  bool MuestraMensaje(const QString& titulo, const QString& texto, int lineas, int botones,
                      int contexto = 0);
  bool MuestraMensaje(const Mensaje& mensaje);
  bool RespuestaDialogo() const { return respuestaDialogo_; }
  void AvisoSistema(const QString& texto) { mensajero.AvisoSistema(texto); }

  void TocaSonido(int id, bool asincrono = true);
  void AbreAyuda(int contexto) { ayuda.Abre(contexto); }
  void PonCursor(QWidget* control, int tipo);
  int CursorActual() const { return cursorActual_; }

  // Lets the windows repaint for a while but takes no input from the user.
  static void Espera(int milisegundos);

 private:
  bool respuestaDialogo_ = false;
  int cursorActual_ = 0;
};

}  // namespace zendo

#include "gui/shell/servicios.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <QWidget>

#include "gui/shell/imagenes.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

bool Servicios::MuestraMensaje(const QString& titulo, const QString& texto, int lineas, int botones,
                               int contexto) {
  return MuestraMensaje(Mensaje{ACp(titulo), ACp(texto), lineas, botones, contexto});
}

bool Servicios::MuestraMensaje(const Mensaje& mensaje) {
  const bool aceptado = mensajero.Muestra(*this, mensaje);
  // Only the Aceptar/Cancelar set answers; a Salir dialog leaves the last answer alone.
  if (mensaje.botones == kBotonesAceptarCancelar) respuestaDialogo_ = aceptado;
  return aceptado;
}

void Servicios::TocaSonido(int id, bool asincrono) {
  zendo::TocaSonido(estado.datos, sonido, id, asincrono);
}

void Servicios::PonCursor(QWidget* control, int tipo) {
  cursorActual_ = tipo;
  if (control == nullptr) return;
  if (tipo >= 20) {
    control->setCursor(CursorZendo(tipo));
  } else if (tipo == kCursorEspera) {
    control->setCursor(Qt::WaitCursor);
  } else {
    control->unsetCursor();
  }
}

namespace {

// Swallows the user's input while the program pauses: a click during the pressed look of
// a button is not a second click.
class FiltroEntrada : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* evento) override {
    switch (evento->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
      case QEvent::ShortcutOverride:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

void Servicios::Espera(int milisegundos) {
  FiltroEntrada filtro;
  QCoreApplication* app = QCoreApplication::instance();
  if (app != nullptr) app->installEventFilter(&filtro);
  QElapsedTimer reloj;
  reloj.start();
  while (reloj.elapsed() < milisegundos) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    QThread::msleep(5);
  }
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (app != nullptr) app->removeEventFilter(&filtro);
}

}  // namespace zendo

#include "platform/sonido_qt.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

namespace zendo {

QString RecursoSonido(int id) {
  return QStringLiteral(":/sonidos/%1.wav").arg(id);
}

ReproductorQt::ReproductorQt() = default;

ReproductorQt::~ReproductorQt() {
  qDeleteAll(efectos_);
}

void ReproductorQt::Toca(int id, bool asincrono) {
  if (sinSalida_ || !QFile::exists(RecursoSonido(id))) return;
  if (efectos_.isEmpty() && QMediaDevices::audioOutputs().isEmpty()) {
    // No device: nothing will ever be heard, so nothing is loaded.
    sinSalida_ = true;
    return;
  }
  for (QSoundEffect* otro : std::as_const(efectos_)) {
    if (otro->isPlaying()) otro->stop();
  }
  QSoundEffect*& efecto = efectos_[id];
  if (efecto == nullptr) {
    efecto = new QSoundEffect();
    efecto->setSource(QUrl(QStringLiteral("qrc") + RecursoSonido(id)));
    efecto->setVolume(0.8f);
  }
  if (efecto->status() == QSoundEffect::Error) return;
  efecto->play();
  if (asincrono) return;
  // Waits for the end of the sound; the windows still repaint, input waits.
  QElapsedTimer reloj;
  reloj.start();
  while (reloj.elapsed() < 1500 &&
         (efecto->isPlaying() || efecto->status() == QSoundEffect::Loading)) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    QThread::msleep(5);
  }
}

}  // namespace zendo

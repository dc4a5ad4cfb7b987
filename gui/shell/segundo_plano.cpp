#include "gui/shell/segundo_plano.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <memory>

namespace zendo {

void EnSegundoPlano(const std::function<void()>& trabajo) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QEventLoop bucle;
  std::unique_ptr<QThread> hilo(QThread::create(trabajo));
  QObject::connect(hilo.get(), &QThread::finished, &bucle, &QEventLoop::quit, Qt::QueuedConnection);
  hilo->start();
  if (!hilo->isFinished()) bucle.exec(QEventLoop::ExcludeUserInputEvents);
  hilo->wait();
  QApplication::restoreOverrideCursor();
}

}  // namespace zendo

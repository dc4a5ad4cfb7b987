#include "platform/llavero_qt.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

namespace zendo {
namespace {

const QString kServicio = QStringLiteral("Zendo");

// Runs a keyring job to its end. A keyring may ask the user to unlock it: a minute is
// allowed for that before the job counts as failed.
QKeychain::Error Ejecuta(QKeychain::Job& trabajo) {
  trabajo.setAutoDelete(false);
  trabajo.setInsecureFallback(false);
  QEventLoop bucle;
  bool terminado = false;
  QObject::connect(&trabajo, &QKeychain::Job::finished, &bucle, [&] {
    terminado = true;
    bucle.quit();
  });
  QTimer::singleShot(60'000, &bucle, &QEventLoop::quit);
  trabajo.start();
  if (!terminado) bucle.exec();
  return terminado ? trabajo.error() : QKeychain::OtherError;
}

bool SinServicio(QKeychain::Error e) {
  return e != QKeychain::NoError && e != QKeychain::EntryNotFound &&
         e != QKeychain::CouldNotDeleteEntry;
}

}  // namespace

std::optional<std::string> LlaveroQt::Lee(const std::string& cuenta) {
  if (const auto it = memoria_.find(cuenta); it != memoria_.end()) return it->second;
  if (sinServicio_) return std::nullopt;
  QKeychain::ReadPasswordJob trabajo(kServicio);
  trabajo.setKey(QString::fromStdString(cuenta));
  const QKeychain::Error e = Ejecuta(trabajo);
  if (e == QKeychain::NoError) {
    std::string clave = trabajo.textData().toStdString();
    memoria_[cuenta] = clave;
    return clave;
  }
  if (SinServicio(e)) sinServicio_ = true;
  return std::nullopt;
}

void LlaveroQt::Guarda(const std::string& cuenta, const std::string& contrasena) {
  memoria_[cuenta] = contrasena;
  if (sinServicio_) return;
  QKeychain::WritePasswordJob trabajo(kServicio);
  trabajo.setKey(QString::fromStdString(cuenta));
  trabajo.setTextData(QString::fromStdString(contrasena));
  if (SinServicio(Ejecuta(trabajo))) sinServicio_ = true;
}

void LlaveroQt::Olvida(const std::string& cuenta) {
  memoria_.erase(cuenta);
  if (sinServicio_) return;
  QKeychain::DeletePasswordJob trabajo(kServicio);
  trabajo.setKey(QString::fromStdString(cuenta));
  if (SinServicio(Ejecuta(trabajo))) sinServicio_ = true;
}

LlaveroCorreo& LlaveroDelPrograma() {
  static LlaveroQt llavero;
  return llavero;
}

}  // namespace zendo

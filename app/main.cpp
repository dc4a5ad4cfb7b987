// The desktop program.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <csignal>

#include "gui/pantallas.h"
#include "gui/shell/arranque.h"
#include "gui/shell/estado.h"
#include "gui/shell/mensajero.h"
#include "gui/shell/menu.h"
#include "gui/shell/servicios.h"
#include "platform/ayuda_qt.h"
#include "platform/impresion/pintor_paginas.h"
#include "platform/sonido_qt.h"

int main(int argc, char** argv) {
  zendo::PreparaMemoriaImpresion();
  // A write past a file-size limit fails with EFBIG (a full disk) instead of killing the
  // program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  zendo::IdentificaPrograma();

  // The standard dialogs and buttons speak Spanish like the rest of the program.
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  QTranslator traduccionQt;
  if (traduccionQt.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&traduccionQt);
  }

  zendo::Estado estado;
  zendo::MensajeroDialogo mensajero;
  zendo::ReproductorQt sonido;
  zendo::VisorAyudaQt ayuda;
  zendo::Servicios servicios(estado, mensajero, sonido, ayuda);

  const QString rutaUsuario = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!zendo::PreparaRutas(estado, QApplication::applicationDirPath(), rutaUsuario)) {
    QMessageBox::critical(nullptr, QStringLiteral("Zendo"),
                          QStringLiteral("No se puede crear ni escribir la carpeta de datos "
                                         "Datos junto al programa ni en %1.")
                              .arg(rutaUsuario));
    return 1;
  }

  // One program per data folder, held for the whole run.
  const auto cerrojo = zendo::ReservaCarpeta(servicios, estado.rutaDatos);
  if (!cerrojo) return 1;

  const QScreen* pantalla = QGuiApplication::primaryScreen();
  const QSize tam = pantalla != nullptr ? pantalla->size() : QSize(0, 0);
  auto menu = zendo::Arranca(servicios, tam, zendo::RegistraPantallas);
  if (!menu) return 0;
  return QApplication::exec();
}

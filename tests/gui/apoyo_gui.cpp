#include "apoyo_gui.h"

#include <QTimer>
#include <fstream>
#include <iterator>
#include <memory>

#include "gui/shell/texto_qt.h"

namespace zendo::prueba {

bool MensajeroPrueba::Muestra(Servicios&, const Mensaje& mensaje) {
  mensajes.push_back(mensaje);
  if (alMostrar) alMostrar(mensaje);
  if (respuestas.empty()) return false;
  const bool r = respuestas.front();
  respuestas.pop_front();
  return r;
}

Entorno::Entorno() {
  estado.rutaDatos = std::filesystem::path(carpeta.path().toStdString());
  estado.rutaPrograma = estado.rutaDatos;
}

QString Utf(const std::string& cp1252) {
  return DeCp(cp1252);
}

std::string Bytes(const std::filesystem::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void PonBytes(const std::filesystem::path& ruta, const std::string& bytes) {
  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  f << bytes;
}

void Pulsa(QWidget* raiz, const QString& nombre) {
  Boton* b = Control<Boton>(raiz, nombre);
  QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(b->width() / 2, b->height() / 2));
}

void AlAbrirModal(const QString& nombre, std::function<void(QDialog*)> accion) {
  auto* reloj = new QTimer;
  auto intentos = std::make_shared<int>(0);
  QObject::connect(reloj, &QTimer::timeout, [reloj, nombre, accion, intentos] {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal != nullptr && modal->objectName() == nombre) {
      reloj->stop();
      reloj->deleteLater();
      accion(modal);
    } else if (++*intentos > 400) {
      reloj->stop();
      reloj->deleteLater();
      // Nothing opened: close whatever is modal so the test fails instead of hanging.
      if (auto* otro = qobject_cast<QDialog*>(QApplication::activeModalWidget())) otro->reject();
    }
  });
  reloj->start(20);
}

}  // namespace zendo::prueba

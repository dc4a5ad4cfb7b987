#include "apoyo_gui.h"

#include <QMouseEvent>
#include <QTimer>
#include <fstream>
#include <iterator>
#include <memory>

#include "gui/output/modo_correo.h"
#include "gui/output/panel_copia.h"
#include "gui/output/panel_impresion.h"
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

namespace {

class SinVolumenes : public ListaVolumenes {
 public:
  std::vector<Volumen> Montados() override { return {}; }
};

}  // namespace

void RegistraTodosLosModos(ModosSalida& modos) {
  RegistraModosImpresion(modos);
  RegistraModoCorreo(modos);
  RegistraModoCopia(modos, std::make_shared<SinVolumenes>());
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

QString Rotulo(QWidget* raiz, const QString& boton) {
  return Control(raiz, boton)->texto();
}

void MueveRaton(QWidget* w, QPoint punto, Qt::MouseButtons botones) {
  QMouseEvent e(QEvent::MouseMove, punto, w->mapToGlobal(punto), Qt::NoButton, botones,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void ClicCelda(Rejilla* g, int fila, int columna) {
  QVERIFY(g->isVisible());
  QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier, g->CentroDe(Celda{fila, columna}));
}

void ClicFila(QListWidget* lista, int fila) {
  QVERIFY(lista->isVisible());
  QListWidgetItem* item = lista->item(fila);
  QVERIFY(item != nullptr);
  lista->scrollToItem(item);
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier,
                    lista->visualItemRect(item).center());
  QVERIFY(!lista->isVisible());
}

void EligeEnLista(QWidget* raiz, const QString& boton, const QString& lista, int fila) {
  Pulsa(raiz, boton);
  ClicFila(Control<QListWidget>(raiz, lista), fila);
}

void TecleaEnCaja(QWidget* raiz, const QString& boton, const QString& caja, const QString& texto) {
  Pulsa(raiz, boton);
  auto* c = Control<QLineEdit>(raiz, caja);
  QVERIFY(c->isVisible());
  c->clear();
  QTest::keyClicks(c, texto);
  QTest::keyClick(c, Qt::Key_Return);
  QVERIFY(!c->isVisible());
}

const char* const kEquiposPrueba[30] = {
    "Real Madrid", "Getafe",   "Barcelona",  "Sevilla",  "Valencia",   "Villarreal",
    "Athletic",    "Osasuna",  "Mallorca",   "Málaga",   "Deportivo",  "Racing",
    "Espanyol",    "Almería",  "Zaragoza",   "Tenerife", "Valladolid", "Xerez",
    "Sporting",    "Atlético", "Hércules",   "Cádiz",    "Numancia",   "Córdoba",
    "Las Palmas",  "Elche",    "Recreativo", "Betis",    "Celta",      "Salamanca"};

void EscribeJornadaPrueba(const std::filesystem::path& carpeta, int jornada,
                          const std::string& fecha, int equipos) {
  std::string registro = RegistroJornadaVacio();
  PonCabecera(registro, jornada, fecha);
  for (int i = 0; i < equipos; ++i) PonEquipo(registro, i + 1, Cp(kEquiposPrueba[i]));
  QCOMPARE(EscribeJornada(carpeta, jornada, registro), int16_t{0});
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

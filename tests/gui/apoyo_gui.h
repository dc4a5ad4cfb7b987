#pragma once
// What the screen tests share: services that answer at once and record what was asked,
// a private data folder, and finding and clicking the named widgets.

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/datos_generales.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "gui/consult/rejilla.h"
#include "gui/shell/boton.h"
#include "gui/shell/estado.h"
#include "gui/shell/mensajero.h"
#include "gui/shell/servicios.h"

namespace zendo {
class ModosSalida;
}

namespace zendo::prueba {

class MensajeroPrueba : public Mensajero {
 public:
  bool Muestra(Servicios& servicios, const Mensaje& mensaje) override;
  void AvisoSistema(const QString& texto) override { avisos.push_back(texto); }

  std::vector<Mensaje> mensajes;
  std::vector<QString> avisos;
  std::deque<bool> respuestas;  // answers to give, in order; false once they run out
  // Runs while a message is shown, as a modal dialog would let the user act.
  std::function<void(const Mensaje&)> alMostrar;
};

class SonidoPrueba : public ReproductorSonido {
 public:
  void Toca(int id, bool) override { tocados.push_back(id); }
  std::vector<int> tocados;
};

class AyudaPrueba : public VisorAyuda {
 public:
  void Abre(int contexto) override { temas.push_back(contexto); }
  std::vector<int> temas;
};

// A program state over an empty data folder of its own, with the recording services.
struct Entorno {
  Entorno();
  QTemporaryDir carpeta;
  Estado estado;
  MensajeroPrueba mensajero;
  SonidoPrueba sonido;
  AyudaPrueba ayuda;
  Servicios servicios{estado, mensajero, sonido, ayuda};
  std::filesystem::path ruta(const std::string& nombre) const { return estado.rutaDatos / nombre; }
};

QString Utf(const std::string& cp1252);
std::string Bytes(const std::filesystem::path& ruta);
void PonBytes(const std::filesystem::path& ruta, const std::string& bytes);

template <typename T = Boton>
T* Control(QWidget* raiz, const QString& nombre) {
  T* w = raiz->findChild<T*>(nombre);
  if (w == nullptr) qFatal("no control named %s", qPrintable(nombre));
  return w;
}
// A mouse-down on a named drawn button, and the caption it shows.
void Pulsa(QWidget* raiz, const QString& nombre);
QString Rotulo(QWidget* raiz, const QString& boton);

// The pointer moved over `w` with those buttons held.
void MueveRaton(QWidget* w, QPoint punto, Qt::MouseButtons botones = Qt::NoButton);
// A mouse-down in the middle of a cell of a grid.
void ClicCelda(Rejilla* g, int fila, int columna);
// Clicks row `fila` (0-based) of a shown list, which then closes.
void ClicFila(QListWidget* lista, int fila);
// Opens a list from its button and clicks its row `fila`.
void EligeEnLista(QWidget* raiz, const QString& boton, const QString& lista, int fila);
// Opens a box from its button, types over its text and closes it with Enter.
void TecleaEnCaja(QWidget* raiz, const QString& boton, const QString& caja, const QString& texto);

// Thirty team names, accents included, in UTF-8.
extern const char* const kEquiposPrueba[30];
// Writes jornada `jornada` dated `fecha` with the first `equipos` of kEquiposPrueba.
void EscribeJornadaPrueba(const std::filesystem::path& carpeta, int jornada,
                          const std::string& fecha, int equipos = 30);

// Every output mode: printing, mail, and the copy with no drive mounted.
void RegistraTodosLosModos(ModosSalida& modos);

// Waits (running the event loop) until a modal dialog with that name is on top, runs
// `accion` on it, and returns whether it was found. Set this up before the click that opens
// the dialog.
void AlAbrirModal(const QString& nombre, std::function<void(QDialog*)> accion);

}  // namespace zendo::prueba

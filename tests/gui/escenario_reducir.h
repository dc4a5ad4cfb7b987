#pragma once
// The reduction screen over a data folder of its own, driven through its named widgets, and
// what the engine makes of the same model, for the tests of that screen.

#include "apoyo_gui.h"
#include "engine/core/fichero.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/comprobaciones.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/generacion.h"
#include "engine/reduction/panel.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/reduction/grafico.h"
#include "gui/reduction/panel_cifras.h"
#include "gui/reduction/progreso.h"
#include "gui/reduction/reducir.h"

namespace zendo::prueba {

// What the engine writes for a model in a folder of its own.
struct Esperado {
  std::string red;
  std::string bases;
  ResultadoReduccion res;
};

inline Esperado ReduceConMotor(Reduccion r, const std::string& externo = {}) {
  QTemporaryDir dir;
  const std::filesystem::path ruta(dir.path().toStdString());
  if (!externo.empty()) PonBytes(ruta / NombreArchivoExterno(r.Jornada, r.Orden), externo);
  const CargaExterno carga = CargaArchivoExterno(ruta, r);
  const Cifras c = RecalculaReduccion(r, carga.externo);
  std::atomic<bool> cancelar{false};
  Esperado e;
  e.res = ReduceApuestas(ruta, r,
                         {c.ApuestasBase, c.NumApuestas, c.ApuestasQuiniela, c.ApuestasExternas},
                         {}, cancelar);
  e.red = Bytes(ruta / NombreReduccion(r.Jornada, r.Orden));
  e.bases = Bytes(ruta / "BASES.TVX");
  return e;
}

// A model built with the engine's own edits, to compare with what the clicks built.
inline Reduccion Nueva(int metodo) {
  return ReduccionNueva(12, 1, static_cast<int16_t>(metodo));
}

inline std::vector<LineaPanel> CifrasDe(Reduccion r, const Externo& externo = {}) {
  return PanelCifras(RecalculaReduccion(r, externo), 0.5f);
}

// The columns of a file, for messages.
inline int Lineas(const std::string& bytes) {
  return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
}

inline QColor ColorTexto(QCheckBox* chk, QPalette::ColorGroup grupo = QPalette::Active) {
  return chk->palette().color(grupo, QPalette::WindowText);
}

// A data folder with the general data and jornada 12, the current one, order 1; the screen
// opened on it. `ref` follows the clicks with the engine's own edits.
struct Escenario {
  Escenario() {
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    e.estado.datos.Jornada = 12;
    e.estado.datos.Orden = 1;
    EscribeJornadaPrueba(e.estado.rutaDatos, 12, "15/11/09");
  }
  // Opens the screen and chooses `metodo` from its list.
  void Abre(int metodo = 1) {
    p = std::make_unique<PantallaReducir>(e.servicios);
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
    if (metodo != 1) EligeEnLista("Pic_BotMetodo", "Lis_Metodos", metodo - 1);
    ref = Nueva(metodo);
  }

  Entorno e;
  std::unique_ptr<PantallaReducir> p;
  Reduccion ref;
  std::string redAntes, basesAntes;

  PanelQuiniela* panel() const { return p->panel(); }
  Reduccion& r() { return e.estado.reduccion; }

  void Base(int m, int s) const {
    ClicCelda(panel()->base(), m - panel()->base()->primerPartido(), s - 1);
  }
  void Elegir(int m) const { ClicCelda(panel()->elegir(), m - 1, 0); }
  void Probable(int m, int s) const { ClicCelda(panel()->probable(), m - 1, s - 1); }
  void Total(int s, int n) const { ClicCelda(panel()->signos(), n, s - 1); }
  void Numero(int m, int s) const { ClicCelda(panel()->porNum(), m - 1, s - 1); }
  // The same click on the screen and on `ref`.
  void Marca(int m, int s) {
    Base(m, s);
    PulsaBase(ref, m, s);
  }
  void Elige(int m) {
    Elegir(m);
    PulsaElegir(ref, m);
  }
  // Matches 1..n made triples a reducir.
  void Triples(int n) {
    for (int m = 1; m <= n; ++m) {
      Marca(m, 2);
      Marca(m, 3);
      Elige(m);
    }
  }
  // Presses the bar of (m, s) at its start and drags it to the first position that gives
  // `valor` percent or more; returns the percentage of that position.
  int Arrastra(int m, int s, int valor) const {
    RejillaPorBar* b = panel()->porBar();
    const QRect celda = b->RectDe(Celda{m - 1, s - 1});
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(celda.left(), celda.center().y()));
    int x = celda.left();
    while (b->ValorEn(Celda{m - 1, s - 1}, x) < valor) ++x;
    MueveRaton(b, QPoint(x, celda.center().y()), Qt::LeftButton);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(x, celda.center().y()));
    return b->ValorEn(Celda{m - 1, s - 1}, x);
  }

  void Pulsa(const char* nombre) const { prueba::Pulsa(p.get(), QString::fromUtf8(nombre)); }
  template <typename T = Boton>
  T* C(const char* nombre) const {
    return Control<T>(p.get(), QString::fromUtf8(nombre));
  }
  void EligeEnLista(const char* boton, const char* lista, int fila) const {
    prueba::EligeEnLista(p.get(), QString::fromUtf8(boton), QString::fromUtf8(lista), fila);
  }
  void TecleaEnCaja(const char* boton, const char* caja, const QString& texto) const {
    prueba::TecleaEnCaja(p.get(), QString::fromUtf8(boton), QString::fromUtf8(caja), texto);
  }

  // "Reducir apuestas"; waits for the run to end, then Salir of the progress panel.
  void Reduce(bool salir = true) {
    QSignalSpy fin(p.get(), &PantallaReducir::reduccionTerminada);
    Pulsa("Pic_BotReducir");
    QVERIFY(p->enMarcha());
    QVERIFY(C("Pic_BotCancelar")->isVisible());
    QVERIFY(!C("Pic_BotSalir")->isEnabled());
    QVERIFY(fin.wait(60000));
    QVERIFY(C("Pic_BotSalirPorcen")->isVisible());
    if (salir) {
      Pulsa("Pic_BotSalirPorcen");
      QVERIFY(!C<QWidget>("Pic_Porcen")->isVisible());
      QVERIFY(C("Pic_BotSalir")->isEnabled());
    }
  }
  // Reduces and compares the files with what the engine writes for `ref`; `lineas` < 0: any
  // number of columns but none.
  void ReduceComoElMotor(int lineas, const std::string& externo = {}) {
    RecalculaReduccion(ref);
    Reduce();
    const Esperado esperado = ReduceConMotor(ref, externo);
    QVERIFY(esperado.res.completada);
    if (lineas < 0) {
      QVERIFY(Lineas(Red()) > 0);
    } else {
      QCOMPARE(Lineas(Red()), lineas);
    }
    QVERIFY(Red() == esperado.red);
    QVERIFY(Bases() == esperado.bases);
  }
  // A first reduction of two columns by method 5, kept to compare with after a failed run.
  void ReduceUnaPrimera() {
    Abre(5);
    Base(1, 2);
    Reduce();
    redAntes = Red();
    basesAntes = Bases();
    QCOMPARE(Lineas(redAntes), 2);
  }
  void SeConservaLaPrimera() const {
    QVERIFY(Red() == redAntes);
    QVERIFY(Bases() == basesAntes);
  }
  QString Valor(const char* etiqueta) const {
    return C<PanelEsta>("Pic_Esta")->Valor(QString::fromUtf8(etiqueta));
  }
  QStringList Progreso() const { return C<PanelProgreso>("Pic_Porcen")->textos(); }
  std::vector<LineaPanel> Cifras() const { return C<PanelEsta>("Pic_Esta")->lineas(); }
  std::string Red() const { return Bytes(e.ruta("RED1201.TVX")); }
  std::string Bases() const { return Bytes(e.ruta("BASES.TVX")); }
  QString Rotulo(const char* boton) const { return C(boton)->texto(); }
  Reduccion Guardada() const {
    Reduccion g;
    [&] { QVERIFY(LeeReduccion(e.estado.rutaDatos, 12, 1, 1, g).ReduccionCargada); }();
    return g;
  }
};

}  // namespace zendo::prueba

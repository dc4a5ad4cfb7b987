// The keyboard of the drawn controls: Tab order, the focus ring, Enter and Space on a
// button, the arrows and the keys 1, X and 2 in the grids.

#include "gui/shell/teclado.h"

#include <QPushButton>

#include "escenario_reducir.h"
#include "gui/screens/datosgen.h"
#include "gui/screens/jornadas.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

// Pixels of the amber band of the focus ring.
int PixelesAnillo(QWidget* w) {
  const QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 230 && c.green() > 150 && c.green() < 215 && c.blue() < 80) ++n;
    }
  }
  return n;
}

// The names met pressing Tab `veces` times from the control that has the focus.
QStringList RecorridoTab(int veces) {
  QStringList nombres;
  for (int i = 0; i < veces; ++i) {
    QWidget* foco = QApplication::focusWidget();
    if (foco == nullptr) break;
    nombres << foco->objectName();
    QTest::keyClick(foco, Qt::Key_Tab);
  }
  return nombres;
}

}  // namespace

class PruebaTeclado : public QObject {
  Q_OBJECT

 private slots:
  void OrdenDeLecturaPorFilasYColumnas() {
    // A tall grid and the buttons beside it are one row; a box that touches the row by a
    // pixel starts the next one; a row reads from the left.
    const std::vector<QRect> zonas = {
        QRect(300, 10, 80, 24),   // 0: second button of the top row
        QRect(20, 12, 80, 24),    // 1: first button of the top row
        QRect(100, 60, 70, 330),  // 2: tall grid
        QRect(400, 200, 80, 24),  // 3: button right of the grid, lower down
        QRect(200, 60, 20, 330),  // 4: second grid
        QRect(10, 388, 300, 24),  // 5: box under the grids, touching them
        QRect(10, 500, 36, 36),   // 6: Ayuda, bottom left
        QRect(500, 500, 36, 36),  // 7: Salir, bottom right
        QRect(200, 505, 120, 24)  // 8: a button between them
    };
    QCOMPARE(OrdenLectura(zonas), (std::vector<int>{1, 0, 2, 4, 3, 5, 6, 8, 7}));
    QVERIFY(OrdenLectura({}).empty());
  }

  // A dialog open over a screen that lays itself out again keeps its controls out of the
  // screen's chain.
  void UnDialogoEncimaNoEntraEnElOrdenDeLaPantalla() {
    QDialog pantalla;
    auto* propio = new QPushButton(QStringLiteral("a"), &pantalla);
    QDialog encima(&pantalla);
    new QPushButton(QStringLiteral("b"), &encima);
    QCOMPARE(OrdenaTabulacion(&pantalla), std::vector<QWidget*>{propio});
  }

  void BotonConFocoVisibleYPulsadoConEnterOEspacio() {
    QWidget raiz;
    raiz.resize(300, 100);
    auto* a =
        new Boton(QStringLiteral("Pic_BotReducir"), QStringLiteral("Reducir apuestas"), &raiz);
    auto* b =
        new Boton(QStringLiteral("Pic_BotSelTodo"), QStringLiteral("Seleccionar todo"), &raiz);
    b->move(150, 0);
    raiz.show();
    QVERIFY(QTest::qWaitForWindowExposed(&raiz));
    b->setFocus(Qt::TabFocusReason);
    QCOMPARE(PixelesAnillo(a), 0);
    a->setFocus(Qt::TabFocusReason);
    QVERIFY(a->hasFocus());
    // The ring is plain to see on the blue button.
    QVERIFY(PixelesAnillo(a) > 60);
    QSignalSpy pulsos(a, &Boton::pulsadoRaton);
    QTest::keyClick(a, Qt::Key_Return);
    QTest::keyClick(a, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(a, Qt::Key_Space);
    QCOMPARE(pulsos.count(), 3);
    // Other keys do not press it; Tab moves the ring on.
    QTest::keyClick(a, Qt::Key_A);
    QCOMPARE(pulsos.count(), 3);
    QTest::keyClick(a, Qt::Key_Tab);
    QVERIFY(b->hasFocus());
    QCOMPARE(PixelesAnillo(a), 0);
    QVERIFY(PixelesAnillo(b) > 60);
  }

  void ReduccionEmpiezaEnJornadaYRecorreLaPantallaEnOrden() {
    Escenario s;
    s.Abre();
    // The first control of the screen, never Ayuda.
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Pic_BotNroJor"));
    // After a choice in a list the focus is back on its button.
    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 1);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Pic_BotMetodo"));
    s.C("Pic_BotNroJor")->setFocus(Qt::TabFocusReason);
    const QStringList recorrido = RecorridoTab(15);
    // Left to right along the top, then the grids and the criteria beside them, then what
    // lies under them; Ayuda and Salir, at the bottom corners, come last.
    const QStringList arriba = {"Pic_BotNroJor", "Pic_BotOrden",  "Pic_BotMetodo",
                                "Pic_BotIndice", "Pic_Base",      "Pic_Elegir",
                                "Pic_ColBas",    "Pic_BotMinErr", "Pic_BotMaxErr"};
    QCOMPARE(recorrido.mid(0, arriba.size()), arriba);
    const QStringList abajo = {"Tex_Descripcion", "Pic_BotSelTodo", "Pic_BotBorTodo",
                               "Pic_BotReducir", "Pic_BotAyuda"};
    for (const QString& nombre : abajo) QVERIFY2(recorrido.contains(nombre), qPrintable(nombre));
    for (const QString& nombre : abajo) {
      QVERIFY(recorrido.indexOf(nombre) > recorrido.indexOf(arriba.last()));
    }
    QCOMPARE(recorrido.indexOf(QStringLiteral("Pic_BotSalir")), 14);
  }

  void RejillaConFlechasYTeclasDeSigno() {
    Escenario s;
    s.Abre(2);
    RejillaBase* base = s.panel()->base();
    base->setFocus(Qt::TabFocusReason);
    QVERIFY(base->muestraFoco());
    QCOMPARE(base->celdaFoco(), (Celda{0, 0}));
    // Down to match 3; X adds the draw, 2 the away win; 1 takes the home win away.
    QTest::keyClick(base, Qt::Key_Down);
    QTest::keyClick(base, Qt::Key_Down);
    QTest::keyClick(base, Qt::Key_X);
    QTest::keyClick(base, Qt::Key_2);
    QTest::keyClick(base, Qt::Key_1);
    const auto& p3 = s.r().Partido[3];
    QCOMPARE(p3.Signo[1], int16_t{0});
    QCOMPARE(p3.Signo[2], int16_t{1});
    QCOMPARE(p3.Signo[3], int16_t{1});
    QCOMPARE(base->celdaFoco(), (Celda{2, 0}));
    // The keypad gives the same; Space acts on the cell under the focus.
    QTest::keyClick(base, Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(p3.Signo[1], int16_t{1});
    QTest::keyClick(base, Qt::Key_Right);
    QTest::keyClick(base, Qt::Key_Space);
    QCOMPARE(p3.Signo[2], int16_t{0});
    // The arrows stop at the edges.
    for (int i = 0; i < 20; ++i) QTest::keyClick(base, Qt::Key_Down);
    for (int i = 0; i < 5; ++i) QTest::keyClick(base, Qt::Key_Right);
    QCOMPARE(base->celdaFoco(), (Celda{14, 2}));
    // The tick of match 3 from the keyboard, then its probable sign with X.
    RejillaElegir* elegir = s.panel()->elegir();
    elegir->setFocus(Qt::TabFocusReason);
    QTest::keyClick(elegir, Qt::Key_Down);
    QTest::keyClick(elegir, Qt::Key_Down);
    QTest::keyClick(elegir, Qt::Key_Space);
    QVERIFY(p3.AReducir != 0);
    RejillaProbable* probable = s.panel()->probable();
    probable->setFocus(Qt::TabFocusReason);
    QTest::keyClick(probable, Qt::Key_Down);
    QTest::keyClick(probable, Qt::Key_Down);
    QTest::keyClick(probable, Qt::Key_2);
    QCOMPARE(p3.Probable, int16_t{3});
    // A sign the base does not hold is refused, as a click would be.
    QTest::keyClick(probable, Qt::Key_X);
    QCOMPARE(p3.Probable, int16_t{3});
    QVERIFY(PixelesAnillo(probable) > 10);
  }

  void ListaAbiertaConEnterSigueASuBotonConTab() {
    Escenario s;
    s.Abre();
    Boton* metodo = s.C("Pic_BotMetodo");
    metodo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(metodo, Qt::Key_Return);
    auto* lista = s.C<QListWidget>("Lis_Metodos");
    QVERIFY(lista->isVisible());
    QVERIFY(lista->hasFocus());
    QCOMPARE(metodo->nextInFocusChain(), static_cast<QWidget*>(lista));
    // Down and Enter choose the method from the keyboard.
    QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Return);
    QVERIFY(!lista->isVisible());
    QCOMPARE(s.r().Metodo, int16_t{2});
  }

  void OtrasPantallasEmpiezanEnSuPrimerControl() {
    Entorno e;
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    {
      PantallaJornadas p(e.servicios);
      p.show();
      QVERIFY(QTest::qWaitForWindowExposed(&p));
      QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Pic_BotNroJor"));
      // Home team, then away team, match after match.
      const QStringList r = RecorridoTab(6);
      QCOMPARE(r.mid(2), (QStringList{"Cbo_Equipo1", "Cbo_Equipo2", "Cbo_Equipo3", "Cbo_Equipo4"}));
    }
    {
      PantallaDatosGen p(e.servicios);
      p.show();
      QVERIFY(QTest::qWaitForWindowExposed(&p));
      QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Pic_BotTotJor"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
      QVERIFY(Control<QLineEdit>(&p, QStringLiteral("Tex_TotJor"))->hasFocus());
    }
  }
};

QTEST_MAIN(PruebaTeclado)
#include "teclado_test.moc"

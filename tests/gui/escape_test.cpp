// Escape closes only the list or box that is open, with the value it had; leaving a
// screen, or choosing another jornada, with names or a date not stored asks first.

#include <QComboBox>
#include <QFrame>

#include "apoyo_gui.h"
#include "engine/shell/ajustes.h"
#include "engine/shell/textos.h"
#include "gui/screens/borrar.h"
#include "gui/screens/datosgen.h"
#include "gui/screens/jornadas.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

void Escape(QWidget* w) {
  QTest::keyClick(w, Qt::Key_Escape);
}

void Activa(QWidget* p) {
  p->show();
  p->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(p));
}

// Jornada 1 stored with its teams and dated 15/11/09, the current one.
struct Jornadas {
  Jornadas() {
    EscribeJornadaPrueba(e.estado.rutaDatos, 1, "15/11/09");
    EscribeJornadaPrueba(e.estado.rutaDatos, 2, "22/11/09");
    e.estado.datos.Jornada = 1;
    guardado = Bytes(e.ruta("JORNADAS.TVX"));
    p = std::make_unique<PantallaJornadas>(e.servicios);
    Activa(p.get());
  }
  QLineEdit* Equipo(int s) {
    return Control<QComboBox>(p.get(), QStringLiteral("Cbo_Equipo%1").arg(s))->lineEdit();
  }
  void CambiaEquipo(int s, const QString& texto) {
    QLineEdit* caja = Equipo(s);
    caja->setFocus();
    caja->selectAll();
    QTest::keyClicks(caja, texto);
  }
  bool Pregunto(std::size_t n) {
    return e.mensajero.mensajes.size() == n &&
           e.mensajero.mensajes.back() ==
               PreguntaDescartar(Cp("Datos de jornadas"), kContextoJornadas);
  }
  Entorno e;
  std::string guardado;
  std::unique_ptr<PantallaJornadas> p;
};

}  // namespace

class PruebaEscape : public QObject {
  Q_OBJECT

 private slots:
  void JornadasEscapeEnLaListaYEnLaFecha() {
    Jornadas t;
    t.CambiaEquipo(1, QStringLiteral("Xerez"));
    Pulsa(t.p.get(), "Pic_BotNroJor");
    auto* lista = Control<QListWidget>(t.p.get(), "Lis_Jornadas");
    QVERIFY(lista->isVisible());
    lista->setCurrentRow(1);
    Escape(lista);
    QVERIFY(lista->isHidden());
    QVERIFY(t.p->isVisible());
    QCOMPARE(t.e.estado.datos.Jornada, int16_t{1});
    QCOMPARE(Rotulo(t.p.get(), "Pic_BotNroJor"), QStringLiteral("Jornada 1"));
    QCOMPARE(t.Equipo(1)->text(), QStringLiteral("Xerez"));
    QCOMPARE(QApplication::focusWidget(), Control(t.p.get(), "Pic_BotNroJor"));

    Pulsa(t.p.get(), "Pic_BotFecJor");
    auto* panel = Control<QFrame>(t.p.get(), "Pic_FecJor");
    QVERIFY(panel->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3103"));
    Escape(QApplication::focusWidget());
    QVERIFY(panel->isHidden());
    QVERIFY(t.p->isVisible());
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("15/11/09"));
    QCOMPARE(Control<QLineEdit>(t.p.get(), "Tex_FecDia")->text(), QStringLiteral("15"));
    QCOMPARE(Control<QLineEdit>(t.p.get(), "Tex_FecMes")->text(), QStringLiteral("11"));
    QCOMPARE(Rotulo(t.p.get(), "Pic_BotFecJor"), QStringLiteral("Fecha 15/11/09"));
    QVERIFY(t.e.mensajero.mensajes.empty());
  }

  void JornadasDescartarSoloTrasPreguntar() {
    Jornadas t;
    // Nothing changed: another jornada and back, no question.
    EligeEnLista(t.p.get(), "Pic_BotNroJor", "Lis_Jornadas", 1);
    EligeEnLista(t.p.get(), "Pic_BotNroJor", "Lis_Jornadas", 0);
    QVERIFY(t.e.mensajero.mensajes.empty());
    const QString antes = t.Equipo(30)->text();

    // A name changed: another jornada asks; Cancelar keeps the jornada and the name.
    t.CambiaEquipo(30, QStringLiteral("Xerez"));
    EligeEnLista(t.p.get(), "Pic_BotNroJor", "Lis_Jornadas", 1);
    QVERIFY(t.Pregunto(1));
    QCOMPARE(t.e.estado.datos.Jornada, int16_t{1});
    QCOMPARE(t.Equipo(30)->text(), QStringLiteral("Xerez"));
    // The same jornada again keeps what was typed, without a question.
    EligeEnLista(t.p.get(), "Pic_BotNroJor", "Lis_Jornadas", 0);
    QCOMPARE(t.e.mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(t.Equipo(30)->text(), QStringLiteral("Xerez"));
    // Salir and Escape ask; Cancelar keeps the screen.
    Pulsa(t.p.get(), "Pic_BotSalir");
    QVERIFY(t.Pregunto(2));
    QVERIFY(t.p->isVisible());
    Escape(t.Equipo(30));
    QVERIFY(t.Pregunto(3));
    QVERIFY(t.p->isVisible());
    // Aceptar drops the change: the other jornada is read.
    t.e.mensajero.respuestas = {true};
    EligeEnLista(t.p.get(), "Pic_BotNroJor", "Lis_Jornadas", 1);
    QVERIFY(t.Pregunto(4));
    QCOMPARE(t.e.estado.datos.Jornada, int16_t{2});
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("22/11/09"));
    QCOMPARE(Bytes(t.e.ruta("JORNADAS.TVX")), t.guardado);

    // A name typed back as it was is no change.
    EligeEnLista(t.p.get(), "Pic_BotNroJor", "Lis_Jornadas", 0);
    t.CambiaEquipo(30, QStringLiteral("Xerez"));
    t.CambiaEquipo(30, antes + QStringLiteral("  "));
    Pulsa(t.p.get(), "Pic_BotSalir");
    QCOMPARE(t.e.mensajero.mensajes.size(), std::size_t{4});
    QVERIFY(t.p->isHidden());
  }

  void JornadasFechaSinGuardarVuelveALaGuardada() {
    Jornadas t;
    Pulsa(t.p.get(), "Pic_BotFecJor");
    for (const QChar c : QStringLiteral("010110")) QTest::keyClicks(QApplication::focusWidget(), c);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("01/01/10"));
    t.e.mensajero.respuestas = {true};
    Escape(t.p.get());
    QVERIFY(t.Pregunto(1));
    QVERIFY(t.p->isHidden());
    // Dropped: the date of the program is the stored one again, the file untouched.
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("15/11/09"));
    QCOMPARE(Bytes(t.e.ruta("JORNADAS.TVX")), t.guardado);
  }

  void JornadasGuardadoNoPregunta() {
    Jornadas t;
    t.CambiaEquipo(3, QStringLiteral("Xerez"));
    Pulsa(t.p.get(), "Pic_BotGuardar");
    QVERIFY(t.e.mensajero.mensajes.empty());
    Pulsa(t.p.get(), "Pic_BotSalir");
    QVERIFY(t.e.mensajero.mensajes.empty());
    QVERIFY(t.p->isHidden());
    QCOMPARE(Equipo(LeeJornada(t.e.estado.rutaDatos, 1).jornada.RegistroJornada, 3),
             std::string("Xerez"));
  }

  void BorradoEscapeEnLasListas() {
    Entorno e;
    PantallaBorrar p(e.servicios);
    Activa(&p);
    for (auto [boton, lista, rotulo] :
         {std::tuple{"Pic_BotJorIni", "Lis_JorIni", "Desde la jornada 1"},
          std::tuple{"Pic_BotJorFin", "Lis_JorFin", "Hasta la jornada 1"}}) {
      Pulsa(&p, boton);
      auto* l = Control<QListWidget>(&p, lista);
      QVERIFY(l->isVisible());
      l->setCurrentRow(6);
      Escape(l);
      QVERIFY(l->isHidden());
      QVERIFY(p.isVisible());
      QCOMPARE(Rotulo(&p, boton), QString::fromUtf8(rotulo));
    }
    QVERIFY(e.mensajero.mensajes.empty());
    Escape(&p);
    QVERIFY(p.isHidden());
  }

  void DatosGeneralesEscapeEnCadaCajaYLista() {
    Entorno e;
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    PantallaDatosGen p(e.servicios);
    Activa(&p);
    const DatosGenerales antes = e.estado.datos;
    for (auto [boton, caja, texto] : {std::tuple{"Pic_BotTotJor", "Tex_TotJor", "12"},
                                      std::tuple{"Pic_BotTotOrd", "Tex_TotOrd", "7"},
                                      std::tuple{"Pic_BotPreApu", "Tex_PreApu", "2.5"},
                                      std::tuple{"Pic_BotDelega", "Tex_Delegacion", "28"},
                                      std::tuple{"Pic_BotReceptor", "Tex_Receptor", "12345"}}) {
      const QString rotulo = Rotulo(&p, boton);
      Pulsa(&p, boton);
      auto* c = Control<QLineEdit>(&p, caja);
      const QString valor = c->text();
      QVERIFY(c->isVisible());
      c->selectAll();
      QTest::keyClicks(c, texto);
      Escape(c);
      QVERIFY2(c->isHidden(), caja);
      QVERIFY(p.isVisible());
      QCOMPARE(c->text(), valor);
      QCOMPARE(Rotulo(&p, boton), rotulo);
    }
    Pulsa(&p, "Pic_BotSonido");
    auto* sonido = Control<QListWidget>(&p, "Lis_Sonido");
    sonido->setCurrentRow(1);
    Escape(sonido);
    QVERIFY(sonido->isHidden());
    QCOMPARE(Rotulo(&p, "Pic_BotSonido"), QStringLiteral("Sonido activado:  Si"));
    QVERIFY(Control(&p, "Pic_BotGuardar")->isHidden());
    QVERIFY(e.estado.datos == antes);
    Escape(&p);
    QVERIFY(p.isHidden());
  }

  void PrecioCeroOMasDeCienRechazado() {
    Entorno e;
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    PantallaDatosGen p(e.servicios);
    Activa(&p);
    for (const char* precio : {"0", "0.0", "101", "9999", "."}) {
      TecleaEnCaja(&p, "Pic_BotPreApu", "Tex_PreApu", QString::fromLatin1(precio));
      QVERIFY2(
          !e.mensajero.mensajes.empty() && e.mensajero.mensajes.back() == MensajePrecioRechazado(),
          precio);
      QCOMPARE(Rotulo(&p, "Pic_BotPreApu"), QStringLiteral("Precio apuesta: 0.50"));
      QCOMPARE(Control<QLineEdit>(&p, "Tex_PreApu")->text(), QStringLiteral("0.50"));
      QVERIFY(Control(&p, "Pic_BotGuardar")->isHidden());
    }
    const std::size_t avisos = e.mensajero.mensajes.size();
    TecleaEnCaja(&p, "Pic_BotPreApu", "Tex_PreApu", QStringLiteral("100"));
    QCOMPARE(e.mensajero.mensajes.size(), avisos);
    QCOMPARE(Rotulo(&p, "Pic_BotPreApu"), QStringLiteral("Precio apuesta: 100 "));
    QVERIFY(Control(&p, "Pic_BotGuardar")->isVisible());
  }
};

QTEST_MAIN(PruebaEscape)
#include "escape_test.moc"

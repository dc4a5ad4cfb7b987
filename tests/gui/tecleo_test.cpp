// The one typing rule of every edit box: a character the data files cannot hold (or one a
// box does not take) is refused as it is typed, the box stays as it was and a brief notice
// says why; nothing reaches a file as a question mark.

#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QToolTip>

#include "apoyo_gui.h"
#include "engine/output/llavero.h"
#include "escenario_reducir.h"
#include "gui/output/dialogo_correo.h"
#include "gui/output/listados.h"
#include "gui/output/panel_impresion.h"
#include "gui/screens/datosgen.h"
#include "gui/screens/equipos.h"
#include "gui/screens/jornadas.h"
#include "gui/scrutiny/escrutin.h"
#include "tests/apoyo/reduccion_guardada.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

const QString kAvisoCp1252 =
    QStringLiteral("Carácter no admitido: no se puede guardar en los datos");

// Types a text key by key, as a keyboard or an input method hands it over.
void Teclea(QWidget* w, const QString& texto) {
  QKeyEvent pulsa(QEvent::KeyPress, 0, Qt::NoModifier, texto);
  QApplication::sendEvent(w, &pulsa);
  QKeyEvent suelta(QEvent::KeyRelease, 0, Qt::NoModifier, texto);
  QApplication::sendEvent(w, &suelta);
}

// Types `texto` over the whole of a box that has the focus and returns the notice shown.
QString TecleaSobre(QLineEdit* caja, const QString& texto) {
  caja->setFocus();
  caja->selectAll();
  QToolTip::showText(QPoint(0, 0), QStringLiteral("-"));
  Teclea(caja, texto);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Every edit box of a shown screen, the hidden ones shown as their buttons show them,
// refuses a CJK character: its text stays and the notice appears. Password boxes keep
// what the keyring takes. Returns how many boxes were tried.
int NingunaCajaAdmiteCjk(QWidget* pantalla) {
  pantalla->activateWindow();
  if (!QTest::qWaitForWindowActive(pantalla)) return -1;
  int probadas = 0;
  std::vector<QPointer<QLineEdit>> cajas;
  for (QLineEdit* caja : pantalla->findChildren<QLineEdit*>()) cajas.emplace_back(caja);
  for (QLineEdit* caja : cajas) {
    if (caja == nullptr || caja->echoMode() == QLineEdit::Password) continue;
    for (QWidget* w = caja; w != pantalla; w = w->parentWidget()) {
      if (w->isHidden()) w->show();
    }
    caja->setFocus();  // the box left may apply its value and touch this one
    const QString antes = caja->text();
    const QString aviso = TecleaSobre(caja, QStringLiteral("中"));
    const QString nombre =
        caja->objectName().isEmpty() ? caja->parentWidget()->objectName() : caja->objectName();
    if (caja->text() != antes) qWarning("%s took the character", qPrintable(nombre));
    if (aviso != kAvisoCp1252) qWarning("%s showed \"%s\"", qPrintable(nombre), qPrintable(aviso));
    if (caja->text() != antes || aviso != kAvisoCp1252) return -1;
    ++probadas;
  }
  return probadas;
}

// The same on a screen built from `args` and shown.
template <typename T, typename... A>
int NingunaCajaAdmiteCjk(A&&... args) {
  T p(std::forward<A>(args)...);
  p.show();
  return NingunaCajaAdmiteCjk(&p);
}

class LlaveroVacio : public LlaveroCorreo {
 public:
  std::optional<std::string> Lee(const std::string&) override { return std::nullopt; }
  void Guarda(const std::string&, const std::string&) override {}
  void Olvida(const std::string&) override {}
  bool Persistente() const override { return false; }
};

}  // namespace

class PruebaTecleo : public QObject {
  Q_OBJECT

 private slots:
  void CadaCajaDeCadaPantallaRechazaLoQueNoCabe() {
    Entorno e;
    EscribeJornadaPrueba(e.estado.rutaDatos, 7, "15/11/09");
    e.estado.datos.Jornada = 7;
    e.estado.datos.Orden = 3;
    e.estado.reduccion =
        GuardaReduccion(e.estado.rutaDatos, ReduccionNueva(7, 3, kMetodoManual), Columnas(17));
    // 30 team boxes and 3 date boxes.
    QCOMPARE(NingunaCajaAdmiteCjk<PantallaJornadas>(e.servicios), 33);
    QCOMPARE(NingunaCajaAdmiteCjk<PantallaEquipos>(e.servicios), 1);
    QCOMPARE(NingunaCajaAdmiteCjk<PantallaDatosGen>(e.servicios), 5);
    // The prizes and the percentage box.
    QCOMPARE(NingunaCajaAdmiteCjk<PantallaEscrutinio>(e.servicios), 7);
    LlaveroVacio llavero;
    QCOMPARE(NingunaCajaAdmiteCjk<DialogoCorreo>(e.servicios, llavero), 5);
    ModosSalida modos;
    RegistraTodosLosModos(modos);
    for (int modo = 1; modo <= 6; ++modo) {
      QVERIFY2(
          NingunaCajaAdmiteCjk<PantallaListados>(e.servicios, modos, modo) >= (modo == 1 ? 0 : 1),
          qPrintable(QString::number(modo)));
    }
    Escenario r;
    r.Abre(2);
    QVERIFY(NingunaCajaAdmiteCjk(r.p.get()) >= 1);
  }

  void LaDescripcionNuncaGuardaInterrogaciones() {
    Escenario r;
    r.Abre(1);
    r.p->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(r.p.get()));
    auto* caja = Control<QLineEdit>(r.p.get(), "Tex_Descripcion");
    caja->setFocus();
    caja->clear();
    for (const QString& t : {QStringLiteral("Peña "), QStringLiteral("皇"), QStringLiteral("€"),
                             QStringLiteral("😀"), QStringLiteral(" Ω1")}) {
      Teclea(caja, t);
    }
    // The emoji and the omega are refused; the euro sign has its byte.
    QCOMPARE(caja->text(), QStringLiteral("Peña €"));
    QVERIFY(r.e.estado.reduccion.Descripcion.find('?') == std::string::npos);
    QCOMPARE(std::string(Recorta(r.e.estado.reduccion.Descripcion)), Cp("Peña €"));
    // A paste holding one refused character is refused whole: nothing of it is half kept.
    caja->selectAll();
    Teclea(caja, QStringLiteral("Quiniela 中 de la peña"));
    QCOMPARE(caja->text(), QStringLiteral("Peña €"));
  }

  void UnCaracterRechazadoNoEligeEquipo() {
    Entorno e;
    PonBytes(e.ruta("EQUIPOS.TVX"), Cp("Real Madrid\r\nBetis\r\nAlavés\r\n"));
    PantallaJornadas p(e.servicios);
    p.show();
    p.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p));
    EligeEnLista(&p, "Pic_BotNroJor", "Lis_Jornadas", 3);  // never saved: empty boxes
    auto* cbo = Control<QComboBox>(&p, "Cbo_Equipo1");
    QVERIFY(cbo->currentText().isEmpty());
    cbo->setFocus();
    QCOMPARE(TecleaSobre(cbo->lineEdit(), QStringLiteral("皇")), kAvisoCp1252);
    QTest::keyClick(cbo->lineEdit(), Qt::Key_Return);
    QVERIFY(cbo->currentText().isEmpty());
    QCOMPARE(cbo->currentIndex(), -1);
    // A name typed after it is the name stored.
    auto* cbo2 = Control<QComboBox>(&p, "Cbo_Equipo2");
    cbo2->setFocus();
    Teclea(cbo2->lineEdit(), QStringLiteral("B"));
    Teclea(cbo2->lineEdit(), QStringLiteral("皇"));
    QCOMPARE(cbo2->lineEdit()->text().left(1), QStringLiteral("B"));
    QVERIFY(!cbo2->lineEdit()->text().contains(QStringLiteral("皇")));
  }

  void CajasDeCifrasDicenQueAdmiten() {
    Entorno e;
    PantallaDatosGen p(e.servicios);
    p.show();
    p.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p));
    Pulsa(&p, "Pic_BotTotJor");
    auto* total = Control<QLineEdit>(&p, "Tex_TotJor");
    const QString antes = total->text();
    QCOMPARE(TecleaSobre(total, QStringLiteral("a")), QStringLiteral("Solo se admiten cifras"));
    QCOMPARE(TecleaSobre(total, QStringLiteral(".")), QStringLiteral("Solo se admiten cifras"));
    QCOMPARE(total->text(), antes);
    QCOMPARE(TecleaSobre(total, QStringLiteral("7")), QStringLiteral("-"));  // taken, no notice
    QCOMPARE(total->text(), QStringLiteral("7"));
    Pulsa(&p, "Pic_BotPreApu");
    auto* precio = Control<QLineEdit>(&p, "Tex_PreApu");
    QCOMPARE(TecleaSobre(precio, QStringLiteral("x")),
             QStringLiteral("Solo se admiten cifras y el punto decimal"));
    TecleaSobre(precio, QStringLiteral("."));
    Teclea(precio, QStringLiteral("5"));
    QCOMPARE(precio->text(), QStringLiteral(".5"));
    // A box full to its length refuses the next character with no notice to read.
    Teclea(precio, QStringLiteral("5"));
    Teclea(precio, QStringLiteral("5"));
    QCOMPARE(precio->text(), QStringLiteral(".555"));
    QToolTip::showText(QPoint(0, 0), QStringLiteral("-"));
    Teclea(precio, QStringLiteral("5"));
    QCOMPARE(precio->text(), QStringLiteral(".555"));
    QCOMPARE(QToolTip::text(), QStringLiteral("-"));
  }

  void LoQueYaTraeUnFicheroDanadoSigueEditable() {
    // A team name read from a damaged file with a control character in it: the box keeps
    // it and still takes typing and deleting.
    Entorno e;
    std::string r = RegistroJornadaVacio();
    PonCabecera(r, 1, "01/01/10");
    PonEquipo(r, 1, std::string("Be\x01tis"));
    PonBytes(e.ruta("JORNADAS.TVX"), r);
    e.estado.datos.Jornada = 1;
    PantallaJornadas p(e.servicios);
    p.show();
    p.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p));
    QLineEdit* caja = Control<QComboBox>(&p, "Cbo_Equipo1")->lineEdit();
    QCOMPARE(caja->text(), QStringLiteral("Be\x01tis"));
    caja->setFocus();
    caja->end(false);
    Teclea(caja, QStringLiteral("s"));
    QCOMPARE(caja->text(), QStringLiteral("Be\x01tiss"));
    caja->setCursorPosition(3);
    QTest::keyClick(caja, Qt::Key_Backspace);
    QCOMPARE(caja->text(), QStringLiteral("Betiss"));
    Teclea(caja, QStringLiteral("\x01"));
    QCOMPARE(caja->text(), QStringLiteral("Betiss"));
  }
};

QTEST_MAIN(PruebaTecleo)
#include "tecleo_test.moc"

// The jornada screen and the list of teams, through their named controls.

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>

#include "apoyo_gui.h"
#include "gui/screens/equipos.h"
#include "gui/screens/jornadas.h"
#include "platform/ayuda_qt.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

QComboBox* Caja(QWidget* p, int s) {
  return Control<QComboBox>(p, QStringLiteral("Cbo_Equipo%1").arg(s));
}
QLineEdit* Texto(QWidget* p, const char* nombre) {
  return Control<QLineEdit>(p, nombre);
}

// Types a text key by key, letters outside Latin-1 included.
void Teclea(QWidget* w, const QString& texto) {
  for (const QChar c : texto) {
    QKeyEvent pulsa(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &pulsa);
    QKeyEvent suelta(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &suelta);
  }
}

// Chooses a jornada as the user does: the chooser button, then a click on its entry.
void EligeJornada(QWidget* p, int jornada) {
  EligeEnLista(p, "Pic_BotNroJor", "Lis_Jornadas", jornada - 1);
}

// Types a date in the panel and closes it with Enter in the year box.
void TecleaFecha(QWidget* p, const QString& dia, const QString& mes, const QString& ano) {
  if (Control<QFrame>(p, "Pic_FecJor")->isHidden()) Pulsa(p, "Pic_BotFecJor");
  for (auto [nombre, valor] :
       {std::pair{"Tex_FecDia", dia}, std::pair{"Tex_FecMes", mes}, std::pair{"Tex_FecAno", ano}}) {
    QLineEdit* caja = Texto(p, nombre);
    caja->clear();
    QTest::keyClicks(caja, valor);
  }
  QTest::keyClick(Texto(p, "Tex_FecAno"), Qt::Key_Return);
}

// The three boxes of the date panel, as "dd/mm/aa".
QString Fecha(QWidget* p) {
  return Texto(p, "Tex_FecDia")->text() + '/' + Texto(p, "Tex_FecMes")->text() + '/' +
         Texto(p, "Tex_FecAno")->text();
}

// A record as the scrutiny leaves it: date, teams, winning column and prizes.
std::string RegistroEscrutado(int jornada) {
  std::string r = RegistroJornadaVacio();
  PonCabecera(r, jornada, "01/01/10");
  for (int s = 1; s <= 30; ++s) PonEquipo(r, s, Cp("Equipo nº") + std::to_string(s));
  std::array<std::array<int16_t, 4>, 16> g{};
  for (std::size_t m = 1; m <= 15; ++m) g[m][1 + m % 3] = 1;
  PonGanadora(r, g);
  for (int k = 1; k <= 6; ++k) PonPremio(r, k, std::to_string(k * 1111) + ".50");
  return r;
}

struct Pantalla {
  Entorno e;
  std::unique_ptr<PantallaJornadas> p;
  void Abre() {
    p = std::make_unique<PantallaJornadas>(e.servicios);
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
  }
};

}  // namespace

class PruebaJornadas : public QObject {
  Q_OBJECT

 private slots:
  void JornadaNuncaGuardadaNoSeGuardaSinFecha() {
    Pantalla t;
    PonBytes(t.e.ruta("JORNADAS.TVX"), RegistroEscrutado(1));
    PonBytes(t.e.ruta("EQUIPOS.TVX"), "Betis\r\nSevilla\r\n");
    t.Abre();
    // The current jornada is shown from the start.
    QCOMPARE(Caja(t.p.get(), 1)->currentText(), QStringLiteral("Equipo nº1"));
    QCOMPARE(Rotulo(t.p.get(), "Pic_BotNroJor"), QStringLiteral("Jornada 1"));

    EligeJornada(t.p.get(), 7);
    QCOMPARE(t.e.estado.datos.Jornada, 7);
    QCOMPARE(Rotulo(t.p.get(), "Pic_BotNroJor"), QStringLiteral("Jornada 7"));
    QCOMPARE(Rotulo(t.p.get(), "Pic_BotFecJor"), QStringLiteral("Fecha 00/00/00"));
    for (int s = 1; s <= 30; ++s) QVERIFY(Caja(t.p.get(), s)->currentText().isEmpty());
    QCOMPARE(Caja(t.p.get(), 30)->count(), 2);  // the list of teams
    QCOMPARE(Fecha(t.p.get()), QStringLiteral("00/00/00"));
    QVERIFY(std::find(t.e.sonido.tocados.begin(), t.e.sonido.tocados.end(), kSonidoAjuste) !=
            t.e.sonido.tocados.end());

    // A team chosen from a box's list shows Guardar; saving with the date 00/00/00 is refused.
    QVERIFY(Control(t.p.get(), "Pic_BotGuardar")->isHidden());
    Caja(t.p.get(), 1)->setCurrentIndex(1);
    emit Caja(t.p.get(), 1)->textActivated(QStringLiteral("Sevilla"));
    QVERIFY(Control(t.p.get(), "Pic_BotGuardar")->isVisible());
    Pulsa(t.p.get(), "Pic_BotGuardar");
    QCOMPARE(t.e.mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(t.e.mensajero.mensajes[0], MensajeErrorFecha());
    QCOMPARE(Bytes(t.e.ruta("JORNADAS.TVX")), RegistroEscrutado(1));

    // 31/02/09 is no date: refused, the panel stays open, nothing written.
    TecleaFecha(t.p.get(), "31", "02", "09");
    QCOMPARE(t.e.mensajero.mensajes.size(), std::size_t{2});
    QCOMPARE(Utf(t.e.mensajero.mensajes[1].titulo), QStringLiteral("Error en la fecha"));
    QVERIFY(Control<QFrame>(t.p.get(), "Pic_FecJor")->isVisible());
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("00/00/00"));
    Pulsa(t.p.get(), "Pic_BotGuardar");
    QCOMPARE(t.e.mensajero.mensajes.size(), std::size_t{3});
    QCOMPARE(Bytes(t.e.ruta("JORNADAS.TVX")), RegistroEscrutado(1));
  }

  void DiaDeUnDigitoSeGuardaConCero() {
    Pantalla t;
    t.Abre();
    EligeJornada(t.p.get(), 3);
    Pulsa(t.p.get(), "Pic_BotFecJor");
    QVERIFY(Control<QFrame>(t.p.get(), "Pic_FecJor")->isVisible());
    QLineEdit* dia = Texto(t.p.get(), "Tex_FecDia");
    dia->clear();
    QTest::keyClicks(dia, "5");
    // Two characters in the month box move on to the year; a third is not kept.
    QLineEdit* mes = Texto(t.p.get(), "Tex_FecMes");
    mes->clear();
    QTest::keyClicks(mes, "033");
    QCOMPARE(mes->text(), QStringLiteral("03"));
    QLineEdit* ano = Texto(t.p.get(), "Tex_FecAno");
    ano->clear();
    QTest::keyClicks(ano, "10");
    Pulsa(t.p.get(), "Pic_BotFecJor");  // closes the panel
    QCOMPARE(dia->text(), QStringLiteral("05"));
    QVERIFY(Control<QFrame>(t.p.get(), "Pic_FecJor")->isHidden());
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("05/03/10"));
    QCOMPARE(Rotulo(t.p.get(), "Pic_BotFecJor"), QStringLiteral("Fecha 05/03/10"));
    QVERIFY(Control(t.p.get(), "Pic_BotGuardar")->isVisible());
    Pulsa(t.p.get(), "Pic_BotGuardar");
    QVERIFY(t.e.mensajero.mensajes.empty());
    QVERIFY(Control(t.p.get(), "Pic_BotGuardar")->isHidden());
    const std::string fichero = Bytes(t.e.ruta("JORNADAS.TVX"));
    QCOMPARE(fichero.size(), 3 * kLargoRegistroJornada);
    QCOMPARE(fichero.substr(2 * 544, 13), std::string("Jor0305/03/10"));
    QCOMPARE(fichero.substr(2 * 544 + 13, 450), std::string(450, ' '));
  }

  void GuardarLaFechaConservaGanadoraYPremios() {
    Pantalla t;
    const std::string r1 = RegistroEscrutado(1);
    const std::string r2 = RegistroEscrutado(2);
    PonBytes(t.e.ruta("JORNADAS.TVX"), r1 + r2);
    t.Abre();
    EligeJornada(t.p.get(), 2);
    QCOMPARE(Caja(t.p.get(), 30)->currentText(), QStringLiteral("Equipo nº30"));
    TecleaFecha(t.p.get(), "14", "2", "10");
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("14/02/10"));
    Pulsa(t.p.get(), "Pic_BotGuardar");
    QVERIFY(t.e.mensajero.mensajes.empty());
    const std::string fichero = Bytes(t.e.ruta("JORNADAS.TVX"));
    QCOMPARE(fichero.size(), 2 * kLargoRegistroJornada);
    QCOMPARE(fichero.substr(0, 544), r1);
    std::string esperado = r2;
    esperado.replace(5, 8, "14/02/10");
    QCOMPARE(fichero.substr(544), esperado);
    QCOMPARE(LeeJornada(t.e.estado.rutaDatos, 2).jornada.Premios[6], 6666.5);
  }

  void LaFechaSeTecleaSeguidaSobreLaGuardada() {
    Pantalla t;
    PonBytes(t.e.ruta("JORNADAS.TVX"), RegistroEscrutado(1));
    t.Abre();
    t.p->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.p.get()));
    Pulsa(t.p.get(), "Pic_BotFecJor");
    QLineEdit* dia = Texto(t.p.get(), "Tex_FecDia");
    QCOMPARE(QApplication::focusWidget(), dia);
    QCOMPARE(dia->cursorPosition(), 0);
    // Six digits typed one after the other, each to the box that has the focus, replace
    // the stored 01/01/10: none is lost behind the two characters a box already holds.
    for (const QChar c : QStringLiteral("310309")) {
      QWidget* foco = QApplication::focusWidget();
      QVERIFY(qobject_cast<QLineEdit*>(foco) != nullptr);
      QTest::keyClicks(foco, QString(c));
    }
    QCOMPARE(Fecha(t.p.get()), QStringLiteral("31/03/09"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(Control<QFrame>(t.p.get(), "Pic_FecJor")->isHidden());
    QCOMPARE(t.e.estado.datos.FechaJornada, std::string("31/03/09"));
    QVERIFY(t.e.mensajero.mensajes.empty());

    // A date refused by the check points its Ayuda button at a topic that exists.
    Pulsa(t.p.get(), "Pic_BotFecJor");
    for (const QChar c : QStringLiteral("310209")) QTest::keyClicks(QApplication::focusWidget(), c);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(t.e.mensajero.mensajes.size(), std::size_t{1});
    QVERIFY(ExisteTemaAyuda(t.e.mensajero.mensajes[0].contexto));
    QVERIFY(Control<QFrame>(t.p.get(), "Pic_FecJor")->isVisible());
  }

  void NombresCortadosYLetrasQueElFicheroNoAdmite() {
    Pantalla t;
    t.Abre();
    EligeJornada(t.p.get(), 4);
    QLineEdit* caja1 = Caja(t.p.get(), 1)->lineEdit();
    caja1->setFocus();
    Teclea(caja1, QStringLiteral("Deportivo Alavés B"));  // 18 characters
    QCOMPARE(caja1->text(), QStringLiteral("Deportivo Alavé"));
    QCOMPARE(caja1->cursorPosition(), 15);
    // A letter without a place in Windows-1252 is refused where it is typed.
    QLineEdit* caja2 = Caja(t.p.get(), 2)->lineEdit();
    Teclea(caja2, QStringLiteral("Łódź Güeñes"));
    QCOMPARE(caja2->text(), QStringLiteral("ódź Güeñes").remove(QChar(0x017A)));
    caja2->setText(QString());
    Teclea(caja2, QStringLiteral("Güeñes"));
    // Enter goes on to the next box.
    QTest::keyClick(caja1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Caja(t.p.get(), 2));
    QVERIFY(Control(t.p.get(), "Pic_BotGuardar")->isVisible());
    TecleaFecha(t.p.get(), "01", "09", "10");
    Pulsa(t.p.get(), "Pic_BotGuardar");
    QVERIFY(t.e.mensajero.mensajes.empty());
    const std::string registro = Bytes(t.e.ruta("JORNADAS.TVX")).substr(3 * 544, 544);
    QCOMPARE(registro.substr(13, 15), Cp("Deportivo Alavé"));
    QCOMPARE(registro.substr(28, 15), AjustaAncho(Cp("Güeñes"), 15));

    // Read back, the names come back as typed.
    EligeJornada(t.p.get(), 1);
    QVERIFY(Caja(t.p.get(), 1)->currentText().isEmpty());
    EligeJornada(t.p.get(), 4);
    QCOMPARE(Caja(t.p.get(), 1)->currentText(), QStringLiteral("Deportivo Alavé"));
    QCOMPARE(Caja(t.p.get(), 2)->currentText(), QStringLiteral("Güeñes"));
  }

  void ListaDeEquiposIdaYVuelta() {
    Entorno e;
    {
      PantallaEquipos p(e.servicios);
      p.show();
      // A missing list is created empty, with its message.
      QCOMPARE(e.mensajero.avisos.size(), std::size_t{1});
      QVERIFY(e.mensajero.avisos[0].startsWith(
          QStringLiteral("No se encuentra el fichero de equipos EQUIPOS.TVX.")));
      QVERIFY(std::filesystem::exists(e.ruta("EQUIPOS.TVX")));
      QLineEdit* nuevo = Texto(&p, "Tex_NuevoEquipo");
      QTest::keyClicks(nuevo, "   ");
      QVERIFY(Control(&p, "Pic_BotAñadir")->isHidden());
      nuevo->clear();
      for (const QString& nombre :
           {QStringLiteral("Logroñés"), QStringLiteral("Alavés"), QStringLiteral("Logroñés")}) {
        Teclea(nuevo, nombre);
        QVERIFY(Control(&p, "Pic_BotAñadir")->isVisible());
        Pulsa(&p, "Pic_BotAñadir");
        QVERIFY(nuevo->text().isEmpty());
      }
      // Enter adds too; a quote, which the file cannot hold, is refused as it is typed.
      Teclea(nuevo, QStringLiteral("  Güeñes \"B\" "));
      QTest::keyClick(nuevo, Qt::Key_Return);
      auto* lista = Control<QListWidget>(&p, "Lis_Equipos");
      QCOMPARE(lista->count(), 4);
      QCOMPARE(lista->item(3)->text(), QStringLiteral("Güeñes B"));
      QVERIFY(Control(&p, "Pic_BotGuardar")->isVisible());
      Pulsa(&p, "Pic_BotGuardar");
      QVERIFY(Control(&p, "Pic_BotGuardar")->isHidden());
    }
    const std::string guardado = Cp("Logroñés\r\nAlavés\r\nLogroñés\r\nGüeñes B\r\n");
    QCOMPARE(Bytes(e.ruta("EQUIPOS.TVX")), guardado);

    {
      PantallaEquipos p(e.servicios);
      p.show();
      auto* lista = Control<QListWidget>(&p, "Lis_Equipos");
      QCOMPARE(lista->count(), 4);
      QCOMPARE(lista->item(1)->text(), QStringLiteral("Alavés"));
      QVERIFY(Control(&p, "Pic_BotBorrar")->isHidden());
      QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                        lista->visualItemRect(lista->item(0)).center());
      QVERIFY(Control(&p, "Pic_BotBorrar")->isVisible());
      Pulsa(&p, "Pic_BotBorrar");
      QCOMPARE(lista->count(), 3);
      QCOMPARE(lista->item(0)->text(), QStringLiteral("Alavés"));
      QVERIFY(Control(&p, "Pic_BotBorrar")->isHidden());
      // Leaving without Guardar drops the change.
      Pulsa(&p, "Pic_BotSalir");
      QCOMPARE(p.result(), int(QDialog::Rejected));
    }
    QCOMPARE(Bytes(e.ruta("EQUIPOS.TVX")), guardado);
  }

  void ModificarEquiposRefrescaLasListas() {
    Pantalla t;
    PonBytes(t.e.ruta("EQUIPOS.TVX"), Cp("Betis\r\n"));
    PonBytes(t.e.ruta("JORNADAS.TVX"), RegistroEscrutado(1));
    t.Abre();
    QCOMPARE(Caja(t.p.get(), 5)->count(), 1);
    bool abierta = false;
    AlAbrirModal(QStringLiteral("equipos"), [&](QDialog* d) {
      abierta = true;
      QTest::keyClicks(Texto(d, "Tex_NuevoEquipo"), QStringLiteral("Numancia"));
      Pulsa(d, "Pic_BotAñadir");
      Pulsa(d, "Pic_BotGuardar");
      Pulsa(d, "Pic_BotSalir");
    });
    Pulsa(t.p.get(), "Pic_BotEquipos");
    QVERIFY(abierta);
    for (int s : {1, 30}) {
      QComboBox* cbo = Caja(t.p.get(), s);
      QCOMPARE(cbo->count(), 2);
      QCOMPARE(cbo->itemText(1), QStringLiteral("Numancia"));
      // The boxes keep what they showed.
      QCOMPARE(cbo->currentText(), QStringLiteral("Equipo nº%1").arg(s));
    }
  }
};

QTEST_MAIN(PruebaJornadas)
#include "jornadas_test.moc"

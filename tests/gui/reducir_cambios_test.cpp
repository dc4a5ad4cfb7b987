// A definition being edited on the reduction screen is never dropped without a word: every
// way of replacing or leaving it asks first, and Cancelar keeps all as it was. The general
// data follow the reduction on the screen.

#include "engine/core/datos_generales.h"
#include "engine/shell/textos.h"
#include "escenario_reducir.h"
#include "gui/screens/historic.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

Mensaje Pregunta(int metodo = 1) {
  return PreguntaDescartar(Cp("Reducción de apuestas"), 2200 + 10 * metodo);
}

// Picks the first reduction of the history.
void EligeEnHistorico() {
  AlAbrirModal(QStringLiteral("historic"), [](QDialog* h) {
    emit Control<CarpetaHistorico>(h, QStringLiteral("Pic_Carpeta"))->elegida(1);
  });
}

// Jornada 12 with a stored reduction (12, 3) of method 3; the screen opened on (12, 1).
struct ConGuardada : Escenario {
  ConGuardada() {
    guardada = ReduccionNueva(12, 3, kMetodoSeleccionSignos);
    PulsaBase(guardada, 1, 2);
    guardada.Descripcion = AjustaAncho(Cp("Guardada"), 35);
    GuardaRegistroBases(e.estado.rutaDatos, ConstruyeRegistroBases(guardada));
    Abre();
  }
  Reduccion guardada;
};

}  // namespace

class PruebaReducirCambios : public QObject {
  Q_OBJECT

 private slots:
  // Jornada, orden, method, history, Salir and Escape: Cancelar keeps the screen and the
  // edited definition as they were; Aceptar goes on and drops it.
  void CadaCaminoPreguntaAntesDeDescartar() {
    ConGuardada s;
    s.Base(2, 2);
    const Reduccion editada = s.r();
    auto& mensajes = s.e.mensajero.mensajes;
    auto cancelado = [&](const char* camino) {
      QVERIFY2(!mensajes.empty() && mensajes.back() == Pregunta(), camino);
      QVERIFY2(s.r() == editada, camino);
      QCOMPARE(s.e.estado.datos.Jornada, int16_t{12});
      QCOMPARE(s.e.estado.datos.Orden, int16_t{1});
      QVERIFY2(s.p->isVisible(), camino);
      QVERIFY(s.C<QListWidget>("Lis_Jornadas")->isHidden());
      QCOMPARE(s.C<QListWidget>("Lis_Jornadas")->currentRow(), 11);
      QCOMPARE(s.C<QListWidget>("Lis_Orden")->currentRow(), 0);
      QCOMPARE(s.C<QListWidget>("Lis_Metodos")->currentRow(), 0);
      QCOMPARE(s.Rotulo("Pic_BotNroJor"), QStringLiteral("Jornada 12"));
      mensajes.clear();
    };
    s.EligeEnLista("Pic_BotNroJor", "Lis_Jornadas", 4);
    cancelado("jornada");
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 2);
    cancelado("orden");
    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 3);
    cancelado("método");
    EligeEnHistorico();
    s.Pulsa("Pic_BotIndice");
    cancelado("histórico");
    s.Pulsa("Pic_BotSalir");
    cancelado("salir");
    QTest::keyClick(s.p.get(), Qt::Key_Escape);
    cancelado("escape");

    // Aceptar: the picked reduction replaces the edited one.
    s.e.mensajero.respuestas = {true};
    EligeEnHistorico();
    s.Pulsa("Pic_BotIndice");
    QCOMPARE(mensajes.size(), std::size_t{1});
    QCOMPARE(s.r().Orden, int16_t{3});
    QCOMPARE(s.r().Partido[1].NumSignos, int16_t{2});
    QCOMPARE(s.r().Partido[2].NumSignos, int16_t{1});
  }

  // Nothing is asked while the definition is the one loaded or stored: after loading, after
  // an edit undone, after a description typed (written back on leaving), after a run.
  void SinCambiosNoSePregunta() {
    ConGuardada s;
    auto& mensajes = s.e.mensajero.mensajes;
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 2);
    QCOMPARE(s.r().Orden, int16_t{3});
    s.Base(4, 3);
    s.Base(4, 3);
    QTest::keyClicks(s.C<QLineEdit>("Tex_Descripcion"), QStringLiteral(" y otra"));
    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 0);
    QCOMPARE(s.r().Metodo, int16_t{1});
    QVERIFY(mensajes.empty());
    // A reduction run and stored: leaving asks nothing.
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 4);
    s.Triples(2);
    QVERIFY(mensajes.empty());
    s.Reduce();
    mensajes.clear();
    s.Pulsa("Pic_BotSalir");
    QVERIFY(mensajes.empty());
    QVERIFY(!s.p->isVisible());
  }

  // Leaving with a changed base and Aceptar closes the screen and stores nothing of it.
  void SalirAceptandoDescarta() {
    ConGuardada s;
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 2);
    s.Base(5, 3);
    s.e.mensajero.respuestas = {true};
    QTest::keyClick(s.p.get(), Qt::Key_Escape);
    QCOMPARE(s.e.mensajero.mensajes.back(), Pregunta(kMetodoSeleccionSignos));
    QVERIFY(!s.p->isVisible());
    Reduccion leida;
    LeeReduccion(s.e.estado.rutaDatos, 12, 3, 1, leida);
    QCOMPARE(leida.Partido[5].NumSignos, int16_t{1});
  }

  // The date of the current jornada and the method of the current reduction are what the
  // general data keep, as the next start finds them in DATOSGEN.TVX.
  void DatosGeneralesSiguenALaReduccion() {
    Escenario s;
    EscribeJornadaPrueba(s.e.estado.rutaDatos, 8, "04/10/09");
    Reduccion otra = ReduccionNueva(8, 2, kMetodoBalanceSignos);
    GuardaRegistroBases(s.e.estado.rutaDatos, ConstruyeRegistroBases(otra));
    s.Abre();
    DatosGenerales& d = s.e.estado.datos;
    QCOMPARE(d.FechaJornada, std::string("15/11/09"));
    // A method chosen for a new reduction is the current method.
    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 4);
    QCOMPARE(d.Metodo, int16_t{5});
    // Picked in the history, where it is the only one.
    EligeEnHistorico();
    s.Pulsa("Pic_BotIndice");
    QCOMPARE(s.r().Jornada, int16_t{8});
    QCOMPARE(d.Metodo, int16_t{4});
    QCOMPARE(d.FechaJornada, std::string("04/10/09"));
    QCOMPARE(GuardaDatosGenerales(s.e.estado.rutaDatos, d), int16_t{0});
    const std::string linea = Bytes(s.e.ruta("DATOSGEN.TVX"));
    QCOMPARE(linea.substr(0, 17), std::string("8,\"04/10/09\",2,4,"));
    // Another jornada by its list: its date.
    s.EligeEnLista("Pic_BotNroJor", "Lis_Jornadas", 11);
    QCOMPARE(d.FechaJornada, std::string("15/11/09"));
  }
};

QTEST_MAIN(PruebaReducirCambios)
#include "reducir_cambios_test.moc"

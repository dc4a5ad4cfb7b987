// Every screen, for every method, fits inside the smallest desktop the program promises
// (800 x 600 less a panel of 30) and shows all its controls whole inside its window.

#include <QScreen>

#include "apoyo_gui.h"
#include "engine/core/datos_generales.h"
#include "gui/consult/consredu.h"
#include "gui/consult/garantia.h"
#include "gui/output/imprime_escrutinio.h"
#include "gui/output/listados.h"
#include "gui/output/panel_impresion.h"
#include "gui/output/salida.h"
#include "gui/reduction/reducir.h"
#include "gui/screens/borrar.h"
#include "gui/screens/datosgen.h"
#include "gui/screens/equipos.h"
#include "gui/screens/historic.h"
#include "gui/screens/jornadas.h"
#include "gui/scrutiny/escrutin.h"
#include "gui/shell/mensajes.h"
#include "gui/shell/menu.h"
#include "tests/apoyo/reduccion_guardada.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

constexpr int kAnchoDisponible = 800;
constexpr int kAltoDisponible = 570;

// What does not fit in a shown screen: its own size, and every visible control that
// reaches out of it (cut off, so not whole).
QStringList Fallos(QWidget* w) {
  QStringList f;
  QApplication::processEvents();
  // With ZENDO_CAPTURAS set to a folder, every screen walked is saved there to look at.
  if (const QString carpeta = qEnvironmentVariable("ZENDO_CAPTURAS"); !carpeta.isEmpty()) {
    static int n = 0;
    w->grab().save(QStringLiteral("%1/%2_%3.png")
                       .arg(carpeta)
                       .arg(++n, 2, 10, QChar('0'))
                       .arg(w->objectName()));
  }
  const QSize tam = w->size();
  if (tam.width() > kAnchoDisponible || tam.height() > kAltoDisponible) {
    f << QStringLiteral("%1 mide %2x%3").arg(w->objectName()).arg(tam.width()).arg(tam.height());
  }
  for (QWidget* hijo : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!hijo->isVisible() || hijo->isWindow()) continue;
    if (!w->rect().contains(hijo->geometry())) {
      const QRect g = hijo->geometry();
      f << QStringLiteral("%1 en (%2,%3) %4x%5 sale de %6x%7")
               .arg(hijo->objectName())
               .arg(g.x())
               .arg(g.y())
               .arg(g.width())
               .arg(g.height())
               .arg(tam.width())
               .arg(tam.height());
    }
  }
  // Centred on an 800 x 600 screen it is whole on it.
  const QRect pantalla = w->screen()->geometry();
  if (pantalla.width() == 800 && pantalla.height() == 600 &&
      !pantalla.contains(QRect(w->pos(), tam))) {
    f << QStringLiteral("%1 en (%2,%3) no está entera en la pantalla")
             .arg(w->objectName())
             .arg(w->x())
             .arg(w->y());
  }
  return f;
}

// A stored reduction of every method for jornada 12: (12, m) is of method m.
struct Datos {
  Entorno e;
  ModosSalida modos;
  Datos() {
    RegistraTodosLosModos(modos);
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    EscribeJornadaPrueba(e.estado.rutaDatos, 12, "15/11/09");
    for (int m = 1; m <= 5; ++m) {
      Reduccion r = ReduccionNueva(12, static_cast<int16_t>(m), static_cast<int16_t>(m));
      r.Descripcion = AjustaAncho(Cp("Una descripción bastante larga ..."), 35);
      for (int p = 1; p <= 14; ++p) {
        r.Partido[p].Signo = {0, 1, 1, 1};
        r.Partido[p].NumSignos = 3;
        r.Partido[p].AReducir = m != kMetodoManual;
      }
      r.ApuestasBase = 4782969;
      GuardaReduccion(e.estado.rutaDatos, r, Columnas(20));
    }
    e.estado.datos.Jornada = 12;
  }
  void Actual(int metodo) {
    e.estado.datos.Jornada = 12;
    e.estado.datos.Orden = static_cast<int16_t>(metodo);
  }
};

template <typename T>
QStringList Muestra(T& w) {
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return {w.objectName() + QStringLiteral(" no se muestra")};
  return Fallos(&w);
}

// Builds, shows and measures one screen.
using Medida = std::function<QStringList(Datos&)>;
template <typename T, typename... Args>
Medida Mide(Args... args) {
  return [args...](Datos& d) {
    T w(d.e.servicios, args...);
    return Muestra(w);
  };
}

}  // namespace

class PruebaTamanos : public QObject {
  Q_OBJECT

 private slots:
  // The reduction screen with each method chosen from its list (each reload centres the
  // window again, whatever size the method gives it), and with each stored reduction.
  void Reducir() {
    Datos d;
    QStringList fallos;
    d.Actual(1);
    PantallaReducir p(d.e.servicios);
    fallos << Muestra(p);
    for (int m = 2; m <= 5; ++m) {
      p.move(0, 0);
      EligeEnLista(&p, QStringLiteral("Pic_BotMetodo"), QStringLiteral("Lis_Metodos"), m - 1);
      QCOMPARE(d.e.estado.reduccion.Metodo, m);
      fallos << Fallos(&p);
      const QRect pantalla = p.screen()->geometry();
      const QSize marco = p.frameGeometry().size();
      QCOMPARE(p.frameGeometry().topLeft(),
               QPoint(pantalla.x() + (pantalla.width() - marco.width()) / 2,
                      pantalla.y() + (pantalla.height() - 26 - marco.height()) / 2));
    }
    for (int m = 1; m <= 5; ++m) {
      d.Actual(m);
      PantallaReducir q(d.e.servicios);
      fallos << Muestra(q);
    }
    QVERIFY2(fallos.isEmpty(), qPrintable(fallos.join(QStringLiteral("\n"))));
  }

  // The screens of the stored reduction, for each method, and the output modes.
  void PantallasDeLaReduccionGuardada() {
    Datos d;
    QStringList fallos;
    for (int m = 1; m <= 5; ++m) {
      d.Actual(m);
      fallos << Mide<PantallaSalida>(std::cref(d.modos))(d);
      fallos << Mide<PantallaEscrutinio>(nullptr, ImprimeEscrutinio())(d);
      fallos << Mide<DialogoGarantia>(nullptr)(d);
      fallos << Mide<PantallaConsulta>()(d);
    }
    // The marking panel of a manual reduction open.
    PantallaConsulta consulta(d.e.servicios);
    fallos << Muestra(consulta);
    Pulsa(&consulta, QStringLiteral("Pic_BotAbrirMarcar"));
    QVERIFY(consulta.marcadorAbierto());
    fallos << Fallos(&consulta);
    for (int modo = 1; modo <= 6; ++modo) {
      fallos << Mide<PantallaListados>(std::cref(d.modos), modo)(d);
    }
    QVERIFY2(fallos.isEmpty(), qPrintable(fallos.join(QStringLiteral("\n"))));
  }

  void PantallasDeMantenimiento() {
    Datos d;
    QStringList fallos;
    fallos << Mide<PantallaEquipos>()(d) << Mide<PantallaDatosGen>()(d) << Mide<PantallaBorrar>()(d)
           << Mide<PantallaJornadas>()(d) << Mide<PantallaHistorico>()(d);
    MenuPrincipal menu(d.e.servicios);
    fallos << Muestra(menu);
    // The longest message the program shows.
    Mensaje largo{Cp("Resolución de pantalla"), std::string(600, 'x'), 7, kBotonesAceptarCancelar,
                  0};
    DialogoMensajes mensaje(d.e.servicios, largo);
    fallos << Muestra(mensaje);
    QVERIFY2(fallos.isEmpty(), qPrintable(fallos.join(QStringLiteral("\n"))));
  }
};

QTEST_MAIN(PruebaTamanos)
#include "tamanos_test.moc"

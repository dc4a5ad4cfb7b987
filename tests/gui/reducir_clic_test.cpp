// How long a click on the reduction screen takes on the largest base (15 triples), for
// every method: the edit, the figures recomputed by the engine and the repaint of what
// changed. The times are logged, never asserted; what is checked is that the figures shown
// after the clicks are the engine's. With ZENDO_CAPTURAS=<folder> (and a real display, e.g.
// under xvfb-run with QT_QPA_PLATFORM=xcb) it also saves pictures of the screens.

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "apoyo_gui.h"
#include "engine/core/datos_generales.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"
#include "engine/reduction/edicion.h"
#include "engine/reduction/panel.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/reduction/grafico.h"
#include "gui/reduction/panel_cifras.h"
#include "gui/reduction/progreso.h"
#include "gui/reduction/reducir.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

const char* const kEquipos[30] = {
    "Real Madrid", "Getafe",   "Barcelona",  "Sevilla",  "Valencia",   "Villarreal",
    "Athletic",    "Osasuna",  "Mallorca",   "Málaga",   "Deportivo",  "Racing",
    "Espanyol",    "Almería",  "Zaragoza",   "Tenerife", "Valladolid", "Xerez",
    "Sporting",    "Atlético", "Hércules",   "Cádiz",    "Numancia",   "Córdoba",
    "Las Palmas",  "Elche",    "Recreativo", "Betis",    "Celta",      "Salamanca"};

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

QString Carpeta() {
  return qEnvironmentVariable("ZENDO_CAPTURAS");
}

void Captura(const QString& nombre, int espera = 400) {
  if (Carpeta().isEmpty()) return;
  QTest::qWait(espera);
  QScreen* pantalla = QGuiApplication::primaryScreen();
  const QPixmap foto = pantalla->grabWindow(0);
  QVERIFY(foto.save(Carpeta() + QLatin1Char('/') + nombre + QStringLiteral(".png")));
}

void Mueve(QWidget* w, QPoint punto, Qt::MouseButtons botones) {
  QMouseEvent e(QEvent::MouseMove, punto, w->mapToGlobal(punto), Qt::NoButton, botones,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

struct Escenario {
  explicit Escenario(int metodo) {
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    e.estado.datos.Jornada = 12;
    e.estado.datos.Orden = 1;
    e.estado.datos.Metodo = static_cast<int16_t>(metodo);
    std::string registro = RegistroJornadaVacio();
    PonCabecera(registro, 12, "15/11/09");
    for (int i = 0; i < 30; ++i) PonEquipo(registro, i + 1, Cp(kEquipos[i]));
    EscribeJornada(e.estado.rutaDatos, 12, registro);
    if (metodo == kMetodoManual) {
      std::string externo;
      for (int i = 0; i < 300; ++i) {
        std::string col;
        for (int m = 0; m < 15; ++m) col += "1X2"[(i * 7 + m * (i % 5 + 1)) % 3];
        externo += "\"" + col + "\"\r\n";
      }
      PonBytes(e.ruta("Q44F1201.TVF"), externo);
    }
    p = std::make_unique<PantallaReducir>(e.servicios);
    p->show();
    expuesta = QTest::qWaitForWindowExposed(p.get());
  }
  Entorno e;
  std::unique_ptr<PantallaReducir> p;
  bool expuesta = false;
};

}  // namespace

class PruebaClic : public QObject {
  Q_OBJECT

 private slots:
  void ClicSobreLaBaseCompleta_data() {
    QTest::addColumn<int>("metodo");
    for (int m = 1; m <= 5; ++m) QTest::newRow(qPrintable(QString::number(m))) << m;
  }

  void ClicSobreLaBaseCompleta() {
    QFETCH(int, metodo);
    Escenario s(metodo);
    QVERIFY(s.expuesta);
    PantallaReducir* p = s.p.get();
    PanelQuiniela* panel = p->panel();
    // The largest base and the criteria of the method, through the screen's controls.
    Pulsa(p, QStringLiteral("Pic_BotSelTodo"));
    auto clic = [](Rejilla* g, int fila, int columna) {
      QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier, g->CentroDe(Celda{fila, columna}));
    };
    auto lista = [p](const char* boton, const char* nombre, int fila) {
      Pulsa(p, QString::fromUtf8(boton));
      auto* l = p->findChild<QListWidget*>(QString::fromUtf8(nombre));
      QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier,
                        l->visualItemRect(l->item(fila)).center());
    };
    auto caja = [p](const char* boton, const char* nombre, const char* texto) {
      Pulsa(p, QString::fromUtf8(boton));
      auto* c = p->findChild<QLineEdit*>(QString::fromUtf8(nombre));
      c->selectAll();
      QTest::keyClicks(c, QString::fromUtf8(texto));
      QTest::keyClick(c, Qt::Key_Return);
    };
    if (metodo == kMetodoColumnaProbable) {
      for (int m = 1; m <= kPartidosPorcentaje; ++m) clic(panel->probable(), m - 1, m % 3);
      lista("Pic_BotMinErr", "Lis_MinErrores", 2);
      lista("Pic_BotMaxErr", "Lis_MaxErrores", 6);
    } else if (metodo == kMetodoSeleccionSignos) {
      for (int n = 3; n <= 9; ++n) clic(panel->signos(), n, 0);
      for (int n = 2; n <= 6; ++n) clic(panel->signos(), n, 1);
      for (int n = 1; n <= 5; ++n) clic(panel->signos(), n, 2);
    } else if (metodo == kMetodoBalanceSignos) {
      caja("Pic_BotMinPor", "Tex_RangoMin", "30");
      caja("Pic_BotMaxPor", "Tex_RangoMax", "45");
    } else if (metodo == kMetodoManual) {
      QTest::mouseClick(p->findChild<QCheckBox*>(QStringLiteral("Chk_IncluirExterno")),
                        Qt::LeftButton);
    }
    QTest::keyClicks(p->findChild<QLineEdit*>(QStringLiteral("Tex_Descripcion")),
                     QStringLiteral("Quince triples del domingo"));
    // A click that changes nothing visible, to redraw every figure from the full model.
    RejillaBase* base = panel->base();
    const int fila = metodo == kMetodoBalanceSignos ? 0 : 2;
    const QPoint celda = base->CentroDe(Celda{fila, 1});
    QTest::mousePress(base, Qt::LeftButton, Qt::NoModifier, celda);
    QTest::mousePress(base, Qt::LeftButton, Qt::NoModifier, celda);
    QCoreApplication::processEvents();

    std::vector<double> tiempos;
    QElapsedTimer reloj;
    for (int i = 0; i < 40; ++i) {
      reloj.start();
      QTest::mousePress(base, Qt::LeftButton, Qt::NoModifier, celda);
      QCoreApplication::processEvents();
      tiempos.push_back(static_cast<double>(reloj.nsecsElapsed()) / 1e6);
    }
    std::vector<double> barras;
    if (metodo == kMetodoBalanceSignos) {
      // Dragging a bar recomputes the distribution of 3^14 sums at every step.
      RejillaPorBar* bar = panel->porBar();
      const QRect r = bar->RectDe(Celda{4, 1});
      QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(r.left() + 15, r.center().y()));
      for (int i = 0; i < 30; ++i) {
        reloj.start();
        Mueve(bar, QPoint(r.left() + 10 + i % 20, r.center().y()), Qt::LeftButton);
        QCoreApplication::processEvents();
        barras.push_back(static_cast<double>(reloj.nsecsElapsed()) / 1e6);
      }
      QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, r.center());
    }
    qInfo("metodo %d: clic en la base completa, mediana %.2f ms, maximo %.2f ms%s", metodo,
          Mediana(tiempos), *std::max_element(tiempos.begin(), tiempos.end()),
          barras.empty()
              ? ""
              : qPrintable(QStringLiteral("; arrastre de barra, mediana %1 ms, maximo %2 ms")
                               .arg(Mediana(barras), 0, 'f', 2)
                               .arg(*std::max_element(barras.begin(), barras.end()), 0, 'f', 2)));

    // What the screen shows is what the engine computes for the model it holds.
    Reduccion copia = s.e.estado.reduccion;
    const Cifras c = RecalculaReduccion(copia, p->externo());
    QCOMPARE(p->findChild<PanelEsta*>(QStringLiteral("Pic_Esta"))->lineas(),
             PanelCifras(c, s.e.estado.datos.Precio));
    QVERIFY(p->findChild<GraficoReduccion*>(QStringLiteral("Pic_Grafico"))->cifras() == c);
    QVERIFY(c.ApuestasBase == 14348907);

    Captura(QStringLiteral("reducir_metodo%1").arg(metodo));
    if (!Carpeta().isEmpty()) {
      // The chart with the tool tip of a class under the pointer.
      auto* grafico = p->findChild<GraficoReduccion*>(QStringLiteral("Pic_Grafico"));
      const int clase = metodo == kMetodoBalanceSignos ? 35 : 5;
      const QPoint punto(grafico->CentroClase(clase), grafico->AreaBarras().center().y());
      QCursor::setPos(grafico->mapToGlobal(punto));
      Mueve(grafico, punto, Qt::NoButton);
      QCOMPARE(grafico->toolTip(), Utf(TextoAyudaGrafico(c, clase)));
      Captura(QStringLiteral("reducir_grafico%1").arg(metodo));
      QToolTip::hideText();
    }
    if (!Carpeta().isEmpty() && metodo == kMetodoManual) {
      QSignalSpy fin(p, &PantallaReducir::reduccionTerminada);
      Pulsa(p, QStringLiteral("Pic_BotReducir"));
      auto* porcen = p->findChild<PanelProgreso*>(QStringLiteral("Pic_Porcen"));
      QTRY_VERIFY_WITH_TIMEOUT(porcen->porcentaje() >= 20, 60000);
      Captura(QStringLiteral("reducir_en_marcha"), 20);
      Pulsa(p, QStringLiteral("Pic_BotCancelar"));
      QTRY_VERIFY_WITH_TIMEOUT(fin.count() == 1, 60000);
      Captura(QStringLiteral("reducir_al_terminar"));
      Pulsa(p, QStringLiteral("Pic_BotSalirPorcen"));
    }
  }
};

QTEST_MAIN(PruebaClic)
#include "reducir_clic_test.moc"

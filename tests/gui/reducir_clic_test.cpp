// How long a click on the reduction screen takes on the largest base (15 triples), for
// every method: the edit, the figures recomputed by the engine and the repaint of what
// changed. The times are logged, never asserted; what is checked is that the figures shown
// after the clicks are the engine's. With ZENDO_CAPTURAS=<folder> (and a real display, e.g.
// under xvfb-run with QT_QPA_PLATFORM=xcb) it also saves pictures of the screens.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>

#include "engine/reduction/edicion.h"
#include "escenario_reducir.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

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
    Escenario s;
    s.e.estado.datos.Metodo = static_cast<int16_t>(metodo);
    if (metodo == kMetodoManual) {
      std::string externo;
      for (int i = 0; i < 300; ++i) {
        std::string col;
        for (int m = 0; m < 15; ++m) col += "1X2"[(i * 7 + m * (i % 5 + 1)) % 3];
        externo += "\"" + col + "\"\r\n";
      }
      PonBytes(s.e.ruta("Q44F1201.TVF"), externo);
    }
    s.Abre();
    PantallaReducir* p = s.p.get();
    PanelQuiniela* panel = s.panel();
    // The largest base and the criteria of the method, through the screen's controls.
    s.Pulsa("Pic_BotSelTodo");
    if (metodo == kMetodoColumnaProbable) {
      for (int m = 1; m <= kPartidosPorcentaje; ++m) ClicCelda(panel->probable(), m - 1, m % 3);
      s.EligeEnLista("Pic_BotMinErr", "Lis_MinErrores", 2);
      s.EligeEnLista("Pic_BotMaxErr", "Lis_MaxErrores", 6);
    } else if (metodo == kMetodoSeleccionSignos) {
      for (int n = 3; n <= 9; ++n) ClicCelda(panel->signos(), n, 0);
      for (int n = 2; n <= 6; ++n) ClicCelda(panel->signos(), n, 1);
      for (int n = 1; n <= 5; ++n) ClicCelda(panel->signos(), n, 2);
    } else if (metodo == kMetodoBalanceSignos) {
      s.TecleaEnCaja("Pic_BotMinPor", "Tex_RangoMin", QStringLiteral("30"));
      s.TecleaEnCaja("Pic_BotMaxPor", "Tex_RangoMax", QStringLiteral("45"));
    } else if (metodo == kMetodoManual) {
      QTest::mouseClick(s.C<QCheckBox>("Chk_IncluirExterno"), Qt::LeftButton);
    }
    QTest::keyClicks(s.C<QLineEdit>("Tex_Descripcion"), "Quince triples del domingo");
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
        MueveRaton(bar, QPoint(r.left() + 10 + i % 20, r.center().y()), Qt::LeftButton);
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
    QCOMPARE(s.Cifras(), PanelCifras(c, s.e.estado.datos.Precio));
    QVERIFY(s.C<GraficoReduccion>("Pic_Grafico")->cifras() == c);
    QVERIFY(c.ApuestasBase == 14348907);

    Captura(QStringLiteral("reducir_metodo%1").arg(metodo));
    if (!Carpeta().isEmpty()) {
      // The chart with the tool tip of a class under the pointer.
      auto* grafico = s.C<GraficoReduccion>("Pic_Grafico");
      const int clase = metodo == kMetodoBalanceSignos ? 35 : 5;
      const QPoint punto(grafico->CentroClase(clase), grafico->AreaBarras().center().y());
      QCursor::setPos(grafico->mapToGlobal(punto));
      MueveRaton(grafico, punto);
      QCOMPARE(grafico->toolTip(), Utf(TextoAyudaGrafico(c, clase)));
      Captura(QStringLiteral("reducir_grafico%1").arg(metodo));
      QToolTip::hideText();
    }
    if (!Carpeta().isEmpty() && metodo == kMetodoManual) {
      QSignalSpy fin(p, &PantallaReducir::reduccionTerminada);
      s.Pulsa("Pic_BotReducir");
      auto* porcen = s.C<PanelProgreso>("Pic_Porcen");
      QTRY_VERIFY_WITH_TIMEOUT(porcen->porcentaje() >= 20, 60000);
      Captura(QStringLiteral("reducir_en_marcha"), 20);
      s.Pulsa("Pic_BotCancelar");
      QTRY_VERIFY_WITH_TIMEOUT(fin.count() == 1, 60000);
      Captura(QStringLiteral("reducir_al_terminar"));
      s.Pulsa("Pic_BotSalirPorcen");
    }
  }
};

QTEST_MAIN(PruebaClic)
#include "reducir_clic_test.moc"

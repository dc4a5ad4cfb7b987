// The "Garantía" panel: what it shows of real reductions, its failures, and Cancelar.

#include "gui/consult/garantia.h"

#include <QProgressBar>
#include <chrono>
#include <thread>

#include "apoyo_gui.h"
#include "tests/engine/garantia/apoyo_garantia.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

// The panel of the reduction `r`, reduced in the data folder of `e`, once computed.
std::unique_ptr<DialogoGarantia> Abre(Entorno& e, Reduccion r) {
  if (!Reduce(e.estado.rutaDatos, r)) qFatal("no se pudo reducir");
  e.estado.reduccion = r;
  auto d = std::make_unique<DialogoGarantia>(e.servicios, nullptr);
  d->show();
  return d;
}

QString Texto(QWidget* d, const char* etiqueta) {
  return Control<QLabel>(d, etiqueta)->text();
}

// A computation that reports 37 % and waits for Cancelar.
ResultadoGarantia HastaCancelar(const std::filesystem::path&, const Reduccion&,
                                const ProgresoGarantia& progreso,
                                const std::atomic<bool>& cancelar) {
  progreso(37);
  ResultadoGarantia res;
  for (int i = 0; i < 2000 && !cancelar; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  res.estado = cancelar ? EstadoGarantia::Cancelada : EstadoGarantia::Fallo;
  return res;
}

}  // namespace

class PruebaGarantia : public QObject {
  Q_OBJECT

 private slots:
  void MuestraLaGarantiaLaTablaYElGrafico() {
    Entorno e;
    auto d = Abre(e, Base(kMetodoDirecto, 4));
    QTRY_VERIFY(d->terminado());
    QCOMPARE(Texto(d.get(), "Lab_Reduccion"), QStringLiteral("Jornada 1, orden 1: Método Directo"));
    QCOMPARE(
        Texto(d.get(), "Lab_Garantia"),
        QStringLiteral("Garantía: 13 aciertos si el resultado está dentro de la Quiniela Base"));
    QCOMPARE(Texto(d.get(), "Lab_Resumen"),
             QStringLiteral("Columnas ganadoras de la Quiniela Base: 81     Columnas de la "
                            "reducción: 9"));
    QVERIFY(Control<QWidget>(d.get(), "Pic_TablaGarantia")->isVisible());
    QVERIFY(Control<QWidget>(d.get(), "Pic_GraficoGarantia")->isVisible());
    QVERIFY(!Control<QWidget>(d.get(), "Pic_Progreso")->isVisible());
    QCOMPARE(d->panel().filas.size(), std::size_t{5});
    QCOMPARE(d->panel().filas[1].alMenos, std::string("81"));
    QVERIFY(!d->panel().ponderada);
    QVERIFY(d->width() <= 800 && d->height() <= 570);

    QCOMPARE(Control(d.get(), "Pic_BotAyuda")->toolTip(),
             QStringLiteral("Ayuda de Garantía de la reducción"));
    Pulsa(d.get(), "Pic_BotAyuda");
    QCOMPARE(e.ayuda.temas, std::vector<int>{kAyudaGarantia});
    Pulsa(d.get(), "Pic_BotSalir");
    QVERIFY(!d->isVisible());
  }

  void ElMetodoCuatroAnadeLaProbabilidad() {
    Entorno e;
    Reduccion r = Base(kMetodoBalanceSignos, 0);
    r.Probabilidad[1] = {0, 60, 40, 0};
    r.MinPorcentaje = 97;
    r.MaxPorcentaje = 100;
    auto d = Abre(e, r);
    QTRY_VERIFY(d->terminado());
    QVERIFY(d->panel().ponderada);
    QCOMPARE(d->panel().filas[0].probabilidadExacta, std::string("60,0000 %"));
    QCOMPARE(
        Texto(d.get(), "Lab_Garantia"),
        QStringLiteral("Garantía: 13 aciertos si el resultado está dentro de la Quiniela Base"));
  }

  void SinColumnasOSinFicheroLoDice() {
    Entorno e;
    auto d = Abre(e, Base(kMetodoManual, 3));
    QTRY_VERIFY(d->terminado());
    d.reset();
    PonBytes(e.ruta("RED0101.TVX"), "");
    d = std::make_unique<DialogoGarantia>(e.servicios, nullptr);
    d->show();
    QTRY_VERIFY(d->terminado());
    QCOMPARE(Texto(d.get(), "Lab_Garantia"),
             QStringLiteral("La reducción no tiene ninguna columna: no hay garantía."));
    QVERIFY(!Control<QWidget>(d.get(), "Pic_TablaGarantia")->isVisible());
    // Only the sentences: the panel shrinks to them, Salir under them.
    QVERIFY(d->height() < 250);
    QVERIFY(Control(d.get(), "Pic_BotSalir")->geometry().bottom() < d->height());
    QVERIFY(e.mensajero.avisos.empty());

    std::filesystem::remove(e.ruta("RED0101.TVX"));
    d = std::make_unique<DialogoGarantia>(e.servicios, nullptr);
    d->show();
    QTRY_VERIFY(d->terminado());
    QCOMPARE(Texto(d.get(), "Lab_Garantia"),
             QStringLiteral("No se ha podido calcular la garantía."));
    QCOMPARE(e.mensajero.avisos, std::vector<QString>{QStringLiteral(
                                     "No se encuentra el fichero RED0101.TVX de la reducción.")});
  }

  void CancelarDetieneUnCalculoLargo() {
    Entorno e;
    e.estado.reduccion = Base(kMetodoManual, 3);
    DialogoGarantia d(e.servicios, nullptr, HastaCancelar, 50);
    d.show();
    // After a moment the progress and Cancelar appear.
    QTRY_VERIFY(Control(&d, "Pic_BotCancelar")->isVisible());
    QTRY_COMPARE(Control<QProgressBar>(&d, "Pic_Progreso")->value(), 37);
    Pulsa(&d, "Pic_BotCancelar");
    QTRY_VERIFY(d.terminado());
    QCOMPARE(Texto(&d, "Lab_Garantia"),
             QStringLiteral("Se ha cancelado el cálculo de la garantía."));
    QVERIFY(!Control(&d, "Pic_BotCancelar")->isVisible());
    QCOMPARE(e.sonido.tocados, std::vector<int>{kSonidoAyuda});
  }

  void SalirDuranteElCalculoLoDetiene() {
    Entorno e;
    e.estado.reduccion = Base(kMetodoManual, 3);
    DialogoGarantia d(e.servicios, nullptr, HastaCancelar, 50);
    d.show();
    QTRY_VERIFY(d.calculando());
    const auto t0 = std::chrono::steady_clock::now();
    Pulsa(&d, "Pic_BotSalir");
    QVERIFY(!d.isVisible());
    QVERIFY(!d.calculando());
    // Stopped by the flag, not by the computation's own ten seconds.
    QVERIFY(std::chrono::steady_clock::now() - t0 < std::chrono::seconds(5));
  }
};

QTEST_MAIN(PruebaGarantia)
#include "garantia_test.moc"

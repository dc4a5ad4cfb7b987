// The general data screen.

#include "gui/screens/datosgen.h"
#include "apoyo_gui.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

struct Pantalla {
  Pantalla() {
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    d = std::make_unique<PantallaDatosGen>(e.servicios);
    d->show();
  }
  Entorno e;
  std::unique_ptr<PantallaDatosGen> d;
  QString Rotulo(const char* boton) { return prueba::Rotulo(d.get(), boton); }
  bool GuardarVisible() { return Control(d.get(), "Pic_BotGuardar")->isVisible(); }
  void Teclea(const char* boton, const char* caja, const QString& texto) {
    TecleaEnCaja(d.get(), boton, caja, texto);
  }
  QString Caja(const char* caja) { return Control<QLineEdit>(d.get(), caja)->text(); }
};

}  // namespace

class PruebaDatosGen : public QObject {
  Q_OBJECT

 private slots:
  void AbreConLosValoresYSinGuardar() {
    Pantalla p;
    QCOMPARE(p.Rotulo("Pic_BotTotJor"), QStringLiteral("Total jornadas:  55"));
    QCOMPARE(p.Rotulo("Pic_BotTotOrd"), QStringLiteral("Total reducciones:  30"));
    QCOMPARE(p.Rotulo("Pic_BotPreApu"), QStringLiteral("Precio apuesta: 0.50"));
    QCOMPARE(p.Rotulo("Pic_BotSonido"), QStringLiteral("Sonido activado:  Si"));
    QCOMPARE(p.Rotulo("Pic_BotDelega"), QStringLiteral("Código Delegación: 00"));
    QCOMPARE(p.Rotulo("Pic_BotReceptor"), QStringLiteral("Código Receptor: 00000"));
    QVERIFY(!p.GuardarVisible());
    QVERIFY(p.e.sonido.tocados.empty());  // filling the screen makes no sound
    QCOMPARE(p.Caja("Tex_TotJor"), QStringLiteral("55"));
    QCOMPARE(Control<QLineEdit>(p.d.get(), "Tex_Receptor")->maxLength(), 5);
  }

  void TotalesFueraDeLimites_data() {
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("cambia");
    QTest::newRow("0") << "0" << 60 << true;
    QTest::newRow("75") << "75" << 60 << true;
    QTest::newRow("38") << "38" << 38 << true;
    QTest::newRow("vacío") << "" << 60 << true;
    QTest::newRow("igual") << "55" << 55 << false;
  }
  void TotalesFueraDeLimites() {
    QFETCH(QString, tecleado);
    QFETCH(int, total);
    QFETCH(bool, cambia);
    Pantalla p;
    p.Teclea("Pic_BotTotJor", "Tex_TotJor", tecleado);
    QCOMPARE(int(p.e.estado.datos.TotalJornadas), total);
    QCOMPARE(p.Caja("Tex_TotJor"), QString::number(total));
    QCOMPARE(p.Rotulo("Pic_BotTotJor"), QStringLiteral("Total jornadas:  %1").arg(total));
    QCOMPARE(p.GuardarVisible(), cambia);
    QCOMPARE(p.e.sonido.tocados, (std::vector<int>{6, 7}));
  }

  void PrecioYCodigos() {
    Pantalla p;
    p.Teclea("Pic_BotDelega", "Tex_Delegacion", "0");  // 00 as before
    QVERIFY(!p.GuardarVisible());
    p.Teclea("Pic_BotPreApu", "Tex_PreApu", ".50");  // 0.5, the same price
    QVERIFY(!p.GuardarVisible());
    p.Teclea("Pic_BotPreApu", "Tex_PreApu", "1.5");
    QCOMPARE(p.e.estado.datos.PrecioApuesta, std::string("1.5 "));
    QCOMPARE(p.e.estado.datos.Precio, 1.5f);
    QVERIFY(p.GuardarVisible());
    p.Teclea("Pic_BotPreApu", "Tex_PreApu", ".5");
    QCOMPARE(p.e.estado.datos.PrecioApuesta, std::string("0.5 "));
    QCOMPARE(p.Caja("Tex_PreApu"), QStringLiteral("0.5"));
    QCOMPARE(p.Rotulo("Pic_BotPreApu"), QStringLiteral("Precio apuesta: 0.5 "));

    p.Teclea("Pic_BotDelega", "Tex_Delegacion", "7");
    QCOMPARE(p.e.estado.datos.CodigoDelegacion, std::string("07"));
    p.Teclea("Pic_BotReceptor", "Tex_Receptor", "123");
    QCOMPARE(p.e.estado.datos.CodigoReceptor, std::string("00123"));
    QCOMPARE(p.Caja("Tex_Receptor"), QStringLiteral("00123"));
    QCOMPARE(p.Rotulo("Pic_BotReceptor"), QStringLiteral("Código Receptor: 00123"));
  }

  void LasLetrasSeQuitanAlTeclear() {
    Pantalla p;
    Pulsa(p.d.get(), "Pic_BotTotOrd");
    auto* caja = Control<QLineEdit>(p.d.get(), "Tex_TotOrd");
    caja->clear();
    QTest::keyClicks(caja, "1a");
    QCOMPARE(caja->text(), QStringLiteral("1"));
    QCOMPARE(caja->cursorPosition(), 1);
    QTest::keyClicks(caja, ".2");
    QCOMPARE(caja->text(), QStringLiteral("12"));

    Pulsa(p.d.get(), "Pic_BotPreApu");  // opening another box closes this one
    QVERIFY(!caja->isVisible());
    QCOMPARE(p.e.estado.datos.TotalOrdenes, int16_t{12});
    auto* precio = Control<QLineEdit>(p.d.get(), "Tex_PreApu");
    precio->clear();
    QTest::keyClicks(precio, "1,x.25");
    QCOMPARE(precio->text(), QStringLiteral("1.25"));
  }

  void SonidoDesdeLaLista() {
    Pantalla p;
    Pulsa(p.d.get(), "Pic_BotSonido");
    auto* lista = Control<QListWidget>(p.d.get(), "Lis_Sonido");
    QVERIFY(lista->isVisible());
    QCOMPARE(lista->currentItem()->text(), QStringLiteral("Si"));
    ClicFila(lista, 1);
    QCOMPARE(p.e.estado.datos.Sonido, std::string("No"));
    QCOMPARE(p.Rotulo("Pic_BotSonido"), QStringLiteral("Sonido activado:  No"));
    QVERIFY(p.GuardarVisible());
  }

  void GuardarEscribeElFichero() {
    Pantalla p;
    p.Teclea("Pic_BotTotJor", "Tex_TotJor", "38");
    p.Teclea("Pic_BotReceptor", "Tex_Receptor", "4521");
    Pulsa(p.d.get(), "Pic_BotGuardar");
    QVERIFY(!p.GuardarVisible());
    QCOMPARE(
        Bytes(p.e.ruta("DATOSGEN.TVX")),
        std::string("1,\"30/08/09\",1,1,0,0,0,0,1,38,30,\"0.50\",\"00\",\"04521\",\"Si\"\r\n"));
    p.d->reject();
    QCOMPARE(p.e.estado.datos.TotalJornadas, int16_t{38});
  }

  // The current jornada chosen on another screen lives in memory until the program ends:
  // leaving without Guardar must neither bring back the one in the file nor keep the edits.
  void SalirSinGuardarDejaTodoComoEstaba() {
    Pantalla p;
    p.e.estado.datos.Jornada = 14;
    p.e.estado.datos.Orden = 2;
    const std::string antes = Bytes(p.e.ruta("DATOSGEN.TVX"));
    const DatosGenerales datosAntes = p.e.estado.datos;
    p.Teclea("Pic_BotTotJor", "Tex_TotJor", "20");
    p.Teclea("Pic_BotPreApu", "Tex_PreApu", "2");
    Pulsa(p.d.get(), "Pic_BotAyuda");
    QCOMPARE(p.e.ayuda.temas, std::vector<int>{2800});
    QVERIFY(p.d->isVisible());
    Pulsa(p.d.get(), "Pic_BotSalir");
    QVERIFY(!p.d->isVisible());
    QCOMPARE(p.e.sonido.tocados.back(), 5);
    QCOMPARE(Bytes(p.e.ruta("DATOSGEN.TVX")), antes);
    QCOMPARE(p.e.estado.datos, datosAntes);
    QCOMPARE(p.e.estado.datos.TotalJornadas, int16_t{55});
  }

  void LaOrdenActualBajaAlTotalGuardado() {
    Pantalla p;
    p.e.estado.datos.Orden = 12;
    p.Teclea("Pic_BotTotOrd", "Tex_TotOrd", "10");
    Pulsa(p.d.get(), "Pic_BotGuardar");
    Pulsa(p.d.get(), "Pic_BotSalir");
    QCOMPARE(p.e.estado.datos.Orden, int16_t{10});
    QCOMPARE(p.e.estado.datos.TotalOrdenes, int16_t{10});
  }

  void GuardarSinPoderEscribir() {
    Pantalla p;
    std::filesystem::remove(p.e.ruta("DATOSGEN.TVX"));
    std::filesystem::create_directory(p.e.ruta("DATOSGEN.TVX"));
    p.Teclea("Pic_BotTotJor", "Tex_TotJor", "30");
    Pulsa(p.d.get(), "Pic_BotGuardar");
    QCOMPARE(p.e.mensajero.mensajes.size(), std::size_t{1});
    QVERIFY(Utf(p.e.mensajero.mensajes[0].texto).contains(QStringLiteral("DATOSGEN.TVX")));
    QCOMPARE(p.e.mensajero.mensajes[0].contexto, 2800);
    // The screen stays usable and Guardar can be tried again.
    QVERIFY(p.GuardarVisible());
    QVERIFY(!Control(p.d.get(), "Pic_BotGuardar")->pulsado());
    std::filesystem::remove(p.e.ruta("DATOSGEN.TVX"));
    Pulsa(p.d.get(), "Pic_BotGuardar");
    QVERIFY(!p.GuardarVisible());
    QVERIFY(Bytes(p.e.ruta("DATOSGEN.TVX")).find(",30,30,") != std::string::npos);
  }
};

QTEST_MAIN(PruebaDatosGen)
#include "datosgen_test.moc"

// The general data screen.

#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

#include "apoyo_gui.h"
#include "engine/core/datos_generales.h"
#include "gui/screens/datosgen.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

// Opens the box of a setting button, types into it and closes it with Enter.
void Teclea(QWidget* pantalla, const char* boton, const char* caja, const QString& texto) {
  Pulsa(pantalla, boton);
  auto* edit = Control<QLineEdit>(pantalla, caja);
  QVERIFY(edit->isVisible());
  edit->clear();
  QTest::keyClicks(edit, texto);
  QTest::keyClick(edit, Qt::Key_Return);
  QVERIFY(!edit->isVisible());
}

struct Pantalla {
  Pantalla() {
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    d = std::make_unique<PantallaDatosGen>(e.servicios);
    d->show();
  }
  Entorno e;
  std::unique_ptr<PantallaDatosGen> d;
  QString Rotulo(const char* boton) { return Control(d.get(), boton)->texto(); }
  bool GuardarVisible() { return Control(d.get(), "Pic_BotGuardar")->isVisible(); }
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
    QCOMPARE(Control(p.d.get(), "Pic_BotTotJor")->width(), 160);
    QCOMPARE(Control<QLineEdit>(p.d.get(), "Tex_TotJor")->text(), QStringLiteral("55"));
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
    Teclea(p.d.get(), "Pic_BotTotJor", "Tex_TotJor", tecleado);
    QCOMPARE(int(p.e.estado.datos.TotalJornadas), total);
    QCOMPARE(Control<QLineEdit>(p.d.get(), "Tex_TotJor")->text(), QString::number(total));
    QCOMPARE(p.Rotulo("Pic_BotTotJor"), QStringLiteral("Total jornadas:  %1").arg(total));
    QCOMPARE(p.GuardarVisible(), cambia);
    QCOMPARE(p.e.sonido.tocados, (std::vector<int>{6, 7}));
  }

  void PrecioYCodigos() {
    Pantalla p;
    Teclea(p.d.get(), "Pic_BotPreApu", "Tex_PreApu", "1.5");
    QCOMPARE(p.e.estado.datos.PrecioApuesta, std::string("1.5 "));
    QCOMPARE(p.e.estado.datos.Precio, 1.5f);
    QVERIFY(p.GuardarVisible());
    Teclea(p.d.get(), "Pic_BotPreApu", "Tex_PreApu", ".5");
    QCOMPARE(p.e.estado.datos.PrecioApuesta, std::string("0.5 "));
    QCOMPARE(Control<QLineEdit>(p.d.get(), "Tex_PreApu")->text(), QStringLiteral("0.5"));
    QCOMPARE(p.Rotulo("Pic_BotPreApu"), QStringLiteral("Precio apuesta: 0.5 "));

    Teclea(p.d.get(), "Pic_BotDelega", "Tex_Delegacion", "7");
    QCOMPARE(p.e.estado.datos.CodigoDelegacion, std::string("07"));
    Teclea(p.d.get(), "Pic_BotReceptor", "Tex_Receptor", "123");
    QCOMPARE(p.e.estado.datos.CodigoReceptor, std::string("00123"));
    QCOMPARE(Control<QLineEdit>(p.d.get(), "Tex_Receptor")->text(), QStringLiteral("00123"));
    QCOMPARE(p.Rotulo("Pic_BotReceptor"), QStringLiteral("Código Receptor: 00123"));
  }

  void UnCodigoIgualNoMuestraGuardar() {
    Pantalla p;
    Teclea(p.d.get(), "Pic_BotDelega", "Tex_Delegacion", "0");  // 00 as before
    QVERIFY(!p.GuardarVisible());
    Teclea(p.d.get(), "Pic_BotPreApu", "Tex_PreApu", ".50");  // 0.5, the same price
    QVERIFY(!p.GuardarVisible());
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
    QListWidgetItem* no = lista->item(1);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier,
                      lista->visualItemRect(no).center());
    QVERIFY(!lista->isVisible());
    QCOMPARE(p.e.estado.datos.Sonido, std::string("No"));
    QCOMPARE(p.Rotulo("Pic_BotSonido"), QStringLiteral("Sonido activado:  No"));
    QVERIFY(p.GuardarVisible());
  }

  void GuardarEscribeElFichero() {
    Pantalla p;
    Teclea(p.d.get(), "Pic_BotTotJor", "Tex_TotJor", "38");
    Teclea(p.d.get(), "Pic_BotReceptor", "Tex_Receptor", "4521");
    Pulsa(p.d.get(), "Pic_BotGuardar");
    QVERIFY(!p.GuardarVisible());
    QCOMPARE(
        Bytes(p.e.ruta("DATOSGEN.TVX")),
        std::string("1,\"30/08/09\",1,1,0,0,0,0,1,38,30,\"0.50\",\"00\",\"04521\",\"Si\"\r\n"));
    p.d->reject();
    QCOMPARE(p.e.estado.datos.TotalJornadas, int16_t{38});
  }

  void SalirSinGuardarDejaTodoComoEstaba() {
    Pantalla p;
    const std::string antes = Bytes(p.e.ruta("DATOSGEN.TVX"));
    const DatosGenerales datosAntes = p.e.estado.datos;
    Teclea(p.d.get(), "Pic_BotTotJor", "Tex_TotJor", "20");
    Teclea(p.d.get(), "Pic_BotPreApu", "Tex_PreApu", "2");
    Pulsa(p.d.get(), "Pic_BotSalir");
    QVERIFY(!p.d->isVisible());
    QCOMPARE(p.e.sonido.tocados.back(), 5);
    QCOMPARE(Bytes(p.e.ruta("DATOSGEN.TVX")), antes);
    QCOMPARE(p.e.estado.datos, datosAntes);
  }

  void LaReduccionActualNoSePierdeAlSalir() {
    // The current jornada chosen on another screen lives in memory until the program
    // ends; leaving this screen must not bring back the one in the file.
    Pantalla p;
    p.e.estado.datos.Jornada = 14;
    p.e.estado.datos.Orden = 2;
    Teclea(p.d.get(), "Pic_BotTotJor", "Tex_TotJor", "20");
    p.d->reject();
    QCOMPARE(p.e.estado.datos.Jornada, int16_t{14});
    QCOMPARE(p.e.estado.datos.Orden, int16_t{2});
    QCOMPARE(p.e.estado.datos.TotalJornadas, int16_t{55});
  }

  void LaOrdenActualBajaAlTotalGuardado() {
    Pantalla p;
    p.e.estado.datos.Orden = 12;
    Teclea(p.d.get(), "Pic_BotTotOrd", "Tex_TotOrd", "10");
    Pulsa(p.d.get(), "Pic_BotGuardar");
    Pulsa(p.d.get(), "Pic_BotSalir");
    QCOMPARE(p.e.estado.datos.Orden, int16_t{10});
    QCOMPARE(p.e.estado.datos.TotalOrdenes, int16_t{10});
  }

  void GuardarSinPoderEscribir() {
    Pantalla p;
    std::filesystem::remove(p.e.ruta("DATOSGEN.TVX"));
    std::filesystem::create_directory(p.e.ruta("DATOSGEN.TVX"));
    Teclea(p.d.get(), "Pic_BotTotJor", "Tex_TotJor", "30");
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

  void AyudaDeLaPantalla() {
    Pantalla p;
    Pulsa(p.d.get(), "Pic_BotAyuda");
    QCOMPARE(p.e.ayuda.temas, std::vector<int>{2800});
    QVERIFY(p.d->isVisible());
  }
};

QTEST_MAIN(PruebaDatosGen)
#include "datosgen_test.moc"

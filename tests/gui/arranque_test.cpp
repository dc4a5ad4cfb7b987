// Start-up and the main menu.

#include "gui/shell/arranque.h"
#include "apoyo_gui.h"
#include "engine/core/fichero.h"
#include "gui/pantallas.h"
#include "gui/shell/menu.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

const std::string kLineaDefecto =
    "1,\"30/08/09\",1,1,0,0,0,0,1,55,30,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";

std::unique_ptr<MenuPrincipal> Abre(Entorno& e, QSize pantalla = QSize(1280, 1024)) {
  return Arranca(e.servicios, pantalla, RegistraPantallas);
}

}  // namespace

class PruebaArranque : public QObject {
  Q_OBJECT

 private slots:
  void PrimerArranqueConCarpetaVacia() {
    Entorno e;
    auto menu = Abre(e, QSize(1024, 600));
    QVERIFY(menu != nullptr);
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->objectName(), QStringLiteral("zendo"));
    // The message about the missing file, once, in the system message box.
    QCOMPARE(e.mensajero.avisos.size(), std::size_t{1});
    QCOMPARE(e.mensajero.avisos[0],
             QStringLiteral("No se encuentra el fichero de datos generales DATOSGEN.TVX.\r\nSe "
                            "ha procedido a crearlo automáticamente con los valores "
                            "establecidos por defecto."));
    QCOMPARE(Bytes(e.ruta("DATOSGEN.TVX")), kLineaDefecto);
    QCOMPARE(e.estado.datos.Jornada, int16_t{1});
    QCOMPARE(e.estado.datos.Orden, int16_t{1});
    // Then the greeting.
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});
    const Mensaje& saludo = e.mensajero.mensajes[0];
    QCOMPARE(saludo.titulo, std::string("Zendo 3.4"));
    QCOMPARE(saludo.texto, Cp("Si desea consultar una descripción general de este  programa  "
                              "para  conocer  rápidamente su funcionamiento, pulse el botón de "
                              "Ayuda."));
    QCOMPARE(saludo.lineas, 3);
    QCOMPARE(saludo.botones, 1);
    QCOMPARE(saludo.contexto, 1120);

    // A second start reads the file without a message.
    Entorno otro;
    otro.estado.rutaDatos = e.estado.rutaDatos;
    auto menu2 = Abre(otro, QSize(1024, 600));
    QVERIFY(otro.mensajero.avisos.empty());
  }

  void ElTituloDelMenuNoRepiteElNombre() {
    // The desktop appends the display name to a title that does not end with it: the
    // menu's title must end with it, so that it reads "Zendo 3.4" alone.
    IdentificaPrograma();
    Entorno e;
    auto menu = Abre(e);
    QCOMPARE(menu->windowTitle(), QStringLiteral("Zendo 3.4"));
    QVERIFY(menu->windowTitle().endsWith(QGuiApplication::applicationDisplayName()));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Zendo"));
  }

  void PantallaEstrecha() {
    Entorno e;
    auto menu = Abre(e, QSize(640, 480));
    QVERIFY(menu == nullptr);
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});
    const Mensaje& m = e.mensajero.mensajes[0];
    QCOMPARE(Utf(m.titulo), QStringLiteral("Resolución de pantalla"));
    QVERIFY(Utf(m.texto).contains(QStringLiteral("pantalla es  de  (640x480).   Debería")));
    QCOMPARE(m.lineas, 7);
    QCOMPARE(m.botones, 1);
    QCOMPARE(m.contexto, 1040);
    // Nothing was read or written.
    QVERIFY(!std::filesystem::exists(e.ruta("DATOSGEN.TVX")));
    QVERIFY(e.mensajero.avisos.empty());
  }

  void OtrosErroresDeLectura() {
    Entorno e;
    // DATOSGEN.TVX that cannot be read as a file, whoever runs the test.
    std::filesystem::create_directory(e.ruta("DATOSGEN.TVX"));
    auto menu = Abre(e);
    QVERIFY(menu != nullptr);
    QCOMPARE(e.mensajero.avisos.size(), std::size_t{1});
    // The code as always, the file and the cause below it.
    QCOMPARE(e.mensajero.avisos[0],
             QStringLiteral("LDG ERROR 75\r\nAcceso no permitido al leer DATOSGEN.TVX."));
    QCOMPARE(e.estado.datos, DatosGenerales{});
  }

  void UnSegundoProgramaEnLaMismaCarpetaNoArranca() {
    Entorno e;
    auto primero = ReservaCarpeta(e.servicios, e.estado.rutaDatos);
    QVERIFY(primero.has_value());
    PonBytes(RutaTemporal(e.ruta("RED0101.TVX")), "de una corrida viva");
    Entorno otro;
    otro.estado.rutaDatos = e.estado.rutaDatos;
    QVERIFY(!ReservaCarpeta(otro.servicios, otro.estado.rutaDatos).has_value());
    QCOMPARE(otro.mensajero.mensajes.size(), std::size_t{1});
    QVERIFY(Utf(otro.mensajero.mensajes[0].texto)
                .startsWith(QStringLiteral("Ya hay un programa Zendo abierto con la carpeta de "
                                           "datos ")));
    // The first program's temporary is left alone.
    QVERIFY(std::filesystem::exists(RutaTemporal(e.ruta("RED0101.TVX"))));
    primero.reset();
    QVERIFY(ReservaCarpeta(otro.servicios, otro.estado.rutaDatos).has_value());
    QVERIFY(!std::filesystem::exists(RutaTemporal(e.ruta("RED0101.TVX"))));
  }

  void BotonesDelMenu() {
    Entorno e;
    auto menu = Abre(e);
    const char* textos[] = {"DATOS DE JORNADAS",       "REDUCCIÓN DE APUESTAS",
                            "CONSULTA DE REDUCCIONES", "SALIDA DE DATOS",
                            "ESCRUTINIO DE ACIERTOS",  "DATOS GENERALES",
                            "BORRADO DE DATOS"};
    for (int i = 1; i <= 7; ++i) {
      QCOMPARE(Rotulo(menu.get(), QStringLiteral("Pic_Boton%1").arg(i)),
               QString::fromUtf8(textos[i - 1]));
    }
    // A button whose screen does not exist yet is disabled and does nothing.
    MenuPrincipal vacio(e.servicios);
    e.sonido.tocados.clear();
    for (int i = 1; i <= 7; ++i) {
      QVERIFY(!Control(&vacio, QStringLiteral("Pic_Boton%1").arg(i))->isEnabled());
    }
    Pulsa(&vacio, "Pic_Boton3");
    QVERIFY(e.sonido.tocados.empty());
    int creadas = 0;
    vacio.PonPantalla(3, [&](Servicios& s, QWidget* padre) -> std::unique_ptr<QDialog> {
      ++creadas;
      auto d = std::make_unique<QDialog>(padre);
      d->setObjectName(QStringLiteral("consredu"));
      (void)s;
      return d;
    });
    QVERIFY(Control(&vacio, "Pic_Boton3")->isEnabled());
    // Each click builds the screen afresh.
    for (int vez = 0; vez < 2; ++vez) {
      AlAbrirModal("consredu", [](QDialog* d) { d->reject(); });
      Pulsa(&vacio, "Pic_Boton3");
    }
    QCOMPARE(creadas, 2);

    Pulsa(menu.get(), "Pic_BotAyuda");
    QCOMPARE(e.ayuda.temas.back(), 1110);
  }

  // Every enabled menu button opens its own screen, modal, and is drawn pressed while the
  // screen is open; leaving the screen (by its Salir, for the last) comes back to the menu.
  void CadaBotonAbreSuPantallaModal() {
    const char* pantallas[] = {"jornadas", "reducir",  "consredu", "salida",
                               "escrutin", "datosgen", "borrar"};
    Entorno e;
    auto menu = Abre(e);
    int abiertas = 0;
    for (int i = 1; i <= 7; ++i) {
      const QString boton = QStringLiteral("Pic_Boton%1").arg(i);
      if (!Control(menu.get(), boton)->isEnabled()) continue;
      bool modal = false;
      bool pulsadoMientras = false;
      AlAbrirModal(pantallas[i - 1], [&](QDialog* d) {
        modal = d->isModal() && d->isVisible();
        pulsadoMientras = Control(menu.get(), boton)->pulsado();
        if (i == 7) {
          Pulsa(d, "Pic_BotSalir");
        } else {
          d->reject();
        }
      });
      e.sonido.tocados.clear();
      Pulsa(menu.get(), boton);
      QVERIFY2(modal, pantallas[i - 1]);
      QVERIFY(pulsadoMientras);
      QVERIFY(!Control(menu.get(), boton)->pulsado());
      QCOMPARE(e.sonido.tocados.front(), 6);
      QVERIFY(menu->isVisible());
      QCOMPARE(QApplication::activeModalWidget(), nullptr);
      ++abiertas;
    }
    QCOMPARE(e.sonido.tocados, (std::vector<int>{6, 5}));  // borrar, left by its Salir
    QVERIFY(abiertas >= 2);
    QVERIFY(Control(menu.get(), "Pic_Boton3")->isEnabled());
    QVERIFY(Control(menu.get(), "Pic_Boton6")->isEnabled());
    QVERIFY(Control(menu.get(), "Pic_Boton7")->isEnabled());
  }

  void SalirGuardaYBorraElFicheroDeTrabajo() {
    Entorno e;
    auto menu = Abre(e);
    e.estado.datos.Jornada = 12;
    e.estado.datos.Orden = 3;
    PonBytes(e.ruta("FORBOLW.TVX"), "x");
    Pulsa(menu.get(), "Pic_BotSalir");
    QVERIFY(!menu->isVisible());
    QVERIFY(!std::filesystem::exists(e.ruta("FORBOLW.TVX")));
    QCOMPARE(e.sonido.tocados.back(), 5);
    QVERIFY(Bytes(e.ruta("DATOSGEN.TVX")).rfind("12,\"30/08/09\",3,", 0) == 0);

    // Without a work file, leaving by closing the window ends as well.
    Entorno otro;
    auto menu2 = Abre(otro);
    otro.estado.datos.Orden = 7;
    QVERIFY(menu2->close());
    QVERIFY(Bytes(otro.ruta("DATOSGEN.TVX")).rfind("1,\"30/08/09\",7,", 0) == 0);
  }

  void SalirConLaCarpetaSinEscritura() {
    Entorno e;
    auto menu = Abre(e);
    const std::string antes = Bytes(e.ruta("DATOSGEN.TVX"));
    // The new file cannot take the old one's place: a folder holds its name.
    std::filesystem::remove(e.ruta("DATOSGEN.TVX"));
    std::filesystem::create_directory(e.ruta("DATOSGEN.TVX"));
    e.estado.datos.Jornada = 9;
    e.mensajero.mensajes.clear();
    e.mensajero.respuestas = {false};  // Cancelar: stay in the program
    QVERIFY(!menu->close());
    QVERIFY(menu->isVisible());
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});
    QVERIFY(Utf(e.mensajero.mensajes[0].texto).contains(QStringLiteral("DATOSGEN.TVX")));
    QCOMPARE(e.mensajero.mensajes[0].botones, 2);
    // The program is still usable; once the folder is fixed, leaving saves.
    std::filesystem::remove(e.ruta("DATOSGEN.TVX"));
    QVERIFY(menu->close());
    QVERIFY(Bytes(e.ruta("DATOSGEN.TVX")).rfind("9,", 0) == 0);
    QVERIFY(antes != Bytes(e.ruta("DATOSGEN.TVX")));
  }
};

QTEST_MAIN(PruebaArranque)
#include "arranque_test.moc"

// The shell: drawn buttons, the message dialog, cursors, sounds and help.

#include <QFontInfo>
#include <QTextBrowser>
#include <QTimer>

#include "apoyo_gui.h"
#include "gui/shell/imagenes.h"
#include "gui/shell/mensajes.h"
#include "platform/ayuda_qt.h"
#include "platform/sonido_qt.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

int CuentaColor(const QPixmap& img, QColor color) {
  const QImage i = img.toImage().convertToFormat(QImage::Format_ARGB32);
  int n = 0;
  for (int y = 0; y < i.height(); ++y) {
    for (int x = 0; x < i.width(); ++x) {
      if (i.pixel(x, y) == color.rgba()) ++n;
    }
  }
  return n;
}

Mensaje UnMensaje(int lineas, int botones, int contexto) {
  return Mensaje{"Prueba", Cp("Un texto de prueba."), lineas, botones, contexto};
}

}  // namespace

class PruebaShell : public QObject {
  Q_OBJECT

 private slots:
  void BotonesConAnchoYColoresDeLaTabla() {
    QWidget raiz;
    Boton menu(QStringLiteral("Pic_Boton3"), QStringLiteral("CONSULTA DE REDUCCIONES"), &raiz);
    Boton ajuste(QStringLiteral("Pic_BotTotJor"), QStringLiteral("Total jornadas:  55"), &raiz,
                 Boton::Fuente::Otra);
    QCOMPARE(menu.size(), QSize(215, 24));
    QCOMPARE(ajuste.size(), QSize(160, 24));
    QCOMPARE(menu.cursor().shape(), Qt::BitmapCursor);

    // The face of the caption in its colour, released and pressed.
    QVERIFY(CuentaColor(menu.imagen(), QColor(255, 255, 255)) > 20);
    QCOMPARE(CuentaColor(menu.imagen(), QColor(160, 255, 64)), 0);
    QVERIFY(CuentaColor(ajuste.imagen(), QColor(255, 255, 0)) > 20);
    menu.Dibuja(true);
    QVERIFY(menu.pulsado());
    QVERIFY(CuentaColor(menu.imagen(), QColor(160, 255, 64)) > 20);
    QCOMPARE(CuentaColor(menu.imagen(), QColor(255, 255, 255)), 0);
    const QImage pulsado = menu.imagen().toImage();
    menu.Dibuja(false);
    QVERIFY(menu.imagen().toImage() != pulsado);

    // A caption wider than the button is clipped, never widens it.
    ajuste.PonTexto(QStringLiteral("Un rótulo mucho más ancho que el botón que lo lleva"));
    QCOMPARE(ajuste.width(), 160);
  }

  void BotonActuaAlBajarConCualquierBoton() {
    QWidget raiz;
    Boton b(QStringLiteral("Pic_BotGuardar"), QStringLiteral("Guardar datos"), &raiz);
    int pulsaciones = 0;
    connect(&b, &Boton::pulsadoRaton, [&] { ++pulsaciones; });
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mousePress(&b, Qt::RightButton);
    QCOMPARE(pulsaciones, 2);
    // The pointing hand only over a button that can be pressed.
    QVERIFY(b.testAttribute(Qt::WA_SetCursor));
    b.setEnabled(false);
    QVERIFY(!b.testAttribute(Qt::WA_SetCursor));
    b.setEnabled(true);
    QVERIFY(b.testAttribute(Qt::WA_SetCursor));
  }

  void DialogoAlturasYBotones() {
    Entorno e;
    // 16 pixels a line; Salir alone for a notice, Aceptar and Cancelar for a question,
    // Ayuda only with a context.
    for (auto [lineas, botones, contexto] : {std::tuple{3, 1, 0}, {7, 2, 2700}}) {
      DialogoMensajes d(e.servicios, UnMensaje(lineas, botones, contexto));
      QCOMPARE(d.height(), lineas * 16 + 128);
      QCOMPARE(Control<QLabel>(&d, "Tex_Mensaje")->height(), lineas * 16 + 3);
      QCOMPARE(Control<QLabel>(&d, "Tex_Titulo")->text(), QStringLiteral("Prueba"));
      QCOMPARE(Control(&d, "Pic_BotSalir")->isHidden(), botones == 2);
      QCOMPARE(Control(&d, "Pic_BotAceptar")->isHidden(), botones == 1);
      QCOMPARE(Control(&d, "Pic_BotCancelar")->isHidden(), botones == 1);
      QCOMPARE(Control(&d, "Pic_BotAyuda")->isHidden(), contexto == 0);
    }
    DialogoMensajes siete(e.servicios, UnMensaje(7, 2, 2700));
    QCOMPARE(Control(&siete, "Pic_BotAceptar")->toolTip(), QStringLiteral("Aceptar"));

    // The Ayuda button opens the topic and leaves the dialog open.
    siete.show();
    Pulsa(&siete, "Pic_BotAyuda");
    QCOMPARE(e.ayuda.temas, std::vector<int>{2700});
    QVERIFY(siete.isVisible());
    QCOMPARE(e.sonido.tocados, std::vector<int>{9});
  }

  void DialogoFuenteMonoespaciada() {
    Entorno e;
    DialogoMensajes d(e.servicios, UnMensaje(2, 1, 0));
    const QFontInfo info(Control<QLabel>(&d, "Tex_Mensaje")->font());
    QVERIFY2(info.fixedPitch(), qPrintable(info.family()));
    // Lines of the program's texts (about 45 characters) fit the label's width.
    const QFontMetrics m(Control<QLabel>(&d, "Tex_Mensaje")->font());
    QVERIFY(m.horizontalAdvance(QString(45, QLatin1Char('m'))) <=
            Control<QLabel>(&d, "Tex_Mensaje")->width());
  }

  // The keys that answer the dialog; sonido -1: the dialog stays open.
  void DialogoTeclado_data() {
    QTest::addColumn<int>("botones");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<bool>("respuesta");
    QTest::addColumn<int>("sonido");
    QTest::newRow("Enter acepta la pregunta") << 2 << int(Qt::Key_Return) << true << 9;
    QTest::newRow("una letra acepta la pregunta") << 2 << int(Qt::Key_A) << true << 9;
    QTest::newRow("Escape no acepta la pregunta") << 2 << int(Qt::Key_Escape) << false << 9;
    QTest::newRow("Enter cierra el aviso") << 1 << int(Qt::Key_Return) << false << 5;
    QTest::newRow("una letra cierra el aviso") << 1 << int(Qt::Key_X) << false << 5;
    // A key without a character leaves the question open.
    QTest::newRow("Shift no cierra") << 2 << int(Qt::Key_Shift) << false << -1;
    QTest::newRow("una flecha no cierra") << 2 << int(Qt::Key_Left) << false << -1;
  }
  void DialogoTeclado() {
    QFETCH(int, botones);
    QFETCH(int, tecla);
    QFETCH(bool, respuesta);
    QFETCH(int, sonido);
    Entorno e;
    DialogoMensajes d(e.servicios, UnMensaje(1, botones, 0));
    d.show();
    QTest::keyClick(&d, static_cast<Qt::Key>(tecla));
    QCOMPARE(d.isVisible(), sonido < 0);
    if (sonido < 0) return;
    QCOMPARE(d.respuesta(), respuesta);
    QCOMPARE(e.sonido.tocados, std::vector<int>{sonido});
  }

  // Through the real modal dialog: Cancelar after an accepted question leaves
  // RespuestaDialogo false, and a Salir message does not change it.
  void RespuestaDialogoConElDialogoReal() {
    Estado estado;
    MensajeroDialogo mensajero;
    SonidoPrueba sonido;
    AyudaPrueba ayuda;
    Servicios s(estado, mensajero, sonido, ayuda);

    AlAbrirModal("mensajes", [](QDialog* d) { Pulsa(d, "Pic_BotAceptar"); });
    QVERIFY(s.MuestraMensaje(UnMensaje(2, 2, 0)));
    QVERIFY(s.RespuestaDialogo());

    AlAbrirModal("mensajes", [](QDialog* d) { Pulsa(d, "Pic_BotSalir"); });
    s.MuestraMensaje(UnMensaje(2, 1, 0));
    QVERIFY(s.RespuestaDialogo());

    AlAbrirModal("mensajes", [](QDialog* d) { Pulsa(d, "Pic_BotCancelar"); });
    QVERIFY(!s.MuestraMensaje(UnMensaje(2, 2, 0)));
    QVERIFY(!s.RespuestaDialogo());
    QCOMPARE(sonido.tocados, (std::vector<int>{9, 5, 9}));
  }

  void SinSonidoNoSeCargaNada() {
    Entorno e;
    ReproductorQt real;
    Servicios s(e.estado, e.mensajero, real, e.ayuda);
    e.estado.datos.Sonido = "No";
    for (int id : {1, 5, 6, 7, 9}) s.TocaSonido(id, false);
    QCOMPARE(real.cargados(), 0);
    // Switched on, the sounds play (or, without an audio device, quietly do nothing).
    e.estado.datos.Sonido = "Si";
    s.TocaSonido(6, true);
    s.TocaSonido(5, false);
    QVERIFY(real.cargados() <= 2);
    QVERIFY(e.mensajero.avisos.empty());
  }

  void LosCincoSonidosSonWaveReales() {
    for (int id : {1, 5, 6, 7, 9}) {
      QFile f(RecursoSonido(id));
      QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(RecursoSonido(id)));
      const QByteArray datos = f.readAll();
      QVERIFY(datos.startsWith("RIFF"));
      QCOMPARE(datos.mid(8, 8), QByteArray("WAVEfmt "));
      QVERIFY(datos.size() > 1000);   // some hundredths of a second of sound
      QVERIFY(datos.size() < 30000);  // and short
    }
  }

  void CursoresDelPrograma() {
    Entorno e;
    QWidget w;
    for (int tipo = 21; tipo <= 25; ++tipo) {
      e.servicios.PonCursor(&w, tipo);
      QCOMPARE(e.servicios.CursorActual(), tipo);
      QCOMPARE(w.cursor().shape(), Qt::BitmapCursor);
      QCOMPARE(w.cursor().pixmap().size(), QSize(32, 32));
    }
    // Five different pictures.
    for (int a = 21; a <= 25; ++a) {
      for (int b = a + 1; b <= 25; ++b) {
        QVERIFY(ImagenCursor(a).toImage() != ImagenCursor(b).toImage());
      }
    }
    e.servicios.PonCursor(&w, 0);
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(e.servicios.CursorActual(), 0);
  }

  void EsperaNoAceptaPulsaciones() {
    Entorno e;
    QWidget ventana;
    Boton b(QStringLiteral("Pic_BotGuardar"), QStringLiteral("Guardar datos"), &ventana);
    ventana.show();
    int pulsaciones = 0;
    connect(&b, &Boton::pulsadoRaton, [&] { ++pulsaciones; });
    QMouseEvent evento(QEvent::MouseButtonPress, QPointF(10, 10), b.mapToGlobal(QPointF(10, 10)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::postEvent(&b, evento.clone());
    Servicios::Espera(30);
    QCoreApplication::processEvents();
    QCOMPARE(pulsaciones, 0);
    // After the pause the button takes clicks again.
    QCoreApplication::postEvent(&b, evento.clone());
    QCoreApplication::processEvents();
    QCOMPARE(pulsaciones, 1);
  }

  void CadaContextoTieneSuPaginaDeAyuda() {
    const int contextos[] = {1000, 1040, 1110, 1120, 2100, 2120, 2151, 2210, 2211, 2215, 2216,
                             2220, 2221, 2222, 2230, 2231, 2240, 2250, 2251, 2280, 2300, 2370,
                             2400, 2410, 2420, 2430, 2440, 2450, 2460, 2500, 2510, 2700, 2800};
    for (int c : contextos) {
      QFile f(RecursoAyuda(c));
      QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(RecursoAyuda(c)));
      const QString html = QString::fromUtf8(f.readAll());
      QVERIFY2(html.contains("<h1>"), qPrintable(RecursoAyuda(c)));
      QVERIFY2(html.count("<p>") >= 2, qPrintable(RecursoAyuda(c)));
      // Every page but the contents links back to the contents.
      if (c != 1000) QVERIFY2(html.contains("href=\"1000.html\""), qPrintable(RecursoAyuda(c)));
    }
  }

  void VisorDeAyudaAbreElTema() {
    VisorAyudaQt visor;
    visor.Abre(2700);
    QVERIFY(visor.ventana() != nullptr);
    QCOMPARE(visor.ventana()->tema(), 2700);
    auto* texto = Control<QTextBrowser>(visor.ventana(), "Tex_Ayuda");
    QVERIFY(texto->toPlainText().contains(QStringLiteral("Borrado de datos")));
    // A link leads to another topic.
    texto->setSource(QUrl(QStringLiteral("1000.html")));
    QVERIFY(texto->toPlainText().contains(QStringLiteral("Contenido")));

    // From a modal dialog the help opens modal too, above it, so that it takes input.
    QDialog pantalla;
    bool modalEncima = false;
    QTimer::singleShot(0, [&] {
      visor.Abre(1110);
      modalEncima = QApplication::activeModalWidget() == visor.ventana();
      visor.ventana()->close();
      pantalla.reject();
    });
    pantalla.exec();
    QVERIFY(modalEncima);

    visor.Abre(9999);
    texto = Control<QTextBrowser>(visor.ventana(), "Tex_Ayuda");
    QVERIFY(visor.ventana()->windowModality() == Qt::NonModal);
    QVERIFY(texto->toPlainText().contains(
        QStringLiteral("No se encuentra la página de ayuda del tema 9999")));
    visor.ventana()->close();
  }
};

QTEST_MAIN(PruebaShell)
#include "shell_test.moc"

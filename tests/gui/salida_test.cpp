// The output screens driven through their named widgets: `salida` with its choosers and
// output buttons, `listados` in modes 1 to 4 (the editors and their rules, margins kept per
// mode, the PDF of each document), and the way another mode plugs its own options in.

#include <QCheckBox>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>

#include "apoyo_gui.h"
#include "engine/consult/boletos.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/output/listados.h"
#include "gui/output/panel_impresion.h"
#include "gui/output/salida.h"
#include "tests/apoyo/reduccion_guardada.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

// Jornada 7 with teams; reduction (7, 3) of 100 columns, match 15 "1" for 60 and "X" for 40.
struct Datos {
  Entorno e;
  ModosSalida modos;
  Reduccion r = ReduccionNueva(7, 3, kMetodoManual);
  Datos() {
    RegistraModosImpresion(modos);
    EscribeJornadaPrueba(e.estado.rutaDatos, 7, "15/11/09");
    r.Descripcion = AjustaAncho("Prueba de salida", 35);
    r.Partido[1].Signo = {0, 1, 1, 1};
    r.Partido[1].NumSignos = 3;
    auto c = Columnas(60, '1');
    auto x = Columnas(40, 'X', 60);
    c.insert(c.end(), x.begin(), x.end());
    r.ApuestasBase = 100;
    r = GuardaReduccion(e.estado.rutaDatos, r, c);
    e.estado.datos.Jornada = 7;
    e.estado.datos.Orden = 3;
  }
  std::unique_ptr<PantallaListados> Listados(int modo) {
    auto l = std::make_unique<PantallaListados>(e.servicios, modos, modo);
    l->show();
    return l;
  }
};

// With ZENDO_CAPTURAS set to a folder, the screens are saved there as pictures to look at:
// the whole X display when the test runs under Xvfb, else the window itself.
void Captura(QWidget* w, const QString& nombre) {
  const QString carpeta = qEnvironmentVariable("ZENDO_CAPTURAS");
  if (carpeta.isEmpty()) return;
  QVERIFY(QTest::qWaitForWindowExposed(w));
  QTest::qWait(200);
  const QString fichero = carpeta + QStringLiteral("/") + nombre + QStringLiteral(".png");
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"), fichero});
  } else {
    w->grab().save(fichero);
  }
}

int PaginasPdf(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {pdf});
  p.waitForFinished(20000);
  const QString info = QString::fromUtf8(p.readAllStandardOutput());
  const int i = info.indexOf(QStringLiteral("Pages:"));
  return i < 0 ? -1 : info.mid(i + 6).simplified().section(QLatin1Char(' '), 0, 0).toInt();
}

PanelImpresion* Panel(PantallaListados& l) {
  return dynamic_cast<PanelImpresion*>(l.panelModo());
}

// A mode of another subsystem, as the copy and the mail bring theirs.
class PanelFalso : public PanelModo {
 public:
  QString nombreAccion() const override { return QStringLiteral("Pic_BotCopiar"); }
  QString textoAccion() const override { return QStringLiteral("Copiar"); }
  QSize Construye(PantallaListados& p, QWidget* zona) override {
    pantalla = &p;
    auto* c = new QCheckBox(QStringLiteral("Algo"), zona);
    c->setObjectName(QStringLiteral("Chk_Falso"));
    return {300, 60};
  }
  void Accion() override {
    ++acciones;
    pantalla->EmpiezaProceso();
  }
  bool AntesDeSalir() override { return ++salidas > 1; }
  void AlCancelar() override { ++cancelaciones; }
  PantallaListados* pantalla = nullptr;
  int acciones = 0, salidas = 0, cancelaciones = 0;
};

}  // namespace

class PruebaSalida : public QObject {
  Q_OBJECT

 private slots:
  void SalidaMuestraLaReduccionYSusSeisBotones() {
    Datos d;
    PantallaSalida s(d.e.servicios, d.modos);
    s.show();
    QCOMPARE(s.windowTitle(),
             QStringLiteral("Salida de columnas reducidas con el Método de Reducción manual"));
    QVERIFY(s.reduccionCargada());
    QCOMPARE(Control<QLabel>(&s, QStringLiteral("Lab_Descripcion"))->text(),
             QStringLiteral("Prueba de salida"));
    QCOMPARE(Rotulo(&s, QStringLiteral("Pic_BotNroJor")), QStringLiteral("Jornada 7"));
    QCOMPARE(Rotulo(&s, QStringLiteral("Pic_BotOrden")), QStringLiteral("Orden  3"));
    QCOMPARE(Control<QLabel>(&s, QStringLiteral("Lab_FechaJornada"))->text(),
             QStringLiteral("15/11/09"));
    QCOMPARE(s.panel()->textoPartido(1), QStringLiteral("1. Real Madrid - Getafe"));
    const char* rotulos[] = {"",
                             "Imprimir datos básicos de la reducción",
                             "Imprimir en boletos individuales",
                             "Imprimir en papel continuo",
                             "Imprimir relación de boletos",
                             "Copiar en soporte externo",
                             "Enviar por correo electrónico"};
    for (int i = 1; i <= 6; ++i) {
      Boton* b = Control(&s, QStringLiteral("Pic_BotSal%1").arg(i));
      QCOMPARE(b->texto(), QString::fromUtf8(rotulos[i]));
      QCOMPARE(b->isEnabled(), i <= 4);  // copy and mail are not registered here
    }
    QVERIFY(s.width() <= 800 && s.height() <= 570);
    Captura(&s, QStringLiteral("salida"));
    Pulsa(&s, QStringLiteral("Pic_BotAyuda"));
    QCOMPARE(d.e.ayuda.temas, std::vector<int>{2400});

    // A button opens `listados` in its mode, modally; the screen stays when it closes.
    d.e.sonido.tocados.clear();
    QString titulo;
    AlAbrirModal(QStringLiteral("listados"), [&titulo](QDialog* l) {
      titulo = l->windowTitle();
      Pulsa(l, QStringLiteral("Pic_BotSalir"));
    });
    Pulsa(&s, QStringLiteral("Pic_BotSal4"));
    QCOMPARE(titulo, QStringLiteral("Imprimir relación de boletos"));
    QCOMPARE(d.e.sonido.tocados, (std::vector<int>{6, 5, 7}));
    QVERIFY(s.isVisible());
  }

  void SinReduccionLosBotonesNoHacenNada() {
    Datos d;
    d.e.estado.datos.Orden = 4;  // nothing stored there
    PantallaSalida s(d.e.servicios, d.modos);
    s.show();
    QVERIFY(!s.reduccionCargada());
    QCOMPARE(Control<QLabel>(&s, QStringLiteral("Lab_Descripcion"))->text(),
             QStringLiteral("No existe la reducción con orden 4 en la jornada 7"));
    Pulsa(&s, QStringLiteral("Pic_BotSal1"));
    QVERIFY(QApplication::activeModalWidget() == nullptr ||
            QApplication::activeModalWidget() == &s);
    QVERIFY(d.e.sonido.tocados.empty());
  }

  void LosSelectoresSoloCarganReduccionesGuardadas() {
    Datos d;
    Reduccion otra = ReduccionNueva(9, 3, kMetodoDirecto);
    GuardaReduccion(d.e.estado.rutaDatos, otra, Columnas(5));
    PantallaSalida s(d.e.servicios, d.modos);
    s.show();
    // Jornada 8 holds nothing: the message of the chooser, the screen stays.
    EligeEnLista(&s, QStringLiteral("Pic_BotNroJor"), QStringLiteral("Lis_Jornadas"), 7);
    QCOMPARE(d.e.mensajero.mensajes.back().titulo, Cp("Error en el número de Jornada"));
    QCOMPARE(d.e.estado.reduccion.Jornada, 7);
    // Jornada 9: orders 1 and 2 are free, 3 is used.
    EligeEnLista(&s, QStringLiteral("Pic_BotNroJor"), QStringLiteral("Lis_Jornadas"), 8);
    QCOMPARE(d.e.estado.reduccion.Jornada, 9);
    QCOMPARE(d.e.estado.reduccion.Orden, 3);
    QCOMPARE(s.windowTitle(), QStringLiteral("Salida de columnas reducidas con el Método Directo"));
    EligeEnLista(&s, QStringLiteral("Pic_BotOrden"), QStringLiteral("Lis_Orden"), 0);
    QCOMPARE(d.e.mensajero.mensajes.back().titulo, Cp("Error en el número de Orden"));
    QCOMPARE(d.e.estado.datos.Orden, 3);
  }

  void ListadosMuestraSoloLasOpcionesDeSuModo() {
    Datos d;
    QCOMPARE(NumBoletos(d.r), 13);  // 60 columns in 8 boletos, 40 in 5
    struct Caso {
      int modo;
      std::vector<const char*> visibles;
      std::vector<const char*> ocultos;
    };
    const Caso casos[] = {
        {1, {"Pic_BotCopias"}, {"Pic_BotBolIni", "Pic_BotMarIzq", "Chk_PruImp", "Pic_BotAncPap"}},
        {2,
         {"Pic_BotBolIni", "Pic_BotBolFin", "Pic_BotMarIzq", "Pic_BotMarSup", "Chk_PruImp",
          "Fra_OpcionesBoletos", "Pic_Orientacion"},
         {"Pic_BotCopias", "Pic_BotAncPap", "Pic_BotRepetir", "Pic_BotSiguiente"}},
        {3,
         {"Pic_BotBolIni", "Pic_BotBolFin", "Pic_BotMarIzq", "Pic_BotMarSup", "Chk_PruImp"},
         {"Pic_BotCopias", "Pic_BotAncPap", "Fra_OpcionesBoletos"}},
        {4, {"Pic_BotBolIni", "Pic_BotBolFin", "Pic_BotAncPap"}, {"Pic_BotCopias", "Chk_PruImp"}},
    };
    for (const Caso& c : casos) {
      d.e.estado.reduccion = d.r;
      auto l = d.Listados(c.modo);
      QVERIFY(l->width() <= 800 && l->height() <= 570);
      Captura(l.get(), QStringLiteral("listados%1").arg(c.modo));
      for (const char* v : c.visibles) {
        auto* w = l->findChild<QWidget*>(QString::fromUtf8(v));
        QVERIFY2(w != nullptr && w->isVisible(), v);
      }
      for (const char* o : c.ocultos) {
        auto* w = l->findChild<QWidget*>(QString::fromUtf8(o));
        QVERIFY2(w == nullptr || !w->isVisible(), o);
      }
      for (const char* b : {"Pic_BotImprimir", "Pic_BotVistaPrevia", "Pic_BotPdf", "Pic_BotAyuda",
                            "Pic_BotSalir"}) {
        QVERIFY2(Control(l.get(), QString::fromUtf8(b))->isVisible(), b);
      }
      QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotCancelar"))->isVisible());
      Pulsa(l.get(), QStringLiteral("Pic_BotAyuda"));
      QCOMPARE(d.e.ayuda.temas.back(), 2400 + 10 * c.modo);
    }
  }

  void EditoresDelRangoDeBoletos() {
    Datos d;
    d.e.estado.reduccion = d.r;
    auto l = d.Listados(4);
    PanelImpresion* p = Panel(*l);
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotBolIni")),
             QStringLiteral("Boleto Inicial:  1"));
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotBolFin")), QStringLiteral("Boleto Final:  13"));
    QCOMPARE(Control<QLineEdit>(l.get(), QStringLiteral("Tex_BolIni"))->maxLength(), 2);
    auto rango = [p] { return std::pair{p->rango().inicial, p->rango().final}; };

    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolIni"), QStringLiteral("Tex_BolIni"),
                 QStringLiteral("9"));
    QCOMPARE(rango(), (std::pair<int64_t, int64_t>{9, 13}));
    // The last boleto set below the first moves the first down to it.
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolFin"), QStringLiteral("Tex_BolFin"),
                 QStringLiteral("4"));
    QCOMPARE(rango(), (std::pair<int64_t, int64_t>{4, 4}));
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotBolIni")),
             QStringLiteral("Boleto Inicial:  4"));
    // Above the number of boletos: the number of boletos; the first one up moves the last.
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolIni"), QStringLiteral("Tex_BolIni"),
                 QStringLiteral("99"));
    QCOMPARE(rango(), (std::pair<int64_t, int64_t>{13, 13}));
    // Empty: 1 and the number of boletos; 0 is boleto 1.
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolIni"), QStringLiteral("Tex_BolIni"), QString());
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolFin"), QStringLiteral("Tex_BolFin"), QString());
    QCOMPARE(rango(), (std::pair<int64_t, int64_t>{1, 13}));
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolFin"), QStringLiteral("Tex_BolFin"),
                 QStringLiteral("0"));
    QCOMPARE(rango(), (std::pair<int64_t, int64_t>{1, 1}));
    QCOMPARE(Control<QLineEdit>(l.get(), QStringLiteral("Tex_BolFin"))->text(),
             QStringLiteral("1"));

    // Letters vanish as they are typed; the caret stays where it was.
    Pulsa(l.get(), QStringLiteral("Pic_BotBolIni"));
    auto* caja = Control<QLineEdit>(l.get(), QStringLiteral("Tex_BolIni"));
    caja->clear();
    QTest::keyClicks(caja, QStringLiteral("1a"));
    QCOMPARE(caja->text(), QStringLiteral("1"));
    QCOMPARE(caja->cursorPosition(), 1);
    QTest::keyClick(caja, Qt::Key_Home);
    QTest::keyClicks(caja, QStringLiteral("x"));
    QCOMPARE(caja->text(), QStringLiteral("1"));
    QCOMPARE(caja->cursorPosition(), 0);
    // Leaving the box commits it, as a second press does.
    Pulsa(l.get(), QStringLiteral("Pic_BotBolIni"));
    QVERIFY(!caja->isVisible());
    // Escape closes the box with the value it had, and the screen stays.
    Pulsa(l.get(), QStringLiteral("Pic_BotBolIni"));
    caja->clear();
    QTest::keyClicks(caja, QStringLiteral("7"));
    QTest::keyClick(caja, Qt::Key_Escape);
    QVERIFY(!caja->isVisible());
    QVERIFY(l->isVisible());
    QCOMPARE(rango(), (std::pair<int64_t, int64_t>{1, 1}));

    // The paper width: a list under its button.
    EligeEnLista(l.get(), QStringLiteral("Pic_BotAncPap"), QStringLiteral("Lis_AnchoPapel"), 1);
    QCOMPARE(p->anchoPapel(), 1);
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotAncPap")),
             QStringLiteral("Papel ancho (350 mm.)"));

    // A screen closed with a box still open and focused goes quietly: the box loses its
    // focus as the window goes, after its panel is gone.
    l->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l.get()));
    Pulsa(l.get(), QStringLiteral("Pic_BotBolIni"));
    caja->setFocus();
    QVERIFY(caja->hasFocus());
    l.reset();
  }

  void CopiasYMargenesPorModo() {
    Datos d;
    d.e.estado.reduccion = d.r;
    {
      auto l = d.Listados(1);
      QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotCopias")),
               QStringLiteral("Copias a imprimir: 1"));
      TecleaEnCaja(l.get(), QStringLiteral("Pic_BotCopias"), QStringLiteral("Tex_Copias"),
                   QStringLiteral("0"));
      QCOMPARE(Panel(*l)->copias(), 1);
      TecleaEnCaja(l.get(), QStringLiteral("Pic_BotCopias"), QStringLiteral("Tex_Copias"),
                   QStringLiteral("3"));
      QCOMPARE(Panel(*l)->copias(), 3);
      QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotCopias")),
               QStringLiteral("Copias a imprimir: 3"));
    }
    DatosGenerales& g = d.e.estado.datos;
    g.MargenIzqContinuo = 50;
    {
      auto l = d.Listados(2);
      QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotMarIzq")),
               QStringLiteral("Margen Izquierdo: 0"));
      TecleaEnCaja(l.get(), QStringLiteral("Pic_BotMarIzq"), QStringLiteral("Tex_MarIzq"),
                   QStringLiteral("125"));
      TecleaEnCaja(l.get(), QStringLiteral("Pic_BotMarSup"), QStringLiteral("Tex_MarSup"),
                   QString());
      QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotMarSup")),
               QStringLiteral("Margen Superior: 0"));
    }
    QCOMPARE(g.MargenIzqBoleto, 125);
    QCOMPARE(g.MargenSupBoleto, 0);
    QCOMPARE(g.MargenIzqContinuo, 50);  // the other mode's margins stay
    {
      auto l = d.Listados(3);
      QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotMarIzq")),
               QStringLiteral("Margen Izquierdo: 50"));
      TecleaEnCaja(l.get(), QStringLiteral("Pic_BotMarSup"), QStringLiteral("Tex_MarSup"),
                   QStringLiteral("33"));
    }
    QCOMPARE(g.MargenSupContinuo, 33);
    QCOMPARE(g.MargenSupBoleto, 0);

    // The feed picture toggles the orientation of individual boletos.
    auto l = d.Listados(2);
    QCOMPARE(g.Orientacion, 1);
    QTest::mouseClick(Control<QLabel>(l.get(), QStringLiteral("Pic_Orientacion")), Qt::LeftButton);
    QCOMPARE(g.Orientacion, 2);
    QVERIFY(Control<QRadioButton>(l.get(), QStringLiteral("Opt_Reverso0"))->isChecked());
  }

  void VistaPreviaConLasMismasPaginas() {
    Datos d;
    d.e.estado.reduccion = d.r;
    auto l = d.Listados(4);
    int paginas = -1;
    AlAbrirModal(QStringLiteral("Dlg_VistaPrevia"), [&paginas](QDialog* dialogo) {
      auto* vista = dialogo->findChild<QPrintPreviewWidget*>();
      QTest::qWait(100);
      paginas = vista != nullptr ? vista->pageCount() : -1;
      Captura(dialogo, QStringLiteral("vista_previa"));
      dialogo->reject();
    });
    Pulsa(l.get(), QStringLiteral("Pic_BotVistaPrevia"));
    QCOMPARE(paginas, 2);  // 13 boletos: 12 on the first page, 1 on the second
    QVERIFY(!l->procesando());
  }

  void PdfDesdeLaPantallaYCancelacion() {
    Datos d;
    d.e.estado.reduccion = d.r;
    QTemporaryDir dir;
    auto l = d.Listados(2);
    PanelImpresion* p = Panel(*l);
    QString propuesto;
    p->pideFichero = [&](const QString& nombre) {
      propuesto = nombre;
      return dir.filePath(QStringLiteral("boletos"));
    };
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotBolFin"), QStringLiteral("Tex_BolFin"),
                 QStringLiteral("3"));
    Pulsa(l.get(), QStringLiteral("Pic_BotPdf"));
    QVERIFY(propuesto.endsWith(QStringLiteral("/Boletos0703.pdf")));
    QVERIFY(l->procesando());
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotCancelar"))->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!l->procesando(), 20000);
    // One page per boleto, as if Siguiente followed each; nothing to wait for.
    QCOMPARE(PaginasPdf(dir.filePath(QStringLiteral("boletos.pdf"))), 3);
    QVERIFY(d.e.mensajero.mensajes.empty());
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotPdf"))->isVisible());
    QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotCancelar"))->isVisible());

    // Continuous paper of a long reduction, cancelled at once: the PDF is not written.
    Reduccion larga = ReduccionNueva(7, 4, kMetodoManual);
    d.e.estado.reduccion = GuardaReduccion(d.e.estado.rutaDatos, larga, Columnas(40000));
    auto c = d.Listados(3);
    Panel(*c)->pideFichero = [&](const QString&) { return dir.filePath(QStringLiteral("c.pdf")); };
    Pulsa(c.get(), QStringLiteral("Pic_BotPdf"));
    Pulsa(c.get(), QStringLiteral("Pic_BotCancelar"));
    QTRY_VERIFY_WITH_TIMEOUT(!c->procesando(), 20000);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("c.pdf"))));
    QVERIFY(c->estado().isEmpty());
    QVERIFY(Control<QCheckBox>(c.get(), QStringLiteral("Chk_PruImp"))->isVisible());
    // Its test print: both boletos of one sheet.
    Control<QCheckBox>(c.get(), QStringLiteral("Chk_PruImp"))->setChecked(true);
    Pulsa(c.get(), QStringLiteral("Pic_BotPdf"));
    QTRY_VERIFY_WITH_TIMEOUT(!c->procesando(), 20000);
    QCOMPARE(PaginasPdf(dir.filePath(QStringLiteral("c.pdf"))), 1);

    // A last boleto with a single column is told while the run goes on.
    d.e.estado.reduccion =
        GuardaReduccion(d.e.estado.rutaDatos, ReduccionNueva(7, 5, kMetodoManual), Columnas(17));
    auto b = d.Listados(2);
    Panel(*b)->pideFichero = [&](const QString&) { return dir.filePath(QStringLiteral("b.pdf")); };
    Pulsa(b.get(), QStringLiteral("Pic_BotPdf"));
    QTRY_VERIFY_WITH_TIMEOUT(!b->procesando(), 20000);
    QCOMPARE(PaginasPdf(dir.filePath(QStringLiteral("b.pdf"))), 3);
    QCOMPARE(d.e.mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(Utf(d.e.mensajero.mensajes[0].titulo), QStringLiteral("Último boleto incompleto"));
    QCOMPARE(d.e.mensajero.mensajes[0].contexto, 2420);
    d.e.estado.reduccion = GuardaReduccion(d.e.estado.rutaDatos, larga, Columnas(40000));

    // A reduction whose columns file is gone is told with its code.
    QFile::remove(QString::fromStdString((d.e.estado.rutaDatos / "RED0704.TVX").string()));
    Control<QCheckBox>(c.get(), QStringLiteral("Chk_PruImp"))->setChecked(false);
    Pulsa(c.get(), QStringLiteral("Pic_BotPdf"));
    QTRY_VERIFY_WITH_TIMEOUT(!c->procesando(), 20000);
    QCOMPARE(d.e.mensajero.avisos, std::vector<QString>{QStringLiteral("RED ERROR 53")});
  }

  void OtroModoPoneSusPropiosControles() {
    Datos d;
    d.e.estado.reduccion = d.r;
    PanelFalso* falso = nullptr;
    d.modos.Registra(5, [&falso] {
      auto p = std::make_unique<PanelFalso>();
      falso = p.get();
      return p;
    });
    PantallaSalida s(d.e.servicios, d.modos);
    QVERIFY(Control(&s, QStringLiteral("Pic_BotSal5"))->isEnabled());
    QVERIFY(!Control(&s, QStringLiteral("Pic_BotSal6"))->isEnabled());

    auto l = d.Listados(5);
    QCOMPARE(l->windowTitle(), QStringLiteral("Copiar en soporte externo"));
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotCopiar")), QStringLiteral("Copiar"));
    QVERIFY(Control<QCheckBox>(l.get(), QStringLiteral("Chk_Falso"))->isVisible());
    QVERIFY(l->findChild<Boton*>(QStringLiteral("Pic_BotImprimir")) == nullptr);
    // Busy: Salir and the action hidden, Cancelar shown; Cancelar sets the flag.
    Pulsa(l.get(), QStringLiteral("Pic_BotCopiar"));
    QCOMPARE(falso->acciones, 1);
    QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotSalir"))->isVisible());
    QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotCopiar"))->isVisible());
    Pulsa(l.get(), QStringLiteral("Pic_BotCancelar"));
    QVERIFY(l->cancelado());
    QCOMPARE(falso->cancelaciones, 1);
    // Closing the window while busy cancels instead of closing.
    l->reject();
    QVERIFY(l->isVisible());
    QCOMPARE(falso->cancelaciones, 2);
    l->TerminaProceso();
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotCopiar"))->isVisible());
    // The mode decides what Salir does first: here it keeps the screen once.
    Pulsa(l.get(), QStringLiteral("Pic_BotSalir"));
    QVERIFY(l->isVisible());
    Pulsa(l.get(), QStringLiteral("Pic_BotSalir"));
    QVERIFY(!l->isVisible());
  }
};

QTEST_MAIN(PruebaSalida)
#include "salida_test.moc"

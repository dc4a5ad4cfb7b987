// Real printing: a CUPS scheduler of the test's own (private folder, its own socket) with a
// queue whose pages land in a PDF file, made the default printer. The basic-data sheet and
// two individual boletos go through the program's own print path (listados, the print run,
// the CUPS job) and what came out is read back with poppler-utils. A queue that refuses
// jobs is reported in the message dialog.

#include <sys/prctl.h>

#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <csignal>

#include "apoyo_gui.h"
#include "gui/output/imprime_escrutinio.h"
#include "gui/output/listados.h"
#include "gui/output/panel_impresion.h"
#include "gui/scrutiny/escrutin.h"
#include "tests/apoyo/reduccion_guardada.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

const char* const kPpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "ZENDOPDF.PPD"
*Manufacturer: "Zendo"
*Product: "(Zendo PDF)"
*ModelName: "Zendo PDF"
*ShortNickName: "Zendo PDF"
*NickName: "Zendo PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*HWMargins: 0 0 0 0
*VariablePaperSize: True
*MaxMediaWidth: "1008"
*MaxMediaHeight: "1440"
*NonUIOrderDependency: 100 AnySetup *CustomPageSize
*CustomPageSize True: "pop pop pop <</PageSize[5 -2 roll]/ImagingBBox null>>setpagedevice"
*ParamCustomPageSize Width: 1 points 36 1008
*ParamCustomPageSize Height: 2 points 36 1440
*ParamCustomPageSize WidthOffset: 3 points 0 0
*ParamCustomPageSize HeightOffset: 4 points 0 0
*ParamCustomPageSize Orientation: 5 int 0 0
)PPD";

// A CUPS scheduler for the tests alone.
class CupsPrivado {
 public:
  QString Arranca() {
    if (!dir_.isValid()) return QStringLiteral("no temporary folder");
    const QString d = dir_.path();
    for (const char* sub : {"spool", "log", "cache", "state", "run", "out", "tmp"}) {
      QDir(d).mkpath(QString::fromLatin1(sub));
    }
    // The jobs are written by the scheduler's own user.
    QFile::setPermissions(d + QStringLiteral("/out"), QFileDevice::Permissions(0x7777));
    socket_ = d + QStringLiteral("/run/cups.sock");
    Escribe(QStringLiteral("cupsd.conf"),
            QStringLiteral("Listen %1\nLogLevel warn\nPreserveJobFiles Yes\n"
                           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                           "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n")
                .arg(socket_));
    Escribe(QStringLiteral("cups-files.conf"),
            QStringLiteral("FileDevice Yes\nServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\n"
                           "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                           "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n")
                .arg(d));
    Escribe(QStringLiteral("zendo.ppd"), QString::fromLatin1(kPpd));
    qputenv("CUPS_SERVER", socket_.toLocal8Bit());
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    // The scheduler ends with the test, even when the test dies.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"), d + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("-s"), d + QStringLiteral("/cups-files.conf")});
    if (!cupsd_.waitForStarted(5000)) {
      return QStringLiteral("cupsd did not start (is the cups package installed?): ") +
             cupsd_.errorString();
    }
    // Ready when the queue can be added: the socket may appear before the scheduler listens.
    const QStringList cola = {QStringLiteral("-p"),
                              QStringLiteral("zendo"),
                              QStringLiteral("-E"),
                              QStringLiteral("-v"),
                              QStringLiteral("file://") + salida(),
                              QStringLiteral("-P"),
                              d + QStringLiteral("/zendo.ppd")};
    bool anadida = false;
    for (int i = 0; i < 150 && !anadida; ++i) {
      if (cupsd_.state() != QProcess::Running) {
        return QStringLiteral("cupsd ended: ") + QString::fromLocal8Bit(cupsd_.readAll()) +
               Registro();
      }
      anadida = QFile::exists(socket_) && Orden(QStringLiteral("lpadmin"), cola);
      if (!anadida) QTest::qWait(100);
    }
    if (!anadida ||
        !Orden(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("zendo")})) {
      return QStringLiteral("the queue could not be added: ") + ultimaSalida_ + Registro();
    }
    return {};
  }
  ~CupsPrivado() {
    if (cupsd_.state() == QProcess::Running) {
      cupsd_.terminate();
      if (!cupsd_.waitForFinished(5000)) cupsd_.kill();
    }
  }
  QString salida() const { return dir_.path() + QStringLiteral("/out/salida.pdf"); }
  bool Orden(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, argumentos);
    p.waitForFinished(20000);
    ultimaSalida_ = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }
  // Jobs the queue has completed.
  int Completados() {
    Orden(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                     QStringLiteral("-o"), QStringLiteral("zendo")});
    return static_cast<int>(ultimaSalida_.count(QLatin1Char('\n')));
  }
  bool EsperaCompletados(int n) {
    for (int i = 0; i < 300; ++i) {
      if (Completados() >= n) return true;
      QTest::qWait(100);
    }
    return false;
  }
  QString Registro() const {
    QFile f(dir_.path() + QStringLiteral("/log/error_log"));
    return f.open(QIODevice::ReadOnly) ? QStringLiteral("\n") + QString::fromLocal8Bit(f.readAll())
                                       : QString();
  }

 private:
  void Escribe(const QString& nombre, const QString& texto) {
    QFile f(dir_.path() + QStringLiteral("/") + nombre);
    if (f.open(QIODevice::WriteOnly)) f.write(texto.toUtf8());
  }
  QTemporaryDir dir_;
  QString socket_;
  QProcess cupsd_;
  QString ultimaSalida_;
};

QString Poppler(const QString& programa, const QString& pdf) {
  QProcess p;
  QStringList a;
  if (programa == QStringLiteral("pdftotext")) a << QStringLiteral("-raw");
  a << pdf;
  if (programa == QStringLiteral("pdftotext")) a << QStringLiteral("-");
  p.start(programa, a);
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

int Paginas(const QString& pdf) {
  const QString info = Poppler(QStringLiteral("pdfinfo"), pdf);
  const int i = info.indexOf(QStringLiteral("Pages: "));
  return i < 0 ? -1 : info.mid(i + 7).section(QLatin1Char(' '), 0, 0).toInt();
}

}  // namespace

class PruebaCups : public QObject {
  Q_OBJECT

 private:
  CupsPrivado cups_;
  std::unique_ptr<Entorno> e_;
  ModosSalida modos_;

  std::unique_ptr<PantallaListados> Listados(int modo) {
    auto l = std::make_unique<PantallaListados>(e_->servicios, modos_, modo);
    l->show();
    return l;
  }
  QString UltimoMensaje() const {
    return e_->mensajero.mensajes.empty() ? QString() : Utf(e_->mensajero.mensajes.back().texto);
  }
  static void EsperaFin(PantallaListados& l) { QTRY_VERIFY_WITH_TIMEOUT(!l.procesando(), 30000); }

 private slots:
  void initTestCase() {
    const QString fallo = cups_.Arranca();
    if (!fallo.isEmpty()) QFAIL(qPrintable(QStringLiteral("private CUPS: ") + fallo));
    e_ = std::make_unique<Entorno>();
    RegistraModosImpresion(modos_);
    EscribeJornadaPrueba(e_->estado.rutaDatos, 7, "15/11/09");
    Reduccion r = ReduccionNueva(7, 3, kMetodoDirecto);
    r.Descripcion = AjustaAncho("Boletos de prueba", 35);
    r.ApuestasBase = 81;
    e_->estado.reduccion = GuardaReduccion(e_->estado.rutaDatos, r, Columnas(16));
    e_->estado.datos.Jornada = 7;
    e_->estado.datos.Orden = 3;
  }

  void HojaDeDatosBasicosEnLaImpresora() {
    auto l = Listados(1);
    TecleaEnCaja(l.get(), QStringLiteral("Pic_BotCopias"), QStringLiteral("Tex_Copias"),
                 QStringLiteral("2"));
    const int antes = cups_.Completados();
    Pulsa(l.get(), QStringLiteral("Pic_BotImprimir"));
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotCancelar"))->isVisible());
    EsperaFin(*l);
    QVERIFY2(e_->mensajero.mensajes.empty(), qPrintable(UltimoMensaje()));
    QVERIFY2(cups_.EsperaCompletados(antes + 1), qPrintable(cups_.Registro()));
    QCOMPARE(Paginas(cups_.salida()), 2);
    const QString texto = Poppler(QStringLiteral("pdftotext"), cups_.salida());
    for (const char* t : {"JORNADA NRO. 7 DE FECHA 15/11/09 (Orden 3)", "Boletos de prueba",
                          "1. Real Madrid-Getafe", "Método Directo", "81 apuestas reducidas a 16",
                          "Importe reducidas........: 8,00 €"}) {
      QVERIFY2(texto.contains(QString::fromUtf8(t)), t);
    }
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotSalir"))->isVisible());
  }

  void DosBoletosIndividualesUnTrabajoCadaUno() {
    auto l = Listados(2);
    Control<QRadioButton>(l.get(), QStringLiteral("Opt_Reverso1"))->click();
    auto* panel = dynamic_cast<PanelImpresion*>(l->panelModo());
    QCOMPARE(panel->rango().final, 2);
    const int antes = cups_.Completados();
    Pulsa(l.get(), QStringLiteral("Pic_BotImprimir"));
    // Boleto 1 goes out as a job of its own and the run waits for the user.
    QTRY_VERIFY_WITH_TIMEOUT(panel->trabajo()->esperando(), 20000);
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotSiguiente"))->isVisible());
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotRepetir"))->isVisible());
    QVERIFY(!Control<QWidget>(l.get(), QStringLiteral("Fra_OpcionesBoletos"))->isVisible());
    QVERIFY2(cups_.EsperaCompletados(antes + 1), qPrintable(cups_.Registro()));
    QCOMPARE(Paginas(cups_.salida()), 1);
    QVERIFY(Poppler(QStringLiteral("pdftotext"), cups_.salida()).contains(QStringLiteral("1")));
    Pulsa(l.get(), QStringLiteral("Pic_BotSiguiente"));
    // The last boleto: only Repetir and Salir are left.
    QTRY_VERIFY_WITH_TIMEOUT(panel->trabajo()->esperando(), 20000);
    QTRY_VERIFY(Control(l.get(), QStringLiteral("Pic_BotSalir"))->isVisible());
    QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotSiguiente"))->isVisible());
    QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotCancelar"))->isVisible());
    QVERIFY2(cups_.EsperaCompletados(antes + 2), qPrintable(cups_.Registro()));
    QCOMPARE(Poppler(QStringLiteral("pdftotext"), cups_.salida()), QStringLiteral("2"));
    // Salir while printing ends the run; the screen stays.
    Pulsa(l.get(), QStringLiteral("Pic_BotSalir"));
    EsperaFin(*l);
    QVERIFY(l->isVisible());
    QVERIFY(Control<QWidget>(l.get(), QStringLiteral("Fra_OpcionesBoletos"))->isVisible());
    QVERIFY(!Control(l.get(), QStringLiteral("Pic_BotRepetir"))->isVisible());
    QCOMPARE(cups_.Completados(), antes + 2);
  }

  void UnaColaQueRechazaElTrabajoLoDice() {
    QVERIFY(cups_.Orden(QStringLiteral("cupsreject"), {QStringLiteral("zendo")}));
    auto l = Listados(1);
    Pulsa(l.get(), QStringLiteral("Pic_BotImprimir"));
    EsperaFin(*l);
    QVERIFY(cups_.Orden(QStringLiteral("cupsaccept"), {QStringLiteral("zendo")}));
    QCOMPARE(e_->mensajero.mensajes.size(), std::size_t{1});
    const Mensaje& m = e_->mensajero.mensajes.back();
    QCOMPARE(Utf(m.titulo), QStringLiteral("Error de impresión"));
    QVERIFY2(Utf(m.texto).contains(QStringLiteral("no ha aceptado")), qPrintable(Utf(m.texto)));
    e_->mensajero.mensajes.clear();
  }

  void InformeDelEscrutinio() {
    // The winning column (all "1") and the prizes as the scrutiny screen saved them.
    std::string r = Bytes(e_->ruta("JORNADAS.TVX"));
    r.replace(6 * 544 + 463, 15, std::string(15, '1'));
    r.replace(6 * 544 + 478, 22, "     1234.5       7.10");
    PonBytes(e_->ruta("JORNADAS.TVX"), r);
    PantallaEscrutinio p(e_->servicios, nullptr, ImprimeEscrutinio());
    p.show();
    QSignalSpy fin(&p, &PantallaEscrutinio::escrutinioTerminado);
    Pulsa(&p, QStringLiteral("Pic_BotEscrutar"));
    QVERIFY(fin.count() == 1 || fin.wait(10000));
    QVERIFY(Control(&p, QStringLiteral("Pic_BotImpriEscru"))->isVisible());
    const int antes = cups_.Completados();
    Pulsa(&p, QStringLiteral("Pic_BotImpriEscru"));
    QVERIFY2(e_->mensajero.mensajes.empty(), qPrintable(UltimoMensaje()));
    QVERIFY2(cups_.EsperaCompletados(antes + 1), qPrintable(cups_.Registro()));
    QCOMPARE(Paginas(cups_.salida()), 1);
    const QString texto = Poppler(QStringLiteral("pdftotext"), cups_.salida());
    for (const char* t : {"Escrutinio de la jornada nro. 7 de fecha 15/11/09 (Orden 3)",
                          "1 columna de 15 aciertos.: 1.234,50 €",
                          "Premios a repartir por categoría", "Total boletos premiados.: 2"}) {
      QVERIFY2(texto.contains(QString::fromUtf8(t)), t);
    }
    // Without a printer the preview is offered; Cancelar prints nothing.
    PantallaEscrutinio sin(e_->servicios, nullptr, ImprimeEscrutinio([] { return QString(); }));
    sin.show();
    QSignalSpy finSin(&sin, &PantallaEscrutinio::escrutinioTerminado);
    Pulsa(&sin, QStringLiteral("Pic_BotEscrutar"));
    QVERIFY(finSin.count() == 1 || finSin.wait(10000));
    Pulsa(&sin, QStringLiteral("Pic_BotImpriEscru"));
    QCOMPARE(e_->mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(Utf(e_->mensajero.mensajes[0].titulo), QStringLiteral("No hay ninguna impresora"));
    QCOMPARE(cups_.Completados(), antes + 1);
    e_->mensajero.mensajes.clear();
  }

  void SinImpresoraOfreceVistaPreviaYPdf() {
    auto l = Listados(4);
    dynamic_cast<PanelImpresion*>(l->panelModo())->impresora = [] { return QString(); };
    Pulsa(l.get(), QStringLiteral("Pic_BotImprimir"));
    QCOMPARE(e_->mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(Utf(e_->mensajero.mensajes[0].titulo), QStringLiteral("No hay ninguna impresora"));
    QCOMPARE(e_->mensajero.mensajes[0].botones, 2);
    QVERIFY(!l->procesando());  // answered Cancelar: nothing runs
    e_->mensajero.mensajes.clear();
  }
};

QTEST_MAIN(PruebaCups)
#include "impresion_cups_test.moc"

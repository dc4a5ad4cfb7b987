// Output mode 5 on `listados`: the name, format and destination controls, the list of
// destinations with a faked mounted medium, and copies that end well, are cancelled, find
// the medium gone or full, or are refused for their file name.

#include <unistd.h>

#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include "apoyo_gui.h"
#include "engine/output/exportacion.h"
#include "gui/output/listados.h"
#include "gui/output/panel_copia.h"
#include "gui/output/salida.h"
#include "tests/apoyo/reduccion_guardada.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

namespace fs = std::filesystem;

// The machine's mounts as a test wants them: a USB stick that can be pulled out.
class VolumenesFalsos : public ListaVolumenes {
 public:
  std::vector<Volumen> Montados() override {
    if (alPreguntar) alPreguntar();
    return montados;
  }
  std::vector<Volumen> montados;
  std::function<void()> alPreguntar;
};

int Shell(const std::string& orden) {
  return QProcess::execute(QStringLiteral("sh"),
                           {QStringLiteral("-c"), QString::fromStdString(orden)});
}

// A small tmpfs: a medium that fills up (root only).
class SoporteLleno {
 public:
  explicit SoporteLleno(const fs::path& carpeta) : carpeta_(carpeta) {
    fs::create_directories(carpeta);
    montado_ = ::geteuid() == 0 && Shell("mount -t tmpfs -o size=64k tmpfs '" + carpeta.string() +
                                         "' 2>/dev/null") == 0;
  }
  ~SoporteLleno() {
    if (montado_) Shell("umount '" + carpeta_.string() + "' 2>/dev/null");
  }
  bool montado() const { return montado_; }

 private:
  fs::path carpeta_;
  bool montado_ = false;
};

// Jornada 7 dated 15/11/09; reduction (7, 3) of 17 columns with match 15 "1" (the last one
// alone on its boleto), codes 28 / 12345; a stick labelled KINGSTON.
struct Datos {
  Entorno e;
  ModosSalida modos;
  std::shared_ptr<VolumenesFalsos> volumenes = std::make_shared<VolumenesFalsos>();
  fs::path usb;
  Datos(int columnas = 17) {
    RegistraModoCopia(modos, volumenes);
    e.estado.datos.Jornada = 7;
    e.estado.datos.Orden = 3;
    EscribeJornadaPrueba(e.estado.rutaDatos, 7, "15/11/09");
    e.estado.reduccion = GuardaReduccion(e.estado.rutaDatos, ReduccionNueva(7, 3, kMetodoManual),
                                         Columnas(columnas));
    e.estado.datos.CodigoDelegacion = "28";
    e.estado.datos.CodigoReceptor = "12345";
    usb = e.estado.rutaDatos / "media" / "KINGSTON";
    fs::create_directories(usb);
    volumenes->montados = {{"/", "", "/dev/vda", "ext4", false, true, false},
                           {usb, "KINGSTON", "/dev/sdb1", "vfat", false, true, true}};
  }
  std::unique_ptr<PantallaListados> Listados() {
    auto l = std::make_unique<PantallaListados>(e.servicios, modos, 5);
    l->show();
    return l;
  }
};

PanelCopia* Panel(PantallaListados& l) {
  return dynamic_cast<PanelCopia*>(l.panelModo());
}

void Captura(QWidget* w, const QString& nombre) {
  const QString carpeta = qEnvironmentVariable("ZENDO_CAPTURAS");
  if (carpeta.isEmpty()) return;
  QApplication::processEvents();
  w->grab().save(carpeta + QStringLiteral("/") + nombre + QStringLiteral(".png"));
}

// Presses Copiar and waits for the copy to end.
void Copia(PantallaListados& l) {
  QSignalSpy fin(Panel(l), &PanelCopia::copiaTerminada);
  Pulsa(&l, QStringLiteral("Pic_BotCopiar"));
  if (Panel(l)->copiando() || l.procesando()) QVERIFY(fin.wait(20000));
  QVERIFY(!l.procesando());
}

// Makes the stick the destination through its list.
void EligeUsb(PantallaListados& l) {
  EligeEnLista(&l, QStringLiteral("Pic_BotUnidad"), QStringLiteral("Lis_Unidad"), 0);
}

// What zendo-cli writes for the same reduction, general data and jornada.
std::string PorLaLineaDeOrdenes(const Datos& d, const char* formato) {
  GuardaDatosGenerales(d.e.estado.rutaDatos, d.e.estado.datos);
  QProcess cli;
  cli.start(QStringLiteral(ZENDO_CLI_PATH),
            {QStringLiteral("exportar"), QStringLiteral("--datos"),
             QString::fromStdString(d.e.estado.rutaDatos.string()), QStringLiteral("--jornada"),
             QStringLiteral("7"), QStringLiteral("--orden"), QStringLiteral("3"),
             QStringLiteral("--formato"), QString::fromUtf8(formato), QStringLiteral("--salida"),
             QStringLiteral("-")});
  cli.waitForFinished(20000);
  return cli.readAllStandardOutput().toStdString();
}

}  // namespace

class PruebaCopia : public QObject {
  Q_OBJECT

 private slots:
  void ElModo5MuestraNombreFormatoYDestino() {
    Datos d;
    PantallaSalida s(d.e.servicios, d.modos);
    QVERIFY(Control(&s, QStringLiteral("Pic_BotSal5"))->isEnabled());
    auto l = d.Listados();
    QCOMPARE(l->windowTitle(), QStringLiteral("Copiar en soporte externo"));
    QVERIFY(l->width() <= 800 && l->height() <= 570);
    auto* nombre = Control<QLineEdit>(l.get(), QStringLiteral("Tex_NombreArchivo"));
    QCOMPARE(nombre->text(), QStringLiteral("AD243"));
    QVERIFY(Control<QWidget>(l.get(), QStringLiteral("Fra_OpcionesDisco"))->isVisible());
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotCopiar"))->isVisible());
    QVERIFY(l->findChild<Boton*>(QStringLiteral("Pic_BotImprimir")) == nullptr);
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotUnidad")),
             QStringLiteral("Unidad de destino:  Carpeta de datos"));
    auto opcion = [&](int i) {
      return Control<QRadioButton>(l.get(), QStringLiteral("Opt_Exportar%1").arg(i));
    };
    QVERIFY(opcion(0)->isChecked());
    QCOMPARE(opcion(4)->text(), QStringLiteral("Apuestas delimitadas y en columnas"));
    d.e.sonido.tocados.clear();
    QTest::mouseClick(opcion(6), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, opcion(6)->height() / 2));
    QCOMPARE(nombre->text(), QStringLiteral("Col0703.txt"));
    QCOMPARE(Panel(*l)->formato(), FormatoExportacion::TXT6);
    QCOMPARE(d.e.sonido.tocados, std::vector<int>{kSonidoSigno});
    QTest::mouseClick(opcion(0), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, opcion(0)->height() / 2));
    QCOMPARE(nombre->text(), QStringLiteral("AD243"));
    Pulsa(l.get(), QStringLiteral("Pic_BotAyuda"));
    QCOMPARE(d.e.ayuda.temas.back(), 2450);

    // The list of destinations: the stick by its label, then the folders.
    Pulsa(l.get(), QStringLiteral("Pic_BotUnidad"));
    auto* lista = Control<QListWidget>(l.get(), QStringLiteral("Lis_Unidad"));
    QStringList filas;
    for (int i = 0; i < lista->count(); ++i) filas << lista->item(i)->text();
    QCOMPARE(filas, (QStringList{"KINGSTON", "Carpeta de datos", "Carpeta personal",
                                 QStringLiteral("Otra carpeta\u2026")}));
    Captura(l.get(), QStringLiteral("copia_destinos"));
    ClicFila(lista, 0);
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotUnidad")),
             QStringLiteral("Unidad de destino:  KINGSTON"));
    QCOMPARE(Panel(*l)->destino().carpeta, d.usb);

    // The choice stays for the next `listados` of the run.
    l.reset();
    l = d.Listados();
    QCOMPARE(Panel(*l)->destino().carpeta, d.usb);
    // Another folder through the chooser; giving up there keeps the choice.
    Panel(*l)->eligeCarpeta = [](const QString&) { return QString(); };
    EligeEnLista(l.get(), QStringLiteral("Pic_BotUnidad"), QStringLiteral("Lis_Unidad"), 3);
    QCOMPARE(Panel(*l)->destino().carpeta, d.usb);
    const QString otra = QString::fromStdString((d.e.estado.rutaDatos / "otra").string());
    fs::create_directory(otra.toStdString());
    Panel(*l)->eligeCarpeta = [&](const QString&) { return otra; };
    EligeEnLista(l.get(), QStringLiteral("Pic_BotUnidad"), QStringLiteral("Lis_Unidad"), 3);
    QCOMPARE(Panel(*l)->destino().tipo, TipoDestino::OtraCarpeta);
    QVERIFY(Rotulo(l.get(), QStringLiteral("Pic_BotUnidad")).startsWith(kRotulo()));
  }

  void UnaCopiaEscribeElArchivoYLoDice() {
    Datos d;
    auto l = d.Listados();
    EligeUsb(*l);
    // The last boleto holds one column: the message comes before anything is written.
    d.e.mensajero.alMostrar = [&](const Mensaje& m) {
      QCOMPARE(m.titulo, std::string("Boleto incompleto"));
      QVERIFY(!fs::exists(d.usb / "AD243"));
    };
    Captura(l.get(), QStringLiteral("copia_inicio"));
    // The finished copy, while its last status text is shown.
    QTimer vigia;
    connect(&vigia, &QTimer::timeout, this, [&] {
      if (l->estado().startsWith(QStringLiteral("Creado"))) {
        Captura(l.get(), QStringLiteral("copia_terminada"));
        vigia.stop();
      }
    });
    vigia.start(50);
    Copia(*l);
    QCOMPARE(d.e.mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(d.e.mensajero.mensajes[0], MensajeBoletoIncompleto(1));
    const std::string ad243 = Bytes(d.usb / "AD243");
    QCOMPARE(ad243, PorLaLineaDeOrdenes(d, "AD243"));
    QCOMPARE(ad243.substr(0, 37), std::string("C01243071511092812345000018010000030") + "4");
    const QString ruta = QString::fromStdString((d.usb / "AD243").string());
    const QStringList& textos = Panel(*l)->estados();
    QCOMPARE(textos.front(), QStringLiteral("Creando archivo ") + ruta);
    QVERIFY(textos.contains(QStringLiteral("Se ha copiado el 100 %")));
    QCOMPARE(textos.back(), QStringLiteral("Creado el archivo ") + ruta);
    QCOMPARE(l->estado(), QString());
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotCopiar"))->isVisible());
    QVERIFY(Control<QWidget>(l.get(), QStringLiteral("Fra_OpcionesDisco"))->isEnabled());

    // A text format into the data folder, over an earlier file of that name.
    d.e.mensajero.alMostrar = nullptr;
    EligeEnLista(l.get(), QStringLiteral("Pic_BotUnidad"), QStringLiteral("Lis_Unidad"), 1);
    auto* txt2 = Control<QRadioButton>(l.get(), QStringLiteral("Opt_Exportar2"));
    QTest::mouseClick(txt2, Qt::LeftButton, Qt::NoModifier, QPoint(6, txt2->height() / 2));
    PonBytes(d.e.ruta("Col0703.txt"), "anterior");
    Copia(*l);
    QCOMPARE(Bytes(d.e.ruta("Col0703.txt")), PorLaLineaDeOrdenes(d, "TXT2"));
    QCOMPARE(Bytes(d.e.ruta("Col0703.txt")).size(), std::size_t{17 * 17});
  }

  void NombresRechazadosAntesDeEscribir() {
    Datos d;
    auto l = d.Listados();
    EligeUsb(*l);
    auto* nombre = Control<QLineEdit>(l.get(), QStringLiteral("Tex_NombreArchivo"));
    for (const char* malo : {"../AD243", "copias/AD243", "a:b", "  ", "AD243."}) {
      d.e.mensajero.mensajes.clear();
      nombre->setText(QString::fromUtf8(malo));
      Pulsa(l.get(), QStringLiteral("Pic_BotCopiar"));
      QCOMPARE(d.e.mensajero.mensajes.size(), std::size_t{1});
      QCOMPARE(d.e.mensajero.mensajes[0].titulo, std::string("Nombre del archivo"));
      QVERIFY(!l->procesando());
    }
    QVERIFY(fs::is_empty(d.usb));
    // The data folder keeps its own files.
    EligeEnLista(l.get(), QStringLiteral("Pic_BotUnidad"), QStringLiteral("Lis_Unidad"), 1);
    const std::string red = Bytes(d.e.ruta("RED0703.TVX"));
    nombre->setText(QStringLiteral("RED0703.TVX"));
    Pulsa(l.get(), QStringLiteral("Pic_BotCopiar"));
    QCOMPARE(Bytes(d.e.ruta("RED0703.TVX")), red);
    QVERIFY(!l->procesando());
  }

  void UnSoporteQueNoEstaSePideYSePuedeCancelar() {
    Datos d;
    auto l = d.Listados();
    EligeUsb(*l);
    const std::vector<Volumen> conUsb = d.volumenes->montados;
    d.volumenes->montados.pop_back();  // pulled out before Copiar
    // Aceptar while still missing asks again; the stick comes back before the second
    // Aceptar.
    d.e.mensajero.respuestas = {true, true};
    int preguntas = 0;
    d.e.mensajero.alMostrar = [&](const Mensaje& m) {
      if (m.titulo != "No se encuentra el disco") return;
      QVERIFY(m.texto.find("en la unidad KINGSTON.") != std::string::npos);
      if (++preguntas == 2) d.volumenes->montados = conUsb;
    };
    Copia(*l);
    QCOMPARE(preguntas, 2);
    QVERIFY(fs::exists(d.usb / "AD243"));

    // Cancelar gives up: nothing written, and it says so.
    fs::remove(d.usb / "AD243");
    d.volumenes->montados.pop_back();
    d.e.mensajero.respuestas = {false};
    Copia(*l);
    QVERIFY(fs::is_empty(d.usb));
    QCOMPARE(Panel(*l)->estados().back(),
             QStringLiteral("Se ha cancelado la operación de copiado"));
  }

  void CancelarAMitadDejaElArchivoAnterior() {
    Datos d(200001);
    auto l = d.Listados();
    EligeUsb(*l);
    PonBytes(d.usb / "AD243", "anterior");
    // Cancelar is pressed as soon as the message about the single column is closed.
    d.e.mensajero.alMostrar = [&](const Mensaje&) {
      Pulsa(l.get(), QStringLiteral("Pic_BotCancelar"));
    };
    Copia(*l);
    QCOMPARE(Bytes(d.usb / "AD243"), std::string("anterior"));
    QCOMPARE(std::distance(fs::directory_iterator(d.usb), fs::directory_iterator()), 1);
    QCOMPARE(Panel(*l)->estados().back(),
             QStringLiteral("Se ha cancelado la operación de copiado"));
    QVERIFY(!Panel(*l)->estados().contains(QStringLiteral("Creado el archivo ") +
                                           QString::fromStdString((d.usb / "AD243").string())));
  }

  void UnSoporteLlenoOQueDesapareceSeDiceConSuError() {
    Datos d(20001);
    {
      SoporteLleno lleno(d.usb);
      if (lleno.montado()) {
        auto l = d.Listados();
        EligeUsb(*l);
        Copia(*l);
        QCOMPARE(d.e.mensajero.avisos.size(), std::size_t{1});
        QVERIFY(d.e.mensajero.avisos[0].startsWith(QStringLiteral("EXP ERROR 61\ndisco lleno")));
        QVERIFY(fs::is_empty(d.usb));
        QVERIFY(!Panel(*l)->estados().back().startsWith(QStringLiteral("Creado")));
      }
    }
    // The stick is pulled out in the middle of the copy.
    d.e.mensajero.avisos.clear();
    auto l = d.Listados();
    EligeUsb(*l);
    d.e.mensajero.alMostrar = [&](const Mensaje&) { fs::remove_all(d.usb); };
    Copia(*l);
    QCOMPARE(d.e.mensajero.avisos.size(), std::size_t{1});
    QVERIFY(d.e.mensajero.avisos[0].startsWith(QStringLiteral("EXP ERROR ")));
    QVERIFY(!fs::exists(d.usb));
  }

 private:
  static QString kRotulo() { return QStringLiteral("Unidad de destino:  "); }
};

QTEST_MAIN(PruebaCopia)
#include "copia_test.moc"

// Output mode 6 through its named controls: the address book, the settings and the
// password, and the send, with a recording transport and with a real SMTP server.

#include <QComboBox>
#include <QSet>

#include "apoyo/apoyo.h"
#include "apoyo/servidor_smtp.h"
#include "apoyo/transporte_prueba.h"
#include "apoyo_gui.h"
#include "engine/output/ajustes_correo.h"
#include "engine/output/llavero.h"
#include "gui/output/listados.h"
#include "gui/output/modo_correo.h"
#include "gui/output/panel_correo.h"
#include "gui/output/salida.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

class LlaveroPrueba : public LlaveroCorreo {
 public:
  std::optional<std::string> Lee(const std::string& cuenta) override {
    ++lecturas;
    const auto it = claves.find(cuenta);
    return it == claves.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void Guarda(const std::string& c, const std::string& v) override { claves[c] = v; }
  void Olvida(const std::string& c) override { claves.erase(c); }
  bool Persistente() const override { return false; }
  std::map<std::string, std::string> claves;
  int lecturas = 0;
};

// A panel over its own data folder, with a recording transport and keyring, hosted by a
// stand-in for the screen that keeps the status line.
struct Banco {
  explicit Banco(bool conAjustes = true) {
    e.estado.reduccion = ReduccionNueva(5, 12, kMetodoManual);
    e.estado.reduccion.NumApuestas = 3;
    PonBytes(e.ruta("RED0512.TVX"),
             "\"1X21X21X21X21X2\"\r\n\"111111111111111\"\r\n\"222222222222222\"\r\n");
    if (conAjustes) {
      AjustesCorreo a;
      a.servidor = "127.0.0.1";
      a.puerto = 2525;
      a.seguridad = SeguridadCorreo::Ninguna;
      a.remitente = "zendo@example.com";
      GuardaAjustesCorreo(e.estado.rutaDatos, a);
    }
  }
  void Abre() {
    panel = std::make_unique<PanelCorreo>(e.servicios);
    panel->llavero = &llavero;
    panel->creaTransporte = [this] {
      auto t = std::make_unique<TransporteAjeno>(grabador);
      return std::unique_ptr<TransporteCorreo>(std::move(t));
    };
    panel->PonAnfitrion({[this] { ++empiezos; }, [this] { ++terminos; },
                         [this](const QString& t) { estados.push_back(t); }, &cancelado});
    panel->show();
  }
  QListWidget* lista() { return Control<QListWidget>(panel.get(), "Lis_Direcciones"); }
  QLineEdit* nueva() { return Control<QLineEdit>(panel.get(), "Tex_NuevaDireccion"); }
  void Teclea(const QString& texto) {
    nueva()->setFocus();
    nueva()->setText(texto);
    QTest::keyClick(nueva(), Qt::Key_Return);
  }
  std::vector<bool> Marcadas() {
    std::vector<bool> m;
    for (int i = 0; i < lista()->count(); ++i) m.push_back(lista()->item(i)->isSelected());
    return m;
  }

  // The panel destroys its transport after each send; the recording lives here.
  class TransporteAjeno : public TransporteCorreo {
   public:
    explicit TransporteAjeno(TransportePrueba& t) : t_(t) {}
    ResultadoCorreo Abre(const ConexionCorreo& c) override { return t_.Abre(c); }
    uint64_t LimiteServidor() const override { return t_.LimiteServidor(); }
    ResultadoCorreo Envia(std::string_view de, std::string_view para, FuenteMensaje& m,
                          const std::atomic<bool>* c) override {
      return t_.Envia(de, para, m, c);
    }
    void Cierra() override { t_.Cierra(); }

   private:
    TransportePrueba& t_;
  };

  Entorno e;
  LlaveroPrueba llavero;
  TransportePrueba grabador;
  std::unique_ptr<PanelCorreo> panel;
  std::atomic<bool> cancelado{false};
  std::vector<QString> estados;
  int empiezos = 0;
  int terminos = 0;
};

std::string Cuerpo(const std::string& mensaje) {
  return mensaje.substr(mensaje.find("\r\n\r\n") + 4);
}

}  // namespace

class PruebaPanelCorreo : public QObject {
  Q_OBJECT

 private slots:
  void LibretaDeDirecciones() {
    Banco b;
    b.Abre();
    // Missing: created empty.
    QCOMPARE(b.lista()->count(), 0);
    QCOMPARE(Bytes(b.e.ruta("DIRECC.TVX")), std::string());
    QVERIFY(Control<QCheckBox>(b.panel.get(), "Chk_MailBase")->isChecked());
    QVERIFY(!Control<QCheckBox>(b.panel.get(), "Chk_MailColumnas")->isChecked());

    b.Teclea(QStringLiteral("  ana@example.com  "));
    b.Teclea(QStringLiteral("luis@example.org"));
    QVERIFY(b.nueva()->text().isEmpty());
    b.Teclea(QStringLiteral("   "));
    QCOMPARE(b.lista()->count(), 2);
    QCOMPARE(b.lista()->item(0)->text(), QStringLiteral("ana@example.com"));
    QCOMPARE(b.Marcadas(), (std::vector<bool>{false, false}));
    QVERIFY(b.e.mensajero.mensajes.empty());

    // An address that could break a header is refused where it is typed, and kept there.
    b.Teclea(QStringLiteral("eva@example.net\nBcc: x@example.com"));
    QCOMPARE(b.lista()->count(), 2);
    QCOMPARE(b.e.mensajero.mensajes.size(), std::size_t{1});
    QVERIFY(Utf(b.e.mensajero.mensajes[0].texto).contains(QStringLiteral("saltos de línea")));
    QCOMPARE(b.nueva()->text(), QStringLiteral("eva@example.net\nBcc: x@example.com"));
    b.Teclea(QStringLiteral("eva@example.net"));

    // A double click takes an address back into the box; Enter puts it at the end, unmarked.
    b.lista()->item(0)->setSelected(true);
    const QPoint centro = b.lista()->visualItemRect(b.lista()->item(0)).center();
    QTest::mouseClick(b.lista()->viewport(), Qt::LeftButton, Qt::NoModifier, centro);
    QTest::mouseDClick(b.lista()->viewport(), Qt::LeftButton, Qt::NoModifier, centro);
    QCOMPARE(b.nueva()->text(), QStringLiteral("ana@example.com"));
    QCOMPARE(b.nueva()->cursorPosition(), 15);
    QCOMPARE(b.lista()->count(), 2);
    QTest::keyClick(b.nueva(), Qt::Key_Return);
    QCOMPARE(b.panel->Direcciones(),
             (std::vector<std::string>{"luis@example.org", "eva@example.net", "ana@example.com"}));
    QCOMPARE(b.lista()->item(2)->isSelected(), false);

    QVERIFY(b.panel->GuardaLista());
    QCOMPARE(Bytes(b.e.ruta("DIRECC.TVX")),
             std::string("luis@example.org\r\neva@example.net\r\nana@example.com\r\n"));
    // Opened again: every address marked.
    b.Abre();
    QCOMPARE(b.Marcadas(), (std::vector<bool>{true, true, true}));

    // A rewrite that fails is told; the list stays unless the user leaves anyway.
    b.Teclea(QStringLiteral("nueva@example.com"));
    {
      SoloLectura bloqueo(b.e.estado.rutaDatos);
      if (!bloqueo.activa()) QSKIP("no read-only folder here");
      b.e.mensajero.respuestas = {false};
      QVERIFY(!b.panel->GuardaLista());
      QVERIFY(Utf(b.e.mensajero.mensajes.back().texto).contains(QStringLiteral("DIRECC.TVX")));
      QCOMPARE(b.lista()->count(), 4);
      b.e.mensajero.respuestas = {true};
      QVERIFY(b.panel->GuardaLista());
    }
    QCOMPARE(Bytes(b.e.ruta("DIRECC.TVX")),
             std::string("luis@example.org\r\neva@example.net\r\nana@example.com\r\n"));
  }

  void EnviaALasMarcadasEnOrden() {
    Banco b;
    PonBytes(b.e.ruta("DIRECC.TVX"), "ana@example.com\r\nluis@example.org\r\neva@example.net\r\n");
    b.Abre();
    b.lista()->item(1)->setSelected(false);
    b.panel->Envia();
    QCOMPARE(b.grabador.enviados.size(), std::size_t{2});
    QCOMPARE(b.grabador.enviados[0].destinatario, std::string("ana@example.com"));
    QCOMPARE(b.grabador.enviados[1].destinatario, std::string("eva@example.net"));
    QCOMPARE(Cuerpo(b.grabador.enviados[0].mensaje), Cuerpo(b.grabador.enviados[1].mensaje));
    QVERIFY(Cuerpo(b.grabador.enviados[0].mensaje).rfind("JORNADA NRO.  5 DE FECHA", 0) == 0);
    QCOMPARE(b.grabador.conexion.url, std::string("smtp://127.0.0.1:2525"));
    QCOMPARE(b.grabador.aperturas, 1);
    QCOMPARE(b.empiezos, 1);
    QCOMPARE(b.terminos, 1);
    QVERIFY(std::find(b.estados.begin(), b.estados.end(),
                      QStringLiteral("Enviando el mensaje 2 de 2")) != b.estados.end());
    QCOMPARE(b.estados.back(), QStringLiteral("Se han enviado los 2 mensajes."));
    QVERIFY(b.e.mensajero.mensajes.empty());

    // Both boxes clear: an empty body; columns only: the "Apuesta nro." lines.
    QTest::mouseClick(Control<QCheckBox>(b.panel.get(), "Chk_MailBase"), Qt::LeftButton);
    b.lista()->clearSelection();
    b.lista()->item(0)->setSelected(true);
    b.panel->Envia();
    QCOMPARE(Cuerpo(b.grabador.enviados.back().mensaje), std::string());
    QTest::mouseClick(Control<QCheckBox>(b.panel.get(), "Chk_MailColumnas"), Qt::LeftButton);
    b.panel->Envia();
    QCOMPARE(Cuerpo(b.grabador.enviados.back().mensaje),
             std::string("Apuesta nro.    1  1X21X21X21X21X2\r\nApuesta nro.    2  111111111111111"
                         "\r\nApuesta nro.    3  222222222222222\r\n"));

    // Nothing marked: said, and no connection.
    b.lista()->clearSelection();
    const int aperturas = b.grabador.aperturas;
    b.panel->Envia();
    QCOMPARE(b.grabador.aperturas, aperturas);
    QVERIFY(Utf(b.e.mensajero.mensajes.back().texto).contains(QStringLiteral("ninguna")));
  }

  void CancelarYFallosSeCuentan() {
    Banco b;
    PonBytes(b.e.ruta("DIRECC.TVX"), "ana@example.com\r\nluis@example.org\r\neva@example.net\r\n");
    b.Abre();
    b.grabador.antesDeEnviar = [&b](std::size_t ya) {
      if (ya == 1) b.cancelado = true;
    };
    b.panel->Envia();
    QCOMPARE(b.grabador.enviados.size(), std::size_t{2});
    QCOMPARE(b.e.mensajero.mensajes.size(), std::size_t{1});
    const QString texto = Utf(b.e.mensajero.mensajes[0].texto);
    QVERIFY(texto.contains(QStringLiteral("Se ha cancelado el envío.")));
    QVERIFY(
        texto.contains(QStringLiteral("Han recibido el mensaje: ana@example.com, "
                                      "luis@example.org.")));
    QCOMPARE(b.e.mensajero.mensajes[0].contexto, 2460);
    QCOMPARE(b.terminos, 1);
  }

  void AjustesYContrasenaUnaVezPorSesion() {
    Banco b(false);
    PonBytes(b.e.ruta("DIRECC.TVX"), "ana@example.com\r\n");
    b.Abre();
    QVERIFY(Control<QLabel>(b.panel.get(), "Lab_Servidor")->text().contains("Falta"));
    // Enviar with nothing set up opens the settings first; then the password is asked.
    AlAbrirModal(QStringLiteral("correo"), [](QDialog* d) {
      Control<QLineEdit>(d, "Tex_Servidor")->setText(QStringLiteral("smtp.example.com"));
      Control<QComboBox>(d, "Cbo_Seguridad")->setCurrentIndex(1);
      QCOMPARE(Control<QLineEdit>(d, "Tex_Puerto")->text(), QStringLiteral("465"));
      Control<QLineEdit>(d, "Tex_Usuario")->setText(QStringLiteral("pepe"));
      Control<QLineEdit>(d, "Tex_Remitente")->setText(QStringLiteral("pepe@example.com"));
      Control<QLineEdit>(d, "Tex_Nombre")->setText(QStringLiteral("Peña"));
      AlAbrirModal(QStringLiteral("contrasena"), [](QDialog* c) {
        Control<QLineEdit>(c, "Tex_Contrasena")->setText(QStringLiteral("secreta"));
        Pulsa(c, "Pic_BotAceptar");
      });
      Pulsa(d, "Pic_BotGuardar");
    });
    b.panel->Envia();
    QCOMPARE(b.grabador.enviados.size(), std::size_t{1});
    QCOMPARE(b.grabador.conexion.url, std::string("smtps://smtp.example.com:465"));
    QCOMPARE(b.grabador.conexion.usuario, std::string("pepe"));
    QCOMPARE(b.grabador.conexion.contrasena, std::string("secreta"));
    const std::string correo = Bytes(b.e.ruta("CORREO.TVX"));
    QVERIFY(correo.find("Usuario=pepe\r\n") != std::string::npos);
    QVERIFY(correo.find("secreta") == std::string::npos);
    QCOMPARE(b.llavero.claves.at("pepe@smtp.example.com:465"), std::string("secreta"));
    QVERIFY(Control<QLabel>(b.panel.get(), "Lab_Servidor")->text().contains("465"));

    // The second send asks nothing. A refused password is forgotten, so the next send asks.
    b.panel->Envia();
    QCOMPARE(b.grabador.enviados.size(), std::size_t{2});
    b.grabador.falloAbrir = {FalloCorreo::Autenticacion, "535 5.7.8 Authentication failed"};
    b.panel->Envia();
    QVERIFY(b.llavero.claves.empty());
    QVERIFY(Utf(b.e.mensajero.mensajes.back().texto).contains(QStringLiteral("535 5.7.8")));
    b.grabador.falloAbrir = {};
    AlAbrirModal(QStringLiteral("contrasena"), [](QDialog* c) { c->reject(); });
    b.panel->Envia();
    QCOMPARE(b.grabador.enviados.size(), std::size_t{2});

    // Settings that cannot work are refused in the dialog with a message.
    AlAbrirModal(QStringLiteral("correo"), [](QDialog* d) {
      Control<QComboBox>(d, "Cbo_Seguridad")->setCurrentIndex(2);
      Pulsa(d, "Pic_BotGuardar");
      QVERIFY(d->isVisible());
      d->reject();
    });
    const std::size_t antes = b.e.mensajero.mensajes.size();
    QVERIFY(!b.panel->AbreAjustes());
    QCOMPARE(b.e.mensajero.mensajes.size(), antes + 1);
    QVERIFY(Utf(b.e.mensajero.mensajes.back().texto).contains(QStringLiteral("localhost")));
  }

  void UnMensajeLlegaAUnServidorReal() {
    Banco b;
    ServidorSmtp servidor(b.e.ruta("smtp"));
    QVERIFY(servidor.listo());
    AjustesCorreo a;
    a.servidor = "127.0.0.1";
    a.puerto = servidor.puerto();
    a.seguridad = SeguridadCorreo::Ninguna;
    a.remitente = "zendo@example.com";
    a.nombre =
        "Pe\xF1"
        "a";
    GuardaAjustesCorreo(b.e.estado.rutaDatos, a);
    PonBytes(b.e.ruta("DIRECC.TVX"), "ana@example.com\r\nluis@example.org\r\n");
    b.Abre();
    b.panel->creaTransporte = {};
    b.panel = std::make_unique<PanelCorreo>(b.e.servicios);  // the program's own transport
    b.panel->llavero = &b.llavero;
    QTest::mouseClick(Control<QCheckBox>(b.panel.get(), "Chk_MailColumnas"), Qt::LeftButton);
    b.panel->Envia();
    QVERIFY(b.panel->ultimoEnvio().resultado.ok());
    const auto m = servidor.Recibidos();
    QCOMPARE(m.size(), std::size_t{2});
    QCOMPARE(servidor.Conexiones(), 1);
    QCOMPARE(m[1].para, std::vector<std::string>{"luis@example.org"});
    QCOMPARE(m[0].asunto, std::string("Datos de la jornada 5. Reducci\xC3\xB3n nro. 12"));
    QVERIFY(m[0].cabeceras.find("From: Pe\xC3\xB1"
                                "a <zendo@example.com>") != std::string::npos);
    QVERIFY(m[0].cuerpo.rfind("JORNADA NRO.  5 DE FECHA", 0) == 0);
    QVERIFY(m[0].cuerpo.find("\r\nApuesta nro.    3  222222222222222\r\n") != std::string::npos);
    QCOMPARE(m[0].cuerpo, m[1].cuerpo);
  }

  // Mode 6 on `listados`: Enviar mensajes sends, Salir writes the address book, Cancelar
  // stops between messages; `salida` offers the mode.
  void ModoSeisEnListados() {
    Banco b;
    PonBytes(b.e.ruta("DIRECC.TVX"), "ana@example.com\r\nluis@example.org\r\nx@example.es\r\n");
    ModosSalida modos;
    RegistraModoCorreo(modos);
    {
      PantallaSalida s(b.e.servicios, modos);
      QVERIFY(Control(&s, QStringLiteral("Pic_BotSal6"))->isEnabled());
    }
    auto l = std::make_unique<PantallaListados>(b.e.servicios, modos, 6);
    l->show();
    QCOMPARE(l->windowTitle(), QStringLiteral("Enviar por correo electrónico"));
    QCOMPARE(Rotulo(l.get(), QStringLiteral("Pic_BotEnviar")), QStringLiteral("Enviar mensajes"));
    QVERIFY(l->findChild<Boton*>(QStringLiteral("Pic_BotImprimir")) == nullptr);
    QVERIFY(l->width() <= 800 && l->height() <= 570);
    auto* panel = Control<PanelCorreo>(l.get(), QStringLiteral("Pan_Correo"));
    panel->llavero = &b.llavero;
    panel->creaTransporte = [&b] {
      return std::unique_ptr<TransporteCorreo>(
          std::make_unique<Banco::TransporteAjeno>(b.grabador));
    };
    // Without the mouse: Tab starts on the first input and walks every control of the panel
    // and the Enviar button.
    QWidget* foco = l->focusWidget();
    QVERIFY(foco != nullptr);
    QCOMPARE(foco->objectName(), QStringLiteral("Chk_MailBase"));
    QSet<QString> recorridos;
    for (int i = 0; i < 10; ++i) {
      recorridos.insert(foco->objectName());
      QTest::keyClick(foco, Qt::Key_Tab);
      foco = l->focusWidget();
    }
    for (const char* nombre : {"Chk_MailBase", "Chk_MailColumnas", "Pic_BotAjustesCorreo",
                               "Tex_NuevaDireccion", "Lis_Direcciones", "Pic_BotEnviar"}) {
      QVERIFY2(recorridos.contains(QLatin1String(nombre)), nombre);
    }
    // Enter on an address takes it back into the box, as a double click does; Enter in the
    // box puts it back at the end of the list.
    auto* lista = Control<QListWidget>(l.get(), QStringLiteral("Lis_Direcciones"));
    auto* caja = Control<QLineEdit>(l.get(), QStringLiteral("Tex_NuevaDireccion"));
    lista->setFocus(Qt::TabFocusReason);
    lista->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(lista, Qt::Key_Return);
    QCOMPARE(caja->text(), QStringLiteral("ana@example.com"));
    QCOMPARE(l->focusWidget(), caja);
    QTest::keyClick(caja, Qt::Key_Return);
    QCOMPARE(panel->Direcciones(),
             (std::vector<std::string>{"luis@example.org", "x@example.es", "ana@example.com"}));
    lista->item(2)->setSelected(true);
    // Looked at from the sending thread: only flags are touched there.
    std::vector<bool> ocupada;
    b.grabador.antesDeEnviar = [&l, &ocupada](std::size_t ya) {
      ocupada.push_back(l->procesando());
      if (ya == 1) l->cancelado() = true;  // Cancelar pressed while the second message goes
    };
    // Enter on the focused Enviar sends.
    Control(l.get(), QStringLiteral("Pic_BotEnviar"))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Control(l.get(), QStringLiteral("Pic_BotEnviar")), Qt::Key_Return);
    QCOMPARE(b.grabador.enviados.size(), std::size_t{2});
    QCOMPARE(ocupada, (std::vector<bool>{true, true}));
    QVERIFY(!l->procesando());
    QCOMPARE(b.e.mensajero.mensajes.size(), std::size_t{1});
    QVERIFY(Control(l.get(), QStringLiteral("Pic_BotSalir"))->isVisible());
    QVERIFY(Utf(b.e.mensajero.mensajes.back().texto).contains(QStringLiteral("cancelado")));

    Control<QLineEdit>(l.get(), QStringLiteral("Tex_NuevaDireccion"))->setText(" eva@example.net ");
    QTest::keyClick(Control<QLineEdit>(l.get(), QStringLiteral("Tex_NuevaDireccion")),
                    Qt::Key_Return);
    QSignalSpy cerrada(l.get(), &QDialog::finished);
    Pulsa(l.get(), QStringLiteral("Pic_BotSalir"));
    QCOMPARE(cerrada.count(), 1);
    QCOMPARE(Bytes(b.e.ruta("DIRECC.TVX")),
             std::string("luis@example.org\r\nx@example.es\r\nana@example.com\r\n"
                         "eva@example.net\r\n"));
  }
};

QTEST_MAIN(PruebaPanelCorreo)
#include "panel_correo_test.moc"

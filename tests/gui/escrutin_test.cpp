// The scrutiny screen driven through its named widgets: what it loads, the winning column by
// mouse and keyboard, the prize boxes, a complete scrutiny against an independent count and
// the record it saves, the incomplete column, files that fail, a long count cancelled or
// left, and the printout handed what the lists show.

#include <QGroupBox>
#include <QListView>
#include <QProgressBar>
#include <atomic>
#include <chrono>
#include <thread>

#include "apoyo/apoyo.h"
#include "apoyo_gui.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/scrutiny/importes.h"
#include "engine/scrutiny/registro_escrutinio.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/scrutiny/escrutin.h"
#include "gui/scrutiny/rejilla_ganadora.h"
#include "tests/engine/scrutiny/referencia.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

const std::string kGanadora = "1X21X21X21X21X2";

// Columns near the winning one in two groups of match 15 (1, then X), and the model that
// numbers their boletos.
std::vector<std::string> Columnas() {
  std::vector<std::string> c;
  for (const char pleno : {'1', 'X'}) {
    for (int i = 0; i < 20; ++i) {
      std::string col = kGanadora;
      for (int m = 0; m < i % 6; ++m) col[static_cast<std::size_t>(3 * m)] = 'X';
      if (i % 9 == 4) col[13] = '1';
      col[14] = pleno;
      c.push_back(col);
    }
  }
  return c;
}

struct Escenario {
  explicit Escenario(int metodo = kMetodoDirecto) {
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    e.estado.datos.Jornada = 12;
    e.estado.datos.Orden = 1;
    EscribeJornadaPrueba(e.estado.rutaDatos, 12, "15/11/09");
    Guarda(1, metodo, Columnas());
  }
  void Guarda(int orden, int metodo, const std::vector<std::string>& columnas) {
    Reduccion r = ReduccionNueva(12, static_cast<int16_t>(orden), static_cast<int16_t>(metodo));
    r.Partido[15].Signo = {0, 1, 1, 0};
    r.Partido[15].NumSignos = 2;
    for (int m = 1; m <= 14; ++m) r.Probabilidad[m] = {0, 50, 30, 20};
    r.NumApuestas = static_cast<int32_t>(columnas.size());
    for (const auto& c : columnas) {
      r.ColumnasPleno1 += c[14] == '1';
      r.ColumnasPlenoX += c[14] == 'X';
    }
    QCOMPARE(GuardaRegistroBases(e.estado.rutaDatos, ConstruyeRegistroBases(r)).error, 0);
    std::string contenido;
    for (const auto& c : columnas) contenido += LineaColumna(c);
    PonBytes(e.ruta(NombreReduccion(12, orden)), contenido);
    if (orden == 1) {
      modelo = r;
      columnas_ = contenido;
    }
  }
  void Abre(ImpresionEscrutinio imprime = {}) {
    p = std::make_unique<PantallaEscrutinio>(e.servicios, nullptr, std::move(imprime));
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.get()));
  }
  template <typename T = QWidget>
  T* C(const char* nombre) {
    return Control<T>(p.get(), QString::fromLatin1(nombre));
  }
  QLineEdit* Premio(int k) {
    return Control<QLineEdit>(p.get(), QStringLiteral("Tex_Premios%1").arg(k));
  }
  RejillaGanadora* Rejilla() { return p->rejillaGanadora(); }
  // Marks a whole column by clicks, from a column with no marks.
  void MarcaColumna(const std::string& col) {
    for (int m = 1; m <= 15; ++m) {
      const char s = col[static_cast<std::size_t>(m - 1)];
      if (s == '-') continue;
      ClicCelda(Rejilla(), m - 1, s == '1' ? 0 : s == 'X' ? 1 : 2);
    }
  }
  void TecleaPremio(int k, const QString& texto) {
    QLineEdit* caja = Premio(k);
    caja->setFocus();
    caja->selectAll();
    QTest::keyClicks(caja, texto);
    QTest::keyClick(caja, Qt::Key_Return);
  }
  // Realizar el escrutinio, waiting for the count to end (none when the column is
  // incomplete).
  void Escruta(bool cuenta = true) {
    QSignalSpy fin(p.get(), &PantallaEscrutinio::escrutinioTerminado);
    Pulsa(p.get(), QStringLiteral("Pic_BotEscrutar"));
    if (cuenta) QVERIFY(fin.count() == 1 || fin.wait(10000));
    QVERIFY(!p->enMarcha());
  }
  QStringList Aciertos() {
    QStringList l;
    auto* lista = C<QListWidget>("Lis_Aciertos");
    for (int i = 0; i < lista->count(); ++i) l << lista->item(i)->text();
    return l;
  }
  QStringList Boletos() {
    QStringList l;
    auto* m = C<QListView>("Lis_Boletos")->model();
    for (int i = 0; i < m->rowCount(); ++i) l << m->data(m->index(i, 0)).toString();
    return l;
  }
  std::string Registro12() { return Bytes(e.ruta("JORNADAS.TVX")).substr(11 * 544, 544); }
  // The count is held at its first block while `detenido` holds, until the screen cancels
  // it (or the test gives up).
  void DetieneLaCuenta(const std::atomic<bool>& detenido) {
    p->PonContador([&detenido](const std::filesystem::path& ruta, const Reduccion& r,
                               std::string_view g, const PremiosCentimos& premios,
                               const ProgresoEscrutinio& progreso,
                               const std::atomic<bool>& cancelar) {
      return zendo::Escruta(
          ruta, r, g, premios,
          [&](uint64_t leidos, uint64_t total) {
            for (int i = 0; i < 1000 && detenido && !cancelar; ++i) {
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            progreso(leidos, total);
          },
          cancelar);
    });
  }

  Entorno e;
  std::unique_ptr<PantallaEscrutinio> p;
  Reduccion modelo;
  std::string columnas_;
};

QStringList Lista(const std::vector<std::string>& v) {
  QStringList l;
  for (const auto& s : v) l << Utf(s);
  return l;
}

}  // namespace

class PruebaEscrutinio : public QObject {
  Q_OBJECT

 private slots:
  void AbreConLoGuardadoEnLaJornada() {
    Escenario s;
    std::string r = Bytes(s.e.ruta("JORNADAS.TVX"));
    r.replace(11 * 544 + 463, 15, "132000000000003");
    r.replace(11 * 544 + 478, 22, "     1234.5       7.10");
    PonBytes(s.e.ruta("JORNADAS.TVX"), r);
    s.Abre();
    QCOMPARE(s.p->windowTitle(),
             QStringLiteral("Escrutinio de columnas reducidas con el Método Directo"));
    QCOMPARE(s.p->marcas()[1], (std::array<int16_t, 4>{0, 1, 0, 0}));
    QCOMPARE(s.p->marcas()[2], (std::array<int16_t, 4>{0, 0, 0, 1}));
    QCOMPARE(s.p->marcas()[3], (std::array<int16_t, 4>{0, 0, 1, 0}));
    QCOMPARE(s.p->marcas()[15], (std::array<int16_t, 4>{0, 0, 0, 1}));
    QCOMPARE(s.p->marcas()[4], (std::array<int16_t, 4>{}));
    QCOMPARE(s.Premio(1)->text(), QStringLiteral("1234.50"));
    QCOMPARE(s.Premio(2)->text(), QStringLiteral("7.10"));
    QCOMPARE(s.Premio(6)->text(), QStringLiteral("0.00"));
    QCOMPARE(s.C<QGroupBox>("Fra_Premios")->title(), QStringLiteral("   Importe  premios   "));
    QCOMPARE(s.C<QLabel>("Label1")->text(), QStringLiteral("15 aciertos"));
    QCOMPARE(s.C<QLabel>("Label6")->text(), QStringLiteral("10 aciertos"));
    const QStringList cabeceras = {
        QStringLiteral("------------------- Escrutinio -------------------"),
        QStringLiteral("Aciertos  Columnas          Importe"),
        QStringLiteral("------------ Localización de aciertos ------------"),
        QStringLiteral("Boleto nro.    15   14   13   12   11   10")};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(
          Control<QLabel>(s.p.get(), QStringLiteral("Lab_CabeceraListas%1").arg(i + 1))->text(),
          cabeceras[i]);
    }
    QCOMPARE(s.C<QLabel>("Lab_Descripcion")->text().trimmed(), QString());
    QCOMPARE(Rotulo(s.p.get(), QStringLiteral("Pic_BotEscrutar")),
             QStringLiteral("Realizar el escrutinio"));
    QVERIFY(s.C("Pic_BotEscrutar")->isVisible());
    QVERIFY(!s.C("Pic_BotImpriEscru")->isVisible());
    QVERIFY(s.Aciertos().isEmpty());
    QVERIFY(s.Boletos().isEmpty());
    QVERIFY(!s.C<QLabel>("Lab_MediaGanadora")->isVisible());  // method 4 only
    QVERIFY(s.e.sonido.tocados.empty());
    QVERIFY(s.e.mensajero.avisos.empty());
    // The grid's rows stand beside the rows of their matches.
    auto* panel = s.p->panel();
    for (int m : {1, 8, 15}) {
      const QRect celda = s.Rejilla()->RectDe(Celda{m - 1, 0});
      const int yCelda = s.Rejilla()->mapTo(s.p.get(), celda.center()).y();
      const int yFila = panel->mapTo(s.p.get(), QPoint(0, panel->yFila(m) + 11)).y();
      QVERIFY2(std::abs(yCelda - yFila) <= 2, qPrintable(QString::number(m)));
    }
    Pulsa(s.p.get(), QStringLiteral("Pic_BotAyuda"));
    QCOMPARE(s.e.ayuda.temas, std::vector<int>{2500});
  }

  // Every method fits a small screen, and method 4 shows the average probability.
  void CabeEnPantallasPequenas() {
    for (int metodo = 1; metodo <= 5; ++metodo) {
      Escenario s(metodo);
      s.Abre();
      QVERIFY(s.p->width() <= 800 && s.p->height() <= 540);
      const QRect dentro = s.p->rect();
      for (const char* nombre :
           {"Pic_Ganadora", "Lis_Aciertos", "Lis_Boletos", "Fra_Premios", "Pic_BotEscrutar",
            "Pic_BotImpriEscru", "Pic_BotSalir", "Pic_Quiniela"}) {
        QWidget* w = s.C(nombre);
        const QRect r(w->mapTo(s.p.get(), QPoint(0, 0)), w->size());
        QVERIFY2(dentro.contains(r), nombre);
      }
      // The lists are wide enough for a boleto line without scrolling sideways.
      auto* boletos = s.C<QListView>("Lis_Boletos");
      QVERIFY(boletos->viewport()->width() >=
              QFontMetrics(boletos->font()).horizontalAdvance(QString(26, QLatin1Char('0'))));
      auto* media = s.C<QLabel>("Lab_MediaGanadora");
      QCOMPARE(media->isVisible(), metodo == kMetodoBalanceSignos);
      if (metodo == kMetodoBalanceSignos) {
        QCOMPARE(media->text(), QStringLiteral("------   "));
        s.MarcaColumna(kGanadora);
        // 1 in 5 matches at 50, X in 5 at 30, 2 in 4 at 20: (250 + 150 + 80) / 14.
        QCOMPARE(media->text(), Utf(Formato(480.0 / 14, "0.00")) + QStringLiteral(" %"));
      }
    }
  }

  void LaColumnaGanadoraConRatonYTeclado() {
    Escenario s;
    s.Abre();
    RejillaGanadora* g = s.Rejilla();
    ClicCelda(g, 3, 1);
    QCOMPARE(s.p->marcas()[4], (std::array<int16_t, 4>{0, 0, 1, 0}));
    ClicCelda(g, 3, 2);  // another sign moves the mark
    QCOMPARE(s.p->marcas()[4], (std::array<int16_t, 4>{0, 0, 0, 1}));
    ClicCelda(g, 3, 2);  // the marked sign clears
    QCOMPARE(s.p->marcas()[4], (std::array<int16_t, 4>{}));
    QCOMPARE(s.e.sonido.tocados, std::vector<int>(3, kSonidoSigno));
    // The gaps between rows and between signs answer nothing.
    const QRect a = g->RectDe(Celda{3, 1});
    const QRect b = g->RectDe(Celda{4, 1});
    QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier,
                      QPoint(a.center().x(), (a.bottom() + b.top()) / 2 + 1));
    QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier, QPoint(a.right() + 1, a.center().y()));
    QCOMPARE(s.e.sonido.tocados.size(), 3U);
    QCOMPARE(s.p->marcas(), MarcasGanadora{});
    // What is drawn as a cell is what the click rule takes as that cell.
    for (int fila = 0; fila < 15; ++fila) {
      for (int col = 0; col < 3; ++col) {
        const QRect r = g->RectDe(Celda{fila, col});
        for (const QPoint punto :
             {r.center(), r.topLeft() + QPoint(2, 2), r.bottomRight() - QPoint(2, 2)}) {
          QCOMPARE(g->QueGanadoraHaPulsado(punto), (PulsacionGanadora{fila + 1, col + 1}));
        }
      }
    }
    // Keyboard: the arrows move, Space clicks, and 1, X, 2 mark that sign of the row.
    ClicCelda(g, 0, 0);
    ClicCelda(g, 0, 0);
    g->setFocus(Qt::TabFocusReason);
    QTest::keyClick(g, Qt::Key_Down);
    QTest::keyClick(g, Qt::Key_Right);
    QTest::keyClick(g, Qt::Key_Space);
    QCOMPARE(SignoGanador(s.p->marcas(), 2), 2);
    QTest::keyClick(g, Qt::Key_2);
    QCOMPARE(SignoGanador(s.p->marcas(), 2), 3);
    QTest::keyClick(g, Qt::Key_Down);
    QTest::keyClick(g, Qt::Key_1);
    QTest::keyClick(g, Qt::Key_Down);
    QTest::keyClick(g, Qt::Key_X);
    QCOMPARE(SignoGanador(s.p->marcas(), 3), 1);
    QCOMPARE(SignoGanador(s.p->marcas(), 4), 2);
    QTest::keyClick(g, Qt::Key_X);
    QCOMPARE(SignoGanador(s.p->marcas(), 4), 0);
  }

  void LasCajasDePremiosSoloAdmitenCifrasYPunto() {
    Escenario s;
    s.Abre();
    QLineEdit* caja = s.Premio(2);
    caja->setFocus();
    caja->selectAll();
    QTest::keyClicks(caja, "12a3,4.5-x");
    QCOMPARE(caja->text(), QStringLiteral("1234.5"));
    QTest::keyClick(caja, Qt::Key_Return);  // Enter acts as leaving the box
    QCOMPARE(caja->text(), QStringLiteral("1234.50"));
    QLineEdit* otra = s.Premio(3);
    otra->setFocus();
    otra->selectAll();
    QTest::keyClicks(otra, "0.005");
    s.Premio(4)->setFocus();  // leaving it
    QCOMPARE(otra->text(), QStringLiteral("0.01"));
    otra->setFocus();
    otra->selectAll();
    QTest::keyClick(otra, Qt::Key_Delete);
    QTest::keyClick(otra, Qt::Key_Return);
    QCOMPARE(otra->text(), QStringLiteral("0.00"));
    s.TecleaPremio(1, QStringLiteral("99999999.999"));
    QCOMPARE(s.Premio(1)->text(), QStringLiteral("99999999.99"));  // eleven characters at most
  }

  void EscrutarGuardaCuentaYMuestraLasListas() {
    Escenario s;
    const std::string antes = Bytes(s.e.ruta("JORNADAS.TVX"));
    int impresiones = 0;
    QStringList impreso;
    s.Abre([&](Servicios&, QWidget* pantalla, const InformeEscrutinio& i) {
      ++impresiones;
      QCOMPARE(pantalla, s.p.get());
      QCOMPARE(i.reduccion.Jornada, int16_t{12});
      QCOMPARE(i.jornada.FechaJornada, std::string("15/11/09"));
      QCOMPARE(i.resultado.ColumnaGanadora, kGanadora);
      impreso = Lista(LineasAciertos(i.resultado));
    });
    s.MarcaColumna(kGanadora);
    const std::array<QString, 7> premios = {QString(),
                                            QStringLiteral("150000"),
                                            QStringLiteral("1234.5"),
                                            QStringLiteral("60.25"),
                                            QStringLiteral("8"),
                                            QStringLiteral("0.5"),
                                            QStringLiteral("")};
    for (int k = 1; k <= 6; ++k) s.TecleaPremio(k, premios[static_cast<std::size_t>(k)]);
    s.e.sonido.tocados.clear();
    s.Escruta();
    QCOMPARE(s.e.sonido.tocados, (std::vector<int>{kSonidoAccion, kSonidoAccion}));
    QVERIFY(!Control(s.p.get(), "Pic_BotEscrutar")->pulsado());
    QVERIFY(s.e.mensajero.avisos.empty());
    const Referencia ref = EscrutinioReferencia(s.modelo, s.columnas_, kGanadora,
                                                {0, 15000000, 123450, 6025, 800, 50, 0});
    QCOMPARE(s.Aciertos(), Lista(ref.aciertos));
    QCOMPARE(s.Boletos(), Lista(ref.boletos));
    QVERIFY(s.Boletos().size() >= 3);
    // The record: its own positions, the rest as it was.
    const std::string r = s.Registro12();
    QCOMPARE(r.substr(0, 463), antes.substr(11 * 544, 463));
    QCOMPARE(r.substr(463),
             std::string("123123123123123  150000.00    1234.50      60.25       8.00       0.50"
                         "       0.00"));
    QCOMPARE(Bytes(s.e.ruta("JORNADAS.TVX")).substr(0, 11 * 544), antes.substr(0, 11 * 544));
    // The printout gets what the lists show.
    QVERIFY(s.C("Pic_BotImpriEscru")->isVisible());
    s.e.sonido.tocados.clear();
    Pulsa(s.p.get(), QStringLiteral("Pic_BotImpriEscru"));
    QCOMPARE(impresiones, 1);
    QCOMPARE(impreso, s.Aciertos());
    QCOMPARE(s.e.sonido.tocados, (std::vector<int>{kSonidoAccion, kSonidoAccion}));
    // Another reduction of the jornada: the lists belong to the one before.
    s.Guarda(2, kMetodoManual, {kGanadora});
    EligeEnLista(s.p.get(), QStringLiteral("Pic_BotOrden"), QStringLiteral("Lis_Orden"), 1);
    QCOMPARE(s.p->windowTitle(),
             QStringLiteral("Escrutinio de columnas reducidas con el Método de Reducción manual"));
    QVERIFY(s.Aciertos().isEmpty());
    QVERIFY(s.Boletos().isEmpty());
    QVERIFY(!s.C("Pic_BotImpriEscru")->isVisible());
    QCOMPARE(SignoGanador(s.p->marcas(), 15), 3);  // read back from the record
    QCOMPARE(s.Premio(3)->text(), QStringLiteral("60.25"));
  }

  void SinImpresionNoHayBotonDeImprimir() {
    Escenario s;
    s.Abre();
    s.MarcaColumna(kGanadora);
    s.Escruta();
    QCOMPARE(s.Aciertos().size(), 17);
    QVERIFY(!s.C("Pic_BotImpriEscru")->isVisible());
  }

  void ColumnaIncompletaGuardaYAvisa() {
    Escenario s;
    s.Abre();
    s.MarcaColumna("1X21X21X21X-1X2");
    s.TecleaPremio(2, QStringLiteral("12"));
    s.e.sonido.tocados.clear();
    s.Escruta(false);
    QCOMPARE(s.e.mensajero.mensajes.size(), 1U);
    QCOMPARE(s.e.mensajero.mensajes[0], MensajeGanadoraIncompleta());
    QCOMPARE(s.e.sonido.tocados, (std::vector<int>{kSonidoAccion, kSonidoAccion}));
    QCOMPARE(s.Registro12().substr(463, 26), std::string("123123123120123       0.00"));
    QCOMPARE(s.Registro12().substr(489, 11), std::string("      12.00"));
    QVERIFY(s.Aciertos().isEmpty());
    QVERIFY(!s.C("Pic_BotImpriEscru")->isVisible());
    QVERIFY(!Control(s.p.get(), "Pic_BotEscrutar")->pulsado());
  }

  void FicherosQueFallanSeDicen() {
    Escenario s;
    s.Abre([](Servicios&, QWidget*, const InformeEscrutinio&) {});
    s.MarcaColumna(kGanadora);
    std::filesystem::remove(s.e.ruta("RED1201.TVX"));
    s.Escruta();
    QCOMPARE(s.e.mensajero.avisos,
             (std::vector<QString>{QStringLiteral("ESC ERROR 53\r\nFichero no encontrado al leer "
                                                  "RED1201.TVX.")}));
    QVERIFY(s.Aciertos().isEmpty());
    QVERIFY(!s.C("Pic_BotImpriEscru")->isVisible());
    // A jornadas file that cannot be written: said, and the count still runs.
    s.Guarda(1, kMetodoDirecto, Columnas());
    const std::string antes = Bytes(s.e.ruta("JORNADAS.TVX"));
    s.e.mensajero.avisos.clear();
    SoloLectura bloqueo(s.e.estado.rutaDatos);
    if (!bloqueo.activa()) QSKIP("no read-only folder here");
    s.Escruta();
    QCOMPARE(s.e.mensajero.avisos,
             (std::vector<QString>{QStringLiteral("ESC ERROR 70\r\nPermiso denegado al escribir "
                                                  "JORNADAS.TVX.")}));
    QCOMPARE(s.Aciertos().size(), 17);
    QVERIFY(s.C("Pic_BotImpriEscru")->isVisible());
    QCOMPARE(Bytes(s.e.ruta("JORNADAS.TVX")), antes);
  }

  // A jornadas file that cannot be read is not written over (its teams would be lost).
  void UnaJornadaIlegibleNoSeSobrescribe() {
    Escenario s;
    std::filesystem::remove(s.e.ruta("JORNADAS.TVX"));
    std::filesystem::create_directory(s.e.ruta("JORNADAS.TVX"));
    s.Abre();
    QCOMPARE(s.e.mensajero.avisos.size(), 1U);
    QVERIFY(s.e.mensajero.avisos[0].startsWith(QStringLiteral("LJO ERROR ")));
    // The file and the cause under the code.
    QVERIFY(s.e.mensajero.avisos[0].endsWith(
        QStringLiteral("\r\nAcceso no permitido al leer JORNADAS.TVX.")));
    const QString numero = s.e.mensajero.avisos[0].mid(10).section(QStringLiteral("\r\n"), 0, 0);
    s.e.mensajero.avisos.clear();
    s.MarcaColumna(kGanadora);
    s.Escruta();
    QCOMPARE(
        s.e.mensajero.avisos,
        (std::vector<QString>{QStringLiteral("ESC ERROR ") + numero +
                              QStringLiteral("\r\nAcceso no permitido al leer JORNADAS.TVX.")}));
    QVERIFY(std::filesystem::is_directory(s.e.ruta("JORNADAS.TVX")));
    QCOMPARE(s.Aciertos().size(), 17);
  }

  // A count that takes long: its progress shows, the screen still answers (and refuses what
  // would change the count), and Cancelar leaves both lists empty.
  void UnEscrutinioLargoSeCancela() {
    Escenario s;
    s.Abre([](Servicios&, QWidget*, const InformeEscrutinio&) {});
    std::atomic<bool> detenido{true};
    s.DetieneLaCuenta(detenido);
    s.MarcaColumna(kGanadora);
    QSignalSpy fin(s.p.get(), &PantallaEscrutinio::escrutinioTerminado);
    Pulsa(s.p.get(), QStringLiteral("Pic_BotEscrutar"));
    QVERIFY(s.p->enMarcha());
    QTRY_VERIFY(s.C("Pic_Progreso")->isVisible());
    // Escape, the grid and the choosers do nothing meanwhile.
    QTest::keyClick(s.p.get(), Qt::Key_Escape);
    QVERIFY(s.p->isVisible());
    ClicCelda(s.Rejilla(), 0, 1);
    QCOMPARE(SignoGanador(s.p->marcas(), 1), 1);
    QVERIFY(!s.C("Pic_BotNroJor")->isEnabled());
    s.e.sonido.tocados.clear();
    Pulsa(s.C("Pic_Progreso"), QStringLiteral("Pic_BotCancelar"));
    QVERIFY(fin.count() == 1 || fin.wait(10000));
    QCOMPARE(s.e.sonido.tocados, (std::vector<int>{kSonidoAyuda, kSonidoAccion}));
    QVERIFY(!s.C("Pic_Progreso")->isVisible());
    QVERIFY(s.Aciertos().isEmpty());
    QVERIFY(s.Boletos().isEmpty());
    QVERIFY(!s.C("Pic_BotImpriEscru")->isVisible());
    QVERIFY(s.C("Pic_BotNroJor")->isEnabled());
    QVERIFY(s.e.mensajero.avisos.empty());
    // The next one runs to its end.
    detenido = false;
    s.Escruta();
    QCOMPARE(s.Aciertos().size(), 17);
    QVERIFY(s.C("Pic_BotImpriEscru")->isVisible());
  }

  void CerrarDuranteElEscrutinioLoCancela() {
    Escenario s;
    s.Abre();
    const std::atomic<bool> detenido{true};
    s.DetieneLaCuenta(detenido);
    s.MarcaColumna(kGanadora);
    Pulsa(s.p.get(), QStringLiteral("Pic_BotEscrutar"));
    QVERIFY(s.p->enMarcha());
    const auto t0 = std::chrono::steady_clock::now();
    s.p->reject();
    QVERIFY(!s.p->enMarcha());
    QVERIFY(!s.p->isVisible());
    QVERIFY(std::chrono::steady_clock::now() - t0 < std::chrono::seconds(5));
  }

  // An empty data folder: no reduction, nothing to count.
  void SinReduccionElBotonNoHaceNada() {
    Entorno e;
    LeeDatosGenerales(e.estado.rutaDatos, e.estado.datos);
    PantallaEscrutinio p(e.servicios);
    p.show();
    QVERIFY(!p.reduccionCargada());
    QCOMPARE(Control<QLabel>(&p, "Lab_Descripcion")->text(),
             QStringLiteral("No existe la reducción con orden 1 en la jornada 1"));
    e.sonido.tocados.clear();
    Pulsa(&p, QStringLiteral("Pic_BotEscrutar"));
    QVERIFY(e.sonido.tocados.empty());
    QVERIFY(!Control(&p, "Pic_BotEscrutar")->pulsado());
  }
};

QTEST_MAIN(PruebaEscrutinio)
#include "escrutin_test.moc"

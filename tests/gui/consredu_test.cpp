// The consultation screen: paging the boletos of the work file, the marking panel of a manual
// reduction with its three methods, and the deletion of marked columns, through the named
// controls.

#include "gui/consult/consredu.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include "apoyo_gui.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/screens/pagina_historico.h"
#include "gui/consult/garantia.h"
#include "gui/consult/panel_columnas.h"
#include "gui/consult/panel_marcado.h"
#include "gui/shell/boton_pagina.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

// Stores (1, orden) with `metodo` and these columns, the counts as the reduction leaves them.
void Guarda(Entorno& e, int orden, int metodo, const std::vector<std::string>& columnas) {
  Reduccion r = ReduccionNueva(1, static_cast<int16_t>(orden), static_cast<int16_t>(metodo));
  r.Partido[15].Signo = {0, 1, 1, 0};
  r.Partido[15].NumSignos = 2;
  r.Descripcion = AjustaAncho("Prueba", 35);
  std::string red;
  for (const auto& c : columnas) {
    red += "\"" + c + "\"\r\n";
    if (metodo == kMetodoManual) {
      r.ColumnasPleno1 += c[14] == '1';
      r.ColumnasPlenoX += c[14] == 'X';
    }
  }
  r.NumApuestas = r.ApuestasBase = static_cast<int32_t>(columnas.size());
  if (metodo == kMetodoManual) r.ApuestasQuiniela = r.NumApuestas;
  QCOMPARE(GuardaRegistroBases(e.estado.rutaDatos, ConstruyeRegistroBases(r)).error, int16_t{0});
  PonBytes(e.ruta(NombreReduccion(1, orden)), red);
}

// n columns: the first `conPleno1` with 1 in match 15, the rest X; column i has i % 15
// variants (signs X in its first i % 15 matches).
std::vector<std::string> Columnas(int n, int conPleno1) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) {
    std::string c(15, '1');
    for (int m = 0; m < i % 15 && m < 14; ++m) c[static_cast<std::size_t>(m)] = 'X';
    c[14] = i < conPleno1 ? '1' : 'X';
    v.push_back(c);
  }
  return v;
}

std::string Marcas(const Entorno& e) {
  const std::string bytes = Bytes(e.ruta(kFicheroBoletos));
  std::string m;
  for (std::size_t p = 16; p < bytes.size(); p += kLargoRegistroBoleto) m += bytes[p];
  return m;
}

void Pagina(PantallaConsulta& p, int boton) {
  QTest::mousePress(Control<QWidget>(&p, QStringLiteral("Pic_BotAdeAtr%1").arg(boton)),
                    Qt::LeftButton);
}

QString Rotulos(PantallaConsulta& p) {
  QStringList r;
  for (int b = 1; b <= 3; ++b)
    r << Control<QLabel>(&p, QStringLiteral("Lab_Boleto%1").arg(b))->text();
  return r.join(QLatin1Char('|'));
}

bool Activos(PantallaConsulta& p, std::array<bool, 4> esperados) {
  for (int b = 1; b <= 4; ++b) {
    auto* boton = Control<BotonPagina>(&p, QStringLiteral("Pic_BotAdeAtr%1").arg(b));
    if (boton->activo() != esperados[static_cast<std::size_t>(b - 1)]) return false;
  }
  return true;
}

void ClicColumna(PantallaConsulta& p, int columna) {
  auto* pane = p.columnas();
  const QPoint centro = PanelColumnas::RectColumna(columna).center();
  MueveRaton(pane, centro);
  QTest::mousePress(pane, Qt::LeftButton, Qt::NoModifier, centro);
}

QCheckBox* Variante(PantallaConsulta& p, int v) {
  return p.findChild<QCheckBox*>(QStringLiteral("Chk_NumVar%1").arg(v));
}

void Opcion(PantallaConsulta& p, int i) {
  QTest::mouseClick(Control<QRadioButton>(&p, QStringLiteral("Opt_MetodoMarcar%1").arg(i)),
                    Qt::LeftButton);
}

// Reduction (1, 1) stored with `metodo` and these columns, and the consultation screen shown
// on it; with `marcado` (1..3) the marking panel is open on that method. Taken as
// `auto&& [e, p] = Consulta(...)`.
struct Consulta {
  Consulta(int metodo, const std::vector<std::string>& columnas, int marcado = 0)
      : p(Abre(e, metodo, columnas)) {
    if (marcado == 0) return;
    Pulsa(&p, QStringLiteral("Pic_BotAbrirMarcar"));
    if (marcado > 1) Opcion(p, marcado);
  }
  ~Consulta() { delete &p; }
  Consulta(const Consulta&) = delete;
  Consulta& operator=(const Consulta&) = delete;

  Entorno e;
  PantallaConsulta& p;

 private:
  static PantallaConsulta& Abre(Entorno& e, int metodo, const std::vector<std::string>& columnas) {
    Guarda(e, 1, metodo, columnas);
    auto* p = new PantallaConsulta(e.servicios);
    p->show();
    return *p;
  }
};

}  // namespace

class PruebaConsulta : public QObject {
  Q_OBJECT

 private slots:
  void PaginasDeTresBoletos() {
    // 20 columns with 1 and 30 with X: boletos 1-3 and 4-7, 54 lines.
    auto&& [e, p] = Consulta(kMetodoDirecto, Columnas(50, 20));
    QCOMPARE(p.estadoMarcado().LineasTrabajo, 54);
    QCOMPARE(p.windowTitle(),
             QStringLiteral("Consulta de columnas reducidas con el Método Directo"));
    QCOMPARE(Rotulos(p), QStringLiteral("Boleto 1|Boleto 2|Boleto 3"));
    QVERIFY(Activos(p, {false, false, true, true}));
    QCOMPARE(Control<BotonPagina>(&p, "Pic_BotAdeAtr3")->toolTip(),
             QStringLiteral(" Avanzar tres boletos "));
    // The other methods only show the columns.
    QVERIFY(!Control<Boton>(&p, "Pic_BotAbrirMarcar")->isVisible());
    QVERIFY(!Control<QWidget>(&p, "Fra_MetodosMarcado")->isVisible());
    QVERIFY(p.findChild<QCheckBox*>() == nullptr);

    e.sonido.tocados.clear();
    Pagina(p, 3);
    QCOMPARE(p.primeraLineaVisible(), 25);
    QCOMPARE(e.sonido.tocados, (std::vector<int>{6, 6}));
    // Boleto 3 ends with blank places: boleto 4 starts the X group.
    QCOMPARE(Rotulos(p), QStringLiteral("Boleto 4|Boleto 5|Boleto 6"));
    QCOMPARE(p.columnas()->pagina().Signo(15, 1), 'X');
    Pagina(p, 4);
    QCOMPARE(p.primeraLineaVisible(), 49);
    QCOMPARE(Rotulos(p), QStringLiteral("Boleto 7||"));
    QVERIFY(Activos(p, {true, true, false, false}));
    // An inactive button does nothing, not even a sound.
    e.sonido.tocados.clear();
    Pagina(p, 3);
    QCOMPARE(p.primeraLineaVisible(), 49);
    QVERIFY(e.sonido.tocados.empty());
    Pagina(p, 2);
    QCOMPARE(p.primeraLineaVisible(), 25);

    // From the keyboard: Home, End, Page Up and Page Down.
    QTest::keyClick(&p, Qt::Key_Home);
    QCOMPARE(p.primeraLineaVisible(), 1);
    QTest::keyClick(&p, Qt::Key_End);
    QCOMPARE(p.primeraLineaVisible(), 49);
    QTest::keyClick(&p, Qt::Key_PageUp);
    QCOMPARE(p.primeraLineaVisible(), 25);
    p.columnas()->setFocus();
    QTest::keyClick(p.columnas(), Qt::Key_PageDown);
    QCOMPARE(p.primeraLineaVisible(), 49);
    auto* avanzar = Control<BotonPagina>(&p, "Pic_BotAdeAtr1");
    avanzar->setFocus();
    QTest::keyClick(avanzar, Qt::Key_Space);
    QCOMPARE(p.primeraLineaVisible(), 1);

    Pulsa(&p, "Pic_BotAyuda");
    QCOMPARE(e.ayuda.temas.back(), 2300);
  }

  void UnaPaginaJustaYColumnasAusentes() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(24, 24));
    QVERIFY(Activos(p, {false, false, false, false}));

    // Without the columns file: the empty grid, no marking and no message.
    std::filesystem::remove(e.ruta("RED0101.TVX"));
    PantallaConsulta vacia(e.servicios);
    vacia.show();
    QVERIFY(!vacia.hayTrabajo());
    QVERIFY(e.mensajero.avisos.empty());
    QCOMPARE(vacia.columnas()->pagina().FilaPanel[1], std::string(24, ' '));
    QCOMPARE(Rotulos(vacia), QStringLiteral("||"));
    QVERIFY(!Control<Boton>(&vacia, "Pic_BotAbrirMarcar")->isVisible());
    QVERIFY(Activos(vacia, {false, false, false, false}));

    // A work file that cannot be written: told once, with its code; no marking either.
    Guarda(e, 1, kMetodoManual, Columnas(24, 24));
    std::filesystem::create_directory(e.ruta("FORBOLW.TVX"));
    PantallaConsulta sinTrabajo(e.servicios);
    sinTrabajo.show();
    QCOMPARE(e.mensajero.avisos.size(), std::size_t{1});
    QVERIFY(e.mensajero.avisos[0].startsWith(QStringLiteral("FORBOL ERROR ")));
    QVERIFY(!sinTrabajo.hayTrabajo());
    QVERIFY(!Control<Boton>(&sinTrabajo, "Pic_BotAbrirMarcar")->isVisible());
  }

  void MarcadoPorVariantesYAlAzar() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(30, 30));
    QCOMPARE(p.windowTitle(), QStringLiteral("Consulta / Modificación de columnas reducidas con "
                                             "el Método de Reducción manual"));
    QVERIFY(!Control<QWidget>(&p, "Fra_MetodosMarcado")->isVisible());
    QCOMPARE(Rotulo(&p, "Pic_BotAbrirMarcar"), QStringLiteral("Marcar columnas para borrar >>"));
    Pulsa(&p, "Pic_BotAbrirMarcar");
    QVERIFY(p.marcadorAbierto());
    QCOMPARE(Rotulo(&p, "Pic_BotAbrirMarcar"), QStringLiteral("Ocultar marcado de columnas <<"));
    QVERIFY(p.width() <= 800 && p.height() <= 570);
    QVERIFY(Control<QRadioButton>(&p, "Opt_MetodoMarcar1")->isChecked());
    QCOMPARE(Control<QWidget>(&p, "Pic_EstaMar")->accessibleName(),
             QStringLiteral("Columnas sin marcar 30\nColumnas marcadas 0"));

    // Classes 0..14 hold 2 columns each (column i has i % 15 variants).
    QCOMPARE(Variante(p, 3)->text(), QStringLiteral(" 3 var. ->     2"));
    QVERIFY(!Control<Boton>(&p, "Pic_BotMarcaSel")->isVisible());
    QTest::mouseClick(Variante(p, 3), Qt::LeftButton);
    QTest::mouseClick(Variante(p, 14), Qt::LeftButton);
    QCOMPARE(Control<QWidget>(&p, "Pic_TotSel")->accessibleName(),
             QStringLiteral("Totales: 26 / 4"));
    QVERIFY(Control<Boton>(&p, "Pic_BotMarcaSel")->isVisible());
    Pulsa(&p, "Pic_BotMarcaSel");
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 4);
    QCOMPARE(Marcas(e), QStringLiteral("000100000000001000100000000001").toStdString());
    // The second time the classes marked show no count, cleared and disabled.
    QCOMPARE(Variante(p, 3)->text(), QStringLiteral(" 3 var."));
    QVERIFY(!Variante(p, 3)->isChecked());
    QVERIFY(!Variante(p, 3)->isEnabled());
    QVERIFY(!Control<Boton>(&p, "Pic_BotMarcaSel")->isVisible());
    QVERIFY(p.columnas()->pagina().Marcada(4));

    // A random percentage: the check boxes go, 0 % marks nothing, 99 % of 26 marks 26.
    Opcion(p, 2);
    QVERIFY(Variante(p, 3) == nullptr);
    QVERIFY(Control<Boton>(&p, "Pic_BotPorcen")->isVisible());
    QCOMPARE(Rotulo(&p, "Pic_BotPorcen"), QStringLiteral("Marcar  0 % de columnas"));
    QVERIFY(!Control<Boton>(&p, "Pic_BotMarcaSel")->isVisible());
    EligeEnLista(&p, "Pic_BotPorcen", "Lis_Porcen", 50);
    QCOMPARE(Control<QWidget>(&p, "Pic_TotSel")->accessibleName(),
             QStringLiteral("Totales: 13 / 13"));
    EligeEnLista(&p, "Pic_BotPorcen", "Lis_Porcen", 99);
    QCOMPARE(Rotulo(&p, "Pic_BotPorcen"), QStringLiteral("Marcar 99 % de columnas"));
    QCOMPARE(Control<QWidget>(&p, "Pic_TotSel")->accessibleName(),
             QStringLiteral("Totales: 0 / 26"));
    Pulsa(&p, "Pic_BotMarcaSel");
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 30);
    QCOMPARE(Marcas(e), std::string(30, '1'));
    QCOMPARE(Rotulo(&p, "Pic_BotPorcen"), QStringLiteral("Marcar  0 % de columnas"));

    // Closing the panel narrows the window again; the marks stay.
    const int ancho = p.width();
    Pulsa(&p, "Pic_BotAbrirMarcar");
    QVERIFY(!p.marcadorAbierto());
    QVERIFY(p.width() < ancho);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 30);
  }

  void MarcadoAManoConRatonYTeclado() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5));  // 5 with 1, 3 blanks, 5 with X
    // Hand marking needs the panel open on its third method.
    ClicColumna(p, 2);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 0);
    Pulsa(&p, "Pic_BotAbrirMarcar");
    Opcion(p, 3);
    QVERIFY(Control<QLabel>(&p, "Lab_Manual")->isVisible());
    QVERIFY(!Control<QWidget>(&p, "Pic_TotSel")->isVisible());
    QVERIFY(!Control<Boton>(&p, "Pic_BotMarcaSel")->isVisible());
    e.sonido.tocados.clear();
    ClicColumna(p, 2);
    QCOMPARE(e.sonido.tocados, (std::vector<int>{7}));
    QCOMPARE(Marcas(e), std::string("01000   00000"));
    QVERIFY(p.columnas()->pagina().Marcada(2));
    QCOMPARE(e.servicios.CursorActual(), kCursorGoma);  // over a marked column
    // A blank place marks nothing; the same column again takes the mark away.
    ClicColumna(p, 7);
    ClicColumna(p, 2);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 0);
    QCOMPARE(Marcas(e), std::string("00000   00000"));

    // The keyboard goes on from the column clicked last: arrows move, Space turns the mark.
    p.columnas()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(p.columnas(), Qt::Key_Right);
    QTest::keyClick(p.columnas(), Qt::Key_Right);
    QTest::keyClick(p.columnas(), Qt::Key_Space);
    QCOMPARE(Marcas(e), std::string("00010   00000"));
    QCOMPARE(Control<QWidget>(&p, "Pic_EstaMar")->accessibleName(),
             QStringLiteral("Columnas sin marcar 9\nColumnas marcadas 1"));
    // Down and up jump a boleto: line 12 marked, line 4 unmarked again.
    QTest::keyClick(p.columnas(), Qt::Key_Down);
    QTest::keyClick(p.columnas(), Qt::Key_Space);
    QTest::keyClick(p.columnas(), Qt::Key_Up);
    QTest::keyClick(p.columnas(), Qt::Key_Enter);
    QCOMPARE(Marcas(e), std::string("00000   00010"));

    // Leaving hand marking turns the pane back to showing only.
    Opcion(p, 1);
    ClicColumna(p, 4);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 1);
  }

  void SalirConMarcasYCancelar() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5), 3);
    const std::string columnas = Bytes(e.ruta("RED0101.TVX"));
    ClicColumna(p, 1);
    ClicColumna(p, 9);
    e.sonido.tocados.clear();
    e.mensajero.respuestas = {false};
    Pulsa(&p, "Pic_BotSalir");
    QVERIFY(p.isVisible());
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});
    const Mensaje& m = e.mensajero.mensajes[0];
    QCOMPARE(m.titulo, std::string("Borrado de columnas"));
    QCOMPARE(m.texto, Cp("Hay 2 columnas  marcadas  para  borrar.\r\nSi desea borrarlas de forma "
                         "definitiva, pulse el botón Aceptar.  Si desea anular el proceso de "
                         "borrado, pulse el botón Cancelar."));
    QCOMPARE(m.lineas, 4);
    QCOMPARE(m.botones, 2);
    QCOMPARE(m.contexto, 2370);
    QCOMPARE(e.sonido.tocados.front(), 5);
    // Cancelar: every mark is gone, the panel is closed, nothing stored changed.
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 0);
    QCOMPARE(Marcas(e), std::string("00000   00000"));
    QVERIFY(!p.marcadorAbierto());
    QCOMPARE(Bytes(e.ruta("RED0101.TVX")), columnas);
    // The second Salir leaves.
    Pulsa(&p, "Pic_BotSalir");
    QVERIFY(!p.isVisible());
    QCOMPARE(p.result(), int{QDialog::Accepted});
  }

  void BorrarTodasDejaCeroApuestas() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5), 1);
    for (int v = 0; v <= 14; ++v) {
      if (Variante(p, v)->isEnabled()) QTest::mouseClick(Variante(p, v), Qt::LeftButton);
    }
    Pulsa(&p, "Pic_BotMarcaSel");
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 10);
    e.mensajero.respuestas = {true};
    // Escape acts as Salir: with marks, it offers the deletion.
    QTest::keyClick(&p, Qt::Key_Escape);
    QVERIFY(p.isVisible());
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{2});
    const Mensaje& hecho = e.mensajero.mensajes[1];
    QCOMPARE(hecho.texto, Cp("Se han borrado las columnas marcadas. Esta reducción contiene "
                             "ahora 0 apuestas."));
    QCOMPARE(hecho.lineas, 2);
    QCOMPARE(hecho.botones, 1);
    QCOMPARE(hecho.contexto, 2370);
    QCOMPARE(Bytes(e.ruta("RED0101.TVX")), std::string());
    const std::string registro = ExisteReduccion(e.estado.rutaDatos, 1, 1).RegistroLeido;
    QCOMPARE(registro.substr(31, 8), std::string("       0"));
    QCOMPARE(registro.substr(346, 16), std::string("       0       0"));
    // Reloaded from the thinned reduction.
    QCOMPARE(e.estado.reduccion.NumApuestas, 0);
    QCOMPARE(p.estadoMarcado().LineasTrabajo, 0);
    QVERIFY(e.mensajero.avisos.empty());
  }

  void UnBorradoQueFallaNoDiceQueSeHizo() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5), 3);
    const std::string columnas = Bytes(e.ruta("RED0101.TVX"));
    ClicColumna(p, 1);
    std::filesystem::create_symlink("/dev/full", e.ruta("~zendo-NRED0101.TVX"));
    e.mensajero.respuestas = {true};
    Pulsa(&p, "Pic_BotSalir");
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});  // only the question
    QCOMPARE(e.mensajero.avisos, (std::vector<QString>{QStringLiteral("RED ERROR 61")}));
    QCOMPARE(Bytes(e.ruta("RED0101.TVX")), columnas);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 0);
  }

  void CambiarDeReduccionOfreceElBorradoPrimero() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5), 3);
    Guarda(e, 2, kMetodoColumnaProbable, Columnas(3, 3));
    ClicColumna(p, 3);
    // Choosing the same orden changes nothing and asks nothing.
    EligeEnLista(&p, "Pic_BotOrden", "Lis_Orden", 0);
    QVERIFY(e.mensajero.mensajes.empty());
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 1);
    // Another one: the deletion is offered first, then the reduction changes.
    e.mensajero.respuestas = {false};
    EligeEnLista(&p, "Pic_BotOrden", "Lis_Orden", 1);
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(e.mensajero.mensajes[0].contexto, 2370);
    QCOMPARE(e.estado.reduccion.Orden, int16_t{2});
    QCOMPARE(p.windowTitle(),
             QStringLiteral("Consulta de columnas reducidas con el Método de Columna probable"));
    QVERIFY(!Control<Boton>(&p, "Pic_BotAbrirMarcar")->isVisible());
    QVERIFY(p.width() <= 800 && p.height() <= 570);
    // An order number without a reduction: the message, and the reduction stays.
    EligeEnLista(&p, "Pic_BotOrden", "Lis_Orden", 6);
    QCOMPARE(e.mensajero.mensajes.back().titulo, Cp("Error en el número de Orden"));
    QCOMPARE(e.estado.reduccion.Orden, int16_t{2});
  }

  void HistoricoConMarcasBorraEnVezDeCambiar() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5), 3);
    Guarda(e, 2, kMetodoColumnaProbable, Columnas(3, 3));
    ClicColumna(p, 3);
    e.mensajero.respuestas = {true};
    // The second line of the history is (1, 2).
    AlAbrirModal("historic", [](QDialog* h) {
      auto* carpeta = Control<QWidget>(h, "Pic_Carpeta");
      const QPoint linea(100, kAltoFilaHistorico + 12);
      MueveRaton(carpeta, linea);
      QTest::mousePress(carpeta, Qt::LeftButton, Qt::NoModifier, linea);
    });
    Pulsa(&p, "Pic_BotIndice");
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{2});  // the question and the report
    QCOMPARE(e.estado.reduccion.Orden, int16_t{1});
    QCOMPARE(e.estado.reduccion.NumApuestas, 9);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 0);
  }

  // Tab reaches the pane, the paging strip and every control of the marking panel, in the
  // order they stand on the screen.
  void TabuladorRecorreElPanelDeMarcado() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(60, 30));
    p.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p));
    Pulsa(&p, "Pic_BotAbrirMarcar");
    Variante(p, 2)->setChecked(true);
    p.panelMarcado()->Actualiza();
    p.columnas()->setFocus(Qt::TabFocusReason);
    QStringList recorrido;
    for (int i = 0; i < 60; ++i) {
      QWidget* foco = QApplication::focusWidget();
      QVERIFY(foco != nullptr);
      recorrido << foco->objectName();
      QTest::keyClick(foco, Qt::Key_Tab);
    }
    const auto posicion = [&](const char* nombre) {
      return recorrido.indexOf(QString::fromLatin1(nombre));
    };
    for (const char* nombre :
         {"Pic_BotAdeAtr3", "Pic_BotAbrirMarcar", "Opt_MetodoMarcar1", "Opt_MetodoMarcar3",
          "Chk_NumVar0", "Chk_NumVar14", "Pic_BotMarcaSel", "Pic_BotGarantia", "Pic_BotSalir"}) {
      QVERIFY2(posicion(nombre) >= 0, nombre);
    }
    QVERIFY(posicion("Opt_MetodoMarcar1") < posicion("Chk_NumVar0"));
    QVERIFY(posicion("Chk_NumVar0") < posicion("Chk_NumVar14"));
    QVERIFY(posicion("Chk_NumVar14") < posicion("Pic_BotMarcaSel"));
    // Space on the focused button marks what the preview says.
    while (QApplication::focusWidget()->objectName() != QStringLiteral("Pic_BotMarcaSel")) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 4);  // columns 2, 17, 32 and 47
  }

  // Garantía opens the guarantee panel of the stored reduction, marks or not; without a
  // stored reduction it is not offered.
  void GarantiaDeLaReduccionGuardada() {
    auto&& [e, p] = Consulta(kMetodoManual, Columnas(10, 5), 3);
    ClicColumna(p, 1);
    auto* boton = Control<Boton>(&p, "Pic_BotGarantia");
    QVERIFY(boton->isVisible());
    QVERIFY(!boton->toolTip().isEmpty());
    QString garantia;
    bool modal = false;
    AlAbrirModal("garantia", [&](QDialog* d) {
      auto* g = static_cast<DialogoGarantia*>(d);
      for (int i = 0; i < 1000 && !g->terminado(); ++i) QTest::qWait(10);
      modal = d->isModal() && d->parentWidget() == &p;
      garantia = Control<QLabel>(d, "Lab_Garantia")->text();
      d->reject();
    });
    e.sonido.tocados.clear();
    Pulsa(&p, "Pic_BotGarantia");
    QVERIFY(modal);
    // The base is the column of ones, which the first stored column is, marked or not.
    QCOMPARE(
        garantia,
        QStringLiteral("Garantía: 14 aciertos si el resultado está dentro de la Quiniela Base"));
    QCOMPARE(e.sonido.tocados.front(), kSonidoAccion);
    QVERIFY(!boton->pulsado());
    QCOMPARE(p.estadoMarcado().ColumnasMarcadas, 1);
    QCOMPARE(Marcas(e), std::string("10000   00000"));

    e.estado.datos.Orden = 7;  // nothing stored there
    PantallaConsulta q(e.servicios);
    q.show();
    QVERIFY(!Control<Boton>(&q, "Pic_BotGarantia")->isVisible());
  }

  void CabeEnOchocientosPorQuinientosSetentaConCadaMetodo() {
    Entorno e;
    EscribeJornadaPrueba(e.estado.rutaDatos, 1, "12/09/09");
    for (int metodo = 1; metodo <= 5; ++metodo) {
      Guarda(e, metodo, metodo, Columnas(40, 20));
    }
    Reduccion r4;
    LeeReduccion(e.estado.rutaDatos, 1, 4, 1, r4);
    for (int metodo = 1; metodo <= 5; ++metodo) {
      e.estado.datos.Orden = static_cast<int16_t>(metodo);
      PantallaConsulta p(e.servicios);
      p.show();
      if (metodo == kMetodoManual) Pulsa(&p, "Pic_BotAbrirMarcar");
      // Each marking method has controls of its own: each must fit.
      for (int marcado = 1; marcado <= (metodo == kMetodoManual ? 3 : 1); ++marcado) {
        if (metodo == kMetodoManual) Opcion(p, marcado);
        const QString caso = QStringLiteral("método %1, marcado %2").arg(metodo).arg(marcado);
        // With ZENDO_CAPTURAS set to a folder, each case is saved there to look at.
        if (const QString carpeta = qEnvironmentVariable("ZENDO_CAPTURAS"); !carpeta.isEmpty()) {
          QApplication::processEvents();
          p.grab().save(
              QStringLiteral("%1/consredu_%2_%3.png").arg(carpeta).arg(metodo).arg(marcado));
        }
        QVERIFY2(p.width() <= 800 && p.height() <= 570,
                 qPrintable(caso + QStringLiteral(": %1 x %2").arg(p.width()).arg(p.height())));
        // Every control inside the window, and none over another.
        QList<QWidget*> visibles;
        for (QWidget* w : p.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
          if (w->isVisible() && !w->objectName().startsWith(QStringLiteral("Pic_Emblema"))) {
            visibles << w;
          }
        }
        for (QWidget* w : visibles) {
          QVERIFY2(p.rect().contains(w->geometry()), qPrintable(caso + w->objectName()));
          for (QWidget* otro : visibles) {
            QVERIFY2(
                w == otro || !w->geometry().intersects(otro->geometry()),
                qPrintable(caso + w->objectName() + QStringLiteral(" / ") + otro->objectName()));
          }
        }
      }
    }
  }
};

QTEST_MAIN(PruebaConsulta)
#include "consredu_test.moc"

// The quiniela panel on its own: the hit test of its grids, which grids each method shows,
// the rows and their leader lines, the cells it paints, the pointer over the grids, the
// percentage editor, and a panel that only shows (the screens other than reducir).

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "apoyo_gui.h"
#include "engine/reduction/edicion.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/consult/rejilla.h"
#include "gui/consult/rejillas_quiniela.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

Jornada ConEquipos(const std::vector<std::pair<int, std::string>>& equipos) {
  std::string registro = RegistroJornadaVacio();
  PonCabecera(registro, 5, "01/02/10");
  for (const auto& [ranura, nombre] : equipos) PonEquipo(registro, ranura, Cp(nombre));
  return ParseaJornada(registro, 5);
}

struct Montaje {
  explicit Montaje(int metodo, Pantalla pantalla = Pantalla::Reducir)
      : r(ReduccionNueva(5, 1, static_cast<int16_t>(metodo))) {
    ventana.resize(900, 500);
    panel = new PanelQuiniela(e.servicios, pantalla, &ventana);
    panel->PonEditable(pantalla == Pantalla::Reducir);
    panel->alEditar = [this](const Cambio& c) {
      cambios.push_back(c);
      panel->PonCifras(RecalculaReduccion(r));
    };
    panel->Carga(r, ConEquipos({{1, "Real Madrid"}, {2, "Getafe"}}), RecalculaReduccion(r));
    ventana.show();
    ventana.activateWindow();
    activa = QTest::qWaitForWindowActive(&ventana);
  }
  Entorno e;
  QWidget ventana;
  Reduccion r;
  PanelQuiniela* panel = nullptr;
  std::vector<Cambio> cambios;
  bool activa = false;
};

// The colour painted near the top-left corner inside a cell (away from its sign).
QColor Fondo(Rejilla* g, int fila, int columna) {
  QImage img(g->size(), QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  g->render(&img);
  const QRect r = g->RectDe(Celda{fila, columna});
  return img.pixelColor(r.left() + 3, r.top() + 4);
}

}  // namespace

class PruebaPanelQuiniela : public QObject {
  Q_OBJECT

 private slots:
  void CeldaBajoUnPunto() {
    GeometriaRejilla g;
    g.filas = 15;
    g.columnas = 3;
    g.x0 = 4;
    g.y0 = 2;
    g.ancho = 20;
    g.alto = 18;
    g.pasoX = 23;
    g.pasoY = 22;
    const std::optional<Celda> fuera;
    // Corners of the first and last cells; the gaps between columns and rows; the outside.
    for (auto [x, y, celda] :
         {std::tuple{4, 2, std::make_optional(Celda{0, 0})},
          {23, 19, std::make_optional(Celda{0, 0})},
          {27, 24, std::make_optional(Celda{1, 1})},
          {4 + 2 * 23 + 19, 2 + 14 * 22 + 17, std::make_optional(Celda{14, 2})},
          {24, 10, fuera},
          {10, 20, fuera},
          {4 + 3 * 23, 10, fuera},
          {10, 2 + 15 * 22, fuera},
          {3, 10, fuera},
          {10, -1, fuera}}) {
      QCOMPARE(CeldaEn(g, x, y), celda);
    }
    QCOMPARE(RectCelda(g, Celda{1, 2}), QRect(4 + 46, 2 + 22, 20, 18));
    // The margin before the first cell is kept after the last one.
    QCOMPARE(TamanoRejilla(g), QSize(4 + 46 + 20 + 4, 2 + 14 * 22 + 18 + 2));
  }

  void CadaMetodoMuestraSusRejillas() {
    struct Caso {
      int metodo;
      bool elegir, probable, signos, porcentajes;
    };
    for (const Caso c : {Caso{1, true, false, false, false}, Caso{2, true, true, false, false},
                         Caso{3, true, false, true, false}, Caso{4, false, false, false, true},
                         Caso{5, false, false, false, false}}) {
      Montaje m(c.metodo);
      const auto [l1, l2] = EncabezadoPanel(c.metodo, Pantalla::Reducir);
      QCOMPARE(m.panel->encabezado(1), Utf(l1));
      QCOMPARE(m.panel->encabezado(2), Utf(l2));
      QVERIFY(m.panel->base()->isVisible());
      QCOMPARE(m.panel->elegir()->isVisible(), c.elegir);
      QCOMPARE(m.panel->probable()->isVisible(), c.probable);
      QCOMPARE(m.panel->signos()->isVisible(), c.signos);
      QCOMPARE(m.panel->porNum()->isVisible(), c.porcentajes);
      QCOMPARE(m.panel->porBar()->isVisible(), c.porcentajes);
      // Method 4 shows the base of match 15 alone, the percentages stand for the others.
      QCOMPARE(m.panel->base()->geometria().filas, c.porcentajes ? 1 : 15);
      QCOMPARE(m.panel->base()->primerPartido(), c.porcentajes ? 15 : 1);
      // No grid covers another.
      QRect ocupado;
      for (QWidget* w : std::initializer_list<QWidget*>{m.panel->base(), m.panel->elegir(),
                                                        m.panel->probable(), m.panel->signos(),
                                                        m.panel->porNum(), m.panel->porBar()}) {
        if (!w->isVisible() || (c.porcentajes && w == m.panel->base())) continue;
        QVERIFY2(!ocupado.intersects(w->geometry()), qPrintable(w->objectName()));
        ocupado = ocupado.united(w->geometry());
      }
    }
  }

  void FilasYLineasGuia() {
    Entorno e;
    QWidget ventana;
    Reduccion r = ReduccionNueva(5, 1, 1);
    auto* panel = new PanelQuiniela(e.servicios, Pantalla::Consredu, &ventana);
    panel->Carga(r,
                 ConEquipos({{1, "Real Madrid"},
                             {2, "Getafe"},
                             {3, "WWWWWWWWWWWWWWW"},
                             {4, "MMMMMMMMMMMMMMM"},
                             {6, "Sevilla"}}),
                 RecalculaReduccion(r));
    QCOMPARE(panel->textoPartido(1), QStringLiteral("1. Real Madrid - Getafe"));
    QCOMPARE(panel->textoPartido(3), QStringLiteral("3. Sevilla"));  // one name: no dash
    QCOMPARE(panel->textoPartido(15), QStringLiteral("15. "));
    QVERIFY(panel->tieneLineaGuia(1));
    QVERIFY(!panel->tieneLineaGuia(2));  // the names reach the grids
    QVERIFY(panel->tieneLineaGuia(15));
  }

  void PintaLasCeldasDelModelo() {
    Montaje m(2);
    PulsaBase(m.r, 3, 2);
    PulsaElegir(m.r, 3);
    PulsaProbable(m.r, 3, 2);
    m.panel->Redibuja(kZonaTodo, 0);
    QCOMPARE(Fondo(m.panel->base(), 2, 1), ColorSigno(2));
    QCOMPARE(Fondo(m.panel->base(), 2, 0), ColorSigno(1));
    QVERIFY(Fondo(m.panel->base(), 2, 2) != ColorSigno(3));
    QCOMPARE(Fondo(m.panel->probable(), 2, 1), ColorSigno(2));
    QVERIFY(Fondo(m.panel->probable(), 2, 0) != ColorSigno(1));
  }

  void ClicsQueEditanYClicsQueNo() {
    Montaje m(3);
    ClicCelda(m.panel->elegir(), 0, 0);  // a fixed match cannot be a reducir
    QVERIFY(m.cambios.empty());
    ClicCelda(m.panel->base(), 0, 1);
    ClicCelda(m.panel->base(), 0, 2);
    ClicCelda(m.panel->elegir(), 0, 0);
    QCOMPARE(m.cambios.size(), std::size_t{3});
    QCOMPARE(m.r.Partido[1].NumSignos, int16_t{3});
    QVERIFY(m.r.Partido[1].AReducir);
    QVERIFY(m.cambios.back().Toca(kZonaSignos));
    // One match a reducir: totals above 1 cannot occur.
    ClicCelda(m.panel->signos(), 2, 0);
    QCOMPARE(m.cambios.size(), std::size_t{3});
    ClicCelda(m.panel->signos(), 1, 0);
    QCOMPARE(m.r.TotalSignos[1][1], int16_t{1});

    // Pointer: pencil over a total that can be chosen, hand over the base, none elsewhere.
    Rejilla* signos = m.panel->signos();
    MueveRaton(signos, signos->CentroDe(Celda{1, 2}));
    QCOMPARE(m.e.servicios.CursorActual(), kCursorLapiz);
    MueveRaton(signos, signos->CentroDe(Celda{5, 2}));
    QCOMPARE(m.e.servicios.CursorActual(), kCursorDefecto);
    MueveRaton(m.panel->base(), m.panel->base()->CentroDe(Celda{4, 0}));
    QCOMPARE(m.e.servicios.CursorActual(), kCursorManoAbierta);
    MueveRaton(m.panel->elegir(), m.panel->elegir()->CentroDe(Celda{4, 0}));
    QCOMPARE(m.e.servicios.CursorActual(), kCursorDefecto);
  }

  void UnPanelQueSoloMuestra() {
    Montaje m(2, Pantalla::Escrutin);
    QCOMPARE(m.panel->encabezado(1), QStringLiteral("Quiniela     Partidos    Columna"));
    const Reduccion antes = m.r;
    ClicCelda(m.panel->base(), 0, 1);
    ClicCelda(m.panel->probable(), 0, 0);
    QVERIFY(m.cambios.empty());
    QVERIFY(m.r == antes);
    MueveRaton(m.panel->base(), m.panel->base()->CentroDe(Celda{0, 1}));
    QCOMPARE(m.e.servicios.CursorActual(), kCursorDefecto);
  }

  void EditorDePorcentajes() {
    Montaje m(4);
    QVERIFY(m.activa);
    QLineEdit* editor = m.panel->editorPorcentaje();
    QCOMPARE(editor->objectName(), QStringLiteral("Tex_PorNum"));
    // From sign 3 of match 13, Enter goes on to sign 1 of match 14.
    ClicCelda(m.panel->porNum(), 12, 2);
    QVERIFY(editor->isVisible());
    QTest::keyClicks(editor, "1x5");  // the letter is refused as it is typed
    QCOMPARE(editor->text(), QStringLiteral("15"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m.r.Probabilidad[13], (std::array<int16_t, 4>{0, 85, 0, 15}));
    QCOMPARE(m.panel->celdaEditor(), std::make_optional(std::make_pair(14, 1)));
    // Sign 3 of match 14 is the last: the editor stays closed.
    ClicCelda(m.panel->porNum(), 13, 2);
    QTest::keyClicks(editor, "0");
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(!editor->isVisible());
    QCOMPARE(m.panel->celdaEditor(), std::nullopt);
    // Leaving the box commits it, as a press on a bar does.
    ClicCelda(m.panel->porNum(), 0, 1);
    QTest::keyClicks(editor, "40");
    editor->clearFocus();
    QVERIFY(!editor->isVisible());
    QCOMPARE(m.r.Probabilidad[1], (std::array<int16_t, 4>{0, 60, 40, 0}));
    const std::size_t antes = m.cambios.size();
    ClicCelda(m.panel->porNum(), 1, 0);
    QTest::keyClicks(editor, "70");
    ClicCelda(m.panel->porBar(), 5, 0);  // the open editor is committed before the bar moves
    QVERIFY(!editor->isVisible());
    QCOMPARE(m.r.Probabilidad[2], (std::array<int16_t, 4>{0, 70, 30, 0}));
    QCOMPARE(m.cambios.size(), antes + 2);
    QVERIFY(m.r.Probabilidad[6][1] < 100);
    // Escape leaves the value as it was.
    ClicCelda(m.panel->porNum(), 2, 0);
    QTest::keyClicks(editor, "5");
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(m.r.Probabilidad[3], (std::array<int16_t, 4>{0, 100, 0, 0}));
  }
};

QTEST_MAIN(PruebaPanelQuiniela)
#include "panel_quiniela_test.moc"

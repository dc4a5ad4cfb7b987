// The history of reductions: the page of the current reduction, paging, choosing and
// deleting lines, through the named controls.

#include "gui/screens/historic.h"
#include "apoyo_gui.h"
#include "engine/core/historico.h"
#include "engine/screens/pagina_historico.h"

using namespace zendo;
using namespace zendo::prueba;

namespace {

const std::string kBorrado = "0000" + std::string(391, ' ') + "\r\n";

std::string Registro(int jornada, int orden) {
  Reduccion r = ReduccionNueva(static_cast<int16_t>(jornada), static_cast<int16_t>(orden), 2);
  r.Descripcion =
      AjustaAncho("Prueba " + std::to_string(jornada) + "-" + std::to_string(orden), 35);
  return ConstruyeRegistroBases(r) + "\r\n";
}

// 40 reductions: jornadas 1 and 2 with orders 1 to 20 each; the 35th is (2, 15).
std::string Cuarenta() {
  std::string indice;
  for (int i = 0; i < 40; ++i) indice += Registro(1 + i / 20, 1 + i % 20);
  return indice;
}

// The middle of the text of row `fila`, or of its delete symbol.
QPoint EnTexto(int fila) {
  return QPoint(100, fila * kAltoFilaHistorico + 12);
}
QPoint EnSimbolo(int fila) {
  return QPoint(kXSimboloBorrar + 10, fila * kAltoFilaHistorico + 12);
}

void Clic(QWidget* w, QPoint punto) {
  MueveRaton(w, punto);
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, punto);
}

void PaginaA(PantallaHistorico& h, int boton) {
  QTest::mousePress(Control<QWidget>(&h, QStringLiteral("Pic_BotAdeAtr%1").arg(boton)),
                    Qt::LeftButton);
}

}  // namespace

class PruebaHistorico : public QObject {
  Q_OBJECT

 private slots:
  void CabecerasOrdenanYLaActualSeResalta() {
    Entorno e;
    PonBytes(e.ruta("BASES.TVX"), Cuarenta());
    EscribeJornadaPrueba(e.estado.rutaDatos, 1, "14/02/10", 0);
    EscribeJornadaPrueba(e.estado.rutaDatos, 2, "07/02/10", 0);
    e.estado.datos.Jornada = 1;
    e.estado.datos.Orden = 3;
    PantallaHistorico h(e.servicios);
    h.show();
    auto* carpeta = Control<CarpetaHistorico>(&h, "Pic_Carpeta");
    // The row of the current reduction is drawn in its own colour, the others are grey.
    auto colorFila = [carpeta](int fila) {
      return carpeta->grab().toImage().pixelColor(kFinTextoHistorico - 3,
                                                  fila * kAltoFilaHistorico + 12);
    };
    QCOMPARE(colorFila(2), QColor(255, 232, 150));
    QCOMPARE(colorFila(1), QColor(224, 224, 224));
    // The order mark: what ordering changes in the title rows lies in the blank row above
    // the heads and inside the ordered column, clear of its neighbours' heads.
    const QImage sinOrden = h.grab().toImage();
    auto marca = [&] {
      const QImage ahora = h.grab().toImage();
      QRect zona;
      for (int y = 0; y < carpeta->y(); ++y) {
        for (int x = 0; x < ahora.width(); ++x) {
          if (ahora.pixel(x, y) != sinOrden.pixel(x, y)) zona |= QRect(x, y, 1, 1);
        }
      }
      return zona;
    };
    auto enColumna = [&](QRect zona, double desde, double hasta) {
      const double x0 = carpeta->x() + kXTextoHistorico;
      return !zona.isEmpty() && zona.bottom() < carpeta->y() - 16 &&
             zona.left() > x0 + desde * carpeta->anchoCaracter() &&
             zona.right() < x0 + hasta * carpeta->anchoCaracter();
    };
    // A click on a column head: the head's first character, in the title rows.
    auto cabecera = [&](const char* texto) {
      const std::string titulo = TitulosHistorico()[1];
      const double x = carpeta->x() + kXTextoHistorico +
                       (static_cast<double>(titulo.find(texto)) + 0.5) * carpeta->anchoCaracter();
      QTest::mouseClick(&h, Qt::LeftButton, {}, QPoint(static_cast<int>(x), carpeta->y() - 9));
    };
    cabecera("Fecha");  // jornada 2 (07/02/10) before jornada 1 (14/02/10)
    QCOMPARE(JornadaDeLinea(h.lineas().front()), 2);
    QCOMPARE(OrdenDeLinea(h.lineas().front()), 1);
    QCOMPARE(Control<QListWidget>(&h, "Lis_Datos")->item(0)->text(), Utf(h.lineas().front()));
    // The current (1, 3) is now the 23rd line: its page, and its row, follow it.
    QCOMPARE(h.primeraLinea(), 18);
    QCOMPARE(colorFila(5), QColor(255, 232, 150));
    const QRect ascendente = marca();
    QVERIFY(enColumna(ascendente, 3.5, 13));
    cabecera("Fecha");  // again: the other way round
    QCOMPARE(JornadaDeLinea(h.lineas().front()), 1);
    QVERIFY(enColumna(marca(), 3.5, 13));
    QVERIFY(h.grab().toImage().copy(ascendente) != sinOrden.copy(ascendente));
    cabecera("Jor");
    QVERIFY(enColumna(marca(), 0, 3.5));
    QCOMPARE(OrdenDeLinea(h.lineas()[1]), 2);
    cabecera("Jor");
    QCOMPARE(JornadaDeLinea(h.lineas().front()), 2);
    QCOMPARE(OrdenDeLinea(h.lineas().front()), 20);
    cabecera("Descrip");  // "Prueba 1-1", "Prueba 1-10", "Prueba 1-11", ...
    QCOMPARE(OrdenDeLinea(h.lineas()[1]), 10);
    QVERIFY(enColumna(marca(), 38, 75));
    // A head that does not order changes nothing.
    const auto antes = h.lineas();
    cabecera("Ord");
    QCOMPARE(h.lineas(), antes);
    // Choosing a line of the ordered list makes that reduction the current one.
    PaginaA(h, 1);
    Clic(carpeta, EnTexto(0));
    QVERIFY(h.vieneDeHistorico());
    QCOMPARE(e.estado.datos.Jornada, int16_t{1});
    QCOMPARE(e.estado.datos.Orden, int16_t{1});
  }

  void PaginaDeLaActualYPaginas() {
    Entorno e;
    PonBytes(e.ruta("BASES.TVX"), Cuarenta());
    EscribeJornadaPrueba(e.estado.rutaDatos, 2, "14/02/10", 0);
    e.estado.datos.Jornada = 2;
    e.estado.datos.Orden = 15;
    PantallaHistorico h(e.servicios);
    h.show();
    QVERIFY(e.mensajero.avisos.empty());
    auto* datos = Control<QListWidget>(&h, "Lis_Datos");
    QCOMPARE(datos->count(), 40);
    QVERIFY(datos->isHidden());
    QCOMPARE(h.primeraLinea(), 35);
    // Jornada 1 has no record: 8 blanks for its date.
    QCOMPARE(datos->item(0)->text().left(18), QStringLiteral("  1            1  "));
    QCOMPARE(datos->item(34)->text().left(18), QStringLiteral("  2 14/02/10  15  "));

    // The pointing hand only over lines that exist: the page shows lines 35 to 40.
    auto* carpeta = Control<CarpetaHistorico>(&h, "Pic_Carpeta");
    MueveRaton(carpeta, EnTexto(5));
    QCOMPARE(carpeta->filaRaton(), 5);
    QCOMPARE(carpeta->cursor().shape(), Qt::BitmapCursor);
    MueveRaton(carpeta, EnTexto(6));
    QCOMPARE(carpeta->filaRaton(), kSinFila);
    QCOMPARE(carpeta->cursor().shape(), Qt::ArrowCursor);
    MueveRaton(carpeta, EnSimbolo(0));
    QCOMPARE(carpeta->filaRaton(), 0);
    MueveRaton(carpeta, QPoint(669, 12));  // between the text and the symbol
    QCOMPARE(carpeta->filaRaton(), kSinFila);

    // Paging never goes below line 1 nor past the last page; a full page has 17 lines.
    for (auto [boton, linea] :
         {std::pair{3, 35}, {2, 18}, {2, 1}, {2, 1}, {4, 35}, {1, 1}, {3, 18}}) {
      PaginaA(h, boton);
      QCOMPARE(h.primeraLinea(), linea);
    }
    MueveRaton(carpeta, EnTexto(16));
    QCOMPARE(carpeta->filaRaton(), 16);
    QCOMPARE(std::count(e.sonido.tocados.begin(), e.sonido.tocados.end(), kSonidoAccion), 7L);
    QVERIFY(!h.vieneDeHistorico());
  }

  void SoloRegistrosBorradosDanUnaPaginaVacia() {
    Entorno e;
    PonBytes(e.ruta("BASES.TVX"), kBorrado + kBorrado + kBorrado);
    PantallaHistorico h(e.servicios);
    h.show();
    QCOMPARE(Control<QListWidget>(&h, "Lis_Datos")->count(), 0);
    QCOMPARE(h.primeraLinea(), 1);
    auto* carpeta = Control<CarpetaHistorico>(&h, "Pic_Carpeta");
    Clic(carpeta, EnTexto(0));
    Clic(carpeta, EnSimbolo(0));
    QVERIFY(h.isVisible());
    QVERIFY(e.mensajero.mensajes.empty());
    PaginaA(h, 4);
    QCOMPARE(h.primeraLinea(), 1);
    // Without any index at all the page is just as empty, and nothing is reported.
    std::filesystem::remove(e.ruta("BASES.TVX"));
    PantallaHistorico sinIndice(e.servicios);
    QVERIFY(sinIndice.lineas().empty());
    QVERIFY(e.mensajero.avisos.empty());
  }

  void BorrarConAceptarYConCancelar() {
    Entorno e;
    PonBytes(e.ruta("BASES.TVX"), Cuarenta());
    PonBytes(e.ruta("RED0102.TVX"), "\"111111111111111\"\r\n");
    PonBytes(e.ruta("RED0103.TVX"), "\"111111111111111\"\r\n");
    e.estado.datos.Jornada = 1;
    e.estado.datos.Orden = 2;
    PantallaHistorico h(e.servicios);
    h.show();
    auto* carpeta = Control<CarpetaHistorico>(&h, "Pic_Carpeta");

    // Cancelar: nothing changes.
    e.mensajero.respuestas = {false};
    Clic(carpeta, EnSimbolo(2));
    QCOMPARE(e.mensajero.mensajes.size(), std::size_t{1});
    QCOMPARE(e.mensajero.mensajes[0], MensajeBorrarReduccion(1, 3));
    QCOMPARE(Bytes(e.ruta("BASES.TVX")), Cuarenta());
    QVERIFY(std::filesystem::exists(e.ruta("RED0103.TVX")));
    QCOMPARE(h.lineas().size(), std::size_t{40});

    // Aceptar: the index record is marked deleted, its file goes, the screen stays open.
    e.mensajero.respuestas = {true};
    Clic(carpeta, EnSimbolo(2));
    std::string esperado = Cuarenta();
    esperado.replace(2 * 397, 397, kBorrado);
    QCOMPARE(Bytes(e.ruta("BASES.TVX")), esperado);
    QVERIFY(!std::filesystem::exists(e.ruta("RED0103.TVX")));
    QVERIFY(std::filesystem::exists(e.ruta("RED0102.TVX")));
    QCOMPARE(h.lineas().size(), std::size_t{39});
    QCOMPARE(Control<QListWidget>(&h, "Lis_Datos")->count(), 39);
    QVERIFY(h.isVisible());
    QVERIFY(!h.borroLaActual());

    // The current reduction, whose file is already missing: its record is still deleted.
    std::filesystem::remove(e.ruta("RED0102.TVX"));
    e.mensajero.respuestas = {true};
    Clic(carpeta, EnSimbolo(1));
    QCOMPARE(Utf(e.mensajero.mensajes.back().texto).left(82),
             QStringLiteral("Se van a borrar los datos de la reducción con número de Orden  2 "
                            "de la Jornada  1."));
    esperado.replace(397, 397, kBorrado);
    QCOMPARE(Bytes(e.ruta("BASES.TVX")), esperado);
    QVERIFY(e.mensajero.avisos.empty());
    QVERIFY(h.borroLaActual());
    QCOMPARE(h.lineas().size(), std::size_t{38});
  }

  void BorrarLaUltimaLineaDeSuPaginaVuelveALaAnterior() {
    Entorno e;
    std::string indice;
    for (int o = 1; o <= 18; ++o) indice += Registro(3, o);
    PonBytes(e.ruta("BASES.TVX"), indice);
    e.estado.datos.Jornada = 3;
    e.estado.datos.Orden = 18;
    PantallaHistorico h(e.servicios);
    h.show();
    QCOMPARE(h.primeraLinea(), 18);
    e.mensajero.respuestas = {true};
    Clic(Control<CarpetaHistorico>(&h, "Pic_Carpeta"), EnSimbolo(0));
    QCOMPARE(h.lineas().size(), std::size_t{17});
    QCOMPARE(h.primeraLinea(), 1);
  }

  void ElegirUnaLinea() {
    Entorno e;
    PonBytes(e.ruta("BASES.TVX"), Cuarenta());
    e.estado.datos.Jornada = 1;
    e.estado.datos.Orden = 1;
    {
      PantallaHistorico h(e.servicios);
      h.show();
      PaginaA(h, 3);                                                   // lines 18 to 34
      Clic(Control<CarpetaHistorico>(&h, "Pic_Carpeta"), EnTexto(4));  // line 22: (2, 2)
      QVERIFY(h.vieneDeHistorico());
      QCOMPARE(h.result(), int(QDialog::Accepted));
      QCOMPARE(e.estado.datos.Jornada, int16_t{2});
      QCOMPARE(e.estado.datos.Orden, int16_t{2});
    }
    {
      // With columns marked for deletion, a line runs their deletion and the current
      // reduction stays.
      PantallaHistorico h(e.servicios);
      int borrados = 0;
      h.PonColumnasMarcadas(5, [&] { ++borrados; });
      h.show();
      QCOMPARE(h.primeraLinea(), 18);  // the page of (2, 2)
      Clic(Control<CarpetaHistorico>(&h, "Pic_Carpeta"), EnTexto(0));
      QCOMPARE(borrados, 1);
      QVERIFY(!h.vieneDeHistorico());
      QCOMPARE(e.estado.datos.Orden, int16_t{2});
    }
    {
      // Salir leaves VieneDeHistorico false.
      PantallaHistorico h(e.servicios);
      h.show();
      Pulsa(&h, "Pic_BotSalir");
      QVERIFY(!h.vieneDeHistorico());
      QCOMPARE(h.result(), int(QDialog::Rejected));
      QCOMPARE(e.sonido.tocados.back(), kSonidoSalir);
    }
    {
      // From the keyboard: the arrows move along the page, PageDown pages, Enter chooses.
      PantallaHistorico h(e.servicios);
      h.show();
      auto* carpeta = Control<CarpetaHistorico>(&h, "Pic_Carpeta");
      QTest::keyClick(carpeta, Qt::Key_Home);
      QCOMPARE(h.primeraLinea(), 1);
      QTest::keyClick(carpeta, Qt::Key_PageDown);
      QTest::keyClick(carpeta, Qt::Key_Up);
      QTest::keyClick(carpeta, Qt::Key_Down);
      QTest::keyClick(carpeta, Qt::Key_Down);
      QTest::keyClick(carpeta, Qt::Key_Return);
      QVERIFY(h.vieneDeHistorico());
      QCOMPARE(e.estado.datos.Jornada, int16_t{1});  // line 20: (1, 20)
      QCOMPARE(e.estado.datos.Orden, int16_t{20});
    }
    // Through AbreHistorico, as the reduction screens open it.
    AlAbrirModal(QStringLiteral("historic"), [](QDialog* d) {
      Clic(Control<CarpetaHistorico>(d, "Pic_Carpeta"), EnTexto(16));  // line 34: (2, 14)
    });
    QVERIFY(AbreHistorico(e.servicios, nullptr));
    QCOMPARE(e.estado.datos.Jornada, int16_t{2});
    QCOMPARE(e.estado.datos.Orden, int16_t{14});
  }
};

QTEST_MAIN(PruebaHistorico)
#include "historic_test.moc"

// The reduction screen driven through its named widgets: one road per method from an empty
// data folder to a stored reduction, the editing rules on the panel's grids, the choosers,
// the history, the checks, and runs that are cancelled, closed or fail on a full disk.

#include <sys/resource.h>

#include <csignal>

#include "engine/shell/textos.h"
#include "escenario_reducir.h"
#include "gui/screens/historic.h"

using namespace zendo;
using namespace zendo::prueba;

class PruebaReducir : public QObject {
  Q_OBJECT

 private slots:
  void AbreSobreLaJornadaActualConSusEquipos() {
    Escenario s;
    s.Abre();
    QCOMPARE(s.p->windowTitle(), QStringLiteral("Reducción de apuestas por el Método Directo"));
    for (auto [boton, rotulo] : {std::pair{"Pic_BotNroJor", "Jornada 12"},
                                 {"Pic_BotOrden", "Orden  1"},
                                 {"Pic_BotMetodo", "Método Directo"},
                                 {"Pic_BotReducir", "Reducir apuestas"},
                                 {"Pic_BotSelTodo", "Seleccionar todo"},
                                 {"Pic_BotBorTodo", "Borrar todo"}}) {
      QCOMPARE(s.Rotulo(boton), QString::fromUtf8(rotulo));
    }
    QCOMPARE(s.C<QLabel>("Lab_FechaJornada")->text(), QStringLiteral("15/11/09"));
    QCOMPARE(s.C<QLabel>("Lab_Descripcion")->text(), QStringLiteral("Descripción:"));
    QCOMPARE(s.panel()->textoPartido(1), QStringLiteral("1. Real Madrid - Getafe"));
    QCOMPARE(s.panel()->textoPartido(10), QStringLiteral("10. Sporting - Atlético"));
    QCOMPARE(s.panel()->encabezado(1), QStringLiteral("Quiniela     Partidos"));
    QCOMPARE(s.panel()->encabezado(2), QStringLiteral("base      reducidos"));
    QVERIFY(s.panel()->tieneLineaGuia(1));
    // A new reduction: sign 1 everywhere, one column, nothing to reduce.
    QCOMPARE(s.Valor("Apuestas directas"), QStringLiteral("1"));
    QCOMPARE(s.Cifras(), CifrasDe(Nueva(1)));
    QVERIFY(!s.p->reduccionCargada());
    QVERIFY(s.e.sonido.tocados.empty());  // loading makes no sound
    // The lists of the choosers: "@@", the current item selected.
    auto* jornadas = s.C<QListWidget>("Lis_Jornadas");
    QCOMPARE(jornadas->count(), 55);
    QCOMPARE(jornadas->item(4)->text(), QStringLiteral(" 5"));
    QCOMPARE(jornadas->currentRow(), 11);
    QCOMPARE(s.C<QListWidget>("Lis_Orden")->count(), 30);
    auto* metodos = s.C<QListWidget>("Lis_Metodos");
    QCOMPARE(metodos->count(), 5);
    QCOMPARE(metodos->item(2)->text(), QStringLiteral("Selección de signos"));
    QVERIFY(!s.C("Pic_BotMinErr")->isVisible());
    QVERIFY(!s.C<QWidget>("Pic_Externo")->isVisible());
    s.Pulsa("Pic_BotAyuda");
    QCOMPARE(s.e.ayuda.temas, std::vector<int>{2210});
  }

  // Method 1: four triples a reducir and one double developed in full.
  void MetodoDirecto() {
    Escenario s;
    s.Abre();
    s.Triples(4);
    s.Marca(5, 2);
    s.Elegir(15 - 1);  // a fixed match cannot be a reducir
    QCOMPARE(s.r().Partido[14].AReducir, false);
    QCOMPARE(s.Cifras(), CifrasDe(s.ref));
    QCOMPARE(s.Valor("Apuestas directas"), QStringLiteral("162"));
    QCOMPARE(s.Valor("Apuestas aceptadas"), QStringLiteral("18"));
    QCOMPARE(s.Valor("Factor de reducción"), QStringLiteral("9,00"));
    QCOMPARE(s.e.sonido.tocados, std::vector<int>(13, 1));

    QTest::keyClicks(s.C<QLineEdit>("Tex_Descripcion"), "Cuatro triples");
    CambiaDescripcion(s.ref, "Cuatro triples");
    s.Reduce(false);
    for (const QString& linea :
         {QStringLiteral("REDUCIENDO APUESTAS"), Utf(TextoApuestasReducidas(162, 18)),
          QStringLiteral("Ha finalizado el proceso de reducción")}) {
      QVERIFY2(s.Progreso().contains(linea), qPrintable(linea));
    }
    s.Pulsa("Pic_BotSalirPorcen");
    const Esperado esperado = ReduceConMotor(s.ref);
    QVERIFY(esperado.res.completada);
    QCOMPARE(Lineas(s.Red()), 18);
    QVERIFY(s.Red() == esperado.red);
    QVERIFY(s.Bases() == esperado.bases);
    QVERIFY(s.p->reduccionCargada());

    // Salir writes the description typed since into the stored record.
    auto* descripcion = s.C<QLineEdit>("Tex_Descripcion");
    descripcion->selectAll();
    QTest::keyClicks(descripcion, "Triples del domingo");
    s.Pulsa("Pic_BotSalir");
    QVERIFY(!s.p->isVisible());
    QCOMPARE(Utf(s.Guardada().Descripcion),
             QStringLiteral("Triples del domingo").leftJustified(35));
    QCOMPARE(s.e.sonido.tocados.back(), 5);
  }

  // Method 2, with the rules of the Columna probable on the way.
  void MetodoColumnaProbable() {
    Escenario s;
    s.Abre(2);
    QCOMPARE(s.r().Metodo, int16_t{2});
    QVERIFY(s.panel()->probable()->isVisible());
    QCOMPARE(s.panel()->encabezado(1),
             QStringLiteral("Quiniela     Partidos    Columna            Errores"));
    // Match 1 "1X", match 2 "1X2", match 3 "12", all three a reducir.
    for (auto [m, sg] : {std::pair{1, 2}, {2, 2}, {2, 3}, {3, 3}}) s.Marca(m, sg);
    for (int m = 1; m <= 3; ++m) s.Elige(m);
    QCOMPARE(s.C<QListWidget>("Lis_MinErrores")->count(), 4);

    // Without probable signs the check names the three matches.
    s.Pulsa("Pic_BotReducir");
    QVERIFY(!s.p->enMarcha());
    QCOMPARE(s.e.mensajero.mensajes.back(), MensajeColumnaProbable(3));
    QVERIFY(s.C("Pic_BotSalir")->isEnabled());

    for (int m = 1; m <= 3; ++m) s.Probable(m, m);
    s.Probable(4, 1);  // not a reducir: refused
    QCOMPARE(s.r().Partido[4].Probable, int16_t{0});
    // Removing the probable sign from the base clears it (and putting the sign back does not
    // restore it); removing another sign does not.
    for (auto [m, sg, probable] : {std::tuple{3, 3, 0}, {3, 3, 0}, {2, 3, 2}}) {
      s.Base(m, sg);
      QCOMPARE(s.r().Partido[m].Probable, int16_t(probable));
    }
    s.Base(2, 3);
    // Un-ticking a match clears its probable sign.
    s.Elegir(1);
    QCOMPARE(s.r().Partido[1].Probable, int16_t{0});
    QCOMPARE(s.r().Partido[1].AReducir, false);
    s.Elegir(1);
    s.Probable(1, 1);
    s.Probable(3, 3);
    for (int m = 1; m <= 3; ++m) PulsaProbable(s.ref, m, m);

    s.EligeEnLista("Pic_BotMinErr", "Lis_MinErrores", 0);
    s.EligeEnLista("Pic_BotMaxErr", "Lis_MaxErrores", 1);
    EligeMaxErrores(s.ref, 1);
    RecalculaReduccion(s.ref);
    QCOMPARE(s.Rotulo("Pic_BotMinErr"), QStringLiteral("Mínimo 0"));
    QCOMPARE(s.Rotulo("Pic_BotMaxErr"), QStringLiteral("Máximo 1"));
    QVERIFY(s.r() == s.ref);
    QCOMPARE(s.Valor("Apuestas aceptadas"), QStringLiteral("5"));
    QCOMPARE(s.Valor("Apuestas directas"), QStringLiteral("12"));
    QCOMPARE(s.Cifras(), CifrasDe(s.ref));
    s.ReduceComoElMotor(5);
  }

  // Method 3: totals of each sign among four triples.
  void MetodoSeleccionSignos() {
    Escenario s;
    s.Abre(3);
    QVERIFY(s.panel()->signos()->isVisible());
    s.Triples(4);
    s.Pulsa("Pic_BotReducir");
    QCOMPARE(s.e.mensajero.mensajes.back(), MensajeTotalesSignos());

    const std::size_t sonidos = s.e.sonido.tocados.size();
    s.Total(1, 5);  // more 1s than matches a reducir: not selectable
    QCOMPARE(s.r().TotalSignos[1][5], int16_t{0});
    QCOMPARE(s.e.sonido.tocados.size(), sonidos);
    const Cifras c = RecalculaReduccion(s.ref);
    // The last (3, 0) takes it off again.
    for (auto [sg, n] : {std::pair{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 0}, {3, 1}, {3, 2}, {3, 0}}) {
      s.Total(sg, n);
      PulsaTotalSignos(s.ref, c, sg, n);
    }
    QCOMPARE(s.e.sonido.tocados.back(), 6);
    RecalculaReduccion(s.ref);
    QVERIFY(s.r() == s.ref);
    QCOMPARE(s.Cifras(), CifrasDe(s.ref));

    // Removing a triple a reducir lowers MaxSignos and clears the totals above it.
    s.Base(4, 3);
    QCOMPARE(s.r().Partido[4].NumSignos, int16_t{2});
    s.Base(4, 3);
    s.ReduceComoElMotor(-1);
  }

  // Method 4: percentages typed and dragged, with their compensation, and the range.
  void MetodoBalanceSignos() {
    Escenario s;
    s.Abre(4);
    QVERIFY(s.panel()->porNum()->isVisible());
    QVERIFY(!s.panel()->elegir()->isVisible());
    QCOMPARE(s.panel()->base()->primerPartido(), 15);
    Reduccion& ref = s.ref;

    // Typing: 30 for X of match 1, Enter goes on to its sign 2, 20 there, Enter.
    s.Numero(1, 2);
    QLineEdit* editor = s.panel()->editorPorcentaje();
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), QStringLiteral("0"));
    QCOMPARE(editor->selectedText(), QStringLiteral("0"));
    const auto teclea = [editor](const char* texto, Qt::Key tecla = Qt::Key_Return) {
      QTest::keyClicks(editor, texto);
      QTest::keyClick(editor, tecla);
    };
    teclea("30");
    QCOMPARE(s.panel()->celdaEditor(), std::make_optional(std::make_pair(1, 3)));
    teclea("20");
    QCOMPARE(s.panel()->celdaEditor(), std::make_optional(std::make_pair(2, 1)));
    teclea("", Qt::Key_Escape);
    QVERIFY(!editor->isVisible());
    FijaProbabilidad(ref, 1, 2, 30);
    FijaProbabilidad(ref, 1, 3, 20);
    QCOMPARE(s.r().Probabilidad[1], (std::array<int16_t, 4>{0, 70, 10, 20}));

    // Out of range and clicking elsewhere: 250 becomes 100, committed by the next click.
    s.Numero(3, 2);
    QTest::keyClicks(editor, "250");
    s.Numero(3, 1);
    QCOMPARE(s.r().Probabilidad[3], (std::array<int16_t, 4>{0, 0, 100, 0}));
    QCOMPARE(s.panel()->celdaEditor(), std::make_optional(std::make_pair(3, 1)));
    teclea("50");
    FijaProbabilidad(ref, 3, 2, 100);
    FijaProbabilidad(ref, 3, 1, 50);
    QCOMPARE(s.r().Probabilidad[3], (std::array<int16_t, 4>{0, 50, 50, 0}));
    teclea("", Qt::Key_Escape);

    // Dragging: sign 2 of match 2 to about 40 takes it from X (0) and then from 1.
    const int arrastrado = s.Arrastra(2, 3, 40);
    QVERIFY(arrastrado >= 40 && arrastrado < 45);
    FijaProbabilidad(ref, 2, 3, arrastrado);
    QCOMPARE(s.r().Probabilidad[2],
             (std::array<int16_t, 4>{0, int16_t(100 - arrastrado), 0, int16_t(arrastrado)}));

    // The bounds: letters vanish as typed, the range stays inside the base's limits.
    s.Pulsa("Pic_BotMinPor");
    auto* caja = s.C<QLineEdit>("Tex_RangoMin");
    caja->selectAll();
    QTest::keyClicks(caja, "8a0.5x");
    QCOMPARE(caja->text(), QStringLiteral("80.5"));
    QTest::keyClick(caja, Qt::Key_Return);
    AceptaRangoMin(ref, "80.5");
    s.TecleaEnCaja("Pic_BotMaxPor", "Tex_RangoMax", QStringLiteral("300"));
    AceptaRangoMax(ref, "300");
    const Cifras c = RecalculaReduccion(ref);
    QCOMPARE(s.r().MinPorcentaje, ref.MinPorcentaje);
    QCOMPARE(s.r().MaxPorcentaje, ref.MaxPorcentaje);
    QCOMPARE(s.r().MaxPorcentaje, c.PorcMaximo);  // 300 is brought down to the limit
    QCOMPARE(s.Rotulo("Pic_BotMaxPor"),
             QStringLiteral("Máximo ") + Utf(TextoRango(c.PorcMaximo)) + QStringLiteral(" %"));
    QCOMPARE(s.Cifras(), CifrasDe(ref));
    QVERIFY(!s.Valor("Límites porcentaje").isEmpty());
    QCOMPARE(s.C<GraficoReduccion>("Pic_Grafico")->cifras().Clases(), 101);
    s.ReduceComoElMotor(-1);
  }

  // Method 5 with an external file of 10 columns merged in.
  void MetodoManualConExterno() {
    Escenario s;
    std::string externo;
    for (int i = 0; i < 10; ++i) {
      std::string col(15, '1');
      col[static_cast<std::size_t>(i)] = i == 3 ? 'x' : '2';
      col[14] = i % 2 == 0 ? '1' : '2';
      externo += "\"" + col + "\"\r\n";
    }
    PonBytes(s.e.ruta("Q44F1201.TVF"), externo);
    s.Abre(5);
    QCOMPARE(s.p->windowTitle(),
             QStringLiteral("Reducción de apuestas por el Método de Reducción manual"));
    auto* panelExterno = s.C<PanelExterno>("Pic_Externo");
    QVERIFY(panelExterno->isVisible());
    QCOMPARE(panelExterno->lineas(),
             (QStringList{QStringLiteral("Se ha encontrado el archivo externo"),
                          QStringLiteral("Q44F1201.TVF conteniendo un total"),
                          QStringLiteral("de 10 apuestas.")}));
    auto* chk = s.C<QCheckBox>("Chk_IncluirExterno");
    QCOMPARE(chk->text(), QStringLiteral("Incluirlo en la reducción"));
    QVERIFY(chk->isEnabled());
    QVERIFY(!chk->isChecked());

    s.Marca(1, 2);
    s.Marca(15, 3);
    // On navy, off green.
    for (bool marcado : {true, false, true}) {
      QTest::mouseClick(chk, Qt::LeftButton);
      QCOMPARE(chk->isChecked(), marcado);
      QCOMPARE(ColorTexto(chk), marcado ? QColor(0, 0, 128) : QColor(0, 128, 0));
    }
    PulsaIncluirExterno(s.ref);
    QCOMPARE(s.e.sonido.tocados.back(), 7);
    QCOMPARE(s.Valor("Apuestas externas"), QStringLiteral("10"));
    QCOMPARE(s.Valor("Apuestas totales"), QStringLiteral("14"));
    const CargaExterno carga = CompruebaExterno(externo, "Q44F1201.TVF");
    QCOMPARE(s.Cifras(), CifrasDe(s.ref, carga.externo));
    QCOMPARE(s.C<GraficoReduccion>("Pic_Grafico")->series(),
             (QStringList{QStringLiteral("Q. Base"), QStringLiteral("Externas"),
                          QStringLiteral("Totales")}));

    s.Reduce(false);
    QVERIFY(
        s.Progreso().contains(QStringLiteral("Ha finalizado la reducción de la Quiniela Base")));
    QVERIFY(s.Progreso().contains(QStringLiteral("Se han incorporado las columnas externas")));
    s.Pulsa("Pic_BotSalirPorcen");
    const Esperado esperado = ReduceConMotor(s.ref, externo);
    QCOMPARE(Lineas(s.Red()), 14);
    QVERIFY(s.Red() == esperado.red);
    QVERIFY(s.Bases() == esperado.bases);
    QCOMPARE(s.Guardada().ColumnasPleno1, 2 + 5);  // base and external columns ending in 1
  }

  // Method 5 with the base left incomplete: only the external columns, after a warning.
  void BaseIncompletaConExterno() {
    Escenario s;
    PonBytes(s.e.ruta("Q44F1201.TVF"), "\"11111111111111X\"\r\n\"2222222222222221\"\r\n");
    // The faulty second line (16 signs) is reported when the screen loads for method 5.
    s.Abre(5);
    QCOMPARE(s.e.mensajero.mensajes.back().titulo, std::string("Error en Archivo Externo"));
    auto* chk = s.C<QCheckBox>("Chk_IncluirExterno");
    QVERIFY(!chk->isEnabled());
    QVERIFY(!chk->isChecked());
    // Off and disabled: green while it can be used, not green while it cannot.
    QCOMPARE(ColorTexto(chk), QColor(0, 128, 0));
    QVERIFY(ColorTexto(chk, QPalette::Disabled) != QColor(0, 128, 0));
    PonBytes(s.e.ruta("Q44F1201.TVF"), "\"11111111111111X\"\r\n\"222222222222222\"\r\n");
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 1);
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 0);
    QCOMPARE(s.r().Metodo, int16_t{5});  // the pending method survives the reloads
    QTest::mouseClick(s.C<QCheckBox>("Chk_IncluirExterno"), Qt::LeftButton);
    s.Pulsa("Pic_BotBorTodo");
    // The figures stay in sight after the edit: what the run of the external columns alone
    // will store can be read first.
    QVERIFY(s.C<QWidget>("Pic_Esta")->isVisible());
    QCOMPARE(s.Valor("Apuestas externas").trimmed(), QStringLiteral("2"));
    QCOMPARE(s.Valor("Apuestas totales").trimmed(), QStringLiteral("2"));
    s.Reduce();
    QCOMPARE(s.e.mensajero.mensajes.back(), MensajeBaseIncompletaAviso());
    QCOMPARE(s.Red(), std::string("\"11111111111111X\"\r\n\"222222222222222\"\r\n"));
    // Reloaded from the stored record: no sign in the base.
    QCOMPARE(s.r().Partido[1].NumSignos, int16_t{0});
    // Only loading hides the figures of a base without columns; the next edit shows them.
    QVERIFY(!s.C<QWidget>("Pic_Esta")->isVisible());
    s.Base(2, 1);
    QVERIFY(s.C<QWidget>("Pic_Esta")->isVisible());
    QVERIFY(s.p->reduccionCargada());
  }

  void EligeJornadaYOrden() {
    Escenario s;
    s.e.estado.datos.Jornada = 3;
    s.Abre();
    QCOMPARE(s.Rotulo("Pic_BotNroJor"), QStringLiteral("Jornada 3"));
    QCOMPARE(s.panel()->textoPartido(1), QStringLiteral("1. "));
    s.Pulsa("Pic_BotNroJor");
    QVERIFY(s.C("Pic_BotNroJor")->pulsado());
    s.Pulsa("Pic_BotNroJor");  // pressed again: closes, nothing changes
    QVERIFY(!s.C<QListWidget>("Lis_Jornadas")->isVisible());
    QCOMPARE(s.r().Jornada, int16_t{3});
    s.e.sonido.tocados.clear();
    s.EligeEnLista("Pic_BotNroJor", "Lis_Jornadas", 11);
    QCOMPARE(s.e.sonido.tocados, (std::vector<int>{6, 7}));
    QCOMPARE(s.Rotulo("Pic_BotNroJor"), QStringLiteral("Jornada 12"));
    QCOMPARE(s.e.estado.datos.Jornada, int16_t{12});
    QCOMPARE(s.panel()->textoPartido(2), QStringLiteral("2. Barcelona - Sevilla"));
    QVERIFY(!s.C("Pic_BotNroJor")->pulsado());
    // Any order number names the reduction about to be made.
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 6);
    QCOMPARE(s.Rotulo("Pic_BotOrden"), QStringLiteral("Orden  7"));
    QCOMPARE(s.e.estado.datos.Orden, int16_t{7});
    QCOMPARE(s.r().Orden, int16_t{7});
    // A new jornada starts at order 1.
    s.EligeEnLista("Pic_BotNroJor", "Lis_Jornadas", 12);
    QCOMPARE(s.r().Orden, int16_t{1});
  }

  // A method chosen for a new reduction survives reloads over a stored record.
  void MetodoPendienteSobreUnaReduccionGuardada() {
    Escenario s;
    Reduccion otra = Nueva(1);
    otra.Orden = 2;
    PulsaBase(otra, 1, 2);
    QCOMPARE(GuardaRegistroBases(s.e.estado.rutaDatos, ConstruyeRegistroBases(otra)).error,
             int16_t{0});
    s.Abre();
    s.Base(3, 2);
    s.e.mensajero.respuestas = {true};
    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 2);
    QCOMPARE(s.e.mensajero.mensajes.back(), PreguntaDescartar(Cp("Reducción de apuestas"), 2210));
    // The reload reads the definition afresh: the unsaved click is gone.
    QCOMPARE(s.r().Partido[3].NumSignos, int16_t{1});
    QCOMPARE(s.p->metodoPendiente(), 3);
    s.EligeEnLista("Pic_BotOrden", "Lis_Orden", 1);
    QVERIFY(s.p->reduccionCargada());
    QCOMPARE(s.r().Metodo, int16_t{3});
    QCOMPARE(s.r().Partido[1].NumSignos, int16_t{2});  // the stored base
    QVERIFY(s.panel()->signos()->isVisible());
    QCOMPARE(s.Rotulo("Pic_BotMetodo"), QStringLiteral("Método de Selección de signos"));
    // Choosing the same method again changes nothing.
    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 2);
    QCOMPARE(s.r().Partido[1].NumSignos, int16_t{2});
  }

  void HistoricoCargaLaReduccionElegida() {
    Escenario s;
    Reduccion guardada = ReduccionNueva(7, 4, kMetodoColumnaProbable);
    PulsaBase(guardada, 2, 3);
    PulsaElegir(guardada, 2);
    PulsaProbable(guardada, 2, 3);
    guardada.Descripcion = AjustaAncho(Cp("Del histórico"), 35);
    QCOMPARE(GuardaRegistroBases(s.e.estado.rutaDatos, ConstruyeRegistroBases(guardada)).error,
             int16_t{0});
    s.Abre(5);  // pending manual method
    AlAbrirModal(QStringLiteral("historic"), [](QDialog* h) {
      emit Control<CarpetaHistorico>(h, QStringLiteral("Pic_Carpeta"))->elegida(1);
    });
    s.Pulsa("Pic_BotIndice");
    const auto& tocados = s.e.sonido.tocados;
    QVERIFY(std::find(tocados.begin(), tocados.end(), 9) != tocados.end());
    QCOMPARE(s.r().Jornada, int16_t{7});
    QCOMPARE(s.r().Orden, int16_t{4});
    QCOMPARE(s.r().Metodo, int16_t{2});  // the stored method, not the pending one
    QCOMPARE(s.r().Partido[2].Probable, int16_t{3});
    QCOMPARE(s.C<QLineEdit>("Tex_Descripcion")->text(), QStringLiteral("Del histórico"));
    QCOMPARE(s.Rotulo("Pic_BotNroJor"), QStringLiteral("Jornada 7"));
    QCOMPARE(s.C<QListWidget>("Lis_Orden")->currentRow(), 3);
  }

  // Cancelling keeps the reduction stored before under the same key.
  void CancelarDesdeElPanelDeProgreso() {
    Escenario s;
    s.ReduceUnaPrimera();
    s.Pulsa("Pic_BotSelTodo");
    QCOMPARE(s.Valor("Apuestas directas"), QStringLiteral("14.348.907"));
    s.e.mensajero.respuestas = {true};  // "Reducción ya existe": Aceptar
    QSignalSpy fin(s.p.get(), &PantallaReducir::reduccionTerminada);
    s.Pulsa("Pic_BotReducir");
    QCOMPARE(s.e.mensajero.mensajes.back(), MensajeReduccionExiste());
    QVERIFY(s.p->enMarcha());
    // Escape leaves neither the run nor, until Salir of its panel, the screen.
    QTest::keyClick(s.p.get(), Qt::Key_Escape);
    QVERIFY(s.p->isVisible());
    QVERIFY(fin.count() == 1 || s.p->enMarcha());
    s.Pulsa("Pic_BotCancelar");
    QVERIFY(fin.count() == 1 || fin.wait(60000));
    QVERIFY(s.Progreso().contains(QStringLiteral("El proceso de reducción ha sido cancelado")));
    QVERIFY(s.p->resultado().cancelada);
    QTest::keyClick(s.p.get(), Qt::Key_Escape);
    QVERIFY(s.p->isVisible());
    QVERIFY(s.p->ocupado());
    QVERIFY(s.C("Pic_BotSalirPorcen")->isVisible());
    s.Pulsa("Pic_BotSalirPorcen");
    QVERIFY(!s.p->ocupado());
    s.SeConservaLaPrimera();
  }

  // Escape closes an open list or box with the value it had, never the screen behind it.
  void EscapeCierraSoloLaListaAbierta() {
    Escenario s;
    s.Abre();
    s.Pulsa("Pic_BotNroJor");
    auto* jornadas = s.C<QListWidget>("Lis_Jornadas");
    QVERIFY(jornadas->isVisible());
    jornadas->setCurrentRow(4);
    s.e.sonido.tocados.clear();
    QTest::keyClick(jornadas, Qt::Key_Escape);
    QVERIFY(s.p->isVisible());
    QVERIFY(!jornadas->isVisible());
    QCOMPARE(jornadas->currentRow(), 11);
    QCOMPARE(s.r().Jornada, int16_t{12});
    QVERIFY(!s.C("Pic_BotNroJor")->pulsado());
    QCOMPARE(s.e.sonido.tocados, std::vector<int>{7});

    s.EligeEnLista("Pic_BotMetodo", "Lis_Metodos", 3);
    s.TecleaEnCaja("Pic_BotMinPor", "Tex_RangoMin", QStringLiteral("0"));
    const float minimo = s.r().MinPorcentaje;
    s.Pulsa("Pic_BotMinPor");
    auto* caja = s.C<QLineEdit>("Tex_RangoMin");
    caja->selectAll();
    QTest::keyClicks(caja, "55");
    QTest::keyClick(caja, Qt::Key_Escape);
    QVERIFY(s.p->isVisible());
    QVERIFY(!caja->isVisible());
    QCOMPARE(s.r().MinPorcentaje, minimo);
    QCOMPARE(caja->text(), Utf(TextoRango(minimo)));

    s.Pulsa("Pic_BotMetodo");
    auto* metodos = s.C<QListWidget>("Lis_Metodos");
    metodos->setCurrentRow(0);
    QTest::keyClick(metodos, Qt::Key_Escape);
    QVERIFY(!metodos->isVisible());
    QCOMPARE(s.r().Metodo, int16_t{4});
    QVERIFY(s.p->isVisible());
  }

  // The progress panel: the lines in the order the run gives them, the band of the
  // percentage gone once the development has ended, whether completed or cancelled.
  void PanelDeProgreso() {
    PanelProgreso panel(nullptr);
    panel.Inicia();
    QVERIFY(panel.cancelar()->isVisibleTo(&panel));
    QVERIFY(!panel.salir()->isVisibleTo(&panel));
    const auto aviso = [&panel](LineaProgreso linea, const std::string& texto, int pct = -1) {
      panel.Aviso({linea, texto, pct});
    };
    aviso(LineaProgreso::Titulo, "REDUCIENDO APUESTAS");
    aviso(LineaProgreso::Apuestas, TextoApuestasReducidas(14348907, 14348907));
    aviso(LineaProgreso::Porcentaje, TextoPorcentajeReduccion(40), 40);
    QCOMPARE(panel.textos(),
             (QStringList{QStringLiteral("REDUCIENDO APUESTAS"),
                          QStringLiteral(" 14348907 apuestas reducidas a 14348907"),
                          QStringLiteral("Se ha realizado el  40 % de la reducción ")}));
    QCOMPARE(panel.porcentaje(), 40);
    aviso(LineaProgreso::Cancelada, Cp("El proceso de reducción ha sido cancelado"));
    QCOMPARE(panel.porcentaje(), -1);
    QCOMPARE(panel.textos().last(), QStringLiteral("El proceso de reducción ha sido cancelado"));
    QCOMPARE(panel.textos().size(), 3);
    panel.Termina();
    QVERIFY(!panel.cancelar()->isVisibleTo(&panel));
    QVERIFY(panel.salir()->isVisibleTo(&panel));

    // A new run starts from an empty panel.
    panel.Inicia();
    QVERIFY(panel.textos().isEmpty());
    aviso(LineaProgreso::Porcentaje, TextoPorcentajeReduccion(100), 100);
    aviso(LineaProgreso::Finalizada, Cp("Ha finalizado la reducción de la Quiniela Base"));
    aviso(LineaProgreso::Agrupando, Cp("Agrupando las columnas según el partido 15."));
    aviso(LineaProgreso::Incorporadas, "Se han incorporado las columnas externas");
    QCOMPARE(panel.textos(),
             (QStringList{QStringLiteral("Ha finalizado la reducción de la Quiniela Base"),
                          QStringLiteral("Agrupando las columnas según el partido 15."),
                          QStringLiteral("Se han incorporado las columnas externas")}));
  }

  void CerrarDuranteLaReduccionLaCancela() {
    Escenario s;
    s.Abre(5);
    s.Pulsa("Pic_BotSelTodo");
    s.Pulsa("Pic_BotReducir");
    QVERIFY(s.p->enMarcha());
    s.p->reject();
    QVERIFY(!s.p->enMarcha());
    QVERIFY(!s.p->isVisible());
    QVERIFY(!std::filesystem::exists(s.e.ruta("RED1201.TVX")));
    QVERIFY(!ExisteReduccion(s.e.estado.rutaDatos, 12, 1).existe);
  }

  // A run that cannot write its columns, on a disk that fills up or on a file that cannot be
  // created (its temporary name taken by a folder): the error, and the earlier reduction
  // stays.
  void FalloDeEscrituraConservaLaAnterior_data() {
    QTest::addColumn<bool>("discoLleno");
    QTest::newRow("disco lleno") << true;
    QTest::newRow("fichero que no se puede crear") << false;
  }
  void FalloDeEscrituraConservaLaAnterior() {
    QFETCH(bool, discoLleno);
    Escenario s;
    s.ReduceUnaPrimera();
    s.e.mensajero.respuestas = {true};
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    if (discoLleno) {
      for (int m = 1; m <= 8; ++m) {
        for (int sg : {2, 3}) {
          if (s.r().Partido[m].Signo[sg] == 0) s.Base(m, sg);
        }
      }
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit lim = antes;
      lim.rlim_cur = 64 * 1024;  // 6561 columns do not fit
      setrlimit(RLIMIT_FSIZE, &lim);
    } else {
      std::filesystem::create_directories(RutaTemporal(s.e.ruta("RED1201.TVX")) / "dentro");
      s.Base(2, 2);
    }
    s.Reduce(false);
    setrlimit(RLIMIT_FSIZE, &antes);
    if (discoLleno) {
      // The code as the program always showed it, the file and the cause below.
      QCOMPARE(s.e.mensajero.avisos.back(),
               QStringLiteral("RED ERROR 61\r\nDisco lleno al escribir RED1201.TVX."));
      QVERIFY(s.Progreso().contains(QStringLiteral("Se conserva la reducción anterior.")));
    } else {
      QVERIFY(s.e.mensajero.avisos.back().startsWith(QStringLiteral("RED ERROR ")));
    }
    QVERIFY(!s.p->resultado().completada);
    s.Pulsa("Pic_BotSalirPorcen");
    s.SeConservaLaPrimera();
  }

  // The chart's series and the engine's tool tip under the pointer.
  void GraficoYSuAyuda() {
    Escenario s;
    s.Abre(2);
    for (int m = 1; m <= 6; ++m) {
      s.Base(m, 2);
      s.Elegir(m);
      s.Probable(m, 1);
    }
    s.EligeEnLista("Pic_BotMaxErr", "Lis_MaxErrores", 2);
    auto* grafico = s.C<GraficoReduccion>("Pic_Grafico");
    QCOMPARE(grafico->series(),
             (QStringList{QStringLiteral("Q. Base"), QStringLiteral("Aceptadas")}));
    QVERIFY(grafico->cifras() == s.p->cifras());
    for (int clase : {0, 3, 14}) {
      const QPoint punto(grafico->CentroClase(clase), grafico->AreaBarras().center().y());
      QCOMPARE(grafico->ClaseEn(punto), clase);
      MueveRaton(grafico, punto);
      QCOMPARE(grafico->toolTip(), Utf(TextoAyudaGrafico(s.p->cifras(), clase)));
    }
    QCOMPARE(grafico->toolTip(), QStringLiteral("No hay ninguna columna con 14 errores"));
    QCOMPARE(grafico->ClaseEn(QPoint(2, grafico->AreaBarras().center().y())), -1);
    // The square-root scale: one column beside a million is still seen.
    QVERIFY(GraficoReduccion::AltoBarra(1, 1000000, 130) >= 2);
    QCOMPARE(GraficoReduccion::AltoBarra(0, 1000000, 130), 0);
    QCOMPARE(GraficoReduccion::AltoBarra(1000000, 1000000, 130), 130);
    QVERIFY(GraficoReduccion::AltoBarra(250000, 1000000, 130) == 65);
  }

  void ComprobacionesQueDetienenLaReduccion() {
    Escenario s;
    s.Abre();
    // A single column and nothing a reducir.
    s.Pulsa("Pic_BotReducir");
    QCOMPARE(s.e.mensajero.mensajes.back(), MensajeSinMultiples(1));
    s.Pulsa("Pic_BotBorTodo");
    QVERIFY(s.C<QWidget>("Pic_Esta")->isVisible());
    QCOMPARE(s.Valor("Apuestas directas").trimmed(), QStringLiteral("0"));
    s.Pulsa("Pic_BotReducir");
    QCOMPARE(s.e.mensajero.mensajes.back(), MensajeBaseIncompleta());
    QVERIFY(!std::filesystem::exists(s.e.ruta("RED1201.TVX")));
    QVERIFY(!s.C("Pic_BotReducir")->pulsado());
    // A click outside the cells does nothing.
    const std::size_t sonidos = s.e.sonido.tocados.size();
    Rejilla* base = s.panel()->base();
    const QRect c = base->RectDe(Celda{0, 0});
    QTest::mousePress(base, Qt::LeftButton, Qt::NoModifier, QPoint(c.right() + 2, c.center().y()));
    QCOMPARE(s.e.sonido.tocados.size(), sonidos);
    QCOMPARE(s.r().Partido[1].NumSignos, int16_t{0});
  }
};

QTEST_MAIN(PruebaReducir)
#include "reducir_test.moc"

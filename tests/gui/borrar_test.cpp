// The deletion screen.

#include <QFontInfo>
#include <map>

#include "apoyo_gui.h"
#include "gui/screens/borrar.h"

using namespace zendo;
using namespace zendo::prueba;
namespace fs = std::filesystem;

namespace {

struct Pantalla {
  Pantalla() {
    d = std::make_unique<PantallaBorrar>(e.servicios);
    d->show();
  }
  Entorno e;
  std::unique_ptr<PantallaBorrar> d;
  QString Rotulo(const char* boton) { return prueba::Rotulo(d.get(), boton); }
  void Elige(const char* boton, const char* lista, int j) {
    EligeEnLista(d.get(), boton, lista, j - 1);
  }

  // Jornadas 1..4 with teams, reductions (1,1) (2,1) (2,7) (3,2) (5,1).
  void LlenaDatos() {
    for (int j = 1; j <= 4; ++j) EscribeJornadaPrueba(e.estado.rutaDatos, j, "05/10/26", 1);
    for (auto [j, o] : {std::pair{1, 1}, {2, 1}, {2, 7}, {3, 2}, {5, 1}}) {
      const Reduccion r = ReduccionNueva(static_cast<int16_t>(j), static_cast<int16_t>(o), 1);
      QCOMPARE(GuardaRegistroBases(e.estado.rutaDatos, ConstruyeRegistroBases(r)).error,
               int16_t{0});
      PonBytes(e.ruta(NombreReduccion(j, o)), "\"1X21X21X21X21X2\"\r\n");
    }
  }
  std::map<std::string, std::string> Ficheros() {
    std::map<std::string, std::string> m;
    for (const auto& f : fs::directory_iterator(e.estado.rutaDatos)) {
      m[f.path().filename().string()] = Bytes(f.path());
    }
    return m;
  }
};

}  // namespace

class PruebaBorrar : public QObject {
  Q_OBJECT

 private slots:
  void AbreConLaJornadaUnoAyudaYSalir() {
    Pantalla p;
    QCOMPARE(p.Rotulo("Pic_BotJorIni"), QStringLiteral("Desde la jornada 1"));
    QCOMPARE(p.Rotulo("Pic_BotJorFin"), QStringLiteral("Hasta la jornada 1"));
    QCOMPARE(p.Rotulo("Pic_BotBorDatos"), QStringLiteral("Borrar datos"));
    QVERIFY(Control<QListWidget>(p.d.get(), "Lis_JorIni")->isHidden());
    QCOMPARE(Control(p.d.get(), "Pic_BotAyuda")->toolTip(),
             QStringLiteral("Ayuda de Borrado de datos"));
    QCOMPARE(Control(p.d.get(), "Pic_BotSalir")->toolTip(),
             QStringLiteral("Salir de Borrado de datos"));
    Pulsa(p.d.get(), "Pic_BotAyuda");
    QCOMPARE(p.e.ayuda.temas, std::vector<int>{2700});
    Pulsa(p.d.get(), "Pic_BotSalir");
    QVERIFY(!p.d->isVisible());
    QCOMPARE(p.e.sonido.tocados, (std::vector<int>{9, 5}));
  }

  void ElRangoNoSeCruza() {
    Pantalla p;
    // The chooser is drawn pressed while its list is open.
    Pulsa(p.d.get(), "Pic_BotJorFin");
    QVERIFY(Control(p.d.get(), "Pic_BotJorFin")->pulsado());
    ClicFila(Control<QListWidget>(p.d.get(), "Lis_JorFin"), 3);
    QVERIFY(!Control(p.d.get(), "Pic_BotJorFin")->pulsado());
    p.Elige("Pic_BotJorIni", "Lis_JorIni", 10);
    QCOMPARE(p.Rotulo("Pic_BotJorIni"), QStringLiteral("Desde la jornada 10"));
    QCOMPARE(p.Rotulo("Pic_BotJorFin"), QStringLiteral("Hasta la jornada 10"));
    p.Elige("Pic_BotJorFin", "Lis_JorFin", 3);
    QCOMPARE(p.d->rango().desde, 3);
    QCOMPARE(p.d->rango().hasta, 3);
    QCOMPARE(p.e.sonido.tocados, (std::vector<int>{6, 7, 6, 7, 6, 7}));
  }

  void CancelarNoTocaNingunFichero() {
    Pantalla p;
    p.LlenaDatos();
    const auto antes = p.Ficheros();
    p.Elige("Pic_BotJorFin", "Lis_JorFin", 3);
    p.e.mensajero.respuestas = {false};
    Pulsa(p.d.get(), "Pic_BotBorDatos");
    QCOMPARE(p.e.mensajero.mensajes.size(), std::size_t{1});
    const Mensaje& m = p.e.mensajero.mensajes[0];
    QCOMPARE(m.titulo, std::string("Borrado de datos"));
    QCOMPARE(m.texto.substr(0, m.texto.find('\r')),
             std::string("Se van a eliminar todos los datos  desde  la Jornada  1 hasta la "
                         "Jornada  3."));
    QCOMPARE(m.lineas, 5);
    QCOMPARE(m.botones, 2);
    QCOMPARE(m.contexto, 2700);
    QVERIFY(p.Ficheros() == antes);
    QVERIFY(!Control(p.d.get(), "Pic_BotBorDatos")->pulsado());
  }

  void AceptarBorraLaJornadaElegida() {
    Pantalla p;
    p.LlenaDatos();
    const std::string antes = Bytes(p.e.ruta("JORNADAS.TVX"));
    p.Elige("Pic_BotJorFin", "Lis_JorFin", 2);
    p.Elige("Pic_BotJorIni", "Lis_JorIni", 2);
    p.e.mensajero.respuestas = {true};
    p.e.sonido.tocados.clear();
    Pulsa(p.d.get(), "Pic_BotBorDatos");
    const Mensaje& m = p.e.mensajero.mensajes.at(0);
    QCOMPARE(m.texto.substr(0, m.texto.find('\r')),
             std::string("Se van a eliminar todos los datos referentes a la Jornada  2."));
    QCOMPARE(p.e.mensajero.mensajes.size(), std::size_t{1});  // no failure to report

    const auto ficheros = p.Ficheros();
    QVERIFY(!ficheros.count("RED0201.TVX"));
    QVERIFY(!ficheros.count("RED0207.TVX"));
    for (const char* queda : {"RED0101.TVX", "RED0302.TVX", "RED0501.TVX"}) {
      QVERIFY2(ficheros.count(queda), queda);
    }
    QVERIFY(LeeJornada(p.e.estado.rutaDatos, 2).jornada.vacia);
    // The wiped record is 544 blanks in place; its neighbours keep their bytes.
    std::string esperado = antes;
    esperado.replace(kLargoRegistroJornada, kLargoRegistroJornada,
                     std::string(kLargoRegistroJornada, ' '));
    QCOMPARE(Bytes(p.e.ruta("JORNADAS.TVX")), esperado);
    QVERIFY(!LeeJornada(p.e.estado.rutaDatos, 1).jornada.vacia);
    QVERIFY(!LeeJornada(p.e.estado.rutaDatos, 3).jornada.vacia);
    const ListaIndice indice = LeeIndice(p.e.estado.rutaDatos);
    QCOMPARE(indice.registros.size(), std::size_t{5});
    int borrados = 0;
    for (const auto& r : indice.registros) {
      if (RegistroBorrado(r)) ++borrados;
      QVERIFY(r.substr(0, 2) != "02");
    }
    QCOMPARE(borrados, 2);
    QCOMPARE(p.e.sonido.tocados, (std::vector<int>{6, 6}));
  }

  void UnFalloDelBorradoSeComunica() {
    Pantalla p;
    fs::create_directory(p.e.ruta("JORNADAS.TVX"));  // cannot be written, even by root
    p.e.mensajero.respuestas = {true};
    Pulsa(p.d.get(), "Pic_BotBorDatos");
    QCOMPARE(p.e.mensajero.mensajes.size(), std::size_t{2});
    QVERIFY(Utf(p.e.mensajero.mensajes[1].texto).contains(QStringLiteral("BDJ ERROR")));
    QVERIFY(p.d->isVisible());
  }

  void ListasConElTotalDeJornadas() {
    for (int total : {55, 38}) {
      Entorno e;
      e.estado.datos.TotalJornadas = static_cast<int16_t>(total);
      PantallaBorrar d(e.servicios);
      for (const char* nombre : {"Lis_JorIni", "Lis_JorFin"}) {
        auto* lista = Control<QListWidget>(&d, nombre);
        QCOMPARE(lista->count(), total);
        QCOMPARE(lista->item(0)->text(), QStringLiteral(" 1"));
        QCOMPARE(lista->item(total - 1)->text(), QString::number(total));
        // The blank before a one-digit number only lines the numbers up in a fixed pitch.
        QVERIFY(QFontInfo(lista->font()).fixedPitch());
      }
    }
  }
};

QTEST_MAIN(PruebaBorrar)
#include "borrar_test.moc"

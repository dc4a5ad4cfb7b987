// A reduction that does not complete (cancelled, killed, out of disk space) leaves the
// earlier reduction of its key exactly as it was, and no trace of itself.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/generacion/apoyo_generacion.h"
#include "engine/reduction/externo.h"

namespace zendo::prueba {
namespace {

// Everything in the data folder, name and bytes.
std::vector<std::pair<std::string, std::string>> Foto(const CarpetaTemporal& d) {
  std::vector<std::pair<std::string, std::string>> foto;
  for (const auto& nombre : Ficheros(d.ruta())) foto.emplace_back(nombre, LeeBytes(d / nombre));
  return foto;
}

// An earlier reduction of (1, 1): two columns.
void ReduccionAnterior(const CarpetaTemporal& d) {
  Reduccion r = BaseDe(kMetodoManual, {"X2"});
  ASSERT_TRUE(Reduce(d.ruta(), r).res.completada);
  ASSERT_EQ(LeeBytes(d / "RED0101.TVX"), "\"X11111111111111\"\r\n\"211111111111111\"\r\n");
}

// 3^triples * 2 combinations, with external columns: every text of a run appears.
Reduccion BaseGrande(const CarpetaTemporal& d, int triples = 9) {
  std::vector<std::string> signos(15, "1");
  for (int m = 0; m < triples; ++m) signos[m] = "1X2";
  signos[14] = "1X";
  Reduccion r = BaseDe(kMetodoManual, signos);
  r.IncluyeExterno = 1;
  EscribeBytes(d / NombreArchivoExterno(1, 1), "111111111111112\r\n");
  return r;
}

struct Momento {
  const char* nombre;
  std::function<bool(const AvisoProgreso&)> es;
};

const Momento kMomentos[] = {
    {"antes de la primera columna",
     [](const AvisoProgreso& a) { return a.linea == LineaProgreso::Titulo; }},
    {"a la mitad", [](const AvisoProgreso& a) { return a.porcentaje == 50; }},
    {"en la última columna", [](const AvisoProgreso& a) { return a.porcentaje == 100; }},
    {"al acabar la base",
     [](const AvisoProgreso& a) { return a.linea == LineaProgreso::Finalizada; }},
    {"al agrupar", [](const AvisoProgreso& a) { return a.linea == LineaProgreso::Agrupando; }},
};

TEST(Cancelacion, DejaLaReduccionAnteriorComoEstabaONingunRastro) {
  for (const bool conAnterior : {false, true}) {
    for (const Momento& momento : kMomentos) {
      SCOPED_TRACE(std::string(momento.nombre) + (conAnterior ? ", con anterior" : ""));
      CarpetaTemporal d;
      if (conAnterior) ReduccionAnterior(d);
      Reduccion r = BaseGrande(d);
      const auto antes = Foto(d);
      const Reduccion modelo = r;
      const Corrida c =
          Reduce(d.ruta(), r, [&](const AvisoProgreso& a, std::atomic<bool>& cancelar) {
            if (!cancelar && momento.es(a)) cancelar = true;
          });
      EXPECT_TRUE(c.res.cancelada);
      EXPECT_FALSE(c.res.completada);
      EXPECT_EQ(Foto(d), antes);
      EXPECT_EQ(Registro(d.ruta(), 1, 1).empty(), !conAnterior);
      EXPECT_EQ(r.Partido, modelo.Partido);
      ASSERT_FALSE(c.avisos.empty());
      EXPECT_EQ(c.avisos.back().linea, LineaProgreso::Cancelada);
      EXPECT_EQ(c.avisos.back().texto, Cp("El proceso de reducción ha sido cancelado"));
      // Nothing is reported after the cancel but the cancellation itself.
      std::size_t i = 0;
      while (i < c.avisos.size() && !momento.es(c.avisos[i])) ++i;
      EXPECT_EQ(i + 2, c.avisos.size());
    }
  }
}

// Runs `trabajo` in a child process and returns its wait status and what it wrote to the
// pipe it is given.
std::pair<int, std::string> EnHijo(const std::function<void(int)>& trabajo) {
  int tubo[2];
  EXPECT_EQ(::pipe(tubo), 0);
  const pid_t hijo = ::fork();
  if (hijo == 0) {
    ::close(tubo[0]);
    trabajo(tubo[1]);
    ::_exit(0);
  }
  ::close(tubo[1]);
  std::string salida;
  char buf[256];
  for (ssize_t n; (n = ::read(tubo[0], buf, sizeof buf)) > 0;)
    salida.append(buf, static_cast<std::size_t>(n));
  ::close(tubo[0]);
  int estado = 0;
  ::waitpid(hijo, &estado, 0);
  return {estado, salida};
}

TEST(Interrupcion, UnProcesoMatadoDejaLaAnteriorYSuTemporalSeBorraAlEmpezarOtra) {
  CarpetaTemporal d;
  ReduccionAnterior(d);
  Reduccion r = BaseGrande(d, 11);
  const auto antes = Foto(d);
  const auto [estado, salida] = EnHijo([&](int) {
    Reduce(d.ruta(), r, [](const AvisoProgreso& a, std::atomic<bool>&) {
      if (a.porcentaje == 50) ::kill(::getpid(), SIGKILL);
    });
  });
  ASSERT_TRUE(WIFSIGNALED(estado));
  EXPECT_EQ(WTERMSIG(estado), SIGKILL);
  // The killed run left its half-written temporary file and nothing else.
  auto despues = Foto(d);
  const auto temporal = std::find_if(despues.begin(), despues.end(), [](const auto& f) {
    return f.first == RutaTemporal("RED0101.TVX").filename().string();
  });
  ASSERT_NE(temporal, despues.end());
  EXPECT_GT(temporal->second.size(), 0u);
  despues.erase(temporal);
  EXPECT_EQ(despues, antes);

  // A reduction does not take it for its own leftovers: another program may be writing it.
  Reduccion otra = BaseDe(kMetodoManual, {"1"});
  otra.Orden = 2;
  ASSERT_TRUE(Reduce(d.ruta(), otra).res.completada);
  EXPECT_TRUE(fs::exists(RutaTemporal(d / "RED0101.TVX")));
  // The next start removes it, under the folder lock.
  ASSERT_TRUE(AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0)).ok());
  EXPECT_EQ(Ficheros(d.ruta()),
            (std::vector<std::string>{kFicheroCerrojo, "BASES.TVX", "Q44F0101.TVF", "RED0101.TVX",
                                      "RED0102.TVX"}));
  EXPECT_EQ(LeeBytes(d / "RED0101.TVX"), antes[2].second);
}

TEST(Interrupcion, MatadaEnCadaPasoDeSuConfirmacionDejaLaAnteriorOLaNuevaEntera) {
  // The pair (columns file, index record) as an uninterrupted run leaves it.
  CarpetaTemporal completa;
  ReduccionAnterior(completa);
  Reduccion nueva = BaseDe(kMetodoManual, {"1X2", "1X"});
  ASSERT_TRUE(Reduce(completa.ruta(), nueva).res.completada);
  const FotoCarpeta despues = prueba::Foto(completa.ruta());
  bool vistaAnterior = false;
  for (int paso = 1;; ++paso) {
    SCOPED_TRACE("paso " + std::to_string(paso));
    CarpetaTemporal d;
    ReduccionAnterior(d);
    const FotoCarpeta antes = prueba::Foto(d.ruta());
    const bool muerto = MuereEnPaso(paso, [&] {
      Reduccion r = BaseDe(kMetodoManual, {"1X2", "1X"});
      Reduce(d.ruta(), r);
    });
    ASSERT_TRUE(AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0)).ok());
    const FotoCarpeta f = prueba::Foto(d.ruta());
    EXPECT_TRUE(f == antes || f == despues);
    vistaAnterior = vistaAnterior || f == antes;
    if (!muerto) {
      EXPECT_EQ(f, despues);
      break;
    }
    ASSERT_LT(paso, 100);
  }
  EXPECT_TRUE(vistaAnterior);
}

// A child whose files cannot grow past `limite` bytes, as on a full disk.
std::pair<int, std::string> ReduceConLimite(const CarpetaTemporal& d, rlim_t limite,
                                            const std::vector<std::string>& base) {
  return EnHijo([&](int tubo) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit lim {
      limite, limite
    };
    ::setrlimit(RLIMIT_FSIZE, &lim);
    Reduccion r = BaseDe(kMetodoManual, base);
    const Corrida c = Reduce(d.ruta(), r);
    const std::string informe =
        std::to_string(c.res.completada) + "|" + std::to_string(c.res.error) + "|" + c.res.mensaje;
    if (::write(tubo, informe.data(), informe.size()) < 0) ::_exit(2);
  });
}

TEST(DiscoLleno, NiLasColumnasNiUnIndiceQueNoCabenPierdenNada) {
  for (const bool indiceGrande : {false, true}) {
    for (const bool conAnterior : {false, true}) {
      SCOPED_TRACE(std::string(indiceGrande ? "indice grande" : "6561 columnas") +
                   (conAnterior ? ", con anterior" : ""));
      CarpetaTemporal d;
      if (conAnterior) ReduccionAnterior(d);
      std::vector<std::string> base(8, "1X2");  // 6561 columns, 124659 bytes
      if (indiceGrande) {
        // Other reductions make the index larger than the limit; the new columns are small.
        base = {"1X2"};
        std::string indice = LeeBytes(d / "BASES.TVX");
        for (int j = 40; j < 70; ++j) {
          for (int o = 1; o <= 10; ++o) {
            Reduccion otra = BaseDe(kMetodoManual, {"1"});
            otra.Jornada = static_cast<int16_t>(j);
            otra.Orden = static_cast<int16_t>(o);
            indice += ConstruyeRegistroBases(otra) + "\r\n";
          }
        }
        EscribeBytes(d / "BASES.TVX", indice);
        ASSERT_GT(indice.size(), 100000u);
      }
      const auto antes = Foto(d);
      const auto [estado, informe] = ReduceConLimite(d, 64 * 1024, base);
      ASSERT_TRUE(WIFEXITED(estado));
      if (indiceGrande) {
        EXPECT_EQ(informe.substr(0, 5), "0|61|");
        EXPECT_NE(informe.find("ERROR 61"), std::string::npos);
      } else {
        EXPECT_EQ(informe, "0|61|RED ERROR 61");
      }
      EXPECT_EQ(Foto(d), antes);
    }
  }
}

}  // namespace
}  // namespace zendo::prueba

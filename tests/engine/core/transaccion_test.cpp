#include "engine/core/transaccion.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "apoyo/apoyo.h"
#include "engine/core/cerrojo.h"
#include "engine/core/fichero.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::Foto;
using prueba::FotoCarpeta;
using prueba::LeeBytes;

// The change every test commits: A is replaced, N appears, C goes, M (missing) goes too,
// B is not touched.
const FotoCarpeta kAntes = {{"A.TVX", "a viejo"}, {"B.TVX", "b"}, {"C.TVX", "c"}};
const FotoCarpeta kDespues = {{"A.TVX", "a nuevo, mas largo"}, {"B.TVX", "b"}, {"N.TVX", "n"}};

void Prepara(const CarpetaTemporal& d) {
  for (const auto& [nombre, bytes] : kAntes) EscribeBytes(d / nombre, bytes);
}

ResultadoTransaccion Cambia(const CarpetaTemporal& d, const std::atomic<bool>* cancelar = nullptr) {
  Transaccion t(d.ruta());
  EXPECT_EQ(t.Reemplaza("A.TVX", "a nuevo, mas largo"), 0);
  // N streamed through a writer and handed over.
  EscritorAtomico n(d / "N.TVX", 4);
  n.Escribe("n");
  EXPECT_EQ(n.Entrega(), 0);
  t.ReemplazaCon("N.TVX", n.temporal());
  t.Borra("C.TVX");
  t.Borra("M.TVX");
  return t.Confirma(cancelar);
}

TEST(Transaccion, CambiaTodoJuntoSinDejarRastro) {
  CarpetaTemporal d;
  Prepara(d);
  const ResultadoTransaccion r = Cambia(d);
  EXPECT_FALSE(r.fallo) << r.fallo.error << " " << r.fallo.fichero;
  EXPECT_FALSE(r.cancelada);
  EXPECT_EQ(Foto(d.ruta()), kDespues);
}

TEST(Transaccion, SinConfirmarOCanceladaNoCambiaNada) {
  CarpetaTemporal d;
  Prepara(d);
  {
    Transaccion t(d.ruta());
    EXPECT_EQ(t.Reemplaza("A.TVX", "otro"), 0);
    t.Borra("C.TVX");
  }
  EXPECT_EQ(Foto(d.ruta()), kAntes);
  std::atomic<bool> cancelar{true};
  EXPECT_TRUE(Cambia(d, &cancelar).cancelada);
  EXPECT_EQ(Foto(d.ruta()), kAntes);
}

// The cancel flag raised while the journal is being written: the commit point has not been
// reached, so everything is put back.
std::atomic<bool>* gCancelar = nullptr;
void CancelaTrasElDiario(PasoDisco paso, bool despues, const std::string& fichero) {
  if (paso == PasoDisco::Renombra && despues && fichero == kFicheroDiario) *gCancelar = true;
}

TEST(Transaccion, UnaCancelacionHastaElPuntoDeConfirmacionSeRespeta) {
  CarpetaTemporal d;
  Prepara(d);
  std::atomic<bool> cancelar{false};
  gCancelar = &cancelar;
  PonGanchoTransaccion(CancelaTrasElDiario);
  const ResultadoTransaccion r = Cambia(d, &cancelar);
  PonGanchoTransaccion(nullptr);
  EXPECT_TRUE(r.cancelada);
  EXPECT_FALSE(r.fallo);
  EXPECT_EQ(Foto(d.ruta()), kAntes);
}

// A rename that fails after another one was done: the first is undone.
TEST(Transaccion, UnFalloAMitadDeshaceLoHecho) {
  CarpetaTemporal d;
  Prepara(d);
  Transaccion t(d.ruta());
  ASSERT_EQ(t.Reemplaza("A.TVX", "a nuevo"), 0);
  // The second file's temporary vanishes before its rename.
  EscritorAtomico n(d / "N.TVX", 4);
  n.Escribe("n");
  ASSERT_EQ(n.Entrega(), 0);
  t.ReemplazaCon("N.TVX", n.temporal());
  std::filesystem::remove(n.temporal());
  t.Borra("C.TVX");
  const ResultadoTransaccion r = t.Confirma();
  EXPECT_EQ(r.fallo.error, 53);
  EXPECT_EQ(r.fallo.fichero, "N.TVX");
  EXPECT_EQ(Foto(d.ruta()), kAntes);
}

TEST(Transaccion, UnTemporalQueNoSePuedeEscribirNoCambiaNada) {
  CarpetaTemporal d;
  Prepara(d);
  std::filesystem::create_directories(RutaTemporal(d / "A.TVX") / "dentro");
  Transaccion t(d.ruta());
  EXPECT_EQ(t.Reemplaza("A.TVX", "a nuevo"), 75);
  t.Borra("C.TVX");
  const ResultadoTransaccion r = t.Confirma();
  EXPECT_EQ(r.fallo.error, 75);
  EXPECT_EQ(r.fallo.fichero, "A.TVX");
  EXPECT_EQ(r.fallo.operacion, OperacionFichero::Escribir);
  std::filesystem::remove_all(RutaTemporal(d / "A.TVX"));
  EXPECT_EQ(Foto(d.ruta()), kAntes);
}

TEST(Transaccion, NombresQueNoSonDeLaCarpetaSeRechazan) {
  CarpetaTemporal d;
  Prepara(d);
  for (const std::string nombre : {"../A.TVX", "", "sub/A.TVX", ".."}) {
    Transaccion t(d.ruta());
    t.Borra(nombre);
    EXPECT_EQ(t.Confirma().fallo.error, 52) << nombre;
  }
  Transaccion t(d.ruta());
  t.Borra("A.TVX");
  EXPECT_EQ(t.Reemplaza("A.TVX", "x"), 0);
  EXPECT_EQ(t.Confirma().fallo.error, 52);  // one file, one fate
  EXPECT_EQ(Foto(d.ruta()), kAntes);
}

// The next start: what the desktop program and every zendo-cli command do first.
FotoCarpeta TrasArrancar(const CarpetaTemporal& d) {
  const AccesoCarpeta a = AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0));
  EXPECT_TRUE(a.ok()) << a.fallo.error << " " << a.fallo.fichero;
  return Foto(d.ruta());
}

TEST(Transaccion, MatadoEnCadaPasoElArranqueDejaElAntesOElDespues) {
  int pasos = 0;
  bool antes = false;
  bool despues = false;
  for (int paso = 1;; ++paso) {
    SCOPED_TRACE("paso " + std::to_string(paso));
    CarpetaTemporal d;
    Prepara(d);
    const bool muerto = prueba::MuereEnPaso(paso, [&] { Cambia(d); });
    const FotoCarpeta f = TrasArrancar(d);
    EXPECT_TRUE(f == kAntes || f == kDespues);
    antes = antes || f == kAntes;
    despues = despues || f == kDespues;
    if (!muerto) {
      EXPECT_EQ(f, kDespues);
      break;
    }
    ++pasos;
    ASSERT_LT(paso, 200);
  }
  // Every rename, unlink and flush has a step before and after it.
  EXPECT_GE(pasos, 20);
  EXPECT_TRUE(antes);
  EXPECT_TRUE(despues);
}

TEST(Transaccion, UnArranqueMatadoAlResolverSeResuelveEnElSiguiente) {
  // Killed at each step of the commit, then at each step of the resolution that follows.
  for (int paso = 1;; ++paso) {
    CarpetaTemporal base;
    Prepara(base);
    if (!prueba::MuereEnPaso(paso, [&] { Cambia(base); })) break;
    if (!HayDiario(base.ruta())) continue;
    const FotoCarpeta tras = Foto(base.ruta());
    for (int paso2 = 1;; ++paso2) {
      SCOPED_TRACE("paso " + std::to_string(paso) + ", al resolver " + std::to_string(paso2));
      CarpetaTemporal d;
      for (const auto& [nombre, bytes] : tras) EscribeBytes(d / nombre, bytes);
      const bool muerto = prueba::MuereEnPaso(paso2, [&] { ResuelveDiario(d.ruta()); });
      const FotoCarpeta f = TrasArrancar(d);
      EXPECT_TRUE(f == kAntes || f == kDespues);
      if (!muerto) break;
      ASSERT_LT(paso2, 200);
    }
    ASSERT_LT(paso, 200);
  }
}

TEST(Transaccion, UnDiarioQueNoEsNuestroSeDescartaSinTocarNada) {
  CarpetaTemporal d;
  Prepara(d);
  EscribeBytes(d / kFicheroDiario, "zendo-diario 1\nR\t0\tA.TVX\tB.TVX\nfin\n");
  const ResolucionDiario r = ResuelveDiario(d.ruta());
  EXPECT_TRUE(r.habia);
  EXPECT_FALSE(r.fallo);
  EXPECT_EQ(Foto(d.ruta()), kAntes);
  EscribeBytes(d / kFicheroDiario, "zendo-diario 1\nB\t1\t../A.TVX\nfin\n");
  ResuelveDiario(d.ruta());
  EXPECT_EQ(Foto(d.ruta()), kAntes);
  EXPECT_FALSE(ResuelveDiario(d.ruta()).habia);
}

TEST(Cerrojo, UnSegundoProgramaEsperaYNoLoConsigue) {
  CarpetaTemporal d;
  CerrojoCarpeta primero = CerrojoCarpeta::Toma(d.ruta(), std::chrono::milliseconds(0));
  ASSERT_TRUE(primero.tomado());
  const auto inicio = std::chrono::steady_clock::now();
  const CerrojoCarpeta segundo = CerrojoCarpeta::Toma(d.ruta(), std::chrono::milliseconds(200));
  EXPECT_FALSE(segundo.tomado());
  EXPECT_TRUE(segundo.ocupado());
  EXPECT_GE(std::chrono::steady_clock::now() - inicio, std::chrono::milliseconds(200));
  const AccesoCarpeta a = AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0));
  EXPECT_TRUE(a.ocupada);
  primero.Suelta();
  // The lock file stays: it is never deleted.
  EXPECT_TRUE(std::filesystem::exists(d / kFicheroCerrojo));
  EXPECT_TRUE(CerrojoCarpeta::Toma(d.ruta(), std::chrono::milliseconds(0)).tomado());
}

TEST(Cerrojo, UnaCarpetaQueNoExisteONoEsCarpetaSeInforma) {
  CarpetaTemporal d;
  EXPECT_EQ(CerrojoCarpeta::Toma(d / "no", std::chrono::milliseconds(0)).fallo().error, 53);
  EscribeBytes(d / "fichero", "x");
  EXPECT_EQ(CerrojoCarpeta::Toma(d / "fichero", std::chrono::milliseconds(0)).fallo().error, 76);
  EXPECT_EQ(AbreCarpetaLectura(d / "no", std::chrono::milliseconds(0)).fallo.error, 53);
}

TEST(Cerrojo, ElArranqueQuitaLosTemporalesSoloBajoElCerrojo) {
  CarpetaTemporal d;
  Prepara(d);
  EscribeBytes(RutaTemporal(d / "A.TVX"), "resto");
  EscribeBytes(RutaTemporal(d / "A.TVX", "ant-"), "resto");
  // Reading writes nothing.
  EXPECT_TRUE(AbreCarpetaLectura(d.ruta(), std::chrono::milliseconds(0)).ok());
  EXPECT_EQ(Foto(d.ruta()).size(), kAntes.size() + 2);
  EXPECT_FALSE(std::filesystem::exists(d / kFicheroCerrojo));
  {
    const CerrojoCarpeta otro = CerrojoCarpeta::Toma(d.ruta(), std::chrono::milliseconds(0));
    EXPECT_FALSE(AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0)).ok());
    EXPECT_EQ(Foto(d.ruta()).size(), kAntes.size() + 2);
  }
  EXPECT_TRUE(AbreCarpetaEscritura(d.ruta(), std::chrono::milliseconds(0)).ok());
  EXPECT_EQ(Foto(d.ruta()), kAntes);
}

TEST(Cerrojo, LeerConUnDiarioPendienteLoResuelve) {
  CarpetaTemporal d;
  Prepara(d);
  // Killed right after the first rename of the commit.
  for (int paso = 1;; ++paso) {
    CarpetaTemporal e;
    Prepara(e);
    ASSERT_TRUE(prueba::MuereEnPaso(paso, [&] { Cambia(e); }));
    if (HayDiario(e.ruta()) && LeeBytes(e / "A.TVX") != "a viejo") {
      const AccesoCarpeta a = AbreCarpetaLectura(e.ruta(), std::chrono::milliseconds(0));
      EXPECT_TRUE(a.ok());
      EXPECT_TRUE(a.habiaDiario);
      EXPECT_FALSE(HayDiario(e.ruta()));
      EXPECT_EQ(LeeBytes(e / "A.TVX"), "a viejo");
      break;
    }
  }
}

}  // namespace
}  // namespace zendo

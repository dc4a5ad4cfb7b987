// Sending: one message per address in order over one connection, everything checked before
// a byte leaves, the first failure stopping the rest and told in the server's words.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "apoyo/forma_correo.h"
#include "apoyo/transporte_prueba.h"
#include "engine/core/texto.h"
#include "engine/output/envio_correo.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::TransportePrueba;

std::string Columnas(int n) {
  std::string s;
  s.reserve(static_cast<std::size_t>(n) * 19);
  for (int i = 0; i < n; ++i) s += i % 2 ? "\"1X21X21X21X21X2\"\r\n" : "\"111111111111111\"\r\n";
  return s;
}

// The headers and the body of a message as the fake recorded it.
std::pair<std::string, std::string> Partes(const std::string& mensaje) {
  const auto fin = mensaje.find("\r\n\r\n");
  return {mensaje.substr(0, fin + 2), mensaje.substr(fin + 4)};
}

PeticionEnvio Peticion(const CarpetaTemporal& dir, std::vector<std::string> para) {
  PeticionEnvio p;
  p.conexion.url = "smtp://127.0.0.1:2525";
  p.remitente = "zendo@example.com";
  p.nombreRemitente =
      "Pe\xC3\xB1"
      "a";
  p.destinatarios = std::move(para);
  p.asunto = Cp("Datos de la jornada 5. Reducción nro. 12");
  p.cuerpo = {Cp("JORNADA NRO.  5\r\nDescripción\r\n"), dir / "RED0512.TVX"};
  return p;
}

TEST(EnvioCorreo, UnMensajePorDireccionEnOrdenPorUnaConexion) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "RED0512.TVX", Columnas(3));
  TransportePrueba t;
  std::vector<std::pair<int, int>> progreso;
  const InformeEnvio i = EnviaMensajes(
      t, Peticion(dir, {" ana@example.com ", "luis@example.org"}),
      [&](int n, int m) { progreso.emplace_back(n, m); }, nullptr, 0);
  EXPECT_TRUE(i.resultado.ok());
  EXPECT_EQ(i.recibidos, (std::vector<std::string>{"ana@example.com", "luis@example.org"}));
  EXPECT_TRUE(i.pendientes.empty());
  EXPECT_EQ(t.aperturas, 1);
  EXPECT_EQ(t.cierres, 1);
  EXPECT_EQ(progreso, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(TextoProgresoEnvio(2, 3), "Enviando el mensaje 2 de 3");
  ASSERT_EQ(t.enviados.size(), 2u);
  EXPECT_EQ(t.enviados[0].destinatario, "ana@example.com");
  EXPECT_EQ(t.enviados[1].destinatario, "luis@example.org");
  for (const auto& e : t.enviados) {
    EXPECT_EQ(e.remitente, "zendo@example.com");
    EXPECT_EQ(e.tamano, e.mensaje.size());
    const auto [cabeceras, cuerpo] = Partes(e.mensaje);
    ASSERT_EQ(cabeceras.rfind("Date: ", 0), 0u);
    EXPECT_TRUE(prueba::EsFechaCorreo(cabeceras.substr(6, cabeceras.find("\r\n") - 6)));
    const auto id = cabeceras.find("\r\nMessage-ID: ");
    ASSERT_NE(id, std::string::npos);
    EXPECT_TRUE(prueba::EsIdentificador(
        cabeceras.substr(id + 14, cabeceras.find("\r\n", id + 2) - id - 14), "example.com"));
    EXPECT_NE(cabeceras.find("\r\nFrom: =?UTF-8?Q?Pe=C3=B1a?= <zendo@example.com>\r\n"),
              std::string::npos);
    EXPECT_NE(cabeceras.find("\r\nTo: " + e.destinatario + "\r\n"), std::string::npos);
    EXPECT_NE(cabeceras.find(
                  "\r\nSubject: =?UTF-8?Q?Datos_de_la_jornada_5=2E_Reducci=C3=B3n_nro=2E_12?=\r\n"),
              std::string::npos);
    EXPECT_NE(cabeceras.find("\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                             "Content-Transfer-Encoding: quoted-printable\r\n"),
              std::string::npos);
    EXPECT_EQ(cuerpo,
              "JORNADA NRO.  5\r\nDescripci=C3=B3n\r\nApuesta nro.    1  111111111111111\r\n"
              "Apuesta nro.    2  1X21X21X21X21X2\r\nApuesta nro.    3  111111111111111\r\n");
  }
  // Each message has its own identifier.
  EXPECT_NE(Partes(t.enviados[0].mensaje).first.substr(40, 40),
            Partes(t.enviados[1].mensaje).first.substr(40, 40));
}

TEST(EnvioCorreo, PartesDelCuerpoElegidas) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "RED0512.TVX", Columnas(2));
  TransportePrueba t;
  PeticionEnvio p = Peticion(dir, {"ana@example.com"});
  p.cuerpo = {};
  EXPECT_TRUE(EnviaMensajes(t, p, {}, nullptr, 0).resultado.ok());
  p.cuerpo.columnas = dir / "RED0512.TVX";
  EXPECT_TRUE(EnviaMensajes(t, p, {}, nullptr, 0).resultado.ok());
  ASSERT_EQ(t.enviados.size(), 2u);
  EXPECT_EQ(Partes(t.enviados[0].mensaje).second, "");
  EXPECT_EQ(Partes(t.enviados[1].mensaje).second,
            "Apuesta nro.    1  111111111111111\r\nApuesta nro.    2  1X21X21X21X21X2\r\n");
  // No address: nothing to do, no connection.
  t.aperturas = 0;
  EXPECT_TRUE(EnviaMensajes(t, Peticion(dir, {}), {}, nullptr, 0).resultado.ok());
  EXPECT_EQ(t.aperturas, 0);
}

TEST(EnvioCorreo, NadaSaleSiUnaDireccionOElFicheroFallan) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "RED0512.TVX", Columnas(2));
  TransportePrueba t;
  InformeEnvio i = EnviaMensajes(
      t, Peticion(dir, {"ana@example.com", "luis@example.org\r\nBcc: x@y.es"}), {}, nullptr, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Destinatario);
  EXPECT_EQ(t.aperturas, 0);
  EXPECT_TRUE(i.recibidos.empty());
  Mensaje m = MensajeEnvio(i);
  EXPECT_EQ(m.contexto, 2460);
  EXPECT_NE(m.texto.find(Cp("saltos de línea")), std::string::npos);
  EXPECT_NE(m.texto.find(Cp("Ninguna dirección ha recibido el mensaje.")), std::string::npos);

  PeticionEnvio p = Peticion(dir, {"ana@example.com"});
  p.remitente = "sin-arroba";
  EXPECT_EQ(EnviaMensajes(t, p, {}, nullptr, 0).resultado.fallo, FalloCorreo::Remitente);

  // A columns file that cannot be read is told, not sent as an empty list.
  p = Peticion(dir, {"ana@example.com"});
  p.cuerpo.columnas = dir / "RED0101.TVX";
  i = EnviaMensajes(t, p, {}, nullptr, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Lectura);
  EXPECT_NE(MensajeEnvio(i).texto.find("RED0101.TVX (RED ERROR 53)"), std::string::npos);
  EXPECT_EQ(t.aperturas, 0);
  EXPECT_TRUE(t.enviados.empty());
}

TEST(EnvioCorreo, MensajeMayorQueElLimiteSeRechazaAntesDeEnviar) {
  CarpetaTemporal dir;
  // 600,000 columns: about 21.6 MB of body, over the 20 MB taken when the server says
  // nothing.
  EscribeBytes(dir / "RED0512.TVX", Columnas(600000));
  TransportePrueba t;
  InformeEnvio i = EnviaMensajes(t, Peticion(dir, {"ana@example.com"}), {}, nullptr, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Tamano);
  EXPECT_EQ(i.limite, kLimiteSinAnuncio);
  EXPECT_GT(i.tamano, kLimiteSinAnuncio);
  EXPECT_TRUE(t.enviados.empty());
  EXPECT_EQ(t.cierres, 1);
  const Mensaje m = MensajeEnvio(i);
  EXPECT_NE(m.texto.find("20.000.000"), std::string::npos);
  EXPECT_NE(m.texto.find(Cp("soporte externo")), std::string::npos);

  // The server's own limit wins when it announces one, larger or smaller.
  t.limite = 30'000'000;
  EXPECT_TRUE(EnviaMensajes(t, Peticion(dir, {"ana@example.com"}), {}, nullptr, 0).resultado.ok());
  EscribeBytes(dir / "RED0512.TVX", Columnas(40));
  t.limite = 1000;
  i = EnviaMensajes(t, Peticion(dir, {"ana@example.com"}), {}, nullptr, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Tamano);
  EXPECT_EQ(i.limite, 1000u);
  EXPECT_EQ(t.enviados.size(), 1u);
}

TEST(EnvioCorreo, ElPrimerFalloDetieneElRestoYSeNombranLosQueLoRecibieron) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "RED0512.TVX", Columnas(1));
  TransportePrueba t;
  t.fallos["luis@example.org"] = {FalloCorreo::Destinatario,
                                  "550 5.1.1 <luis@example.org>: User unknown\r\n"};
  InformeEnvio i = EnviaMensajes(
      t, Peticion(dir, {"ana@example.com", "luis@example.org", "eva@example.net"}), {}, nullptr, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Destinatario);
  EXPECT_EQ(i.recibidos, std::vector<std::string>{"ana@example.com"});
  EXPECT_EQ(i.pendientes, (std::vector<std::string>{"luis@example.org", "eva@example.net"}));
  EXPECT_EQ(t.enviados.size(), 1u);
  EXPECT_EQ(t.cierres, 1);
  Mensaje m = MensajeEnvio(i);
  EXPECT_NE(m.texto.find(Cp("La dirección luis@example.org ha sido rechazada por el servidor.")),
            std::string::npos);
  EXPECT_NE(m.texto.find(Cp("Respuesta del servidor: 550 5.1.1 <luis@example.org>: User unknown")),
            std::string::npos);
  EXPECT_NE(m.texto.find("Han recibido el mensaje: ana@example.com."), std::string::npos);
  EXPECT_EQ(m.texto.find('\n', m.texto.find("Respuesta")), m.texto.find("\r\nHan recibido") + 1);

  // A connection that cannot be made: nothing sent, the library's words kept.
  TransportePrueba sin;
  sin.falloAbrir = {FalloCorreo::Conexion, "Failed to connect to 127.0.0.1 port 9"};
  i = EnviaMensajes(sin, Peticion(dir, {"ana@example.com"}), {}, nullptr, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Conexion);
  m = MensajeEnvio(i);
  EXPECT_NE(m.texto.find("No se ha podido conectar"), std::string::npos);
  EXPECT_NE(m.texto.find("Failed to connect to 127.0.0.1 port 9"), std::string::npos);
  for (auto f : {FalloCorreo::Certificado, FalloCorreo::Autenticacion, FalloCorreo::Tamano,
                 FalloCorreo::Otro}) {
    sin.falloAbrir = {f, "5xx"};
    const std::string texto =
        MensajeEnvio(EnviaMensajes(sin, Peticion(dir, {"a@b.es"}), {}, nullptr, 0)).texto;
    EXPECT_NE(texto.find("Respuesta del servidor: 5xx"), std::string::npos);
    EXPECT_NE(texto.find(Cp("Ninguna dirección")), std::string::npos);
  }
}

TEST(EnvioCorreo, CancelarEntreMensajes) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "RED0512.TVX", Columnas(1));
  TransportePrueba t;
  std::atomic<bool> cancelado{false};
  t.antesDeEnviar = [&](std::size_t ya) {
    if (ya == 1) cancelado = true;  // pressed while the second message goes
  };
  const InformeEnvio i =
      EnviaMensajes(t, Peticion(dir, {"ana@example.com", "luis@example.org", "eva@example.net"}),
                    {}, &cancelado, 0);
  EXPECT_EQ(i.resultado.fallo, FalloCorreo::Cancelado);
  EXPECT_EQ(i.recibidos, (std::vector<std::string>{"ana@example.com", "luis@example.org"}));
  EXPECT_EQ(t.cierres, 1);
  EXPECT_NE(MensajeEnvio(i).texto.find(Cp("Se ha cancelado el envío.")), std::string::npos);
}

TEST(EnvioCorreo, PalabrasDelServidorEnUnaLineaImprimible) {
  EXPECT_EQ(PalabrasServidor("550-5.1.1 primera\r\n550 5.1.1 segunda\r\n"),
            "550-5.1.1 primera 550 5.1.1 segunda");
  EXPECT_EQ(PalabrasServidor("x\x01y \xC3\xB1 \xE2\x98\x83"), Cp("xy ñ ?"));
}

}  // namespace
}  // namespace zendo

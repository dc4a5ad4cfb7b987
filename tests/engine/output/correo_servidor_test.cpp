// zendo-cli correo against a real SMTP server (aiosmtpd) on 127.0.0.1: what arrives is parsed
// back by Python's email package and compared with what --mostrar says the message holds.

#include <gtest/gtest.h>

#include <cstdlib>

#include "apoyo/apoyo.h"
#include "apoyo/servidor_smtp.h"
#include "engine/core/datos_generales.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::MensajeRecibido;
using prueba::OpcionesSmtp;
using prueba::ServidorSmtp;

const char* const kColumnas[] = {"1X21X21X21X21X2", "111111111111111", "X11111111111112",
                                 "2X1111111111111", "11111X111111111", "1111111111111X1",
                                 "111111122111111", "1X1X1X1X1X1X1X1"};

// Jornada 5, orden 12: a Columna probable reduction described ".Peña del barrio" (a line that
// starts with a dot in the message), with `columnas` columns and two named matches.
void PreparaReduccion(const fs::path& dir, int columnas) {
  Reduccion r = ReduccionNueva(5, 12, kMetodoColumnaProbable);
  r.Descripcion = AjustaAncho(Cp(".Peña del barrio"), 35);
  for (int m = 1; m <= 3; ++m) {
    auto& p = r.Partido[static_cast<std::size_t>(m)];
    p.Signo = {0, 1, 1, 0};
    p.NumSignos = 2;
    p.AReducir = true;
    p.Probable = 2;
  }
  r.MaxErrores = 1;
  r.ApuestasBase = 8;
  r.NumApuestas = columnas;
  EscribeBytes(dir / "BASES.TVX", ConstruyeRegistroBases(r) + "\r\n");
  std::string red;
  for (int i = 0; i < columnas; ++i) red += LineaColumna(kColumnas[i % 8]);
  EscribeBytes(dir / "RED0512.TVX", red);
  std::string registro = RegistroJornadaVacio();
  PonCabecera(registro, 5, "13/09/09");
  PonEquipo(registro, 1, Cp("Málaga"));
  PonEquipo(registro, 2, "Betis");
  PonEquipo(registro, 3, Cp("Atlético"));
  ASSERT_EQ(EscribeJornada(dir, 5, registro), 0);
  DatosGenerales d;
  d.PrecioApuesta = "1.50";
  d.Normaliza();
  ASSERT_EQ(GuardaDatosGenerales(dir, d), 0);
}

struct Salida {
  int estado = 0;
  std::string salida;
  std::string errores;
};

Salida Cli(const fs::path& dir, const std::string& args, const std::string& contrasena = {}) {
  const std::string errores = (dir / "errores.txt").string();
  std::string orden = std::string(ZENDO_CLI_PATH) + " correo --datos '" + dir.string() +
                      "' --jornada 5 --orden 12 " + args + " 2>'" + errores + "'";
  if (!contrasena.empty()) orden = "ZENDO_SMTP_PASSWORD='" + contrasena + "' " + orden;
  Salida s;
  s.estado = prueba::Ejecuta(orden, &s.salida);
  s.errores = prueba::LeeBytes(errores);
  return s;
}

// The body --mostrar gives: everything after the subject and the empty line.
std::string CuerpoMostrado(const fs::path& dir, const std::string& partes) {
  const Salida s = Cli(dir, "--mostrar " + partes);
  EXPECT_EQ(s.estado, 0) << s.errores;
  const auto fin = s.salida.find("\r\n\r\n");
  return fin == std::string::npos ? std::string() : s.salida.substr(fin + 4);
}

const std::string kAsunto = "Datos de la jornada 5. Reducci\xC3\xB3n nro. 12";

TEST(CorreoServidor, MostrarDaAsuntoYCuerpoDelMensaje) {
  CarpetaTemporal dir;
  PreparaReduccion(dir.ruta(), 8);
  const Salida s = Cli(dir.ruta(), "--mostrar --columnas");
  ASSERT_EQ(s.estado, 0) << s.errores;
  const auto lineas = PartirLineas(s.salida);
  ASSERT_GT(lineas.size(), 60u);
  EXPECT_EQ(lineas[0], kAsunto);
  EXPECT_EQ(lineas[1], "");
  EXPECT_EQ(lineas[2], "JORNADA NRO.  5 DE FECHA 13/09/09 (Orden 12)");
  EXPECT_EQ(RecortaDer(lineas[3]),
            ".Pe\xC3\xB1"
            "a del barrio");
  EXPECT_EQ(lineas[4], "");
  EXPECT_EQ(lineas[6], "                                    Quiniela  Partidos    Columna");
  EXPECT_EQ(RecortaDer(lineas[9]),
            " 1. M\xC3\xA1laga-Betis...................  1 X         [X]         X");
  EXPECT_NE(s.salida.find("\r\n          Importe reducidas........: 12,00 euros\r\n"),
            std::string::npos);
  EXPECT_EQ(s.salida.find("\xE2\x82\xAC"), std::string::npos);  // no euro sign
  EXPECT_EQ(lineas[lineas.size() - 8], "Apuesta nro.    1  1X21X21X21X21X2");
  EXPECT_EQ(lineas.back(), "Apuesta nro.    8  1X1X1X1X1X1X1X1");
  // CR LF everywhere, nothing else.
  EXPECT_EQ(s.salida.find('\n'), s.salida.find("\r\n") + 1);
  std::size_t lf = 0;
  for (std::size_t p = 0; (p = s.salida.find('\n', p)) != std::string::npos; ++p) {
    ++lf;
    EXPECT_EQ(s.salida[p - 1], '\r');
  }
  EXPECT_EQ(lf, lineas.size());

  EXPECT_EQ(CuerpoMostrado(dir.ruta(), "--sin-base"), "");
  EXPECT_EQ(CuerpoMostrado(dir.ruta(), "--sin-base --columnas").substr(0, 36),
            "Apuesta nro.    1  1X21X21X21X21X2\r\n");

  // A missing reduction or columns file is a file error.
  EXPECT_EQ(Cli(dir.ruta(), "--mostrar --columnas --jornada 6").estado, 1);
  std::filesystem::remove(dir / "RED0512.TVX");
  const Salida sin = Cli(dir.ruta(), "--mostrar --columnas");
  EXPECT_EQ(sin.estado, 1);
  EXPECT_NE(sin.errores.find("RED ERROR 53"), std::string::npos);
}

TEST(CorreoServidor, DosDireccionesUnaConexionMismoCuerpo) {
  CarpetaTemporal dir;
  PreparaReduccion(dir.ruta(), 8);
  ServidorSmtp servidor(dir / "smtp");
  ASSERT_TRUE(servidor.listo());
  // Of three addresses the second is left unselected: the first and the third are given.
  const Salida s = Cli(dir.ruta(),
                       "--columnas --para ana@example.com --para eva@example.net "
                       "--servidor " +
                           servidor.url() + " --remitente zendo@example.com");
  ASSERT_EQ(s.estado, 0) << s.errores;
  EXPECT_EQ(s.salida, "enviado ana@example.com\nenviado eva@example.net\n");
  const auto m = servidor.Recibidos();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(servidor.Conexiones(), 1);
  const std::string cuerpo = CuerpoMostrado(dir.ruta(), "--columnas");
  ASSERT_FALSE(cuerpo.empty());
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(m[i].de, "zendo@example.com");
    EXPECT_EQ(m[i].para, std::vector<std::string>{i == 0 ? "ana@example.com" : "eva@example.net"});
    EXPECT_EQ(m[i].asunto, kAsunto);
    EXPECT_EQ(m[i].cuerpo, cuerpo);
  }
  // The description line starts with a dot: it arrived whole through the SMTP transparency.
  EXPECT_NE(m[0].crudo.find("\r\n.Pe=C3=B1a del barrio"), std::string::npos);

  // Both parts left out: an empty body. Columns only: the "Apuesta nro." lines alone.
  ASSERT_EQ(
      Cli(dir.ruta(), "--sin-base --para ana@example.com --servidor " + servidor.url()).estado, 0);
  ASSERT_EQ(
      Cli(dir.ruta(), "--sin-base --columnas --para ana@example.com --servidor " + servidor.url())
          .estado,
      0);
  const auto mas = servidor.Recibidos();
  ASSERT_EQ(mas.size(), 4u);
  EXPECT_EQ(mas[2].cuerpo, "");
  EXPECT_EQ(mas[3].cuerpo, CuerpoMostrado(dir.ruta(), "--sin-base --columnas"));
  EXPECT_EQ(mas[3].cuerpo.substr(0, 36), "Apuesta nro.    1  1X21X21X21X21X2\r\n");
  EXPECT_EQ(mas[2].de, "zendo@localhost");
}

TEST(CorreoServidor, StartTlsConAutenticacionYSusFallos) {
  CarpetaTemporal dir;
  PreparaReduccion(dir.ruta(), 3);
  OpcionesSmtp o;
  o.tls = true;
  o.usuario = "pepe";
  o.contrasena = "clave-de-prueba-7";
  ServidorSmtp servidor(dir / "smtp", o);
  ASSERT_TRUE(servidor.listo());
  const std::string base = "--columnas --para ana@example.com --servidor " + servidor.url() +
                           " --usuario pepe --remitente pepe@example.com";
  const std::string ca = " --ca '" + servidor.certificado().string() + "'";

  Salida s = Cli(dir.ruta(), base + ca, "clave-de-prueba-7");
  ASSERT_EQ(s.estado, 0) << s.errores;
  ASSERT_EQ(servidor.Recibidos().size(), 1u);
  EXPECT_EQ(servidor.Recibidos()[0].cuerpo, CuerpoMostrado(dir.ruta(), "--columnas"));

  s = Cli(dir.ruta(), base + ca, "mala-clave-9");
  EXPECT_EQ(s.estado, 69);
  EXPECT_NE(s.errores.find("no ha aceptado el usuario o la contrase"), std::string::npos);
  EXPECT_NE(s.errores.find("Respuesta del servidor: 535"), std::string::npos) << s.errores;
  EXPECT_NE(s.errores.find("Ninguna direcci"), std::string::npos);
  EXPECT_EQ(s.errores.find("mala-clave-9"), std::string::npos);
  EXPECT_EQ(s.errores.find("Apuesta"), std::string::npos);

  // Without the test's certificate authority the server is not trusted.
  s = Cli(dir.ruta(), base, "clave-de-prueba-7");
  EXPECT_EQ(s.estado, 69);
  EXPECT_NE(s.errores.find("certificado no es de confianza"), std::string::npos) << s.errores;
  // The password comes from the environment only.
  EXPECT_EQ(Cli(dir.ruta(), base + ca).estado, 64);
  EXPECT_EQ(servidor.Recibidos().size(), 1u);
}

TEST(CorreoServidor, ServidorQueNoEscuchaDestinatarioRechazadoYMensajeGrande) {
  CarpetaTemporal dir;
  PreparaReduccion(dir.ruta(), 8);
  Salida s = Cli(dir.ruta(), "--para ana@example.com --servidor smtp://127.0.0.1:" +
                                 std::to_string(ServidorSmtp::PuertoLibre()));
  EXPECT_EQ(s.estado, 69);
  EXPECT_NE(s.errores.find("No se ha podido conectar con el servidor de correo"),
            std::string::npos);

  OpcionesSmtp o;
  o.rechaza = {"luis@example.org"};
  o.limite = 4000;
  ServidorSmtp servidor(dir / "smtp", o);
  ASSERT_TRUE(servidor.listo());
  s = Cli(dir.ruta(),
          "--para ana@example.com --para luis@example.org --para eva@example.net "
          "--servidor " +
              servidor.url());
  EXPECT_EQ(s.estado, 69);
  EXPECT_EQ(s.salida, "enviado ana@example.com\n");
  EXPECT_NE(s.errores.find("luis@example.org ha sido rechazada"), std::string::npos);
  EXPECT_NE(s.errores.find("Respuesta del servidor: 550 5.1.1 <luis@example.org>: Recipient "
                           "address rejected: User unknown"),
            std::string::npos)
      << s.errores;
  EXPECT_NE(s.errores.find("Han recibido el mensaje: ana@example.com."), std::string::npos);
  ASSERT_EQ(servidor.Recibidos().size(), 1u);

  // Over the 4,000 bytes the server announces: refused before any message goes.
  std::string red;
  for (int i = 0; i < 200; ++i) red += LineaColumna(kColumnas[i % 8]);
  EscribeBytes(dir / "RED0512.TVX", red);
  const int antes = servidor.Conexiones();
  s = Cli(dir.ruta(), "--columnas --para ana@example.com --servidor " + servidor.url());
  EXPECT_EQ(s.estado, 69);
  EXPECT_NE(s.errores.find("admite como m\xC3\xA1ximo 4.000"), std::string::npos) << s.errores;
  EXPECT_NE(s.errores.find("soporte externo"), std::string::npos);
  EXPECT_EQ(servidor.Recibidos().size(), 1u);
  EXPECT_EQ(servidor.Conexiones(), antes + 1);

  // An address with a line break is refused before any connection.
  s = Cli(dir.ruta(), "--para \"$(printf 'ana@example.com\\r\\nBcc: x@example.com')\" --servidor " +
                          servidor.url());
  EXPECT_EQ(s.estado, 64);
  EXPECT_NE(s.errores.find("saltos de l\xC3\xADnea"), std::string::npos) << s.errores;
  EXPECT_EQ(servidor.Conexiones(), antes + 1);
}

}  // namespace
}  // namespace zendo

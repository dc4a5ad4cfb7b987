// The pieces of a mail message: the address book, the address check, the subject and the
// column lines, the quoted-printable body and the RFC 2047 headers, the settings file.

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "apoyo/forma_correo.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"
#include "engine/output/ajustes_correo.h"
#include "engine/output/codificacion_correo.h"
#include "engine/output/direcciones.h"
#include "engine/output/mensaje_correo.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
using prueba::EscribeBytes;
using prueba::LeeBytes;

int Hex(char c) {
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

// Undoes quoted-printable: soft breaks joined, =XX turned into its byte.
std::string DecodificaQp(std::string_view qp) {
  std::string s;
  for (std::size_t i = 0; i < qp.size(); ++i) {
    if (qp[i] == '=' && qp.substr(i + 1, 2) == "\r\n") {
      i += 2;
    } else if (qp[i] == '=') {
      s += static_cast<char>(Hex(qp[i + 1]) * 16 + Hex(qp[i + 2]));
      i += 2;
    } else {
      s += qp[i];
    }
  }
  return s;
}

// The text of a header made of encoded words (folding and the words' frames dropped).
std::string DecodificaPalabras(std::string_view valor) {
  std::string s;
  for (const std::string& p : prueba::PalabrasCodificadas(valor)) {
    std::string q = p.substr(10, p.size() - 12);
    for (auto& c : q) {
      if (c == '_') c = ' ';
    }
    s += DecodificaQp(q);
  }
  return s;
}

bool Utf8Valido(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

std::vector<std::string> LineasCrLf(const std::string& texto) {
  std::vector<std::string> l;
  for (auto v : PartirLineas(texto)) l.emplace_back(v);
  return l;
}

TEST(LibretaDirecciones, CreadaVaciaRecortadaYLeidaComoElementos) {
  CarpetaTemporal dir;
  LecturaDirecciones l = LeeDirecciones(dir.ruta());
  EXPECT_EQ(l.error, 53);
  EXPECT_TRUE(l.mensaje.empty());
  EXPECT_TRUE(l.direcciones.empty());
  EXPECT_EQ(LeeBytes(dir / "DIRECC.TVX"), "");

  ASSERT_EQ(GuardaDirecciones(dir.ruta(), {"  ana@example.com ", "luis@example.org"}), 0);
  EXPECT_EQ(LeeBytes(dir / "DIRECC.TVX"), "ana@example.com\r\nluis@example.org\r\n");
  l = LeeDirecciones(dir.ruta());
  EXPECT_EQ(l.error, 0);
  EXPECT_EQ(l.direcciones, (std::vector<std::string>{"ana@example.com", "luis@example.org"}));

  // Written by hand: items end at commas and line ends, blank lines hold none.
  EscribeBytes(dir / "DIRECC.TVX", "  a@b.es ,c@d.es\r\n\r\n\"e@f.es\"\ng@h.es");
  EXPECT_EQ(LeeDirecciones(dir.ruta()).direcciones,
            (std::vector<std::string>{"a@b.es", "c@d.es", "e@f.es", "g@h.es"}));
  EXPECT_TRUE(std::filesystem::exists(dir / "DIRECC.TVX"));
}

// Every failure says the number, then, on a second line, the file and the cause; a failed
// save keeps the earlier file.
TEST(LibretaDirecciones, FallosDeLecturaYEscrituraSeDicenYNoPierdenNada) {
  CarpetaTemporal dir;
  const std::string leer = Cp("No se ha podido leer el fichero de direcciones DIRECC.TVX (error ");
  std::filesystem::create_directory(dir / "DIRECC.TVX");
  LecturaDirecciones l = LeeDirecciones(dir.ruta());
  EXPECT_EQ(l.error, kErrAcceso);
  EXPECT_EQ(ConCausa(l.mensaje, l.fallo), leer + "75).\r\nAcceso no permitido al leer DIRECC.TVX.");
  std::filesystem::remove(dir / "DIRECC.TVX");

  // A data folder that is not a folder.
  EscribeBytes(dir / "archivo", "");
  l = LeeDirecciones(dir / "archivo");
  EXPECT_EQ(ConCausa(l.mensaje, l.fallo), leer + "76).\r\nRuta no encontrada al leer DIRECC.TVX.");

  // The whole rewrite on a full disk: its temporary is /dev/full.
  EscribeBytes(dir / "DIRECC.TVX", "ana@example.com\r\n");
  std::filesystem::create_symlink("/dev/full", RutaTemporal(dir / "DIRECC.TVX"));
  const int16_t lleno = GuardaDirecciones(dir.ruta(), {"otra@example.com"});
  EXPECT_EQ(lleno, kErrDiscoLleno);
  EXPECT_EQ(MensajeFalloDirecciones(lleno),
            Cp("No se ha podido guardar la lista de direcciones en el fichero DIRECC.TVX (error "
               "61). La lista sigue en la pantalla: compruebe que la carpeta de datos admite "
               "escritura y vuelva a salir.\r\nDisco lleno al escribir DIRECC.TVX."));
  EXPECT_EQ(LeeBytes(dir / "DIRECC.TVX"), "ana@example.com\r\n");
  std::filesystem::remove(RutaTemporal(dir / "DIRECC.TVX"));

  {
    prueba::SoloLectura bloqueo(dir.ruta());
    if (!bloqueo.activa()) GTEST_SKIP() << "no read-only folder here";
    EXPECT_EQ(GuardaDirecciones(dir.ruta(), {"otra@example.com"}), kErrPermiso);
    EXPECT_EQ(LeeBytes(dir / "DIRECC.TVX"), "ana@example.com\r\n");
    CarpetaTemporal vacia;
    prueba::SoloLectura otro(vacia.ruta());
    // A missing file cannot be created.
    l = LeeDirecciones(vacia.ruta());
    EXPECT_EQ(ConCausa(l.mensaje, l.fallo),
              Cp("No se ha podido crear el fichero de direcciones DIRECC.TVX (error 70).\r\n"
                 "Permiso denegado al crear DIRECC.TVX."));
  }
  EXPECT_EQ(LeeBytes(dir / "DIRECC.TVX"), "ana@example.com\r\n");
}

TEST(LibretaDirecciones, DireccionesQueRomperianUnaCabeceraSeRechazan) {
  for (const char* buena : {"ana@example.com", "  ana.perez+quiniela@correo.example.es ",
                            "x@localhost", "o'neil@example.com"}) {
    EXPECT_EQ(FalloDireccion(buena), "") << buena;
  }
  const std::vector<std::string> malas = {
      "ana@example.com\r\nBcc: otro@example.com",
      std::string("ana@exa\0mple.com", 16),
      "ana@example.com\tluis@example.com",
      "ana@example.com, luis@example.com",
      "ana@example.com;luis@example.com",
      "ana luis@example.com",
      "ana@luis@example.com",
      "anaexample.com",
      "@example.com",
      "ana@",
      "Ana <ana@example.com>",
      "\"ana\"@example.com",
      Cp("josé@example.com"),
      "ana@.example.com",
      "ana@example..com",
      std::string(250, 'a') + "@example.com",
  };
  for (const auto& m : malas) EXPECT_NE(FalloDireccion(m), "") << m;
  EXPECT_NE(FalloDireccion("a@b\nc").find(Cp("saltos de línea")), std::string::npos);
  EXPECT_NE(FalloDireccion("abc").find("@"), std::string::npos);
}

TEST(TextoCorreo, AsuntoYLineasDeApuestas) {
  EXPECT_EQ(AsuntoCorreo(5, 12), Cp("Datos de la jornada 5. Reducción nro. 12"));
  EXPECT_EQ(AsuntoCorreo(12, 1), Cp("Datos de la jornada 12. Reducción nro. 1"));
  EXPECT_EQ(LineaApuesta(7, "1X21X21X21X21X2"), "Apuesta nro.    7  1X21X21X21X21X2");
  for (int64_t n : {1LL, 99999LL, 100000LL, 14348907LL}) {
    EXPECT_EQ(LineaApuesta(n, "111111111111111"),
              "Apuesta nro." + FormatoTexto(static_cast<double>(n), "@@@@@") + "  111111111111111");
  }
}

TEST(TextoCorreo, CuerpoConBaseYColumnasDelFichero) {
  CarpetaTemporal dir;
  EscribeBytes(dir / "RED0512.TVX", "\"1X21X21X21X21X2\"\r\n\"111111111111111\"\r\n\"222");
  CuerpoCorreo c{Cp("JORNADA NRO.  5\r\nDescripción\r\n\r\n"), dir / "RED0512.TVX"};
  LectorCuerpo l(c);
  std::vector<std::string> lineas;
  for (std::string s; l.Siguiente(s);) lineas.push_back(s);
  EXPECT_EQ(l.error(), 0);
  EXPECT_EQ(lineas,
            (std::vector<std::string>{
                Cp("JORNADA NRO.  5"), Cp("Descripción"), "", "Apuesta nro.    1  1X21X21X21X21X2",
                "Apuesta nro.    2  111111111111111", "Apuesta nro.    3  222"}));

  // The message read in pieces is its headers and the body encoded; its announced size is
  // the bytes it gives.
  const std::string cabeceras = "Subject: x\r\n\r\n";
  int16_t error = 0;
  const uint64_t cuerpo = TamanoCuerpoCodificado(c, UINT64_MAX, error);
  FuenteMensaje f(cabeceras, c, cuerpo);
  std::string todo;
  char trozo[5];
  for (std::size_t n; (n = f.Lee(trozo, sizeof trozo)) > 0;) todo.append(trozo, n);
  EXPECT_EQ(todo.size(), f.Tamano());
  EXPECT_EQ(todo.substr(0, cabeceras.size()), cabeceras);
  EXPECT_EQ(DecodificaQp(todo.substr(cabeceras.size())),
            "JORNADA NRO.  5\r\nDescripci\xC3\xB3n\r\n\r\nApuesta nro.    1  1X21X21X21X21X2\r\n"
            "Apuesta nro.    2  111111111111111\r\nApuesta nro.    3  222\r\n");
  // Counting stops once the size passes the limit.
  EXPECT_LE(TamanoCuerpoCodificado(c, 10, error), 10u + 80u);

  // Neither part: an empty body. A missing file gives its error.
  EXPECT_EQ(TamanoCuerpoCodificado({}, UINT64_MAX, error), 0u);
  TamanoCuerpoCodificado({"", dir / "RED0101.TVX"}, UINT64_MAX, error);
  EXPECT_EQ(error, 53);
}

TEST(CodificacionCorreo, QuotedPrintableSobreviveACualquierServidor) {
  const std::vector<std::string> lineas = {
      "",
      "     JORNADA NRO.  5 DE FECHA 30/08/09 (Orden 12)",
      "Importe reducidas........:         1.234,50 euros",
      "a=b con = signos y acentos: \xC3\xA1\xC3\xA9\xC3\xAD\xC3\xB3\xC3\xBA \xC3\xB1 \xE2\x82\xAC",
      "blancos al final   ",
      "tab al final\t",
      ".empieza por punto",
      std::string(200, 'x'),
      std::string(75, 'y') + "=",
      std::string(74, 'z') + " ",
      std::string(100, '\xC3'),
  };
  std::string qp;
  std::string original;
  for (const auto& l : lineas) {
    AnadeLineaQp(qp, l);
    original += l + "\r\n";
  }
  EXPECT_EQ(DecodificaQp(qp), original);
  for (const auto& l : LineasCrLf(qp)) {
    EXPECT_LE(l.size(), 76u) << l;
    for (unsigned char c : l) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << l;
    EXPECT_TRUE(l.empty() || (l.back() != ' ' && l.back() != '\t')) << l;
  }
  std::string s;
  AnadeLineaQp(s, "a = b ");
  EXPECT_EQ(s, "a =3D b=20\r\n");
}

TEST(CodificacionCorreo, CabecerasConAcentosEnPalabrasCodificadas) {
  const std::string asunto = Cp1252AUtf8(AsuntoCorreo(5, 12));
  const std::string h = CabeceraTexto("Subject", asunto);
  EXPECT_EQ(h, "Subject: =?UTF-8?Q?Datos_de_la_jornada_5=2E_Reducci=C3=B3n_nro=2E_12?=\r\n");
  EXPECT_EQ(CabeceraTexto("Subject", "Sin acentos"), "Subject: Sin acentos\r\n");

  // A long text: words of at most 75 characters on lines of at most 76, no character cut.
  std::string largo;
  for (int i = 0; i < 30; ++i) largo += "Reducci\xC3\xB3n \xE2\x82\xAC ";
  const std::string cab = CabeceraTexto("Subject", largo);
  ASSERT_EQ(cab.substr(cab.size() - 2), "\r\n");
  const auto lineas = LineasCrLf(cab);
  for (std::size_t i = 0; i < lineas.size(); ++i) {
    EXPECT_LE(lineas[i].size(), 76u);
    if (i > 0) {
      EXPECT_EQ(lineas[i][0], ' ');
    }
  }
  for (const std::string& p : prueba::PalabrasCodificadas(cab)) {
    EXPECT_LE(p.size(), 75u);
    EXPECT_TRUE(Utf8Valido(DecodificaPalabras(p)));
  }
  EXPECT_EQ(DecodificaPalabras(cab), largo);

  // Display names: quoted when plain, encoded when accented, never bare specials.
  EXPECT_EQ(BuzonCorreo("", "a@b.es"), "a@b.es");
  EXPECT_EQ(BuzonCorreo("Pe\"pe", "a@b.es"), "\"Pe\\\"pe\" <a@b.es>");
  const std::string acentos = BuzonCorreo("Pe\xC3\xB1\x61, S.L.", "a@b.es");
  EXPECT_EQ(acentos, "=?UTF-8?Q?Pe=C3=B1a=2C_S=2EL=2E?= <a@b.es>");
}

TEST(CodificacionCorreo, FechaEIdentificador) {
  std::tm t{};
  t.tm_year = 124;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_wday = 2;
  t.tm_hour = 10;
  t.tm_min = 7;
  t.tm_sec = 9;
  EXPECT_EQ(FechaCorreo(t, 3600), "Tue, 05 Mar 2024 10:07:09 +0100");
  EXPECT_EQ(FechaCorreo(t, -(3 * 3600 + 30 * 60)), "Tue, 05 Mar 2024 10:07:09 -0330");
  EXPECT_TRUE(prueba::EsFechaCorreo(FechaCorreo(std::time(nullptr))));
  const std::string a = IdentificadorMensaje("example.com");
  EXPECT_TRUE(prueba::EsIdentificador(a, "example.com")) << a;
  EXPECT_FALSE(prueba::EsIdentificador("<1.2@example.org>", "example.com"));
  EXPECT_FALSE(prueba::EsFechaCorreo("Tue, 5 Mar 2024 10:07:09 +0100"));
  EXPECT_NE(a, IdentificadorMensaje("example.com"));
}

TEST(AjustesCorreo, FallosDeLecturaYEscrituraSeDicenConSuCausa) {
  CarpetaTemporal dir;
  std::filesystem::create_directory(dir / "CORREO.TVX");
  const LecturaAjustesCorreo l = LeeAjustesCorreo(dir.ruta());
  EXPECT_FALSE(l.existe);
  EXPECT_EQ(ConCausa(l.mensaje, l.fallo),
            "No se han podido leer los ajustes de correo del fichero CORREO.TVX (error 75).\r\n"
            "Acceso no permitido al leer CORREO.TVX.");
  std::filesystem::remove(dir / "CORREO.TVX");

  AjustesCorreo a;
  a.servidor = "smtp.example.com";
  ASSERT_EQ(GuardaAjustesCorreo(dir.ruta(), a), 0);
  const std::string antes = LeeBytes(dir / "CORREO.TVX");
  std::filesystem::create_symlink("/dev/full", RutaTemporal(dir / "CORREO.TVX"));
  a.servidor = "otro.example.com";
  const int16_t lleno = GuardaAjustesCorreo(dir.ruta(), a);
  EXPECT_EQ(lleno, kErrDiscoLleno);
  EXPECT_EQ(MensajeFalloAjustesCorreo(lleno),
            "No se han podido guardar los ajustes en el fichero CORREO.TVX (error 61). "
            "Compruebe que la carpeta de datos admite escritura.\r\n"
            "Disco lleno al escribir CORREO.TVX.");
  EXPECT_EQ(LeeBytes(dir / "CORREO.TVX"), antes);
}

TEST(AjustesCorreo, FicheroSinContrasenaYComprobaciones) {
  CarpetaTemporal dir;
  EXPECT_FALSE(LeeAjustesCorreo(dir.ruta()).existe);
  AjustesCorreo a;
  a.servidor = "smtp.example.com";
  a.puerto = 465;
  a.seguridad = SeguridadCorreo::SslTls;
  a.usuario = "pepe";
  a.remitente = "pepe@example.com";
  a.nombre = Cp("Peña Quinielista");
  ASSERT_EQ(GuardaAjustesCorreo(dir.ruta(), a), 0);
  EXPECT_EQ(LeeBytes(dir / "CORREO.TVX"),
            "Servidor=smtp.example.com\r\nPuerto=465\r\nSeguridad=1\r\nUsuario=pepe\r\n"
            "Remitente=pepe@example.com\r\nNombre=Pe\xF1"
            "a Quinielista\r\n");
  const LecturaAjustesCorreo l = LeeAjustesCorreo(dir.ruta());
  EXPECT_TRUE(l.existe);
  EXPECT_EQ(l.ajustes, a);
  EXPECT_EQ(FalloAjustesCorreo(a), "");

  const ConexionCorreo c = ConexionDeAjustes(a, "secreto");
  EXPECT_EQ(c.url, "smtps://smtp.example.com:465");
  EXPECT_EQ(c.tls, NivelTls::Obligatorio);
  EXPECT_EQ(c.contrasena, "secreto");
  a.usuario.clear();
  EXPECT_EQ(ConexionDeAjustes(a, "secreto").contrasena, "");

  // Garbage reads as defaults; a control character never reaches a header or a URL.
  const AjustesCorreo g = ParseaAjustesCorreo(
      "Puerto=99999\r\nSeguridad=7\nServidor=a\x01"
      "b\r\n");
  EXPECT_EQ(g.puerto, 587);
  EXPECT_EQ(g.seguridad, SeguridadCorreo::StartTls);
  EXPECT_EQ(g.servidor, "ab");

  AjustesCorreo m = a;
  m.seguridad = SeguridadCorreo::Ninguna;
  EXPECT_NE(FalloAjustesCorreo(m), "");
  m.servidor = "127.0.0.1";
  EXPECT_EQ(FalloAjustesCorreo(m), "");
  EXPECT_EQ(ConexionDeAjustes(m, {}).url, "smtp://127.0.0.1:465");
  EXPECT_EQ(ConexionDeAjustes(m, {}).tls, NivelTls::Ninguno);
  m.servidor = "::1";
  EXPECT_EQ(ConexionDeAjustes(m, {}).url, "smtp://[::1]:465");
  for (auto cambio : std::vector<std::function<void(AjustesCorreo&)>>{
           [](AjustesCorreo& x) { x.servidor = ""; },
           [](AjustesCorreo& x) { x.servidor = "smtp.example.com/x"; },
           [](AjustesCorreo& x) { x.puerto = 0; },
           [](AjustesCorreo& x) { x.remitente = "sin arroba"; },
           [](AjustesCorreo& x) { x.remitente = "a@b.es\r\nBcc: c@d.es"; },
       }) {
    AjustesCorreo x = a;
    cambio(x);
    EXPECT_NE(FalloAjustesCorreo(x), "");
  }
  EXPECT_EQ(PuertoHabitual(SeguridadCorreo::StartTls), 587);
  EXPECT_EQ(PuertoHabitual(SeguridadCorreo::Ninguna), 25);
}

}  // namespace
}  // namespace zendo

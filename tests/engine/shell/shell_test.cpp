#include <gtest/gtest.h>

#include <vector>

#include "apoyo/apoyo.h"
#include "engine/core/datos_generales.h"
#include "engine/core/texto.h"
#include "engine/shell/ajustes.h"
#include "engine/shell/carpeta_datos.h"
#include "engine/shell/dialogo.h"
#include "engine/shell/servicios.h"
#include "engine/shell/textos.h"

namespace zendo {
namespace {

using prueba::CarpetaTemporal;
namespace fs = std::filesystem;

TEST(Textos, RotulosYMensajeDeResolucion) {
  EXPECT_EQ("Jornada" + TextoStr(5), "Jornada 5");
  EXPECT_EQ("Orden " + TextoStr(12), "Orden  12");
  EXPECT_EQ(TextoStr(0), " 0");
  EXPECT_EQ(TextoStr(-3), "-3");
  const std::string t = Cp1252AUtf8(TextoResolucion(640, 480));
  EXPECT_NE(t.find("es  de  (640x480).   Debería  modificar"), std::string::npos) << t;
  EXPECT_EQ(t.rfind("Este programa se ha diseñado  para  funcionar con  una  resolución", 0), 0u);
  // Width and height right-aligned in three characters.
  EXPECT_NE(Cp1252AUtf8(TextoResolucion(80, 60)).find("( 80x 60)"), std::string::npos);
  EXPECT_FALSE(PantallaSuficiente(799));
  EXPECT_TRUE(PantallaSuficiente(800));
  EXPECT_TRUE(PantallaSuficiente(1024));
}

TEST(Textos, Bienvenida) {
  EXPECT_EQ(TituloBienvenida(), "Zendo 3.4");
  EXPECT_EQ(Cp1252AUtf8(TextoBienvenida()),
            "Si desea consultar una descripción general de este  programa  para  conocer  "
            "rápidamente su funcionamiento, pulse el botón de Ayuda.");
  EXPECT_EQ(Cp1252AUtf8(TextoMenu(2)), "REDUCCIÓN DE APUESTAS");
  EXPECT_EQ(TextoMenu(8), "");
  EXPECT_EQ(Cp1252AUtf8(TextoSalida(6)), "Enviar por correo electrónico");
}

TEST(Textos, AnchosDeLosBotones) {
  // Pic_Boton7 is a member of the array; the last two have no drawn button.
  const std::pair<const char*, int> casos[] = {{"Pic_Boton", 215},     {"Pic_Boton7", 215},
                                               {"Pic_BotSal3", 240},   {"Pic_BotTotJor", 160},
                                               {"Pic_BotJorIni", 135}, {"Pic_BotGuardar", 140},
                                               {"Pic_BotAñadir", 134}, {"Pic_BotAbrirMarcar", 202},
                                               {"Pic_BotNoExiste", 0}, {"Pic_BotAyuda", 0}};
  for (const auto& [nombre, ancho] : casos) EXPECT_EQ(AnchoBoton(nombre), ancho) << nombre;
}

TEST(Dialogo, AlturasYTeclas) {
  EXPECT_EQ(AltoDialogo(3), 176);
  EXPECT_EQ(AltoTextoDialogo(3), 51);
  EXPECT_EQ(AltoDialogo(7), 240);
  EXPECT_EQ(AccionDeTecla(kBotonesSalir, false), AccionTecla::Salir);
  EXPECT_EQ(AccionDeTecla(kBotonesSalir, true), AccionTecla::Salir);
  EXPECT_EQ(AccionDeTecla(kBotonesAceptarCancelar, false), AccionTecla::Aceptar);
  EXPECT_EQ(AccionDeTecla(kBotonesAceptarCancelar, true), AccionTecla::Cancelar);
  EXPECT_EQ(AccionDeTecla(3, false), AccionTecla::Ninguna);
}

TEST(Ajustes, TotalesPrecioYCodigosTecleados) {
  const std::pair<const char*, int> totales[] = {{"0", 60}, {"75", 60}, {"", 60}, {"38", 38},
                                                 {"1", 1},  {"60", 60}, {"07", 7}};
  for (const auto& [texto, total] : totales) EXPECT_EQ(TotalDesdeTexto(texto), total) << texto;
  const std::pair<const char*, const char*> precios[] = {
      {"1.5", "1.5 "},   {".5", "0.5 "},   {".75", "0.75"}, {"0.75", "0.75"}, {"2", "2   "},
      {"12.34", "12.3"}, {"1.50", "1.5 "}, {"", "0   "},    {"1..5", "1   "}};
  for (const auto& [texto, precio] : precios) EXPECT_EQ(PrecioDesdeTexto(texto), precio) << texto;
  EXPECT_EQ(CodigoConCeros("7", 2), "07");
  EXPECT_EQ(CodigoConCeros("123", 5), "00123");
  EXPECT_EQ(CodigoConCeros("", 2), "00");
  EXPECT_EQ(CodigoConCeros("12", 2), "12");
}

TEST(Ajustes, PrecioMayorQueCeroHastaCien) {
  for (const char* t : {"0.01", "0.5", "1.5", "100", "100."}) {
    EXPECT_TRUE(PrecioAdmisible(PrecioDesdeTexto(t))) << t;
  }
  for (const char* t : {"0", ".", "", "0.00", "101", "9999"}) {
    EXPECT_FALSE(PrecioAdmisible(PrecioDesdeTexto(t))) << t;
  }
  const Mensaje m = MensajePrecioRechazado();
  EXPECT_EQ(Cp1252AUtf8(m.texto),
            "El precio de la apuesta tiene que ser mayor que 0 y no pasar de 100 €. Se mantiene "
            "el precio anterior.");
  EXPECT_EQ(m.botones, kBotonesSalir);
  EXPECT_EQ(m.contexto, 2800);
}

TEST(Ajustes, ActualBajaALosTotales) {
  DatosGenerales d;
  d.Jornada = 40;
  d.Orden = 12;
  d.TotalJornadas = 38;
  d.TotalOrdenes = 10;
  AjustaActualATotales(d);
  EXPECT_EQ(d.Jornada, 38);
  EXPECT_EQ(d.Orden, 10);
  d.TotalJornadas = 55;
  AjustaActualATotales(d);
  EXPECT_EQ(d.Jornada, 38);
}

TEST(Ajustes, CopiaSoloLosSeisAjustes) {
  DatosGenerales guardados;
  DatosGenerales actuales;
  actuales.Jornada = 9;
  actuales.Orden = 4;
  actuales.TotalJornadas = 20;
  actuales.PrecioApuesta = "1.5 ";
  actuales.Precio = 1.5f;
  actuales.Sonido = "No";
  actuales.CodigoReceptor = "00123";
  CopiaAjustes(guardados, actuales);
  // The saved settings come back; the current jornada and orden stay.
  DatosGenerales esperados;
  esperados.Jornada = 9;
  esperados.Orden = 4;
  EXPECT_EQ(actuales, esperados);
}

class SonidoGrabado : public ReproductorSonido {
 public:
  void Toca(int id, bool) override { tocados.push_back(id); }
  std::vector<int> tocados;
};

TEST(Sonido, SoloConSonidoActivado) {
  DatosGenerales d;
  SonidoGrabado r;
  TocaSonido(d, r, kSonidoAccion);
  d.Sonido = "No";
  TocaSonido(d, r, kSonidoSalir);
  d.Sonido = "si";
  TocaSonido(d, r, kSonidoSalir);
  EXPECT_EQ(r.tocados, std::vector<int>{kSonidoAccion});
}

TEST(CarpetaDatos, JuntoAlProgramaOEnLaDelUsuario) {
  CarpetaTemporal dir;
  const CarpetaDatos junto = EligeCarpetaDatos(dir / "programa", dir / "usuario");
  EXPECT_EQ(junto.ruta, dir / "programa" / "Datos");
  EXPECT_FALSE(junto.alternativa);
  EXPECT_TRUE(fs::is_directory(junto.ruta));
  EXPECT_TRUE(fs::is_empty(junto.ruta));  // the probe file is gone

  // A program folder that cannot hold a folder (it is a file): the user's folder.
  prueba::EscribeBytes(dir / "fichero", "x");
  const CarpetaDatos otra = EligeCarpetaDatos(dir / "fichero", dir / "usuario");
  EXPECT_EQ(otra.ruta, dir / "usuario" / "Datos");
  EXPECT_TRUE(otra.alternativa);

  const CarpetaDatos ninguna = EligeCarpetaDatos(dir / "fichero", dir / "fichero" / "u");
  EXPECT_TRUE(ninguna.ruta.empty());
}

}  // namespace
}  // namespace zendo

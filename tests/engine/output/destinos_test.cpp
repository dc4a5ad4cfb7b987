// The destination list of a copy with a faked mounted medium, when a destination can take a
// file, and the names a medium refuses.

#include "engine/output/destinos.h"

#include <gtest/gtest.h>

#include "apoyo/apoyo.h"
#include "engine/output/nombre_archivo.h"

namespace zendo {
namespace {

namespace fs = std::filesystem;
using prueba::CarpetaTemporal;

Volumen Vol(const fs::path& raiz, const char* etiqueta, const char* tipo = "vfat") {
  return {raiz, etiqueta, "/dev/sdb1", tipo, false, true, EsCarpetaDeSoportes(raiz)};
}

TEST(Destinos, LaListaMuestraLosSoportesPorSuEtiquetaYLasCarpetas) {
  const std::vector<Volumen> montados = {
      Vol("/", "", "ext4"),
      Vol("/media/ana/KINGSTON", "KINGSTON"),
      Vol("/run/media/ana/3A1F-0C22", ""),
      Vol("/mnt/copias", "COPIAS", "ext4"),
      Vol("/media/ana/USB", "DATOS"),
      Vol("/media/luis/USB", "DATOS"),
      Vol("/home", "", "ext4"),
      Vol("/media", "", "ext4"),
  };
  const auto lista = ListaDestinos(montados, "/opt/zendo/Datos", "/home/ana");
  std::vector<std::string> nombres;
  for (const auto& d : lista) nombres.push_back(d.nombre);
  EXPECT_EQ(nombres,
            (std::vector<std::string>{"KINGSTON", "3A1F-0C22", "COPIAS", "DATOS (/media/ana/USB)",
                                      "DATOS (/media/luis/USB)", "Carpeta de datos",
                                      "Carpeta personal", "Otra carpeta\u2026"}));
  EXPECT_EQ(lista[0].carpeta, "/media/ana/KINGSTON");
  EXPECT_EQ(lista[0].tipo, TipoDestino::Soporte);
  EXPECT_EQ(lista[5], DestinoPorDefecto("/opt/zendo/Datos"));
  EXPECT_EQ(lista[6].carpeta, "/home/ana");
  EXPECT_EQ(lista.back().tipo, TipoDestino::OtraCarpeta);
  // Without media: the folders only.
  EXPECT_EQ(ListaDestinos({Vol("/", "", "ext4")}, "/d", "/h").size(), 3u);

  EXPECT_EQ(SistemaDeRuta(montados, "/media/ana/KINGSTON/copias/AD243"), "vfat");
  EXPECT_EQ(SistemaDeRuta(montados, "/media/ana/KINGSTONX"), "ext4");  // under /media only
  EXPECT_EQ(SistemaDeRuta({}, "/x"), "");
  EXPECT_TRUE(EnSoporteExterno("/media/ana/KINGSTON/AD243"));
  EXPECT_FALSE(EnSoporteExterno("/home/ana/AD243"));
}

TEST(Destinos, UnSoporteQueYaNoEstaONoSePuedeEscribirNoEstaPreparado) {
  CarpetaTemporal d;
  fs::create_directory(d / "usb");
  const Destino usb{TipoDestino::Soporte, "KINGSTON", d / "usb"};
  Volumen v = Vol(d / "usb", "KINGSTON");
  EXPECT_TRUE(DestinoPreparado(usb, {v}));
  EXPECT_FALSE(DestinoPreparado(usb, {}));  // pulled out
  v.soloLectura = true;
  EXPECT_FALSE(DestinoPreparado(usb, {v}));
  v.soloLectura = false;
  v.preparado = false;
  EXPECT_FALSE(DestinoPreparado(usb, {v}));

  EXPECT_TRUE(DestinoPreparado(DestinoCarpeta(d.ruta()), {}));
  EXPECT_FALSE(DestinoPreparado(DestinoCarpeta(d / "no"), {}));
  {
    prueba::SoloLectura protegida(d / "usb");
    if (protegida.activa()) {
      EXPECT_FALSE(DestinoPreparado(DestinoCarpeta(d / "usb"), {}));
    }
  }

  const Mensaje m = MensajeDiscoNoPreparado(usb);
  EXPECT_EQ(m.titulo, "No se encuentra el disco");
  EXPECT_EQ(m.texto,
            "No ha colocado ning\xfan disco en la unidad KINGSTON. Introduzca un disco y pulse el "
            "bot\xf3n Aceptar para comenzar a copiar.  Si  desea suspender el proceso de Copia  a "
            " disco pulse el bot\xf3n Cancelar.");
  EXPECT_EQ(m.botones, kBotonesAceptarCancelar);
  EXPECT_EQ(m.contexto, 2450);
}

TEST(NombreArchivo, SeRechazaLoQueNoEsUnNombreOElSoporteNoAdmite) {
  auto rechazado = [](std::string_view nombre, std::string_view sistema = "ext4",
                      bool datos = false) {
    return CompruebaNombreArchivo(nombre, sistema, datos).has_value();
  };
  for (const char* bueno :
       {"AD243", "Col0702.txt", "copia de la jornada 7", "a..b", "se\xf1ores.txt"}) {
    EXPECT_FALSE(rechazado(bueno)) << bueno;
    EXPECT_FALSE(rechazado(bueno, "vfat")) << bueno;
  }
  for (const char* malo :
       {"", ".", "..", "../AD243", "usb/AD243", "C:\\AD243", "a\tb", "a\x7f", "a\x81"}) {
    EXPECT_TRUE(rechazado(malo)) << malo;
  }
  EXPECT_TRUE(rechazado(std::string(256, 'a')));
  EXPECT_FALSE(rechazado(std::string(255, 'a')));
  EXPECT_TRUE(rechazado(std::string(128, '\xf1')));  // 256 bytes on the disk
  // FAT, exFAT and NTFS refuse more.
  for (const char* malo : {"a:b", "a?", "a*", "a<b>", "a|b", "\"a\"", "AD243.", "AD243 "}) {
    EXPECT_FALSE(rechazado(malo, "ext4")) << malo;
    EXPECT_TRUE(rechazado(malo, "vfat")) << malo;
    EXPECT_TRUE(rechazado(malo, "exfat")) << malo;
    EXPECT_TRUE(rechazado(malo, "fuseblk")) << malo;
  }
  // The program's own files, in the data folder only.
  for (const char* datos : {"RED0702.TVX", "bases.tvx", "Q44F0702.TVF", "~zendo-x"}) {
    EXPECT_TRUE(rechazado(datos, "ext4", true)) << datos;
    EXPECT_FALSE(rechazado(datos, "ext4", false)) << datos;
  }
  const auto m = CompruebaNombreArchivo("usb/AD243", "ext4", false);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->contexto, 2450);
  EXPECT_NE(m->texto.find("/"), std::string::npos);
}

}  // namespace
}  // namespace zendo

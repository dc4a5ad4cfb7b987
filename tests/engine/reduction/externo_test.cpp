#include "engine/reduction/externo.h"

#include <gtest/gtest.h>

#include <atomic>

#include "apoyo/apoyo.h"
#include "engine/core/texto.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/generacion_externo.h"
#include "engine/reduction/panel.h"

namespace zendo {
namespace {

const std::string kInicio =
    Cp("Se ha  encontrado  el  archivo  Q44F0702.TVF correspondiente a "
       "esta Jornada y Orden, pero ");

Reduccion Manual(int16_t incluye = 1) {
  Reduccion r = ReduccionNueva(7, 2, kMetodoManual);
  r.IncluyeExterno = incluye;
  return r;
}

CargaExterno Carga(const prueba::CarpetaTemporal& d, std::string_view bytes, Reduccion& r) {
  prueba::EscribeBytes(d / "Q44F0702.TVF", bytes);
  return CargaArchivoExterno(d.ruta(), r);
}

TEST(Externo, UnArchivoValidoCuentaColumnasYVariantes) {
  prueba::CarpetaTemporal d;
  Reduccion r = Manual();
  // Quoted as the program writes, bare with a comma after, and a lower-case x.
  const CargaExterno c = Carga(d,
                               "\"111111111111112\"\r\n"
                               "1X1111111111111,comentario\r\n"
                               "x2xxxxxxxxxxxxX\r\n",
                               r);
  EXPECT_FALSE(c.mensaje);
  EXPECT_EQ(c.fallo, FalloExterno::Ninguno);
  EXPECT_TRUE(c.externo.ExternoValido);
  EXPECT_EQ(c.externo.ArchivoExterno, "Q44F0702.TVF");
  EXPECT_EQ(c.externo.ColumnasExternas, 3);
  EXPECT_EQ(c.externo.Externas[0], 1);  // match 15 is not a variant
  EXPECT_EQ(c.externo.Externas[1], 1);
  EXPECT_EQ(c.externo.Externas[14], 1);
  EXPECT_EQ(r.IncluyeExterno, 1);
  EXPECT_EQ(ColumnaExterna("x2xxxxxxxxxxxxX"), "X2XXXXXXXXXXXXX");
  EXPECT_EQ(ColumnaExterna("\"1111111111111\""), std::nullopt);
}

TEST(Externo, LasTresClasesDeFallo) {
  struct Caso {
    std::string bytes;
    FalloExterno fallo;
    std::string texto;
    int lineas;
  };
  const Caso casos[] = {
      {"111111111111111\r\n1111111111111X2\r\n11111111111112\r\n", FalloExterno::Longitud,
       kInicio + Cp("se ha detectado  un  error de longitud en la columna no. 3 (cada columna "
                    "debe tener un tamaño de  15  dígitos),  por tanto no podrá incorporarse a "
                    "esta reducción."),
       6},
      {"311111111111111\r\n", FalloExterno::Signo,
       kInicio + Cp("tiene un error en la columna nro. 1, por tanto no podrá incorporarse a esta "
                    "reducción."),
       4},
      {"", FalloExterno::Vacio,
       kInicio + Cp("no contiene ninguna columna,  por  tanto  no podrá incorporarse a esta "
                    "reducción."),
       4},
  };
  for (const Caso& k : casos) {
    prueba::CarpetaTemporal d;
    Reduccion r = Manual();
    const CargaExterno c = Carga(d, k.bytes, r);
    EXPECT_EQ(c.fallo, k.fallo);
    ASSERT_TRUE(c.mensaje);
    EXPECT_EQ(c.mensaje->titulo, "Error en Archivo Externo");
    EXPECT_EQ(c.mensaje->texto, k.texto);
    EXPECT_EQ(c.mensaje->lineas, k.lineas);
    EXPECT_EQ(c.mensaje->contexto, 2251);
    EXPECT_FALSE(c.externo.ExternoValido);
    EXPECT_EQ(c.externo.ColumnasExternas, 0);
    EXPECT_EQ(c.externo.Externas, (std::array<int32_t, 15>{}));
    EXPECT_EQ(r.IncluyeExterno, 0);  // the check box is off
  }
}

// The reduction screen checks the bytes it holds, the load and the generation read the file:
// all three give one verdict, a last line cut after its CR included.
TEST(Externo, LaMemoriaElFicheroYLaGeneracionCoinciden) {
  const std::atomic<bool> nunca{false};
  for (const std::string bytes : {"1X21X21X21X21X2\r", "111111111111111\r\n1X21X21X21X21X2\r",
                                  "1X21X21X21X21X2\r\r", "\r", "111111111111111\n\r"}) {
    prueba::CarpetaTemporal d;
    Reduccion r = Manual();
    const CargaExterno fichero = Carga(d, bytes, r);
    const CargaExterno memoria = CompruebaExterno(bytes, "Q44F0702.TVF");
    EXPECT_EQ(memoria.externo, fichero.externo) << testing::PrintToString(bytes);
    EXPECT_EQ(memoria.fallo, fichero.fallo) << testing::PrintToString(bytes);
    LectorExterno lector(d / "Q44F0702.TVF");
    EXPECT_EQ(lector.Valida(nunca), memoria.externo.ExternoValido) << testing::PrintToString(bytes);
  }
}

TEST(Externo, SinArchivoOConOtroMetodo) {
  prueba::CarpetaTemporal d;
  Reduccion r = Manual();
  CargaExterno c = CargaArchivoExterno(d.ruta(), r);
  EXPECT_FALSE(c.mensaje);
  EXPECT_FALSE(c.externo.ExternoValido);
  EXPECT_EQ(r.IncluyeExterno, 0);
  EXPECT_EQ(LineasPanelExterno(c.externo),
            (std::array<std::string, 3>{Cp("No se ha encontrado ningún archivo"),
                                        Cp("externo (Q44F0702.TVF) para añadir"),
                                        "columnas a las de la Quiniela Base."}));
  // Any other method looks for nothing, even a faulty file.
  Reduccion o = Manual();
  o.Metodo = kMetodoColumnaProbable;
  c = Carga(d, "3\r\n", o);
  EXPECT_FALSE(c.mensaje);
  EXPECT_FALSE(c.externo.ExternoValido);
  EXPECT_EQ(o.IncluyeExterno, 1);
}

TEST(Externo, DiezColumnasEnElPanelYEnLasCifras) {
  prueba::CarpetaTemporal d;
  std::string bytes;
  for (int i = 0; i < 10; ++i) bytes += "\"1111111111111X1\"\r\n";
  Reduccion r = Manual();
  const CargaExterno c = Carga(d, bytes, r);
  EXPECT_EQ(LineasPanelExterno(c.externo)[0], "Se ha encontrado el archivo externo");
  EXPECT_EQ(LineasPanelExterno(c.externo)[1], "Q44F0702.TVF conteniendo un total");
  EXPECT_EQ(LineasPanelExterno(c.externo)[2], "de 10 apuestas.");

  Cifras cifras = RecalculaReduccion(r, c.externo);
  EXPECT_EQ(cifras.ApuestasExternas, 10);
  EXPECT_EQ(cifras.Aceptadas[1], 10);
  auto panel = PanelCifras(cifras, 0.5f);
  EXPECT_EQ(panel[4].etiqueta, "Apuestas externas");
  EXPECT_EQ(panel[4].valor, "10");
  EXPECT_EQ(panel[5].etiqueta, "Apuestas totales");
  EXPECT_EQ(panel[5].valor, "11");
  // Unticked, they stay in the chart but not in the counts.
  r.IncluyeExterno = 0;
  cifras = RecalculaReduccion(r, c.externo);
  EXPECT_EQ(cifras.ApuestasExternas, 0);
  EXPECT_EQ(cifras.Aceptadas[1], 10);
  EXPECT_EQ(PanelCifras(cifras, 0.5f)[5].valor, "1");
}

}  // namespace
}  // namespace zendo

#include "engine/reduction/comprobaciones.h"

#include <gtest/gtest.h>

#include "engine/core/texto.h"

namespace zendo {
namespace {

// Two doubles a reducir in matches 1 and 2, with probable signs.
Reduccion Valida(int metodo) {
  Reduccion r = ReduccionNueva(3, 4, static_cast<int16_t>(metodo));
  for (int m = 1; m <= 2; ++m) {
    r.Partido[m] = {{0, 1, 1, 0}, 2, true, 1};
    r.Probabilidad[m] = {0, 60, 40, 0};
  }
  for (auto& fila : r.TotalSignos) fila.fill(1);
  r.MinErrores = 0;
  r.MaxErrores = 2;
  r.MinPorcentaje = 0;
  r.MaxPorcentaje = 100;
  return r;
}

Comprobacion Comprueba(Reduccion r, bool yaExiste = false) {
  const Cifras c = RecalculaReduccion(r);
  return ComprobarReduccion(r, c, yaExiste);
}

TEST(Comprobaciones, UnaDefinicionValidaPasaOPregunta) {
  for (int metodo = 1; metodo <= 5; ++metodo) {
    EXPECT_TRUE(Comprueba(Valida(metodo)).Superada()) << metodo;
    const Comprobacion c = Comprueba(Valida(metodo), true);
    ASSERT_TRUE(c.mensaje) << metodo;
    EXPECT_TRUE(c.pregunta);
    EXPECT_EQ(c.numero, 6);
    EXPECT_EQ(c.mensaje->botones, kBotonesAceptarCancelar);
    EXPECT_EQ(*c.mensaje, MensajeReduccionExiste());
  }
  const Mensaje m = MensajeReduccionExiste();
  EXPECT_EQ(m.titulo, Cp("Reducción ya existe"));
  EXPECT_EQ(m.lineas, 7);
  EXPECT_EQ(m.contexto, 2211);
  EXPECT_NE(m.texto.find(Cp("pulse  el botón  Cancelar,  cambie")), std::string::npos);
}

TEST(Comprobaciones, TotalesDeSignosVacios) {
  Reduccion r = Valida(kMetodoSeleccionSignos);
  r.TotalSignos[2].fill(0);
  const Comprobacion c = Comprueba(r, true);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.numero, 1);
  EXPECT_EQ(*c.mensaje,
            (Mensaje{"Error en totales de cada signo",
                     Cp("Tiene que marcar como mínimo un valor en cada una de las tres columnas "
                        "que indican el total de signos  1 , X  y  2  que  deben  tener las "
                        "apuestas reducidas."),
                     4, kBotonesSalir, 2231}));
  // Other methods do not look at the totals.
  r.Metodo = kMetodoDirecto;
  EXPECT_TRUE(Comprueba(r).Superada());
}

TEST(Comprobaciones, ColumnaProbableSingularPluralYLimites) {
  const std::string fin =
      Cp(" que no ha seleccionado ningún signo en la  Columna probable.  Debe seleccionar en la "
         "Columna probable un signo de cada partido a reducir antes de efectuar la reducción.");
  Reduccion r = Valida(kMetodoColumnaProbable);
  r.MinErrores = 3;
  r.MaxErrores = 2;
  r.Partido[1].Probable = 0;
  Comprobacion c = Comprueba(r);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(*c.mensaje, (Mensaje{"Error en la Columna probable",
                                 Cp("Hay un partido múltiple  para reducir de la Quiniela  Base  "
                                    "del ") +
                                     fin,
                                 6, kBotonesSalir, 2221}));
  r.Partido[2].Probable = 0;
  c = Comprueba(r);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.mensaje->texto,
            Cp("Hay 2 partidos  múltiples  a  reducir de la Quiniela Base de los") + fin);
  // The bounds are looked at only once every match a reducir has its probable sign.
  r.Partido[1].Probable = 1;
  r.Partido[2].Probable = 2;
  c = Comprueba(r);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.numero, 2);
  EXPECT_EQ(c.mensaje->titulo, "No concuerdan los errores permitidos");
  EXPECT_EQ(c.mensaje->lineas, 5);
  EXPECT_EQ(c.mensaje->contexto, 2222);
}

TEST(Comprobaciones, BaseIncompleta) {
  Reduccion r = Valida(kMetodoDirecto);
  r.Partido[9] = {};
  Comprobacion c = Comprueba(r, true);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.numero, 3);
  EXPECT_EQ(c.mensaje->titulo, "Error en la Quiniela Base");
  EXPECT_EQ(c.mensaje->contexto, 2215);
  EXPECT_FALSE(c.aviso);

  // The manual method with its external columns goes on with them alone.
  r.Metodo = kMetodoManual;
  r.IncluyeExterno = 1;
  c = Comprueba(r);
  EXPECT_TRUE(c.Superada());
  ASSERT_TRUE(c.aviso);
  EXPECT_TRUE(c.baseIncompleta);
  EXPECT_EQ(c.aviso->titulo, "Quiniela Base incompleta");
  EXPECT_EQ(c.aviso->texto,
            Cp("Hay algún partido de la Quiniela Base que no tiene marcado ningún signo. Por "
               "tanto,  sólo se incorporarán a la reducción las  columnas del archivo externo."));
  EXPECT_EQ(c.aviso->contexto, 2251);
  // Without them it is an error.
  r.IncluyeExterno = 0;
  c = Comprueba(r);
  EXPECT_EQ(c.numero, 3);
  EXPECT_FALSE(c.aviso);
}

TEST(Comprobaciones, SinMultiplesASinApuestas) {
  Reduccion r = Valida(kMetodoColumnaProbable);
  r.Partido[1].AReducir = r.Partido[2].AReducir = false;
  r.Partido[1].Probable = r.Partido[2].Probable = 0;
  Comprobacion c = Comprueba(r);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.numero, 4);
  EXPECT_EQ(c.mensaje->titulo, Cp("No hay múltiples a reducir"));
  EXPECT_EQ(c.mensaje->lineas, 3);

  Reduccion b = ReduccionNueva(1, 1, kMetodoBalanceSignos);  // every percentage 100
  c = Comprueba(b);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.mensaje->titulo, "No hay partidos a reducir");
  EXPECT_EQ(c.mensaje->lineas, 4);
  EXPECT_EQ(c.mensaje->contexto, 2216);

  Reduccion m = ReduccionNueva(1, 1, kMetodoManual);  // nothing to reduce is fine here
  EXPECT_TRUE(Comprueba(m).Superada());

  r = Valida(kMetodoColumnaProbable);
  r.MinErrores = r.MaxErrores = 2;
  r.Partido[2] = {{0, 1, 0, 0}, 1, true, 1};  // one sign left: nobody can miss twice
  c = Comprueba(r);
  ASSERT_TRUE(c.mensaje);
  EXPECT_EQ(c.numero, 5);
  EXPECT_EQ(c.mensaje->titulo, "No hay apuestas reducidas");
  EXPECT_EQ(c.mensaje->lineas, 6);
  EXPECT_NE(c.mensaje->texto.find("que  la  totalidad  de  las apuestas"), std::string::npos);
}

}  // namespace
}  // namespace zendo

#include "engine/reduction/panel.h"

#include <gtest/gtest.h>

#include "engine/core/texto.h"

namespace zendo {
namespace {

std::vector<LineaPanel> Lineas(std::initializer_list<std::pair<const char*, const char*>> l) {
  std::vector<LineaPanel> v;
  for (const auto& [e, valor] : l) v.push_back({Cp(e), Cp(valor)});
  return v;
}

Reduccion CuatroTriples(int metodo) {
  Reduccion r = ReduccionNueva(1, 1, static_cast<int16_t>(metodo));
  for (int m = 1; m <= 4; ++m) r.Partido[m] = {{0, 1, 1, 1}, 3, true, 1};
  return r;
}

TEST(PanelCifras, DirectoConCuatroTriples) {
  Reduccion r = CuatroTriples(kMetodoDirecto);
  r.Partido[9] = {{0, 0, 1, 1}, 2, false, 0};
  const Cifras c = RecalculaReduccion(r);
  EXPECT_EQ(PanelCifras(c, 0.5f), Lineas({{"Partidos a doble", "1"},
                                          {"Partidos a triple", "4"},
                                          {"Total múltiples", "5"},
                                          {"Apuestas directas", "162"},
                                          {"Dobles a reducir", "0"},
                                          {"Triples a reducir", "4"},
                                          {"Múltiples a reducir", "4"},
                                          {"Apuestas aceptadas", "18"},
                                          {"Apuestas excluidas", "144"},
                                          {"Importe total", "81,00 €"},
                                          {"Importe reducidas", "9,00 €"},
                                          {"Factor de reducción", "9,00"},
                                          {"Probab. 14 aciertos", "11,11 %"},
                                          {"Probab. 13 aciertos", "88,89 %"}}));
}

TEST(PanelCifras, BalanceYManual) {
  Reduccion r = ReduccionNueva(1, 1, kMetodoBalanceSignos);
  for (int m = 1; m <= 14; ++m) r.Probabilidad[m] = {0, 50, 30, 20};
  r.MinPorcentaje = 30;
  r.MaxPorcentaje = 50;
  Cifras c = RecalculaReduccion(r);
  auto p = PanelCifras(c, 0.75f);
  ASSERT_EQ(p.size(), 11u);
  EXPECT_EQ(p[3].valor, "4.782.969");
  EXPECT_EQ(p[4].etiqueta, Cp("Límites porcentaje"));
  EXPECT_EQ(p[4].valor, "20,00  al  50,00");
  EXPECT_EQ(p[5].etiqueta, "Apuestas aceptadas");
  EXPECT_EQ(p[7].valor, Cp("3.587.226,75 €"));
  EXPECT_EQ(p[10].etiqueta, "Posibilid. cubiertas");

  Reduccion m = ReduccionNueva(1, 1, kMetodoManual);
  m.Partido[1] = {{0, 1, 1, 0}, 2, false, 0};
  c = RecalculaReduccion(m);
  EXPECT_EQ(PanelCifras(c, 0.5f), Lineas({{"Partidos a doble", "1"},
                                          {"Partidos a triple", "0"},
                                          {"Total múltiples", "1"},
                                          {"Apuestas directas", "2"},
                                          {"Apuestas externas", "0"},
                                          {"Apuestas totales", "2"},
                                          {"Importe total", "1,00 €"}}));
}

TEST(PanelCifras, SinApuestasElFactorEsCero) {
  Reduccion r = CuatroTriples(kMetodoColumnaProbable);
  r.MinErrores = 5;
  r.MaxErrores = 5;
  Cifras c = RecalculaReduccion(r);
  auto p = PanelCifras(c, 0.5f);
  EXPECT_EQ(p[11].etiqueta, Cp("Factor de reducción"));
  EXPECT_EQ(p[11].valor, "0,00");
  EXPECT_EQ(p[12].valor, "0,00 %");
  // A base without columns shows 0 % rather than failing.
  r.Partido[10] = {};
  c = RecalculaReduccion(r);
  EXPECT_EQ(PanelCifras(c, 0.5f)[12].valor, "0,00 %");
}

TEST(PanelGuardada, CadaMetodoSusLineas) {
  Reduccion r = CuatroTriples(kMetodoDirecto);
  r.ApuestasBase = 1594323;
  r.NumApuestas = 177147;
  EXPECT_EQ(PanelReduccionGuardada(r, 0.5f, 22144),
            Lineas({{"Apuestas reducidas", "1.594.323 a 177.147"},
                    {"Factor de  reducción", "9,00"},
                    {"Importe reducidas", "88.573,50 €"},
                    {"Total boletos", "22.144"},
                    {"Probabilidad 14 aciertos", "11,11 %"},
                    {"Probabilidad 13 aciertos", "88,89 %"}}));
  r.Metodo = kMetodoColumnaProbable;
  r.MinErrores = 1;
  r.MaxErrores = 3;
  auto p = PanelReduccionGuardada(r, 0.5f, 1);
  EXPECT_EQ(p[2].etiqueta, "Errores permitidos");
  EXPECT_EQ(p[2].valor, "De 1 a 3");
  EXPECT_EQ(p[5].etiqueta, "Posibilidades cubiertas");
  r.Metodo = kMetodoBalanceSignos;
  r.MinPorcentaje = 20.5f;
  r.MaxPorcentaje = 48;
  p = PanelReduccionGuardada(r, 0.5f, 1);
  EXPECT_EQ(p[2].etiqueta, "Porcentajes cubiertos");
  EXPECT_EQ(p[2].valor, "20,50  al  48,00%");
  r.Metodo = kMetodoManual;
  r.NumApuestas = 12;
  EXPECT_EQ(PanelReduccionGuardada(r, 0.5f, 2),
            Lineas({{"Apuestas", "12"}, {"Importe", "6,00 €"}, {"Total boletos", "2"}}));
}

TEST(AyudaGrafico, TextosDeCadaClase) {
  const std::string prob = " entre el 37,00% y el 37,99% de probabilidades";
  struct Caso {
    int metodo, clase, base, segunda;
    std::string texto;
  };
  // The three parts of a balance text hold for an empty class too.
  const Caso casos[] = {
      {4, 37, 0, 0, "No hay ninguna columna" + prob + " de las que hay 0 aceptada"},
      {4, 37, 1, 0, "Hay 1 columna" + prob + Cp(" y no está aceptada")},
      {4, 37, 1, 1, "Hay 1 columna" + prob + Cp(" y está aceptada")},
      {4, 37, 1500, 0, "Hay 1500 columnas" + prob + " de las que no hay ninguna aceptada"},
      {4, 37, 7, 7, "Hay 7 columnas" + prob + Cp(" y todas están aceptadas")},
      {4, 37, 7, 1, "Hay 7 columnas" + prob + " de las que hay 1 aceptada"},
      {4, 37, 7, 3, "Hay 7 columnas" + prob + " de las que hay 3 aceptadas"},
      {4, 100, 1, 1, Cp("Hay 1 columna con el 100,00% de probabilidades y está aceptada")},
      {3, 1, 0, 0, "No hay ninguna columna con 1 variante"},
      {3, 0, 0, 0, "No hay ninguna columna con 0 variantes"},
      {1, 2, 5, 2, "Hay 5 columnas con 2 variantes de las que hay 2 aceptadas"},
      {2, 1, 1, 1, Cp("Hay 1 columna con 1 error y está aceptada")},
      {2, 3, 0, 0, "No hay ninguna columna con 3 errores"},
      {5, 4, 10, 2, "Hay 12 (10 + 2) columnas con 4 variantes"},
      {5, 1, 0, 1, "Hay 1 (0 + 1) columna con 1 variante"},
      {5, 1, 0, 0, "No hay ninguna columna con 1 variante"},
  };
  for (const Caso& k : casos) {
    Cifras c;
    c.Metodo = static_cast<int16_t>(k.metodo);
    c.QBase[k.clase] = k.base;
    c.Aceptadas[k.clase] = k.segunda;
    EXPECT_EQ(TextoAyudaGrafico(c, k.clase), k.texto);
  }
}

TEST(AyudaGrafico, ClaseBajoElPuntero) {
  Cifras c;
  c.Metodo = kMetodoBalanceSignos;
  EXPECT_EQ(ClaseGrafico(c, 0, 505), 0);
  EXPECT_EQ(ClaseGrafico(c, 504.9, 505), 100);
  EXPECT_EQ(ClaseGrafico(c, 600, 505), 100);
  c.Metodo = kMetodoDirecto;
  EXPECT_EQ(ClaseGrafico(c, 149, 150), 14);
  EXPECT_EQ(ClaseGrafico(c, 20, 150), 2);
}

}  // namespace
}  // namespace zendo

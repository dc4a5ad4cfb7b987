#include "engine/consult/panel_garantia.h"

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {

namespace {

std::string Cuenta(int64_t n) {
  return Formato(static_cast<double>(n), "#,###,###,###,##0");
}

std::string Porcentaje(double parte) {
  return Formato(parte * 100.0, "##0.0000") + " %";
}

std::string PorcentajeMillonesimas(int64_t millonesimas) {
  return Formato(static_cast<double>(millonesimas) / 10000.0, "##0.0000") + " %";
}

}  // namespace

PanelGarantia ConstruyePanelGarantia(const Garantia& g) {
  PanelGarantia p;
  p.ponderada = g.ponderada;
  p.resumen = Cp("Columnas ganadoras de la Quiniela Base: ") + Cuenta(g.ganadoras) +
              Cp("     Columnas de la reducción: ") + Cuenta(g.columnas);
  if (g.columnas == 0) {
    p.garantia = Cp("La reducción no tiene ninguna columna: no hay garantía.");
    return p;
  }
  if (g.ganadoras == 0 || g.garantia < 0) {
    p.garantia = Cp("La Quiniela Base no tiene ninguna columna ganadora: no hay garantía.");
    return p;
  }
  p.garantia = Cp("Garantía: ") + std::to_string(g.garantia) +
               (g.garantia == 1 ? " acierto" : " aciertos") +
               Cp(" si el resultado está dentro de la Quiniela Base");
  const auto total = static_cast<double>(g.ganadoras);
  int64_t alMenos = 0;
  for (int k = kMaxAciertos; k >= kAciertosTabla; --k) {
    alMenos += g.mejor[k];
    FilaGarantia f;
    f.aciertos = k;
    f.parteExactas = static_cast<double>(g.mejor[k]) / total;
    f.parteAlMenos = static_cast<double>(alMenos) / total;
    f.exactas = Cuenta(g.mejor[k]);
    f.porcentajeExactas = Porcentaje(f.parteExactas);
    f.alMenos = Cuenta(alMenos);
    f.porcentajeAlMenos = Porcentaje(f.parteAlMenos);
    f.premios = Formato(static_cast<double>(g.aciertos[k]) / total, "#,###,###,##0.0000");
    if (g.ponderada) {
      f.probabilidadExacta = PorcentajeMillonesimas(g.millonesimas[k]);
      f.probabilidadAlMenos = PorcentajeMillonesimas(g.millonesimasAlMenos[k]);
      f.parteProbabilidadAlMenos = static_cast<double>(g.millonesimasAlMenos[k]) / 1e6;
    }
    p.filas.push_back(f);
  }
  return p;
}

std::string TextoReduccionGarantia(const Reduccion& r) {
  std::string t = "Jornada " + std::to_string(r.Jornada) + ", orden " + std::to_string(r.Orden) +
                  ": " + std::string(Recorta(NombreLargoMetodo(r.Metodo)));
  const std::string_view descripcion = Recorta(r.Descripcion);
  if (!descripcion.empty()) t += " - " + std::string(descripcion);
  return t;
}

}  // namespace zendo

#include "engine/reduction/panel.h"

#include <algorithm>
#include <cmath>

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

bool Filtra(int metodo) {
  return metodo >= kMetodoDirecto && metodo <= kMetodoBalanceSignos;
}

std::string Euros(double importe) {
  return Formato(importe, "##,###,##0.00") + Cp(" €");
}

// A share of the base in percent; a base without columns shows 0.
std::string PorCiento(int64_t parte, int64_t base) {
  const double v = base == 0 ? 0.0 : static_cast<double>(parte * 100) / static_cast<double>(base);
  return Formato(v, "##0.00") + " %";
}

std::string Plural(int64_t n) {
  return n >= 2 ? "s" : "";
}

std::string Aceptacion(int64_t aceptadas, int64_t columnas) {
  if (aceptadas == 0 && columnas > 0) {
    return columnas == 1 ? Cp(" y no está aceptada") : " de las que no hay ninguna aceptada";
  }
  if (aceptadas == columnas && columnas > 0) {
    return columnas == 1 ? Cp(" y está aceptada") : Cp(" y todas están aceptadas");
  }
  return " de las que hay " + Formato(static_cast<double>(aceptadas), "#####0") + " aceptada" +
         Plural(aceptadas);
}

}  // namespace

std::vector<LineaPanel> PanelCifras(const Cifras& c, float precioApuesta) {
  const int metodo = c.Metodo;
  const bool manual = metodo == kMetodoManual;
  const int64_t base = c.ApuestasBase, aceptadas = c.NumApuestas;
  const int64_t totales = int64_t{c.ApuestasQuiniela} + c.ApuestasExternas;
  const double precio = precioApuesta;
  std::vector<LineaPanel> p;
  const auto linea = [&p](std::string_view etiqueta, std::string valor) {
    p.push_back({Cp(etiqueta), std::move(valor)});
  };
  linea("Partidos a doble", Formato(c.Dobles, "#0"));
  linea("Partidos a triple", Formato(c.Triples, "#0"));
  linea("Total múltiples", Formato(c.Dobles + c.Triples, "#0"));
  linea("Apuestas directas", Formato(static_cast<double>(base), "##,###,##0"));
  if (metodo == kMetodoBalanceSignos) {
    linea("Límites porcentaje",
          FormatoSimple(c.PorcMinimo, "##0.00") + "  al  " + FormatoSimple(c.PorcMaximo, "##0.00"));
  }
  if (manual) linea("Apuestas externas", Formato(c.ApuestasExternas, "##,###,##0"));
  if (metodo >= kMetodoDirecto && metodo <= kMetodoSeleccionSignos) {
    linea("Dobles a reducir", Formato(c.DoblesReducir, "#0"));
    linea("Triples a reducir", Formato(c.TriplesReducir, "#0"));
    linea("Múltiples a reducir", Formato(c.MultiplesReducir, "#0"));
  }
  if (manual) {
    linea("Apuestas totales", Formato(static_cast<double>(totales), "##,###,##0"));
  } else {
    linea("Apuestas aceptadas", Formato(static_cast<double>(aceptadas), "##,###,##0"));
  }
  if (Filtra(metodo)) {
    linea("Apuestas excluidas", Formato(static_cast<double>(base - aceptadas), "##,###,##0"));
  }
  linea("Importe total", Euros(precio * static_cast<double>(manual ? totales : base)));
  if (Filtra(metodo)) {
    linea("Importe reducidas", Euros(precio * static_cast<double>(aceptadas)));
    linea("Factor de reducción",
          FormatoSimple(aceptadas == 0 ? 0.0f : c.FactorReduccion, "##0.00"));
    linea(metodo == kMetodoDirecto ? "Probab. 14 aciertos" : "Posibilid. cubiertas",
          PorCiento(aceptadas, base));
  }
  if (metodo == kMetodoDirecto) linea("Probab. 13 aciertos", PorCiento(base - aceptadas, base));
  return p;
}

std::vector<LineaPanel> PanelReduccionGuardada(const Reduccion& r, float precioApuesta,
                                               int32_t numBoletos) {
  const int metodo = r.Metodo;
  const int64_t base = r.ApuestasBase, reducidas = r.NumApuestas;
  std::vector<LineaPanel> p;
  const auto linea = [&p](std::string_view etiqueta, std::string valor) {
    p.push_back({Cp(etiqueta), std::move(valor)});
  };
  const auto apuestas = [](int64_t n) { return Formato(static_cast<double>(n), "##,###,###"); };
  if (Filtra(metodo)) {
    linea("Apuestas reducidas", apuestas(base) + " a " + apuestas(reducidas));
  }
  if (metodo == kMetodoManual) linea("Apuestas", apuestas(reducidas));
  if (Filtra(metodo)) {
    const double factor =
        reducidas == 0 ? 0.0 : static_cast<double>(base) / static_cast<double>(reducidas);
    linea("Factor de  reducción", Formato(factor, "#######0.00"));
  }
  if (metodo == kMetodoBalanceSignos) {
    linea("Porcentajes cubiertos", FormatoSimple(r.MinPorcentaje, "##0.00") + "  al  " +
                                       FormatoSimple(r.MaxPorcentaje, "##0.00") + "%");
  }
  if (metodo == kMetodoColumnaProbable) {
    linea("Errores permitidos",
          "De " + Formato(r.MinErrores, "#0") + " a " + Formato(r.MaxErrores, "#0"));
  }
  linea(metodo == kMetodoManual ? "Importe" : "Importe reducidas",
        Euros(static_cast<double>(precioApuesta) * static_cast<double>(reducidas)));
  linea("Total boletos", Formato(numBoletos, "###,##0"));
  if (Filtra(metodo)) {
    linea(metodo == kMetodoDirecto ? "Probabilidad 14 aciertos" : "Posibilidades cubiertas",
          PorCiento(reducidas, base));
  }
  if (metodo == kMetodoDirecto)
    linea("Probabilidad 13 aciertos", PorCiento(base - reducidas, base));
  return p;
}

int ClaseGrafico(const Cifras& c, double x, double ancho) {
  const int clases = c.Clases();
  if (!(ancho > 0) || !(x >= 0)) return 0;
  return std::clamp(static_cast<int>(std::floor(x * clases / ancho)), 0, clases - 1);
}

std::string TextoAyudaGrafico(const Cifras& c, int clase) {
  if (clase < 0 || clase >= c.Clases()) return {};
  const int64_t base = c.QBase[static_cast<std::size_t>(clase)];
  const int64_t segunda = c.Aceptadas[static_cast<std::size_t>(clase)];
  const auto cuenta = [](int64_t n) { return Formato(static_cast<double>(n), "#####0"); };

  if (c.Metodo == kMetodoBalanceSignos) {
    std::string t = base > 0 ? "Hay " + cuenta(base) + " columna" + Plural(base)
                             : std::string("No hay ninguna columna");
    if (clase < 100) {
      t += " entre el " + Formato(clase, "##0.00") + "% y el " + Formato(clase + 0.99, "##0.00") +
           "% de probabilidades";
    } else {
      t += " con el " + Formato(100, "##0.00") + "% de probabilidades";
    }
    return t + Aceptacion(segunda, base);
  }

  const bool errores = c.Metodo == kMetodoColumnaProbable;
  const std::string unidad = std::string(errores ? " error" : " variante") +
                             (clase >= 2 || clase == 0 ? (errores ? "es" : "s") : "");
  const std::string con = " con " + Formato(clase, "#0") + unidad;
  if (c.Metodo == kMetodoManual) {
    // The manual method filters nothing: the count is split into base and external columns.
    const int64_t total = base + segunda;
    if (total == 0) return "No hay ninguna columna" + con;
    return "Hay " + cuenta(total) + " (" + cuenta(base) + " + " + cuenta(segunda) + ")" +
           " columna" + Plural(total) + con;
  }
  if (base == 0) return "No hay ninguna columna" + con;
  return "Hay " + cuenta(base) + " columna" + Plural(base) + con + Aceptacion(segunda, base);
}

}  // namespace zendo

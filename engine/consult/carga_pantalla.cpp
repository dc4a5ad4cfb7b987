#include "engine/consult/carga_pantalla.h"

#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"

namespace zendo {

std::pair<std::string, std::string> EncabezadoPanel(int metodo, Pantalla pantalla) {
  const bool reducir = pantalla == Pantalla::Reducir;
  switch (metodo) {
    case kMetodoDirecto:
      return {"Quiniela     Partidos", "base      reducidos"};
    case kMetodoColumnaProbable:
      return {
          std::string("Quiniela     Partidos    Columna") + (reducir ? "            Errores" : ""),
          std::string("base      reducidos   probable") + (reducir ? "          permitidos" : "")};
    case kMetodoSeleccionSignos:
      return {"Quiniela     Partidos       Signos", "base      reducidos    1    X    2"};
    case kMetodoBalanceSignos:
      return {std::string(73, ' ') + (reducir ? "Porcentajes" : ""),
              std::string("Probabilidad de cada signo") +
                  (reducir ? "                          admitidos" : "")};
    default:
      return {"Quiniela", "base"};
  }
}

std::string TextoPartido(int partido, std::string_view local, std::string_view visitante) {
  const std::string_view l = Recorta(local);
  const std::string_view v = Recorta(visitante);
  std::string t = Formato(partido, "##") + ". " + std::string(l);
  if (!l.empty() && !v.empty()) t += " - ";
  t += v;
  return t;
}

std::string LineaDescripcion(const Reduccion& r, bool reduccionCargada) {
  if (!reduccionCargada) {
    return Cp("No existe la reducción con orden ") + std::to_string(r.Orden) + " en la jornada " +
           std::to_string(r.Jornada);
  }
  return std::string(Recorta(r.Descripcion));
}

std::string TituloPantalla(Pantalla pantalla, int metodo) {
  const std::string nombre(Recorta(NombreLargoMetodo(metodo)));
  switch (pantalla) {
    case Pantalla::Reducir:
      return Cp("Reducción de apuestas por el ") + nombre;
    case Pantalla::Consredu:
      return std::string("Consulta") + (metodo == kMetodoManual ? Cp(" / Modificación") : "") +
             " de columnas reducidas con el " + nombre;
    case Pantalla::Salida:
      return "Salida de columnas reducidas con el " + nombre;
    case Pantalla::Escrutin:
      return "Escrutinio de columnas reducidas con el " + nombre;
  }
  return {};
}

std::string LineaExterno(const Reduccion& r) {
  return "Se incluyeron columnas del archivo Q44F" + DosDigitos(r.Jornada) + DosDigitos(r.Orden) +
         ".TVF";
}

std::optional<int> OrdenParaJornada(const std::filesystem::path& rutaDatos, Pantalla pantalla,
                                    int jornada, int totalOrdenes) {
  if (pantalla == Pantalla::Reducir) return 1;
  for (int o = 1; o <= totalOrdenes; ++o) {
    if (ExisteReduccion(rutaDatos, jornada, o).existe) return o;
  }
  return std::nullopt;
}

Mensaje MensajeSinJornada(int jornada) {
  return {Cp("Error en el número de Jornada"),
          Cp("No hay ninguna reducción para la jornada ") + Formato(jornada, "@@") +
              Cp(". Sólo se pueden cargar datos de una reducción existente.  Seleccione la "
                 "jornada correcta o busque en el Histórico de reducciones la que desee cargar."),
          5, kBotonesSalir, 2280};
}

Mensaje MensajeSinOrden(int orden) {
  return {Cp("Error en el número de Orden"),
          Cp("No existe para esta Jornada ninguna reducción con el número de Orden ") +
              Formato(orden, "@@") +
              Cp(" . Sólo puede cargar datos de una reducción que ya  exista.  Elija un número "
                 "de  Orden correcto o localice en el Histórico la reducción que desee cargar."),
          5, kBotonesSalir, 2280};
}

ProbabilidadGanadora MediaGanadora(const Reduccion& r,
                                   const std::array<std::array<int16_t, 4>, 16>& ganadora) {
  int total = 0;
  int cuenta = 0;
  // Match 15 has no percentages of its own: only matches 1..14 say anything here.
  for (std::size_t m = 1; m <= 14; ++m) {
    for (std::size_t s = 1; s <= 3; ++s) {
      if (ganadora[m][s] != 1) continue;
      total += r.Probabilidad[m][s];
      if (r.Probabilidad[m][s] != 0) ++cuenta;
    }
  }
  if (cuenta < 14) return {"------   ", false};
  return {Formato(static_cast<double>(total) / cuenta, "0.00") + " %", true};
}

}  // namespace zendo

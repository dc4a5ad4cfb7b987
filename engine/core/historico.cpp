#include "engine/core/historico.h"

#include <map>

#include "engine/core/formato.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo {

std::string LineaHistorico(std::string_view registro, std::string_view fecha) {
  const std::string reg = AjustaAncho(registro, kLargoRegistroBases);
  const std::string_view r(reg);
  const int jornada = ValCorto(r.substr(0, 2));
  const int orden = ValCorto(r.substr(2, 2));
  const int metodo = ValCorto(r.substr(4, 1));
  return " " + FormatoTexto(TextoNumero(jornada), "@@") + " " + AjustaAncho(fecha, 8) + "  " +
         FormatoTexto(TextoNumero(orden), "@@") + "  " + NombreCortoMetodo(metodo) + "  " +
         std::string(r.substr(310, 35)) + "  " +
         FormatoTexto(TextoNumero(ValEntero(r.substr(23, 8))), "@@@@@@@@") + "  " +
         FormatoTexto(TextoNumero(ValEntero(r.substr(31, 8))), "@@@@@@@@");
}

ListaHistorico RellenaLisDatos(const std::filesystem::path& rutaDatos, int jornadaActual,
                               int ordenActual) {
  ListaHistorico h;
  const ListaIndice indice = LeeIndice(rutaDatos);
  h.estado = indice.estado;
  std::map<int, std::string> fechas;  // each jornada record is read once
  const std::string claveActual = DosDigitos(jornadaActual) + DosDigitos(ordenActual);
  for (const auto& registro : indice.registros) {
    if (RegistroBorrado(registro)) continue;
    const int jornada = ValCorto(std::string_view(registro).substr(0, 2));
    auto it = fechas.find(jornada);
    if (it == fechas.end()) {
      const LecturaJornada l = LeeJornada(rutaDatos, jornada);
      it = fechas.emplace(jornada, l.jornada.vacia ? std::string(8, ' ') : l.jornada.FechaJornada)
               .first;
    }
    h.lineas.push_back(LineaHistorico(registro, it->second));
    if (registro.substr(0, 4) == claveActual) {
      h.primeraLinea = (static_cast<int>(h.lineas.size()) - 1) / kLineasPagina * kLineasPagina + 1;
    }
  }
  return h;
}

}  // namespace zendo

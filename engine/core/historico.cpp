#include "engine/core/historico.h"

#include <map>

#include "engine/core/fichero.h"
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
                               int ordenActual, bool creaJornadas) {
  ListaHistorico h;
  const ListaIndice indice = LeeIndice(rutaDatos);
  // Without an index there is simply no reduction to list.
  if (indice.estado.error == kErrNoEncontrado) return h;
  h.estado = indice.estado;
  std::map<int, std::string> fechas;  // each jornada record is read once
  const std::string claveActual = DosDigitos(jornadaActual) + DosDigitos(ordenActual);
  for (const auto& registro : indice.registros) {
    if (RegistroBorrado(registro)) continue;
    const int jornada = ValCorto(std::string_view(registro).substr(0, 2));
    auto it = fechas.find(jornada);
    if (it == fechas.end()) {
      const LecturaJornada l = LeeJornada(rutaDatos, jornada, creaJornadas);
      if (l.error != kSinError && h.estado.error == kSinError) {
        h.estado = {l.error, l.mensaje, l.fallo};
      }
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

int HallaCualLinea(int x, int y, int primeraLinea, int numLineas) {
  if (x < 0 || y < 0) return kSinFila;
  const int fila = y / 25;
  const int dentro = y % 25;
  if (dentro < 4 || dentro >= 23) return kSinFila;
  if (fila >= kLineasPagina || primeraLinea + fila > numLineas) return kSinFila;
  if (!(x <= 665 || (x >= 673 && x <= 692))) return kSinFila;
  return fila;
}

bool EnSimboloBorrar(int x) {
  return x >= 673;
}

int PaginaHistorico(int boton, int primeraLinea, int numLineas) {
  const int ultimaPagina = numLineas > 0 ? (numLineas - 1) / kLineasPagina * kLineasPagina + 1 : 1;
  int nueva = primeraLinea;
  switch (boton) {
    case 1:
      nueva = 1;
      break;
    case 2:
      nueva = primeraLinea - kLineasPagina;
      break;
    case 3:
      nueva = primeraLinea + kLineasPagina;
      break;
    case 4:
      nueva = ultimaPagina;
      break;
    default:
      break;
  }
  if (nueva < 1) nueva = 1;
  if (nueva > ultimaPagina) nueva = primeraLinea > ultimaPagina ? ultimaPagina : primeraLinea;
  return nueva;
}

int JornadaDeLinea(std::string_view linea) {
  return linea.size() > 1 ? ValCorto(linea.substr(1, 2)) : 0;
}

int OrdenDeLinea(std::string_view linea) {
  return linea.size() > 14 ? ValCorto(linea.substr(14, 2)) : 0;
}

}  // namespace zendo

#include "engine/shell/ajustes.h"

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {

int16_t TotalDesdeTexto(std::string_view texto) {
  const double v = Val(texto);
  if (v < 1 || v > kMaximoTotal) return kMaximoTotal;
  return static_cast<int16_t>(ValCorto(texto));
}

std::string PrecioDesdeTexto(std::string_view texto) {
  std::string t = TextoNumero(Val(texto));
  // The plain text of a number below one carries no leading zero, so that a price such
  // as 0.125 keeps three decimals before it is cut.
  if (t.size() > 1 && t[0] == '0' && t[1] == '.') t.erase(0, 1);
  if (t.size() > 4) t.resize(4);
  if (!t.empty() && t[0] == '.') t.insert(0, "0");
  return AjustaAncho(t, 4);
}

bool PrecioAdmisible(std::string_view precio) {
  const double valor = Val(precio);
  return valor > 0 && valor <= 100;
}

Mensaje MensajePrecioRechazado() {
  return Mensaje{"Datos generales",
                 Cp("El precio de la apuesta tiene que ser mayor que 0 y no pasar de 100 €. "
                    "Se mantiene el precio anterior."),
                 2, kBotonesSalir, 2800};
}

std::string CodigoConCeros(std::string_view texto, std::size_t ancho) {
  std::string t(Recorta(texto));
  if (t.size() > ancho) t = t.substr(t.size() - ancho);
  return std::string(ancho - t.size(), '0') + t;
}

void AjustaActualATotales(DatosGenerales& d) {
  if (d.Jornada > d.TotalJornadas) d.Jornada = d.TotalJornadas;
  if (d.Orden > d.TotalOrdenes) d.Orden = d.TotalOrdenes;
}

void CopiaAjustes(const DatosGenerales& desde, DatosGenerales& hacia) {
  hacia.TotalJornadas = desde.TotalJornadas;
  hacia.TotalOrdenes = desde.TotalOrdenes;
  hacia.PrecioApuesta = desde.PrecioApuesta;
  hacia.Precio = desde.Precio;
  hacia.Sonido = desde.Sonido;
  hacia.CodigoDelegacion = desde.CodigoDelegacion;
  hacia.CodigoReceptor = desde.CodigoReceptor;
}

}  // namespace zendo

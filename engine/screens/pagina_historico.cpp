#include "engine/screens/pagina_historico.h"

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/historico.h"
#include "engine/core/texto.h"
#include "engine/core/transaccion.h"

namespace zendo {
namespace {

// The two counts start at this character of a line.
constexpr std::size_t kColumnaApuestas = 76;

}  // namespace

std::array<std::string, 2> TitulosHistorico() {
  std::string arriba = std::string(kColumnaApuestas, ' ') + "Apuestas  Apuestas";
  std::string abajo = AjustaAncho(Cp("Jor   Fecha  Ord  Método de reducción           Descripción"),
                                  kColumnaApuestas) +
                      "Directas Reducidas";
  return {arriba, abajo};
}

std::vector<double> SeparadoresHistorico() {
  // " jj dd/mm/yy  oo  método(19)  descripción(35)  directas  reducidas": the middle of
  // the blanks between the fields.
  return {3.5, 13.0, 17.0, 38.0, 75.0, 85.0};
}

ClicHistorico ClicEnHistorico(int x, int y, int primeraLinea, int numLineas) {
  ClicHistorico c;
  const int fila = HallaCualLinea(x, y, primeraLinea, numLineas);
  if (fila == kSinFila) return c;
  c.linea = primeraLinea + fila;
  c.accion = EnSimboloBorrar(x) ? AccionHistorico::Borrar : AccionHistorico::Elegir;
  return c;
}

Mensaje MensajeBorrarReduccion(int jornada, int orden) {
  return Mensaje{
      "Borrado de datos",
      Cp("Se van a borrar los datos de la reducción con número de Orden ") +
          FormatoTexto(TextoNumero(orden), "@@") + " de la Jornada " +
          FormatoTexto(TextoNumero(jornada), "@@") +
          Cp(". Si desea continuar con el proceso de borrado, pulse el botón Aceptar.  Si desea "
             "anular el proceso de borrado, pulse el botón Cancelar."),
      5, kBotonesAceptarCancelar, kContextoHistorico};
}

EstadoIndice BorraReduccion(const std::filesystem::path& rutaDatos, int jornada, int orden) {
  // The index record and the columns file go together, in one commit.
  Transaccion t(rutaDatos);
  const ContenidoIndice indice =
      IndiceSinReducciones(rutaDatos, [&](int j, int o) { return j == jornada && o == orden; });
  if (indice.estado.error != kSinError) {
    EstadoIndice e = indice.estado;
    e.fallo = {e.error, kFicheroIndice, OperacionFichero::Leer};
    return e;
  }
  if (indice.cambia) {
    t.Reemplaza(kFicheroIndice, indice.contenido);
  } else if (std::error_code ec; !std::filesystem::exists(rutaDatos / kFicheroIndice, ec)) {
    // Opening the index for record access creates it.
    t.Reemplaza(kFicheroIndice, "");
  }
  t.Borra(NombreReduccion(jornada, orden));
  const ResultadoTransaccion c = t.Confirma();
  if (!c.fallo) return {};
  const char* codigo = c.fallo.fichero == kFicheroIndice ? "BRB" : "BRF";
  EstadoIndice e{c.fallo.error, std::string(codigo) + " ERROR " + std::to_string(c.fallo.error)};
  e.fallo = c.fallo;
  return e;
}

}  // namespace zendo

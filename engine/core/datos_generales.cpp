#include "engine/core/datos_generales.h"

#include <vector>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

// Splits a line into its fields: a field ends at a comma or at the end of the line; a
// field that begins (after blanks) with a double quote runs to the next double quote.
std::vector<std::string> Campos(std::string_view linea) {
  std::vector<std::string> campos;
  std::size_t i = 0;
  while (i <= linea.size()) {
    while (i < linea.size() && linea[i] == ' ') ++i;
    std::string campo;
    if (i < linea.size() && linea[i] == '"') {
      const auto cierre = linea.find('"', i + 1);
      const auto fin = cierre == std::string_view::npos ? linea.size() : cierre;
      campo = std::string(linea.substr(i + 1, fin - i - 1));
      i = fin == linea.size() ? fin : fin + 1;
      // Skip to the comma that ends the field.
      const auto coma = linea.find(',', i);
      i = coma == std::string_view::npos ? linea.size() + 1 : coma + 1;
    } else {
      const auto coma = linea.find(',', i);
      const auto fin = coma == std::string_view::npos ? linea.size() : coma;
      campo = std::string(RecortaDer(linea.substr(i, fin - i)));
      i = fin + 1;
    }
    campos.push_back(std::move(campo));
  }
  return campos;
}

}  // namespace

void DatosGenerales::Normaliza() {
  FechaJornada = AjustaAncho(FechaJornada, 8);
  PrecioApuesta = AjustaAncho(PrecioApuesta, 4);
  CodigoDelegacion = AjustaAncho(CodigoDelegacion, 2);
  CodigoReceptor = AjustaAncho(CodigoReceptor, 5);
  Sonido = AjustaAncho(Sonido, 2);
  Precio = static_cast<float>(Val(PrecioApuesta));
}

std::string LineaDatosGenerales(const DatosGenerales& d) {
  auto n = [](int v) { return std::to_string(v); };
  auto q = [](std::string_view s) { return "\"" + std::string(s) + "\""; };
  DatosGenerales c = d;
  c.Normaliza();
  return n(c.Jornada) + "," + q(c.FechaJornada) + "," + n(c.Orden) + "," + n(c.Metodo) + "," +
         n(c.MargenIzqBoleto) + "," + n(c.MargenSupBoleto) + "," + n(c.MargenIzqContinuo) + "," +
         n(c.MargenSupContinuo) + "," + n(c.Orientacion) + "," + n(c.TotalJornadas) + "," +
         n(c.TotalOrdenes) + "," + q(c.PrecioApuesta) + "," + q(c.CodigoDelegacion) + "," +
         q(c.CodigoReceptor) + "," + q(c.Sonido) + kSaltoLinea;
}

DatosGenerales ParseaDatosGenerales(std::string_view linea) {
  DatosGenerales d;
  const auto campos = Campos(linea);
  auto campo = [&](std::size_t i) -> std::string_view {
    return i < campos.size() ? std::string_view(campos[i]) : std::string_view{};
  };
  auto entero = [&](std::size_t i, int16_t& destino) {
    if (i < campos.size()) destino = ValCorto(campo(i));
  };
  auto texto = [&](std::size_t i, std::string& destino) {
    if (i < campos.size()) destino = std::string(campo(i));
  };
  entero(0, d.Jornada);
  texto(1, d.FechaJornada);
  entero(2, d.Orden);
  entero(3, d.Metodo);
  entero(4, d.MargenIzqBoleto);
  entero(5, d.MargenSupBoleto);
  entero(6, d.MargenIzqContinuo);
  entero(7, d.MargenSupContinuo);
  entero(8, d.Orientacion);
  entero(9, d.TotalJornadas);
  entero(10, d.TotalOrdenes);
  texto(11, d.PrecioApuesta);
  texto(12, d.CodigoDelegacion);
  texto(13, d.CodigoReceptor);
  texto(14, d.Sonido);
  d.Normaliza();
  return d;
}

ResultadoDatos LeeDatosGenerales(const std::filesystem::path& rutaDatos, DatosGenerales& d) {
  ResultadoDatos r;
  std::string contenido;
  const int16_t err = LeeFichero(rutaDatos / kFicheroDatosGenerales, contenido);
  if (err == kErrNoEncontrado) {
    r.error = err;
    r.mensaje = Cp("No se encuentra el fichero de datos generales DATOSGEN.TVX.") + kSaltoLinea +
                Cp("Se ha procedido a crearlo automáticamente con los valores establecidos por "
                   "defecto.");
    d = DatosGenerales{};
    const int16_t errGuarda = GuardaDatosGenerales(rutaDatos, d);
    if (errGuarda != kSinError) {
      // The defaults hold for this run; say that the file could not be created either.
      r.mensaje += kSaltoLinea + "LDG ERROR " + std::to_string(errGuarda);
    }
    return r;
  }
  if (err != kSinError) {
    r.error = err;
    r.mensaje = "LDG ERROR " + std::to_string(err);
    d = DatosGenerales{};
    return r;
  }
  const auto lineas = PartirLineas(contenido);
  d = ParseaDatosGenerales(lineas.empty() ? std::string_view{} : lineas.front());
  return r;
}

int16_t GuardaDatosGenerales(const std::filesystem::path& rutaDatos, const DatosGenerales& d) {
  return ReemplazaFichero(rutaDatos / kFicheroDatosGenerales, LineaDatosGenerales(d));
}

}  // namespace zendo

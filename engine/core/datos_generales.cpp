#include "engine/core/datos_generales.h"

#include <algorithm>
#include <vector>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/lector_lineas.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

// Far more than the fields ever take; a longer line is cut there.
constexpr std::size_t kLargoMaximoDatosGenerales = 4096;

struct Campo {
  std::string texto;
  bool entrecomillado = false;
};

// Splits a line into its fields: a field ends at a comma or at the end of the line; a
// field that begins (after blanks) with a double quote runs to the next double quote.
// Only one field past the 15 of the format is kept: it is enough to know the line is wrong;
// whatever follows is never looked at.
std::vector<Campo> Campos(std::string_view linea) {
  std::vector<Campo> campos;
  std::size_t i = 0;
  while (i <= linea.size() && campos.size() <= kCamposDatosGenerales) {
    while (i < linea.size() && linea[i] == ' ') ++i;
    Campo campo;
    if (i < linea.size() && linea[i] == '"') {
      const auto cierre = linea.find('"', i + 1);
      const auto fin = cierre == std::string_view::npos ? linea.size() : cierre;
      campo.texto = std::string(linea.substr(i + 1, fin - i - 1));
      campo.entrecomillado = true;
      i = fin == linea.size() ? fin : fin + 1;
      // Skip to the comma that ends the field.
      const auto coma = linea.find(',', i);
      i = coma == std::string_view::npos ? linea.size() + 1 : coma + 1;
    } else {
      const auto coma = linea.find(',', i);
      const auto fin = coma == std::string_view::npos ? linea.size() : coma;
      campo.texto = std::string(RecortaDer(linea.substr(i, fin - i)));
      i = fin + 1;
    }
    campos.push_back(std::move(campo));
  }
  return campos;
}

// A number field: blanks, an optional sign, digits and an optional decimal part; empty
// reads as 0. A quoted field or any other character is not a number.
bool EsNumero(const Campo& c) {
  if (c.entrecomillado) return false;
  std::string_view t = Recorta(c.texto);
  if (t.empty()) return true;
  if (t.front() == '+' || t.front() == '-') t.remove_prefix(1);
  bool digito = false;
  bool punto = false;
  for (const char ch : t) {
    if (ch >= '0' && ch <= '9') {
      digito = true;
    } else if (ch == '.' && !punto) {
      punto = true;
    } else {
      return false;
    }
  }
  return digito;
}

bool SoloDigitos(std::string_view t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "dd/mm/yy" with digits, or eight blanks (a jornada with no record).
bool FechaAdmitida(std::string_view f) {
  if (f.size() != 8) return false;
  if (f.find_first_not_of(' ') == std::string_view::npos) return true;
  return f[2] == '/' && f[5] == '/' && SoloDigitos(f.substr(0, 2)) && SoloDigitos(f.substr(3, 2)) &&
         SoloDigitos(f.substr(6, 2));
}

// A price as typed by hand: digits with at most one point, in the four characters.
bool PrecioBienEscrito(std::string_view t) {
  t = RecortaDer(t);
  if (t.empty() || t.size() > 4 || std::count(t.begin(), t.end(), '.') > 1) return false;
  return std::all_of(t.begin(), t.end(),
                     [](char c) { return c == '.' || (c >= '0' && c <= '9'); }) &&
         std::any_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A code of `ancho` digits; a shorter one gets zeros on the left; anything else is none.
std::string CodigoAdmitido(std::string_view codigo, std::size_t ancho, std::string_view defecto) {
  const std::string_view t = Recorta(codigo);
  if (!SoloDigitos(t) || t.size() > ancho) return std::string(defecto);
  return std::string(ancho - t.size(), '0') + std::string(t);
}

}  // namespace

bool PrecioAdmitido(double precio) {
  return precio > 0 && precio <= kPrecioMaximo;
}

void DatosGenerales::Normaliza() {
  const DatosGenerales defecto;
  auto total = [](int16_t& t) {
    if (t < 1 || t > kMaximoTotal) t = kMaximoTotal;
  };
  total(TotalJornadas);
  total(TotalOrdenes);
  Jornada = std::clamp<int16_t>(Jornada, 1, TotalJornadas);
  Orden = std::clamp<int16_t>(Orden, 1, TotalOrdenes);
  if (Metodo < 1 || Metodo > 5) Metodo = defecto.Metodo;
  for (int16_t* margen :
       {&MargenIzqBoleto, &MargenSupBoleto, &MargenIzqContinuo, &MargenSupContinuo}) {
    *margen = std::clamp<int16_t>(*margen, 0, kMaximoMargen);
  }
  if (Orientacion != 1 && Orientacion != 2) Orientacion = defecto.Orientacion;

  if (!FechaAdmitida(FechaJornada)) FechaJornada = defecto.FechaJornada;
  if (PrecioBienEscrito(PrecioApuesta) && PrecioAdmitido(Val(PrecioApuesta))) {
    PrecioApuesta = AjustaAncho(RecortaDer(PrecioApuesta), 4);
  } else {
    PrecioApuesta = defecto.PrecioApuesta;
  }
  Precio = static_cast<float>(Val(PrecioApuesta));
  CodigoDelegacion = CodigoAdmitido(CodigoDelegacion, 2, defecto.CodigoDelegacion);
  CodigoReceptor = CodigoAdmitido(CodigoReceptor, 5, defecto.CodigoReceptor);
  const std::string_view sonido = Recorta(Sonido);
  Sonido = sonido == "Si" || sonido == "No" ? std::string(sonido) : defecto.Sonido;
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

DatosGenerales ParseaDatosGenerales(std::string_view linea, bool* erronea) {
  DatosGenerales d;
  const auto campos = Campos(linea);
  bool mal = campos.size() != kCamposDatosGenerales;
  auto entero = [&](std::size_t i, int16_t& destino) {
    if (i >= campos.size()) return;
    if (EsNumero(campos[i])) {
      destino = ValCorto(campos[i].texto);
    } else {
      mal = true;  // letters where a number belongs: the default stays
    }
  };
  auto texto = [&](std::size_t i, std::string& destino) {
    if (i < campos.size()) destino = campos[i].texto;
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
  if (erronea != nullptr) *erronea = mal;
  return d;
}

ResultadoDatos LeeDatosGenerales(const std::filesystem::path& rutaDatos, DatosGenerales& d) {
  ResultadoDatos r;
  // The first line alone, and no more of it than the fields can fill.
  LectorLineas lector(rutaDatos / kFicheroDatosGenerales, kLargoMaximoDatosGenerales,
                      kLargoMaximoDatosGenerales);
  std::string_view primera;
  const bool hayLinea = lector.error() == kSinError && lector.Siguiente(primera);
  const int16_t err = lector.error();
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
  if (err != kSinError || !hayLinea) {
    // Nothing to read: an empty file ends before its line, as reading past the end does.
    r.error = err != kSinError ? err : kErrFinFichero;
    r.mensaje = "LDG ERROR " + std::to_string(r.error);
    d = DatosGenerales{};
    return r;
  }
  bool erronea = false;
  d = ParseaDatosGenerales(primera, &erronea);
  if (erronea) {
    r.error = kErrTipo;
    r.mensaje = "LDG ERROR " + std::to_string(r.error);
  }
  return r;
}

int16_t GuardaDatosGenerales(const std::filesystem::path& rutaDatos, const DatosGenerales& d) {
  return ReemplazaFichero(rutaDatos / kFicheroDatosGenerales, LineaDatosGenerales(d));
}

}  // namespace zendo

#include "engine/core/formato.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zendo {
namespace {

bool EsMarcador(char c) {
  return c == '0' || c == '#';
}

// The decimal digits of |valor| rounded to `significativas` significant digits, and the
// position of the decimal point: value = 0.d1d2d3... x 10^exponente.
struct Decimal {
  std::string digitos;  // no leading zeros, may be empty for zero
  int exponente = 0;
};

Decimal ADecimal(double valor, int significativas) {
  Decimal d;
  if (valor == 0.0 || !std::isfinite(valor)) return d;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", significativas - 1, std::fabs(valor));
  // buf: d.ddddde[+-]xx
  std::string mant;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p) {
    if (*p != '.') mant.push_back(*p);
  }
  const int exp10 = std::atoi(p + 1);
  d.digitos = mant;
  d.exponente = exp10 + 1;
  // Trim trailing zeros; keep at least nothing for zero.
  while (!d.digitos.empty() && d.digitos.back() == '0') d.digitos.pop_back();
  if (d.digitos.empty()) d.exponente = 0;
  return d;
}

// Splits the decimal into integer and fraction digits, rounding the fraction to
// `decimales` places half away from zero.
void Redondea(const Decimal& d, int decimales, std::string& entera, std::string& fraccion) {
  // Position digits: integer part has max(exponente,0) digits.
  std::string todo;  // integer digits + fraction digits (decimales + 1 for rounding)
  const int nEntera = std::max(d.exponente, 0);
  // Build a digit string aligned so that index nEntera is the first fraction digit.
  std::string alineado;
  if (d.exponente < 0) alineado.assign(static_cast<size_t>(-d.exponente), '0');
  alineado += d.digitos;
  if (static_cast<int>(alineado.size()) < nEntera)
    alineado.resize(static_cast<size_t>(nEntera), '0');
  // alineado now: integer digits (nEntera of them when exponente >= 0) then fraction digits.
  std::string ent = d.exponente > 0 ? alineado.substr(0, static_cast<size_t>(nEntera)) : "";
  std::string fra = d.exponente > 0 ? alineado.substr(static_cast<size_t>(nEntera)) : alineado;
  bool subir = false;
  if (static_cast<int>(fra.size()) > decimales) {
    subir = fra[static_cast<size_t>(decimales)] >= '5';
    fra.resize(static_cast<size_t>(decimales));
  }
  fra.resize(static_cast<size_t>(decimales), '0');
  todo = ent + fra;
  if (subir) {
    int i = static_cast<int>(todo.size()) - 1;
    while (i >= 0 && todo[static_cast<size_t>(i)] == '9') {
      todo[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++todo[static_cast<size_t>(i)];
    } else {
      todo.insert(todo.begin(), '1');
    }
  }
  const size_t largoEntera = todo.size() - static_cast<size_t>(decimales);
  entera = todo.substr(0, largoEntera);
  fraccion = todo.substr(largoEntera);
  const auto nz = entera.find_first_not_of('0');
  entera = nz == std::string::npos ? "" : entera.substr(nz);
}

}  // namespace

std::string Formato(double valor, std::string_view patron, Regional regional, Precision precision) {
  // A pattern of character places takes the plain text of the number.
  if (patron.find('@') != std::string_view::npos) return FormatoTexto(valor, patron);

  const auto primero = patron.find_first_of("0#");
  if (primero == std::string_view::npos) return std::string(patron);
  size_t ultimo = patron.find_last_of("0#");
  const std::string_view prefijo = patron.substr(0, primero);
  const std::string_view sufijo = patron.substr(ultimo + 1);
  const std::string_view cuerpo = patron.substr(primero, ultimo - primero + 1);

  const auto punto = cuerpo.find('.');
  const std::string_view parteEntera = cuerpo.substr(0, punto);
  const std::string_view parteDecimal =
      punto == std::string_view::npos ? std::string_view{} : cuerpo.substr(punto + 1);
  const bool miles = parteEntera.find(',') != std::string_view::npos;
  int decimales = 0, decimalesFijos = 0;
  for (size_t i = 0; i < parteDecimal.size(); ++i) {
    if (EsMarcador(parteDecimal[i])) {
      ++decimales;
      if (parteDecimal[i] == '0') decimalesFijos = decimales;
    }
  }
  int minimoEntero = 0;
  bool visto0 = false;
  for (char c : parteEntera) {
    if (c == '0') visto0 = true;
    if (visto0 && EsMarcador(c)) ++minimoEntero;
  }

  std::string entera, fraccion;
  Redondea(ADecimal(valor, static_cast<int>(precision)), decimales, entera, fraccion);
  // '#' places after the point drop trailing zeros beyond the last '0' place.
  while (static_cast<int>(fraccion.size()) > decimalesFijos && !fraccion.empty() &&
         fraccion.back() == '0') {
    fraccion.pop_back();
  }
  const bool esCero = entera.empty() && fraccion.find_first_not_of('0') == std::string::npos;
  if (static_cast<int>(entera.size()) < minimoEntero) {
    entera.insert(0, static_cast<size_t>(minimoEntero) - entera.size(), '0');
  }
  std::string conMiles;
  if (miles) {
    const size_t n = entera.size();
    for (size_t i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) conMiles.push_back(regional.miles);
      conMiles.push_back(entera[i]);
    }
  } else {
    conMiles = entera;
  }
  std::string r(prefijo);
  if (valor < 0 && !esCero) r.push_back('-');
  r += conMiles;
  if (punto != std::string_view::npos && (!fraccion.empty() || parteDecimal.empty())) {
    r.push_back(regional.decimal);
    r += fraccion;
  }
  r += sufijo;
  return r;
}

std::string FormatoTexto(std::string_view texto, std::string_view patron) {
  bool izquierda = false;
  if (!patron.empty() && patron.front() == '!') {
    izquierda = true;
    patron.remove_prefix(1);
  }
  const size_t ancho = static_cast<size_t>(std::count(patron.begin(), patron.end(), '@'));
  if (texto.size() >= ancho) return std::string(texto);
  const std::string relleno(ancho - texto.size(), ' ');
  return izquierda ? std::string(texto) + relleno : relleno + std::string(texto);
}

std::string TextoNumero(double valor) {
  if (!std::isfinite(valor)) return "0";
  if (valor == std::floor(valor) && std::fabs(valor) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", valor);
    return std::string(buf) == "-0" ? "0" : buf;
  }
  const Decimal d = ADecimal(valor, 15);
  std::string r = valor < 0 ? "-" : "";
  if (d.exponente <= 0) {
    r += "0.";
    r.append(static_cast<size_t>(-d.exponente), '0');
    r += d.digitos;
  } else if (static_cast<size_t>(d.exponente) >= d.digitos.size()) {
    r += d.digitos;
    r.append(static_cast<size_t>(d.exponente) - d.digitos.size(), '0');
  } else {
    r += d.digitos.substr(0, static_cast<size_t>(d.exponente));
    r += '.';
    r += d.digitos.substr(static_cast<size_t>(d.exponente));
  }
  return r;
}

std::string FormatoTexto(double valor, std::string_view patron) {
  return FormatoTexto(TextoNumero(valor), patron);
}

std::string ImporteFijo(double valor, std::string_view patron, Precision precision) {
  std::string t = Formato(valor, patron, kRegionalPunto, precision);
  if (t.size() >= 3) t[t.size() - 3] = '.';
  return t;
}

double Val(std::string_view texto) {
  size_t i = 0;
  auto saltaBlancos = [&] {
    while (i < texto.size() && (texto[i] == ' ' || texto[i] == '\t')) ++i;
  };
  saltaBlancos();
  bool negativo = false;
  if (i < texto.size() && (texto[i] == '-' || texto[i] == '+')) {
    negativo = texto[i] == '-';
    ++i;
  }
  double entero = 0;
  std::string fraccion;
  bool enFraccion = false;
  for (; i < texto.size(); ++i) {
    const char c = texto[i];
    if (c == ' ' || c == '\t') continue;
    if (c >= '0' && c <= '9') {
      if (enFraccion) {
        fraccion.push_back(c);
      } else {
        entero = entero * 10 + (c - '0');
      }
    } else if (c == '.' && !enFraccion) {
      enFraccion = true;
    } else {
      break;
    }
  }
  double v = entero;
  if (!fraccion.empty()) v += std::strtod(("0." + fraccion).c_str(), nullptr);
  return negativo ? -v : v;
}

namespace {
template <typename T>
T ValAcotado(std::string_view texto) {
  const double v = std::nearbyint(Val(texto));  // default rounding mode: ties to even
  if (!(v >= static_cast<double>(std::numeric_limits<T>::min())))
    return std::numeric_limits<T>::min();
  if (v > static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(v);
}
}  // namespace

int32_t ValEntero(std::string_view texto) {
  return ValAcotado<int32_t>(texto);
}
int16_t ValCorto(std::string_view texto) {
  return ValAcotado<int16_t>(texto);
}

std::string DosDigitos(int n) {
  return Formato(n, "00");
}

double RedondeaPar(double valor, int decimales) {
  const double escala = std::pow(10.0, decimales);
  return std::nearbyint(valor * escala) / escala;
}

}  // namespace zendo

#include "engine/core/historico.h"

#include <algorithm>
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
      h.primeraLinea =
          (static_cast<int>(h.lineas.size()) - 1) / kLineasHistorico * kLineasHistorico + 1;
    }
  }
  return h;
}

int HallaCualLinea(int x, int y, int primeraLinea, int numLineas) {
  if (x < 0 || y < 0) return kSinFila;
  const int fila = y / 25;
  const int dentro = y % 25;
  if (dentro < 4 || dentro >= 23) return kSinFila;
  if (fila >= kLineasHistorico || primeraLinea + fila > numLineas) return kSinFila;
  if (!(x <= 665 || (x >= 673 && x <= 692))) return kSinFila;
  return fila;
}

bool EnSimboloBorrar(int x) {
  return x >= 673;
}

int PaginaHistorico(int boton, int primeraLinea, int numLineas) {
  const int ultimaPagina =
      numLineas > 0 ? (numLineas - 1) / kLineasHistorico * kLineasHistorico + 1 : 1;
  int nueva = primeraLinea;
  switch (boton) {
    case 1:
      nueva = 1;
      break;
    case 2:
      nueva = primeraLinea - kLineasHistorico;
      break;
    case 3:
      nueva = primeraLinea + kLineasHistorico;
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

int LineaDe(const std::vector<std::string>& lineas, int jornada, int orden) {
  for (std::size_t i = 0; i < lineas.size(); ++i) {
    if (JornadaDeLinea(lineas[i]) == jornada && OrdenDeLinea(lineas[i]) == orden) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

namespace {

// Where the fields of a line start, and their widths.
constexpr std::size_t kInicioFecha = 4;
constexpr std::size_t kInicioDescripcion = 39;
constexpr std::size_t kLargoDescripcion = 35;

// "dd/mm/yy" as "yymmdd", so that the text compares as the calendar; empty without a date.
std::string ClaveFecha(std::string_view linea) {
  if (linea.size() < kInicioFecha + 8) return {};
  const std::string_view f = linea.substr(kInicioFecha, 8);
  if (Recorta(f).empty()) return {};
  return std::string(f.substr(6, 2)) + std::string(f.substr(3, 2)) + std::string(f.substr(0, 2));
}

// The description with case and accents folded (Windows-1252), ñ after n.
std::string ClaveDescripcion(std::string_view linea) {
  const std::string_view d =
      linea.size() > kInicioDescripcion ? linea.substr(kInicioDescripcion, kLargoDescripcion) : "";
  static constexpr std::string_view kConAcento =
      "\xe1\xe0\xe4\xe2\xc1\xc0\xc4\xc2\xe9\xe8\xeb\xea\xc9\xc8\xcb\xca"
      "\xed\xec\xef\xee\xcd\xcc\xcf\xce\xf3\xf2\xf6\xf4\xd3\xd2\xd6\xd4"
      "\xfa\xf9\xfc\xfb\xda\xd9\xdc\xdb\xe7\xc7";
  static constexpr std::string_view kSinAcento = "aaaaaaaaeeeeeeeeiiiiiiiioooooooouuuuuuuucc";
  std::string clave;
  for (const char c : Recorta(d)) {
    if (c == '\xf1' || c == '\xd1') {
      clave += "n{";  // after every n and before o
    } else if (const auto i = kConAcento.find(c); i != std::string_view::npos) {
      clave += kSinAcento[i];
    } else {
      clave += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return clave;
}

}  // namespace

void OrdenaHistorico(std::vector<std::string>& lineas, OrdenHistorico orden, bool descendente) {
  if (orden == OrdenHistorico::Indice) {
    if (descendente) std::reverse(lineas.begin(), lineas.end());
    return;
  }
  // -1, 0 or 1 by the keys of the column; lines without a date always go last.
  auto compara = [orden](const std::string& a, const std::string& b) {
    if (orden == OrdenHistorico::Jornada) {
      const int ja = JornadaDeLinea(a), jb = JornadaDeLinea(b);
      if (ja != jb) return ja < jb ? -1 : 1;
      const int oa = OrdenDeLinea(a), ob = OrdenDeLinea(b);
      return oa == ob ? 0 : (oa < ob ? -1 : 1);
    }
    const std::string ka = orden == OrdenHistorico::Fecha ? ClaveFecha(a) : ClaveDescripcion(a);
    const std::string kb = orden == OrdenHistorico::Fecha ? ClaveFecha(b) : ClaveDescripcion(b);
    return ka == kb ? 0 : (ka < kb ? -1 : 1);
  };
  std::stable_sort(lineas.begin(), lineas.end(), [&](const std::string& a, const std::string& b) {
    if (orden == OrdenHistorico::Fecha) {
      const bool sinA = ClaveFecha(a).empty(), sinB = ClaveFecha(b).empty();
      if (sinA != sinB) return sinB;
    }
    const int c = compara(a, b);
    return descendente ? c > 0 : c < 0;
  });
}

OrdenHistorico ColumnaDeTitulo(int caracter) {
  if (caracter >= 0 && caracter < static_cast<int>(kInicioFecha)) return OrdenHistorico::Jornada;
  if (caracter >= static_cast<int>(kInicioFecha) && caracter < 13) return OrdenHistorico::Fecha;
  if (caracter >= static_cast<int>(kInicioDescripcion) - 1 &&
      caracter < static_cast<int>(kInicioDescripcion + kLargoDescripcion)) {
    return OrdenHistorico::Descripcion;
  }
  return OrdenHistorico::Indice;
}

}  // namespace zendo

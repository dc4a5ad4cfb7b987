// zendo-cli cifras: the live figures of a stored reduction, as the reduction screen would
// show them after loading it, in one JSON object; or the checks of "Reducir apuestas".

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/comandos.h"
#include "engine/core/datos_generales.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/comprobaciones.h"
#include "engine/reduction/edicion.h"
#include "engine/reduction/externo.h"
#include "engine/reduction/panel.h"

namespace zendo::cli {
namespace {

std::string Json(const std::string& cp1252) {
  std::string r = "\"";
  for (unsigned char c : Cp1252AUtf8(cp1252)) {
    if (c == '"' || c == '\\') {
      r.push_back('\\');
      r.push_back(static_cast<char>(c));
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      r += buf;
    } else {
      r.push_back(static_cast<char>(c));
    }
  }
  return r + "\"";
}

// The shortest decimal text that reads back as the same single-precision value.
std::string Numero(float v) {
  char buf[32];
  const auto fin = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, fin.ptr);
}

template <typename Array>
std::string Lista(const Array& a, std::size_t desde, std::size_t hasta) {
  std::string r = "[";
  for (std::size_t i = desde; i < hasta; ++i) {
    if (i > desde) r += ", ";
    r += std::to_string(a[i]);
  }
  return r + "]";
}

int Ejecuta(const Argumentos& a) {
  const auto pedida = PideReduccion(a);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& ruta = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;

  auto guardada = CargaReduccionGuardada(ruta, jornada, orden);
  if (!guardada) return kSalidaError;
  const DatosGenerales& datos = guardada->datos;
  Reduccion& r = guardada->r;
  // Loading the screen rebuilds the error lists, which lowers a bound above the multiples.
  if (r.Metodo == kMetodoColumnaProbable) ReconstruyeListasErrores(r);
  const CargaExterno externo = CargaArchivoExterno(ruta, r);
  if (externo.mensaje) ImprimeError(externo.mensaje->texto);
  const Cifras c = RecalculaReduccion(r, externo.externo);

  if (a.Tiene("--comprobar")) {
    const BusquedaReduccion busqueda = ExisteReduccion(ruta, jornada, orden);
    const Comprobacion k = ComprobarReduccion(r, c, busqueda.existe);
    if (k.aviso) {
      ImprimeLinea(k.aviso->titulo);
      ImprimeLinea(k.aviso->texto);
    }
    if (k.mensaje) {
      ImprimeLinea(k.mensaje->titulo);
      ImprimeLinea(k.mensaje->texto);
    } else {
      ImprimeLinea("OK");
    }
    return kSalidaOk;
  }

  const std::size_t clases = static_cast<std::size_t>(c.Clases());
  std::ostringstream o;
  o << "{\"ApuestasBase\": " << c.ApuestasBase << ", \"NumApuestas\": " << c.NumApuestas
    << ", \"FactorReduccion\": " << Numero(c.FactorReduccion) << ", \"Dobles\": " << c.Dobles
    << ", \"Triples\": " << c.Triples << ", \"DoblesReducir\": " << c.DoblesReducir
    << ", \"TriplesReducir\": " << c.TriplesReducir
    << ", \"MultiplesReducir\": " << c.MultiplesReducir
    << ", \"MaxSignos\": " << Lista(c.MaxSignos, 1, 4) << ", \"DirInicio\": " << c.DirInicio
    << ", \"DirColumnas\": " << c.DirColumnas << ", \"DirTriples\": " << c.DirTriples
    << ", \"DirDobles\": " << c.DirDobles << ", \"PorcMinimo\": " << Numero(c.PorcMinimo)
    << ", \"PorcMaximo\": " << Numero(c.PorcMaximo)
    << ", \"MinPorcentaje\": " << Numero(r.MinPorcentaje)
    << ", \"MaxPorcentaje\": " << Numero(r.MaxPorcentaje)
    << ", \"ApuestasQuiniela\": " << c.ApuestasQuiniela
    << ", \"ApuestasExternas\": " << c.ApuestasExternas
    << ", \"QBase\": " << Lista(c.QBase, 0, clases)
    << ", \"Aceptadas\": " << Lista(c.Aceptadas, 0, clases) << ", \"panel\": [";
  bool primera = true;
  for (const LineaPanel& l : PanelCifras(c, datos.Precio)) {
    o << (primera ? "" : ", ") << "[" << Json(l.etiqueta) << ", " << Json(l.valor) << "]";
    primera = false;
  }
  o << "]}\n";
  std::cout << o.str();
  return kSalidaOk;
}

const RegistroComando kRegistro{Comando{
    "cifras",
    "cifras de una reducción guardada (JSON)",
    "Uso: zendo-cli cifras --datos CARPETA --jornada J --orden O [--comprobar]\n\n"
    "Carga la definición guardada de la reducción (jornada J, orden O), con el precio de los\n"
    "datos generales y, en la reducción manual, el archivo externo, recalcula sus cifras e\n"
    "imprime un objeto JSON con ellas y con las líneas del panel de cifras.\n"
    "Con --comprobar imprime en cambio el título y el texto del primer mensaje que daría\n"
    "\"Reducir apuestas\", u OK.\n",
    {"--datos", "--jornada", "--orden"},
    {"--comprobar"},
    Ejecuta}};

}  // namespace
}  // namespace zendo::cli

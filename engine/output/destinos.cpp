#include "engine/output/destinos.h"

#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "engine/core/texto.h"

namespace zendo {

namespace fs = std::filesystem;

namespace {

// `ruta` is `carpeta` or lies inside it.
bool Dentro(const fs::path& ruta, const fs::path& carpeta) {
  const std::string r = ruta.lexically_normal().string();
  std::string c = carpeta.lexically_normal().string();
  if (c.size() > 1 && c.back() == '/') c.pop_back();
  if (r.compare(0, c.size(), c) != 0) return false;
  return r.size() == c.size() || c == "/" || r[c.size()] == '/';
}

bool CarpetaEscribible(const fs::path& carpeta) {
  struct stat st {};
  return !carpeta.empty() && ::stat(carpeta.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::access(carpeta.c_str(), W_OK | X_OK) == 0;
}

std::string NombreSoporte(const Volumen& v) {
  if (!v.etiqueta.empty()) return v.etiqueta;
  const std::string carpeta = v.raiz.filename().string();
  return carpeta.empty() ? v.raiz.string() : carpeta;
}

}  // namespace

bool EsCarpetaDeSoportes(const fs::path& raiz) {
  for (const char* base : {"/media", "/run/media", "/mnt"}) {
    if (Dentro(raiz, base) && raiz.lexically_normal() != fs::path(base)) return true;
  }
  return false;
}

bool EnSoporteExterno(const fs::path& ruta) {
  std::error_code ec;
  const fs::path absoluta = fs::absolute(ruta, ec);
  return !ec && EsCarpetaDeSoportes(absoluta.parent_path());
}

std::vector<Destino> ListaDestinos(const std::vector<Volumen>& montados, const fs::path& rutaDatos,
                                   const fs::path& carpetaPersonal) {
  std::vector<Destino> lista;
  std::map<std::string, int> repetidos;
  for (const Volumen& v : montados) {
    if (v.extraible) ++repetidos[NombreSoporte(v)];
  }
  for (const Volumen& v : montados) {
    if (!v.extraible) continue;
    std::string nombre = NombreSoporte(v);
    // Two media with one label are told apart by their folders.
    if (repetidos[nombre] > 1) nombre += " (" + v.raiz.string() + ")";
    lista.push_back({TipoDestino::Soporte, nombre, v.raiz});
  }
  lista.push_back(DestinoPorDefecto(rutaDatos));
  lista.push_back({TipoDestino::CarpetaPersonal, "Carpeta personal", carpetaPersonal});
  lista.push_back({TipoDestino::OtraCarpeta, "Otra carpeta\u2026", {}});
  return lista;
}

Destino DestinoPorDefecto(const fs::path& rutaDatos) {
  return {TipoDestino::CarpetaDatos, "Carpeta de datos", rutaDatos};
}

Destino DestinoCarpeta(const fs::path& carpeta) {
  return {TipoDestino::OtraCarpeta, carpeta.string(), carpeta};
}

std::string SistemaDeRuta(const std::vector<Volumen>& montados, const fs::path& ruta) {
  std::string tipo;
  std::size_t largo = 0;
  bool hallado = false;
  for (const Volumen& v : montados) {
    const std::size_t l = v.raiz.lexically_normal().string().size();
    if (Dentro(ruta, v.raiz) && (!hallado || l > largo)) {
      tipo = v.tipoSistema;
      largo = l;
      hallado = true;
    }
  }
  return tipo;
}

bool DestinoPreparado(const Destino& d, const std::vector<Volumen>& montados) {
  if (d.tipo == TipoDestino::Soporte) {
    bool montado = false;
    for (const Volumen& v : montados) {
      if (v.raiz == d.carpeta) montado = v.preparado && !v.soloLectura;
    }
    if (!montado) return false;
  }
  return CarpetaEscribible(d.carpeta);
}

Mensaje MensajeDiscoNoPreparado(const Destino& d) {
  Mensaje m;
  m.titulo = "No se encuentra el disco";
  std::string nombre = Utf8ACp1252(d.nombre).texto;
  m.texto = Cp("No ha colocado ningún disco en la unidad ") + nombre +
            Cp(". Introduzca un disco y pulse el botón Aceptar para comenzar a copiar.  Si  desea "
               "suspender el proceso de Copia  a  disco pulse el botón Cancelar.");
  m.lineas = 6;
  m.botones = kBotonesAceptarCancelar;
  m.contexto = 2450;
  return m;
}

}  // namespace zendo

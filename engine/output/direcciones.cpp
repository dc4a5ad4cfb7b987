#include "engine/output/direcciones.h"

#include <algorithm>

#include "engine/core/elementos.h"
#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {

LecturaDirecciones LeeDirecciones(const std::filesystem::path& rutaDatos) {
  LecturaDirecciones l;
  std::string contenido;
  const auto ruta = rutaDatos / kFicheroDirecciones;
  l.error = LeeFichero(ruta, contenido);
  if (l.error == kErrNoEncontrado) {
    const int16_t e = ReemplazaFichero(ruta, "");
    if (e != kSinError) {
      l.mensaje = Cp("No se ha podido crear el fichero de direcciones DIRECC.TVX (error ") +
                  std::to_string(e) + ").";
      l.fallo = {e, kFicheroDirecciones, OperacionFichero::Crear};
    }
    return l;
  }
  if (l.error != kSinError) {
    l.mensaje = Cp("No se ha podido leer el fichero de direcciones DIRECC.TVX (error ") +
                std::to_string(l.error) + ").";
    l.fallo = {l.error, kFicheroDirecciones, OperacionFichero::Leer};
    return l;
  }
  l.direcciones = ParseaElementos(contenido);
  return l;
}

int16_t GuardaDirecciones(const std::filesystem::path& rutaDatos,
                          const std::vector<std::string>& direcciones) {
  return ReemplazaFichero(rutaDatos / kFicheroDirecciones, TextoElementos(direcciones));
}

std::string MensajeFalloDirecciones(int16_t error) {
  return ConCausa(
      Cp("No se ha podido guardar la lista de direcciones en el fichero DIRECC.TVX (error ") +
          std::to_string(error) +
          Cp("). La lista sigue en la pantalla: compruebe que la carpeta de datos admite "
             "escritura y vuelva a salir."),
      {error, kFicheroDirecciones, OperacionFichero::Escribir});
}

std::string FalloDireccion(std::string_view direccion) {
  const std::string_view d = Recorta(direccion);
  const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
  if (std::any_of(d.begin(), d.end(), control)) {
    return Cp("La dirección contiene saltos de línea u otros caracteres de control.");
  }
  if (d.find_first_of(",; \t") != std::string_view::npos ||
      std::count(d.begin(), d.end(), '@') > 1) {
    return Cp("Escriba una sola dirección en cada línea de la lista.");
  }
  const auto arroba = d.find('@');
  if (arroba == std::string_view::npos) return Cp("A la dirección le falta la arroba (@).");
  if (arroba == 0 || arroba + 1 == d.size()) {
    return Cp("Falta el nombre o el dominio a un lado de la arroba (@).");
  }
  const auto especial = [](unsigned char c) {
    return c >= 0x80 ||
           std::string_view("\"()<>[]\\:").find(static_cast<char>(c)) != std::string_view::npos;
  };
  if (std::any_of(d.begin(), d.end(), especial)) {
    return Cp("La dirección solo puede llevar letras sin acentos, cifras y los signos . _ - +");
  }
  const std::string_view dominio = d.substr(arroba + 1);
  if (dominio.front() == '.' || dominio.back() == '.' ||
      dominio.find("..") != std::string_view::npos) {
    return Cp("El dominio de la dirección (tras la arroba) no es válido.");
  }
  if (d.size() > kLargoDireccion) return Cp("La dirección es demasiado larga.");
  return {};
}

}  // namespace zendo

#include "engine/core/elementos.h"

#include <algorithm>

#include "engine/core/fichero.h"
#include "engine/core/texto.h"

namespace zendo {

std::vector<std::string> ParseaElementos(std::string_view contenido) {
  std::vector<std::string> elementos;
  std::size_t i = 0;
  const std::size_t n = contenido.size();
  while (i < n) {
    while (i < n && (contenido[i] == ' ' || contenido[i] == '\t')) ++i;
    if (i >= n) break;
    if (contenido[i] == '\r' || contenido[i] == '\n') {
      ++i;  // an empty line holds no item
      continue;
    }
    std::string campo;
    if (contenido[i] == '"') {
      // A quote left open ends with its line: an item never spans two lines.
      const auto cierre = std::min(contenido.find_first_of("\"\r\n", i + 1), n);
      campo = std::string(contenido.substr(i + 1, cierre - i - 1));
      i = cierre < n && contenido[cierre] == '"' ? cierre + 1 : cierre;
      // Whatever follows the closing quote up to the separator belongs to no item.
      while (i < n && contenido[i] != ',' && contenido[i] != '\n' && contenido[i] != '\r') ++i;
    } else {
      const auto fin = std::min(contenido.find_first_of(",\r\n", i), n);
      campo = std::string(RecortaDer(contenido.substr(i, fin - i)));
      i = fin;
    }
    if (i < n && contenido[i] == ',') {
      ++i;
    } else {
      if (i < n && contenido[i] == '\r') ++i;
      if (i < n && contenido[i] == '\n') ++i;
    }
    elementos.push_back(std::move(campo));
  }
  return elementos;
}

std::string TextoElementos(const std::vector<std::string>& elementos) {
  std::string contenido;
  for (const auto& e : elementos) {
    std::string item(Recorta(e));
    // A quote cannot be held by the file; a comma would split the item unless quoted.
    item.erase(std::remove(item.begin(), item.end(), '"'), item.end());
    if (item.find(',') != std::string::npos) item = "\"" + item + "\"";
    contenido += item + kSaltoLinea;
  }
  return contenido;
}

}  // namespace zendo

#include "engine/core/borrado.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>
#include <utility>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo {

std::string PreguntaBorrado(int desde, int hasta) {
  std::string t = Cp("Se van a eliminar todos los datos");
  if (desde == hasta) {
    t += " referentes a la Jornada " + FormatoTexto(desde, "@@");
  } else {
    t += "  desde  la Jornada " + FormatoTexto(desde, "@@") + " hasta la Jornada " +
         FormatoTexto(hasta, "@@");
  }
  t += "." + kSaltoLinea +
       Cp("Si desea continuar con el proceso,  pulse el botón  Aceptar.  Si  prefiere conservar "
          "esos datos, pulse el botón Cancelar.");
  return t;
}

bool EsFicheroReduccionDe(const std::string& nombre, int jornada) {
  auto mayusculas = [](std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string n = mayusculas(nombre);
  const std::string prefijo = "RED" + DosDigitos(jornada);
  return n.size() >= prefijo.size() + 4 && n.compare(0, prefijo.size(), prefijo) == 0 &&
         n.compare(n.size() - 4, 4, ".TVX") == 0;
}

ResultadoBorrado BorraJornadas(const std::filesystem::path& rutaDatos, int desde, int hasta) {
  ResultadoBorrado r;
  auto anota = [&r](int16_t error, const char* codigo) {
    if (error != kSinError && r.error == kSinError) {
      r.error = error;
      r.mensaje = std::string(codigo) + " ERROR " + std::to_string(error);
    }
  };

  // A wiped jornada is blank through and through, not the "00/00/00" an empty record is
  // shown with once read: nothing of the old record, not even its date, stays in the file.
  const std::string vacio(kLargoRegistroJornada, ' ');
  for (int j = desde; j <= hasta; ++j) anota(EscribeJornada(rutaDatos, j, vacio), "BDJ");

  // One pass over the index finds every key of the range, whatever its order number.
  const ListaIndice indice = LeeIndice(rutaDatos);
  if (indice.estado.error != kSinError && indice.estado.error != kErrNoEncontrado) {
    anota(indice.estado.error, "BRB");
  }
  std::set<std::pair<int, int>> claves;
  for (const auto& registro : indice.registros) {
    if (RegistroBorrado(registro) || registro.size() < 4) continue;
    const int j = ValCorto(std::string_view(registro).substr(0, 2));
    const int o = ValCorto(std::string_view(registro).substr(2, 2));
    if (j >= desde && j <= hasta) claves.emplace(j, o);
  }
  for (const auto& [j, o] : claves) {
    const EstadoIndice e = BorraReduccionBases(rutaDatos, j, o);
    if (e.error == kSinError) {
      ++r.reducciones;
    } else {
      anota(e.error, "BRB");
    }
  }

  std::error_code ec;
  std::vector<std::filesystem::path> ficheros;
  for (std::filesystem::directory_iterator it(rutaDatos, ec), fin; !ec && it != fin;
       it.increment(ec)) {
    const std::string nombre = it->path().filename().string();
    for (int j = desde; j <= hasta; ++j) {
      if (EsFicheroReduccionDe(nombre, j)) {
        ficheros.push_back(it->path());
        break;
      }
    }
  }
  if (ec) anota(ErrorDesdeErrno(ec.value()), "BRF");
  for (const auto& f : ficheros) {
    const int16_t e = BorraFichero(f);
    if (e == kSinError) {
      ++r.ficheros;
    } else {
      anota(e, "BRF");
    }
  }
  return r;
}

}  // namespace zendo

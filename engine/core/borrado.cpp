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
#include "engine/core/transaccion.h"

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
  auto falla = [&r](const FalloFichero& f, const char* codigo) {
    r.error = f.error;
    r.fallo = f;
    r.mensaje = std::string(codigo) + " ERROR " + std::to_string(f.error);
    r.reducciones = r.ficheros = 0;
    return r;
  };
  if (desde < 1 || hasta < desde) return r;
  // Everything goes in one commit: after a failure or a crash either all of it is still
  // there or none of it.
  Transaccion t(rutaDatos);

  // A wiped jornada is blank through and through, not the "00/00/00" an empty record is
  // shown with once read: nothing of the old record, not even its date, stays in the file.
  std::string jornadas;
  const int16_t errJornadas = LeeFichero(rutaDatos / kFicheroJornadas, jornadas);
  if (errJornadas != kSinError && errJornadas != kErrNoEncontrado) {
    return falla({errJornadas, kFicheroJornadas, OperacionFichero::Leer}, "BDJ");
  }
  const std::size_t fin = static_cast<std::size_t>(hasta) * kLargoRegistroJornada;
  if (jornadas.size() < fin) jornadas.resize(fin, ' ');
  const std::size_t inicio = static_cast<std::size_t>(desde - 1) * kLargoRegistroJornada;
  jornadas.replace(inicio, fin - inicio, fin - inicio, ' ');
  t.Reemplaza(kFicheroJornadas, jornadas);

  // One pass over the index finds every key of the range, whatever its order number.
  const ContenidoIndice indice = IndiceSinReducciones(
      rutaDatos, [&](int j, int) { return j >= desde && j <= hasta; }, &r.reducciones);
  if (indice.estado.error != kSinError) {
    return falla({indice.estado.error, kFicheroIndice, OperacionFichero::Leer}, "BRB");
  }
  if (indice.cambia) t.Reemplaza(kFicheroIndice, indice.contenido);

  std::error_code ec;
  for (std::filesystem::directory_iterator it(rutaDatos, ec), final; !ec && it != final;
       it.increment(ec)) {
    const std::string nombre = it->path().filename().string();
    for (int j = desde; j <= hasta; ++j) {
      if (EsFicheroReduccionDe(nombre, j)) {
        t.Borra(nombre);
        ++r.ficheros;
        break;
      }
    }
  }
  if (ec)
    return falla({ErrorDesdeErrno(ec.value()), rutaDatos.string(), OperacionFichero::Leer}, "BRF");

  const ResultadoTransaccion c = t.Confirma();
  if (c.fallo) {
    const std::string& f = c.fallo.fichero;
    return falla(c.fallo, f == kFicheroJornadas ? "BDJ" : f == kFicheroIndice ? "BRB" : "BRF");
  }
  return r;
}

}  // namespace zendo

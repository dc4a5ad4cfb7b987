// Marks columns of a stored reduction and deletes them: the three marking methods of the
// consultation screen and its deletion of marked columns, without questions.

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/comandos.h"
#include "engine/consult/borrado_columnas.h"
#include "engine/consult/fichero_boletos.h"
#include "engine/consult/marcado.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"

namespace zendo::cli {
namespace {

// "1,5,7,10-12": the numbers of a list, ranges expanded; nullopt when it is not such a list
// or a number lies outside [minimo, maximo].
std::optional<std::vector<int64_t>> LeeLista(const std::string& texto, int64_t minimo,
                                             int64_t maximo) {
  std::vector<int64_t> numeros;
  auto numero = [](const std::string& t) -> std::optional<int64_t> {
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos || t.size() > 12) {
      return std::nullopt;
    }
    return std::strtoll(t.c_str(), nullptr, 10);
  };
  std::size_t inicio = 0;
  while (true) {
    const std::size_t coma = texto.find(',', inicio);
    const std::string item = texto.substr(inicio, coma - inicio);
    const std::size_t guion = item.find('-');
    const auto desde = numero(item.substr(0, guion));
    const auto hasta = guion == std::string::npos ? desde : numero(item.substr(guion + 1));
    if (!desde || !hasta || *desde > *hasta || *desde < minimo || *hasta > maximo) {
      return std::nullopt;
    }
    for (int64_t n = *desde; n <= *hasta; ++n) numeros.push_back(n);
    if (coma == std::string::npos) break;
    inicio = coma + 1;
  }
  return numeros;
}

int BorrarColumnas(const Argumentos& a) {
  // It writes the work file, the columns file and the index: the folder is reserved.
  const auto pedida = PideReduccion(a, true);
  if (!pedida) return kSalidaUso;
  const std::filesystem::path& datos = pedida->datos;
  const int jornada = pedida->jornada;
  const int orden = pedida->orden;
  const auto textoColumnas = a.Opcion("--columnas");
  const auto textoVariantes = a.Opcion("--variantes");
  if (!textoColumnas && !textoVariantes && !a.Opcion("--azar")) {
    std::cerr << "zendo-cli: indique qué marcar: --columnas, --variantes o --azar\n";
    return kSalidaUso;
  }
  // Column numbers are checked against the reduction once its work file is built.
  std::vector<int64_t> columnas;
  if (textoColumnas) {
    const auto l = LeeLista(*textoColumnas, 1, INT32_MAX);
    if (!l) {
      std::cerr << "zendo-cli: --columnas espera números de columna separados por comas, con "
                   "intervalos como 3-9\n";
      return kSalidaUso;
    }
    columnas = *l;
  }
  std::array<bool, 15> variantes{};
  if (textoVariantes) {
    const auto l = LeeLista(*textoVariantes, 0, 14);
    if (!l) {
      std::cerr << "zendo-cli: --variantes espera números de variantes de 0 a 14 separados por "
                   "comas\n";
      return kSalidaUso;
    }
    for (const int64_t v : *l) variantes[static_cast<std::size_t>(v)] = true;
  }
  std::optional<int> porcentaje;
  if (a.Opcion("--azar")) {
    porcentaje = OpcionEntera(a, "--azar", 0, 99);
    if (!porcentaje) return kSalidaUso;
  }

  const auto guardada = CargaReduccionGuardada(datos, jornada, orden);
  if (!guardada) return kSalidaError;
  const Reduccion& r = guardada->r;

  const std::filesystem::path trabajo = datos / kFicheroBoletos;
  std::atomic<bool> cancelar{false};
  const ResultadoBoletos creado = CreaFicheroBoletos(datos, jornada, orden, nullptr, cancelar);
  if (creado.error != kSinError) {
    ImprimeError(creado.mensaje.empty()
                     ? "No se encuentra el fichero " + NombreReduccion(jornada, orden) + "."
                     : creado.mensaje);
    return kSalidaError;
  }
  EstadoMarcado e = EstadoMarcado::De(creado.resumen);
  // The work file is the program's scratch: it goes when the command ends, whatever happens.
  struct Limpieza {
    std::filesystem::path ruta;
    ~Limpieza() { BorraFichero(ruta); }
  } limpieza{trabajo};

  for (const int64_t c : columnas) {
    if (c > e.columnas) {
      std::cerr << "zendo-cli: la columna " << c << " no existe: la reducción tiene " << e.columnas
                << " columnas\n";
      return kSalidaUso;
    }
  }
  auto comprueba = [](const ResultadoMarcado& m) {
    if (m.error == kSinError) return true;
    ImprimeError(m.mensaje);
    return false;
  };
  if (!columnas.empty() && !comprueba(MarcaNumeros(trabajo, columnas, e))) return kSalidaError;
  if (textoVariantes && !comprueba(MarcaPorVariantes(trabajo, variantes, e))) {
    return kSalidaError;
  }
  if (porcentaje) {
    GeneradorAzar azar;
    const TotalesMarcado t = TotalesPorPorcentaje(r.NumApuestas, e.ColumnasMarcadas, *porcentaje);
    if (!comprueba(MarcaAlAzar(trabajo, t.marcar, azar, e))) return kSalidaError;
  }

  const ResultadoBorradoColumnas b = BorraColumnasMarcadas(datos, jornada, orden);
  if (b.error != kSinError) {
    ImprimeFallo(b.mensaje, b.fallo);
    return kSalidaError;
  }
  ImprimeLinea(NombreReduccion(jornada, orden) + ": " + std::to_string(b.NumApuestas) +
               " columnas");
  return kSalidaOk;
}

const RegistroComando kBorrarColumnas({
    "borrar-columnas",
    "marca columnas de una reducción y las borra",
    "Uso: zendo-cli borrar-columnas --datos CARPETA --jornada J --orden O\n"
    "       [--columnas LISTA] [--variantes LISTA] [--azar PORCENTAJE]\n\n"
    "Marca columnas de la reducción guardada de la jornada J y el orden O como lo hace la\n"
    "pantalla de consulta, y borra las marcadas sin preguntar: el fichero RED<jj><oo>.TVX\n"
    "conserva las demás en su orden y el registro de BASES.TVX recibe las nuevas cuentas\n"
    "(apuestas reducidas y columnas con pleno 1 y X), las dos cosas como un solo cambio.\n"
    "Hace falta al menos una de las tres formas de marcar, que se aplican en este orden:\n"
    "  --columnas LISTA     los números de columna (1 es la primera del fichero) de la lista,\n"
    "                       separados por comas, con intervalos: 1,5,7,10-12\n"
    "  --variantes LISTA    las columnas sin marcar cuyo número de variantes (signos que no\n"
    "                       son 1 en los partidos 1 a 14) está en la lista: 0,3-9\n"
    "  --azar PORCENTAJE    ese porcentaje (0 a 99) de las columnas sin marcar, elegidas al\n"
    "                       azar; la secuencia del azar empieza siempre igual\n"
    "Sirve para reducciones de cualquier método. Al terminar escribe\n"
    "\"RED<jj><oo>.TVX: N columnas\".\n"
    "Salida: 0 bien; 1 no hay reducción guardada o un fichero no se pudo leer o escribir (la\n"
    "reducción queda como estaba); 64 argumentos incorrectos, también una columna que no\n"
    "existe en la reducción (no se cambia nada).\n",
    {"--datos", "--jornada", "--orden", "--columnas", "--variantes", "--azar"},
    {},
    BorrarColumnas,
});

}  // namespace
}  // namespace zendo::cli

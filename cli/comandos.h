#pragma once
// The commands of zendo-cli. Each command file registers itself with a static
// RegistroComando, so adding a command touches no other file.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/cerrojo.h"
#include "engine/core/datos_generales.h"
#include "engine/core/fallo.h"
#include "engine/reduction/modelo.h"

namespace zendo::cli {

// Exit codes shared by every command.
inline constexpr int kSalidaOk = 0;
inline constexpr int kSalidaError = 1;  // a file could not be read or written
inline constexpr int kSalidaUso = 64;   // wrong arguments

struct Argumentos {
  std::map<std::string, std::string> opciones;  // "--datos" -> "DIR" (the last one given)
  // Every value of every option, in the order given: a repeated option ("--para A --para B")
  // or one that takes several values ("--premios P15 ... P10").
  std::map<std::string, std::vector<std::string>> valores;
  std::vector<std::string> banderas;  // "--reemplazar"
  bool Tiene(const std::string& bandera) const;
  std::optional<std::string> Opcion(const std::string& nombre) const;
  std::vector<std::string> Valores(const std::string& nombre) const;
};

struct Comando {
  std::string nombre;
  std::string resumen;                        // one line for the general help
  std::string ayuda;                          // the whole help of the command (UTF-8)
  std::vector<std::string> opcionesConValor;  // options that take a value
  std::vector<std::string> banderasValidas;   // options without a value
  std::function<int(const Argumentos&)> ejecuta;
  // Options that take several values at once ("--premios" -> 6); they are also listed in
  // opcionesConValor.
  std::map<std::string, int> valoresPorOpcion = {};
};

std::map<std::string, Comando>& Comandos();

struct RegistroComando {
  explicit RegistroComando(Comando c);
};

// Every command opens the data folder "--datos DIR" through one of these two before it reads
// or writes any file of it; nothing else is needed for the folder's lock and journal:
//
//   A command that only reads calls CarpetaDatos. It writes nothing, except that the journal
//   of a change a crash cut short is resolved first (under the folder lock).
//   A command that writes in the data folder (a reduction, a jornada record, the index, the
//   address book, ...) calls CarpetaDatosEscritura and keeps the result alive while it works:
//   it holds the folder lock (waiting up to kEsperaCerrojo for another program to let go),
//   the journal is resolved and stale temporaries are removed.
//
// Both return nullopt when --datos is missing (the command then returns kSalidaUso). When
// the folder cannot be used (it does not exist, is not a folder, another program holds it,
// its journal cannot be resolved) they print why on standard error and end zendo-cli with
// kSalidaError.
std::optional<std::filesystem::path> CarpetaDatos(const Argumentos& a);
struct CarpetaEscritura {
  std::filesystem::path ruta;
  CerrojoCarpeta cerrojo;
};
std::optional<CarpetaEscritura> CarpetaDatosEscritura(const Argumentos& a);
// Reads an integer option within [minimo, maximo]; prints the error otherwise.
std::optional<int> OpcionEntera(const Argumentos& a, const std::string& nombre, int minimo,
                                int maximo);

// What a command on one stored reduction reads first, in this order: the data folder (opened
// by CarpetaDatos, or by CarpetaDatosEscritura when `escribe`, its lock then held here),
// "--jornada J" and "--orden O" (1 to 99). nullopt, the error printed, when one is missing or
// wrong: the command then returns kSalidaUso.
struct ReduccionPedida {
  std::filesystem::path datos;
  int jornada = 0;
  int orden = 0;
  std::optional<CarpetaEscritura> escritura;
};
std::optional<ReduccionPedida> PideReduccion(const Argumentos& a, bool escribe = false);

// What a command that works on a stored reduction reads first: the general data (their
// defaults when DATOSGEN.TVX is missing, which reading does not create) and the record of
// (jornada, orden). Prints the error and returns nullopt when a file cannot be read or the
// reduction is not stored.
struct ReduccionGuardada {
  DatosGenerales datos;
  Reduccion r;
};
std::optional<ReduccionGuardada> CargaReduccionGuardada(const std::filesystem::path& ruta,
                                                        int jornada, int orden);

// True when `ruta` names a file of the data folder `datos` itself: a command that writes it
// (through its temporary) must hold the folder's lock, so that no other program's start
// takes that temporary for a stale one.
bool EnCarpetaDatos(const std::filesystem::path& ruta, const std::filesystem::path& datos);

// True when the file exists (following links); an error while looking counts as missing.
bool ExisteFichero(const std::filesystem::path& ruta);

// zendo-cli loads only the engine, so that every command starts at once. Painting pages (Qt,
// CUPS) and sending mail (libcurl) happen in zendo-cli-salida, built from these same sources
// beside it. A command that needs them calls EjecutaEnSalida before it touches any file: in
// zendo-cli that runs zendo-cli-salida with the same command line, and returns only when it
// cannot be started (the error printed, kSalidaError); in zendo-cli-salida it returns nullopt
// and the command goes on.
std::optional<int> EjecutaEnSalida();
// The command line as main received it, for EjecutaEnSalida.
char**& LineaOrdenes();

// Prints Windows-1252 text to standard output as UTF-8.
void Imprime(const std::string& cp1252);
void ImprimeLinea(const std::string& cp1252);
// Errors go to standard error, as UTF-8.
void ImprimeError(const std::string& cp1252);
// A file error: the short code the program shows ("RED ERROR 61"), then, when the failure
// is known, the file and the cause ("RED ERROR 61: disco lleno al escribir RED3001.TVX").
// `mensaje` is the engine's message; when it starts with "<codigo> ERROR n" the cause is
// added to that line.
void ImprimeFallo(const std::string& mensaje, const FalloFichero& fallo);

}  // namespace zendo::cli

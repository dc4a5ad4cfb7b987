#pragma once
// One commit for every change that spans files of the data folder: a columns file and its
// index record, the deletion of marked columns, the deletion of a reduction from the
// history, the deletion of a range of jornadas. After a crash at any instant the next start
// finds either the set of files as it was before the change or the set after it, never a
// mix, and nothing of the earlier set is lost before the new one is complete.
//
// How to use it (the caller holds the folder lock, see cerrojo.h):
//
//   Transaccion t(rutaDatos);
//   // A file whose new bytes are at hand: written and flushed to its temporary now.
//   if (int16_t e = t.Reemplaza(kFicheroIndice, nuevoIndice); e != 0) ... nothing changed
//   // A large file streamed through an EscritorAtomico: flush it, then hand it over.
//   EscritorAtomico escritor(rutaDatos / "RED0101.TVX");
//   ... escritor.Escribe(...) ...
//   if (int16_t e = escritor.Entrega(); e != 0) ... nothing changed
//   t.ReemplazaCon("RED0101.TVX", escritor.temporal());
//   // A file that goes (one already missing is no error).
//   t.Borra("RED0102.TVX");
//   const ResultadoTransaccion r = t.Confirma(&cancelar);
//   if (r.cancelada) ... nothing changed;  if (r.fallo.error != 0) ... nothing changed,
//   // and r.fallo names the file and what was being done to it (for the message).
//
// A Transaccion destroyed without Confirma (an early return on an error) removes the
// temporaries it was given and changes nothing. Names are file names of the data folder,
// without folders; the index BASES.TVX is replaced whole like any other file.
//
// How it works: every file to be replaced or deleted first gets a kept copy (a hard link,
// "~zendo-ant-" + its name); then a journal naming every step is written and flushed; then
// the temporaries are renamed over their files and the deleted files are unlinked; then the
// kept copies and the journal go. A journal found at a start (ResuelveDiario) means a commit
// that did not end: when every temporary was already renamed and every deleted file is gone
// the new set is complete and only the leftovers are removed (roll forward); otherwise every
// file is put back from its kept copy and the new files are removed (roll back).

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/fallo.h"

namespace zendo {

// The journal of a commit in progress, in the data folder. Its name does not follow the
// temporaries' rule: the cleanup must never take it for a stale temporary.
inline constexpr const char* kFicheroDiario = ".zendo-diario";

struct ResultadoTransaccion {
  FalloFichero fallo;      // error 0 when the commit happened (or there was nothing to do)
  bool cancelada = false;  // `cancelar` was set before the commit point: nothing changed
};

class Transaccion {
 public:
  explicit Transaccion(std::filesystem::path carpeta);
  ~Transaccion();
  Transaccion(const Transaccion&) = delete;
  Transaccion& operator=(const Transaccion&) = delete;

  // The file `nombre` is to hold `contenido`: the bytes are written to its temporary and
  // flushed now. Returns the error number (the commit will then fail with it).
  int16_t Reemplaza(const std::string& nombre, std::string_view contenido);
  // The file `nombre` is to become `temporal`, a file of the same folder already written
  // and flushed (EscritorAtomico::Entrega). The transaction takes it over.
  void ReemplazaCon(const std::string& nombre, const std::filesystem::path& temporal);
  // The file `nombre` is to be deleted.
  void Borra(const std::string& nombre);

  // Commits everything as one change. `cancelar`, when given, is honoured up to the commit
  // point (the first rename): a cancelled or failed commit changes nothing.
  ResultadoTransaccion Confirma(const std::atomic<bool>* cancelar = nullptr);

 private:
  struct Paso {
    bool borrar = false;
    std::string nombre;    // the file of the folder
    std::string temporal;  // for a replacement: the temporary that takes its place
  };
  void Descarta();

  std::filesystem::path carpeta_;
  std::vector<Paso> pasos_;
  FalloFichero fallo_;
  bool hecha_ = false;
};

// Resolves the journal of a commit that did not end, if there is one: rolls forward when the
// new set is complete, else back. The caller holds the folder lock. error 0 when there was
// no journal or it was resolved; `habia` tells whether there was one.
struct ResolucionDiario {
  FalloFichero fallo;
  bool habia = false;
  bool adelante = false;  // the new set was complete
};
ResolucionDiario ResuelveDiario(const std::filesystem::path& carpeta);

// True when a journal waits to be resolved.
bool HayDiario(const std::filesystem::path& carpeta);

// Fault tests only: called right before and right after every rename, unlink and flush of a
// commit or of a resolution, with the file concerned. A test's hook ends the process there.
enum class PasoDisco { Renombra, Borra, Vuelca };
using GanchoTransaccion = void (*)(PasoDisco paso, bool despues, const std::string& fichero);
void PonGanchoTransaccion(GanchoTransaccion gancho);

}  // namespace zendo

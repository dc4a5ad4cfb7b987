#include "engine/core/transaccion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "engine/core/fichero.h"

namespace zendo {

namespace fs = std::filesystem;

namespace {

GanchoTransaccion gGancho = nullptr;  // fault tests only

constexpr const char* kCabeceraDiario = "zendo-diario 1";
constexpr const char* kFinDiario = "fin";
constexpr const char* kClaseConservada = "ant-";
constexpr std::size_t kMaximoDiario = 1 << 20;

void Gancho(PasoDisco paso, bool despues, const std::string& fichero) {
  if (gGancho != nullptr) gGancho(paso, despues, fichero);
}

FalloFichero Fallo(int numeroErrno, const std::string& fichero, OperacionFichero op) {
  return FalloFichero{ErrorDesdeErrno(numeroErrno), fichero, op};
}

bool Existe(const fs::path& ruta) {
  struct stat st {};
  return ::lstat(ruta.c_str(), &st) == 0;
}

// A plain name of a file of the folder: no folder part, nothing special.
bool NombreValido(std::string_view n) {
  return !n.empty() && n != "." && n != ".." &&
         n.find_first_of(std::string_view("/\t\r\n\0", 5)) == std::string_view::npos;
}

std::string Conservada(const std::string& nombre) {
  return RutaTemporal(nombre, kClaseConservada).string();
}

// The disk steps, each between the calls of the fault hook.
class Disco {
 public:
  explicit Disco(const fs::path& carpeta) : carpeta_(carpeta) {}

  fs::path Ruta(const std::string& nombre) const { return carpeta_ / nombre; }

  FalloFichero Renombra(const std::string& de, const std::string& a) const {
    Gancho(PasoDisco::Renombra, false, a);
    if (::rename(Ruta(de).c_str(), Ruta(a).c_str()) != 0) {
      return Fallo(errno, a, OperacionFichero::Renombrar);
    }
    Gancho(PasoDisco::Renombra, true, a);
    return {};
  }

  // A file already missing is no error.
  FalloFichero Borra(const std::string& nombre) const {
    Gancho(PasoDisco::Borra, false, nombre);
    if (::unlink(Ruta(nombre).c_str()) != 0 && errno != ENOENT) {
      return Fallo(errno, nombre, OperacionFichero::Borrar);
    }
    Gancho(PasoDisco::Borra, true, nombre);
    return {};
  }

  // Makes the folder's entries (renames, links, unlinks) durable.
  FalloFichero VuelcaCarpeta() const {
    Gancho(PasoDisco::Vuelca, false, ".");
    const int fd = ::open(carpeta_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Fallo(errno, carpeta_.string(), OperacionFichero::Escribir);
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot
    const int e = errno;
    ::close(fd);
    if (!ok) return Fallo(e, carpeta_.string(), OperacionFichero::Escribir);
    Gancho(PasoDisco::Vuelca, true, ".");
    return {};
  }

  // Writes and flushes a whole small file.
  FalloFichero EscribeVolcado(const std::string& nombre, std::string_view contenido) const {
    const int fd = ::open(Ruta(nombre).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Fallo(errno, nombre, OperacionFichero::Escribir);
    std::size_t hecho = 0;
    while (hecho < contenido.size()) {
      const ssize_t w = ::write(fd, contenido.data() + hecho, contenido.size() - hecho);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        const int e = w < 0 ? errno : ENOSPC;
        ::close(fd);
        return Fallo(e, nombre, OperacionFichero::Escribir);
      }
      hecho += static_cast<std::size_t>(w);
    }
    Gancho(PasoDisco::Vuelca, false, nombre);
    if (::fsync(fd) != 0) {
      const int e = errno;
      ::close(fd);
      return Fallo(e, nombre, OperacionFichero::Escribir);
    }
    if (::close(fd) != 0) return Fallo(errno, nombre, OperacionFichero::Escribir);
    Gancho(PasoDisco::Vuelca, true, nombre);
    return {};
  }

  // Keeps the bytes of `nombre` under `copia`: a second link to the same file, or, where
  // the file system has no links, a flushed copy.
  FalloFichero Conserva(const std::string& nombre, const std::string& copia) const {
    if (::unlink(Ruta(copia).c_str()) != 0 && errno != ENOENT) {
      return Fallo(errno, copia, OperacionFichero::Borrar);
    }
    if (::link(Ruta(nombre).c_str(), Ruta(copia).c_str()) == 0) return {};
    if (errno != EPERM && errno != ENOTSUP && errno != EMLINK && errno != EXDEV) {
      return Fallo(errno, copia, OperacionFichero::Crear);
    }
    return Copia(nombre, copia);
  }

 private:
  FalloFichero Copia(const std::string& nombre, const std::string& copia) const {
    int origen = -1;
    uint64_t tamano = 0;
    if (const int16_t error = AbreLecturaRegular(Ruta(nombre), origen, tamano); error != 0) {
      return FalloFichero{error, nombre, OperacionFichero::Leer};
    }
    const int destino = ::open(Ruta(copia).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (destino < 0) {
      const int e = errno;
      ::close(origen);
      return Fallo(e, copia, OperacionFichero::Crear);
    }
    FalloFichero f;
    std::vector<char> buf(1 << 20);
    for (;;) {
      const ssize_t n = ::read(origen, buf.data(), buf.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        f = Fallo(errno, nombre, OperacionFichero::Leer);
        break;
      }
      if (n == 0) break;
      ssize_t hecho = 0;
      while (hecho < n) {
        const ssize_t w = ::write(destino, buf.data() + hecho, static_cast<std::size_t>(n - hecho));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
          f = Fallo(w < 0 ? errno : ENOSPC, copia, OperacionFichero::Escribir);
          break;
        }
        hecho += w;
      }
      if (f) break;
    }
    ::close(origen);
    if (!f) {
      Gancho(PasoDisco::Vuelca, false, copia);
      if (::fsync(destino) != 0) f = Fallo(errno, copia, OperacionFichero::Escribir);
    }
    if (::close(destino) != 0 && !f) f = Fallo(errno, copia, OperacionFichero::Escribir);
    if (!f) Gancho(PasoDisco::Vuelca, true, copia);
    return f;
  }

 private:
  fs::path carpeta_;
};

struct EntradaDiario {
  bool borrar = false;
  bool existia = false;
  std::string nombre;
  std::string temporal;
};

std::string TextoDiario(const std::vector<EntradaDiario>& entradas) {
  std::string t = std::string(kCabeceraDiario) + "\n";
  for (const auto& e : entradas) {
    t += e.borrar ? "B\t" : "R\t";
    t += e.existia ? "1\t" : "0\t";
    t += e.nombre;
    if (!e.borrar) t += "\t" + e.temporal;
    t += "\n";
  }
  return t + kFinDiario + "\n";
}

// False when the text is not a whole journal of ours.
bool ParseaDiario(std::string_view texto, std::vector<EntradaDiario>& entradas) {
  const auto lineas = PartirLineas(texto);
  if (lineas.size() < 2 || lineas.front() != kCabeceraDiario || lineas.back() != kFinDiario) {
    return false;
  }
  for (std::size_t i = 1; i + 1 < lineas.size(); ++i) {
    std::vector<std::string_view> campos;
    std::string_view l = lineas[i];
    for (std::size_t p; (p = l.find('\t')) != std::string_view::npos; l.remove_prefix(p + 1)) {
      campos.push_back(l.substr(0, p));
    }
    campos.push_back(l);
    EntradaDiario e;
    if (campos.size() < 3 || (campos[0] != "R" && campos[0] != "B") ||
        (campos[1] != "0" && campos[1] != "1")) {
      return false;
    }
    e.borrar = campos[0] == "B";
    e.existia = campos[1] == "1";
    e.nombre = std::string(campos[2]);
    if (!NombreValido(e.nombre) || EsTemporal(e.nombre) || e.nombre == kFicheroDiario) {
      return false;
    }
    if (e.borrar ? campos.size() != 3 : campos.size() != 4) return false;
    if (!e.borrar) {
      e.temporal = std::string(campos[3]);
      // Only a temporary is ever removed as the new file of a rolled back commit.
      if (!NombreValido(e.temporal) || !EsTemporal(e.temporal)) return false;
    }
    entradas.push_back(std::move(e));
  }
  return true;
}

// Finishes or undoes the commit the journal describes; the same code serves a commit in
// progress and a start after a crash, and may itself be cut short and run again.
ResolucionDiario Resuelve(const Disco& disco, const std::vector<EntradaDiario>& entradas) {
  ResolucionDiario r;
  r.habia = true;
  bool completo = true;
  for (const auto& e : entradas) {
    if (e.borrar ? (e.existia && Existe(disco.Ruta(e.nombre))) : Existe(disco.Ruta(e.temporal))) {
      completo = false;
    }
  }
  r.adelante = completo;
  auto anota = [&r](const FalloFichero& f) {
    if (f && !r.fallo) r.fallo = f;
  };
  if (!completo) {
    // Back to the earlier set: every file from its kept copy; a file that did not exist
    // before goes again. Temporaries are removed last, so that a resolution cut short is
    // still seen as incomplete by the next one.
    for (const auto& e : entradas) {
      const std::string copia = Conservada(e.nombre);
      if (e.existia) {
        if (Existe(disco.Ruta(copia))) anota(disco.Renombra(copia, e.nombre));
      } else if (!e.borrar && !Existe(disco.Ruta(e.temporal))) {
        anota(disco.Borra(e.nombre));
      }
    }
    if (r.fallo) return r;
    anota(disco.VuelcaCarpeta());
    if (r.fallo) return r;
    for (const auto& e : entradas) {
      if (!e.borrar) anota(disco.Borra(e.temporal));
    }
  }
  for (const auto& e : entradas) {
    if (e.existia) anota(disco.Borra(Conservada(e.nombre)));
  }
  if (r.fallo) return r;
  anota(disco.VuelcaCarpeta());
  if (r.fallo) return r;
  anota(disco.Borra(kFicheroDiario));
  if (!r.fallo) anota(disco.VuelcaCarpeta());
  return r;
}

}  // namespace

void PonGanchoTransaccion(GanchoTransaccion gancho) {
  gGancho = gancho;
}

Transaccion::Transaccion(fs::path carpeta) : carpeta_(std::move(carpeta)) {}

Transaccion::~Transaccion() {
  if (!hecha_) Descarta();
}

void Transaccion::Descarta() {
  for (const auto& p : pasos_) {
    if (!p.borrar) ::unlink((carpeta_ / p.temporal).c_str());
  }
  pasos_.clear();
}

int16_t Transaccion::Reemplaza(const std::string& nombre, std::string_view contenido) {
  const std::string temporal = RutaTemporal(nombre).string();
  if (!NombreValido(nombre)) {
    if (!fallo_) fallo_ = {kErrNombreFichero, nombre, OperacionFichero::Escribir};
    return kErrNombreFichero;
  }
  pasos_.push_back({false, nombre, temporal});
  const FalloFichero f = Disco(carpeta_).EscribeVolcado(temporal, contenido);
  if (f) {
    if (!fallo_) fallo_ = {f.error, nombre, OperacionFichero::Escribir};
    return f.error;
  }
  return kSinError;
}

void Transaccion::ReemplazaCon(const std::string& nombre, const fs::path& temporal) {
  const std::string t = temporal.filename().string();
  pasos_.push_back({false, nombre, t});
  if (!fallo_ && (!NombreValido(nombre) || !EsTemporal(t) || carpeta_ / t != temporal)) {
    fallo_ = {kErrNombreFichero, nombre, OperacionFichero::Escribir};
  }
}

void Transaccion::Borra(const std::string& nombre) {
  if (!NombreValido(nombre)) {
    if (!fallo_) fallo_ = {kErrNombreFichero, nombre, OperacionFichero::Borrar};
    return;
  }
  pasos_.push_back({true, nombre, {}});
}

ResultadoTransaccion Transaccion::Confirma(const std::atomic<bool>* cancelar) {
  ResultadoTransaccion res;
  auto cancelado = [&] { return cancelar != nullptr && cancelar->load(); };
  for (std::size_t i = 0; i < pasos_.size() && !fallo_; ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      // One file, one fate.
      if (pasos_[j].nombre == pasos_[i].nombre) {
        fallo_ = {kErrNombreFichero, pasos_[i].nombre, OperacionFichero::Escribir};
      }
    }
  }
  if (fallo_ || cancelado() || pasos_.empty()) {
    res.fallo = fallo_;
    res.cancelada = !fallo_ && cancelado();
    Descarta();
    hecha_ = true;
    return res;
  }
  const Disco disco(carpeta_);
  std::vector<EntradaDiario> entradas;
  auto abandona = [&](const FalloFichero& f) {
    for (const auto& e : entradas) {
      if (e.existia) ::unlink(disco.Ruta(Conservada(e.nombre)).c_str());
    }
    Descarta();
    res.fallo = f;
    return res;
  };
  // The kept copies of everything that will change.
  for (const auto& p : pasos_) {
    EntradaDiario e{p.borrar, false, p.nombre, p.temporal};
    struct stat st {};
    if (::lstat(disco.Ruta(p.nombre).c_str(), &st) == 0) {
      e.existia = true;
      entradas.push_back(e);
      if (const FalloFichero f = disco.Conserva(p.nombre, Conservada(p.nombre)); f) {
        return abandona(f);
      }
    } else if (errno == ENOENT) {
      entradas.push_back(e);
    } else {
      return abandona(Fallo(errno, p.nombre, OperacionFichero::Leer));
    }
  }
  // The journal: from here on a start puts everything back or finishes it.
  const std::string temporalDiario = RutaTemporal("diario").string();
  if (FalloFichero f = disco.EscribeVolcado(temporalDiario, TextoDiario(entradas)); f) {
    ::unlink(disco.Ruta(temporalDiario).c_str());
    return abandona(f);
  }
  if (FalloFichero f = disco.VuelcaCarpeta(); f) return abandona(f);
  if (FalloFichero f = disco.Renombra(temporalDiario, kFicheroDiario); f) {
    ::unlink(disco.Ruta(temporalDiario).c_str());
    return abandona(f);
  }
  hecha_ = true;  // the temporaries belong to the journal now
  FalloFichero fallo = disco.VuelcaCarpeta();
  if (!fallo && cancelado()) res.cancelada = true;
  // The commit point: the new files take their names, the deleted ones go.
  for (const auto& e : entradas) {
    if (fallo || res.cancelada) break;
    if (!e.borrar) fallo = disco.Renombra(e.temporal, e.nombre);
  }
  for (const auto& e : entradas) {
    if (fallo || res.cancelada) break;
    if (e.borrar && e.existia) fallo = disco.Borra(e.nombre);
  }
  // Either completes the commit or, after a failure, puts the earlier set back.
  const ResolucionDiario r = Resuelve(disco, entradas);
  res.fallo = fallo ? fallo : r.fallo;
  if (!r.fallo && !r.adelante && !fallo && !res.cancelada) {
    res.fallo = {kErrEntradaSalida, kFicheroDiario, OperacionFichero::Escribir};
  }
  return res;
}

bool HayDiario(const fs::path& carpeta) {
  struct stat st {};
  return ::lstat((carpeta / kFicheroDiario).c_str(), &st) == 0;
}

ResolucionDiario ResuelveDiario(const fs::path& carpeta) {
  ResolucionDiario r;
  std::string texto;
  const int16_t e = LeeFichero(carpeta / kFicheroDiario, texto, kMaximoDiario);
  if (e == kErrNoEncontrado) return r;
  r.habia = true;
  const Disco disco(carpeta);
  std::vector<EntradaDiario> entradas;
  if (e != kSinError || !ParseaDiario(texto, entradas)) {
    // Not a journal this program wrote whole (it is written aside and renamed into
    // place): nothing can be known from it, and the files are left as they are.
    if (e != kSinError && e != kErrAcceso) {
      r.fallo = {e, kFicheroDiario, OperacionFichero::Leer};
      return r;
    }
    r.fallo = disco.Borra(kFicheroDiario);
    return r;
  }
  return Resuelve(disco, entradas);
}

}  // namespace zendo

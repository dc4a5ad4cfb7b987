#include "engine/output/columnas_salida.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/fichero.h"

namespace zendo {
namespace {

void Rellena(std::string& destino, std::size_t desde) {
  for (std::size_t p = desde; p < destino.size(); p += kLargoRegistroBoleto) {
    std::memcpy(destino.data() + p, kRegistroBlanco.data(), kLargoRegistroBoleto);
  }
}

// The work file read by records straight from the disk.
class RegistrosEnFichero : public OrigenRegistros {
 public:
  explicit RegistrosEnFichero(const std::filesystem::path& ruta) {
    fd_ = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
      error_ = ErrorDesdeErrno(errno);
      return;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
      error_ = kErrAcceso;
      return;
    }
    registros_ = static_cast<int64_t>(st.st_size) / static_cast<int64_t>(kLargoRegistroBoleto);
  }
  ~RegistrosEnFichero() override {
    if (fd_ >= 0) ::close(fd_);
  }
  RegistrosEnFichero(const RegistrosEnFichero&) = delete;
  RegistrosEnFichero& operator=(const RegistrosEnFichero&) = delete;

  int16_t error() const { return error_; }
  int64_t registros() const override { return registros_; }

  int16_t Lee(int64_t primero, int64_t n, std::string& destino) override {
    destino.resize(static_cast<std::size_t>(n) * kLargoRegistroBoleto);
    const int64_t hasta = std::min(primero + n - 1, registros_);
    std::size_t leidos = 0;
    if (primero >= 1 && hasta >= primero) {
      const std::size_t quiero =
          static_cast<std::size_t>(hasta - primero + 1) * kLargoRegistroBoleto;
      const off_t desde =
          static_cast<off_t>(primero - 1) * static_cast<off_t>(kLargoRegistroBoleto);
      while (leidos < quiero) {
        const ssize_t r = ::pread(fd_, destino.data() + leidos, quiero - leidos,
                                  desde + static_cast<off_t>(leidos));
        if (r < 0) {
          if (errno == EINTR) continue;
          return ErrorDesdeErrno(errno);
        }
        if (r == 0) break;
        leidos += static_cast<std::size_t>(r);
      }
    }
    Rellena(destino, leidos - leidos % kLargoRegistroBoleto);
    return kSinError;
  }

 private:
  int fd_ = -1;
  int16_t error_ = kSinError;
  int64_t registros_ = 0;
};

}  // namespace

int64_t RegistrosEnMemoria::registros() const {
  return static_cast<int64_t>(bytes_.size() / kLargoRegistroBoleto);
}

int16_t RegistrosEnMemoria::Lee(int64_t primero, int64_t n, std::string& destino) {
  destino.resize(static_cast<std::size_t>(n) * kLargoRegistroBoleto);
  std::size_t copiados = 0;
  const int64_t hasta = std::min(primero + n - 1, registros());
  if (primero >= 1 && hasta >= primero) {
    copiados = static_cast<std::size_t>(hasta - primero + 1) * kLargoRegistroBoleto;
    std::memcpy(destino.data(),
                bytes_.data() + static_cast<std::size_t>(primero - 1) * kLargoRegistroBoleto,
                copiados);
  }
  Rellena(destino, copiados);
  return kSinError;
}

std::unique_ptr<OrigenRegistros> AbreRegistros(const std::filesystem::path& ficheroBoletos,
                                               int16_t& error) {
  auto fichero = std::make_unique<RegistrosEnFichero>(ficheroBoletos);
  error = fichero->error();
  if (error != kSinError) return nullptr;
  return fichero;
}

AperturaColumnas AbreColumnasSalida(const std::filesystem::path& rutaDatos, int jornada, int orden,
                                    const std::atomic<bool>& cancelar) {
  AperturaColumnas a;
  const ResultadoBoletos b = CreaFicheroBoletos(rutaDatos, jornada, orden, nullptr, cancelar);
  if (b.cancelado) {
    a.cancelado = true;
    return a;
  }
  if (b.error != kSinError) {
    a.error = b.error;
    // A missing columns file is told too: printing nothing without a word helps nobody.
    a.mensaje = b.mensaje.empty() ? "RED ERROR " + std::to_string(b.error) : b.mensaje;
    return a;
  }
  a.fichero = AbreRegistros(rutaDatos / kFicheroBoletos, a.error);
  if (!a.fichero) a.mensaje = "FORBOL ERROR " + std::to_string(a.error);
  return a;
}

}  // namespace zendo

#include "engine/output/mensaje_correo.h"

#include <cstring>

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/core/lector_lineas.h"
#include "engine/core/texto.h"
#include "engine/output/codificacion_correo.h"
#include "engine/output/hoja_datos.h"

namespace zendo {
namespace {

constexpr std::size_t kTrozo = 64 * 1024;

}  // namespace

std::string AsuntoCorreo(int jornada, int orden) {
  return Cp("Datos de la jornada ") + Formato(jornada, "#0") + Cp(". Reducción nro. ") +
         Formato(orden, "#0");
}

std::string LineaApuesta(int64_t numero, std::string_view columna) {
  // The number right-aligned in five places ("@@@@@"), wider when it needs more.
  std::string n = std::to_string(numero);
  if (n.size() < 5) n.insert(0, 5 - n.size(), ' ');
  std::string linea = "Apuesta nro.";
  linea.reserve(linea.size() + n.size() + 2 + columna.size());
  linea += n;
  linea += "  ";
  linea += columna;
  return linea;
}

CuerpoCorreo CuerpoReduccion(const std::filesystem::path& rutaDatos, const Reduccion& r,
                             const Jornada& jornada, float precio, bool base, bool columnas) {
  CuerpoCorreo c;
  if (base) {
    for (const LineaHoja& l : HojaDatosBasicos(r, jornada, precio, UsoHoja::Correo)) {
      c.base += l.texto + kSaltoLinea;
    }
  }
  if (columnas) c.columnas = rutaDatos / NombreReduccion(r.Jornada, r.Orden);
  return c;
}

LectorCuerpo::LectorCuerpo(const CuerpoCorreo& cuerpo) : base_(PartirLineas(cuerpo.base)) {
  if (!cuerpo.columnas.empty()) columnas_ = std::make_unique<LectorLineas>(cuerpo.columnas);
}

LectorCuerpo::~LectorCuerpo() = default;

int16_t LectorCuerpo::error() const {
  return columnas_ ? columnas_->error() : kSinError;
}

bool LectorCuerpo::Siguiente(std::string& linea) {
  if (siguienteBase_ < base_.size()) {
    linea.assign(base_[siguienteBase_++]);
    return true;
  }
  if (!columnas_) return false;
  std::string_view l;
  if (!columnas_->Siguiente(l)) return false;
  linea = LineaApuesta(++numero_, ColumnaDeLinea(l));
  return true;
}

uint64_t TamanoCuerpoCodificado(const CuerpoCorreo& cuerpo, uint64_t tope, int16_t& error) {
  LectorCuerpo lector(cuerpo);
  uint64_t total = 0;
  std::string linea;
  std::string codificada;
  while (total <= tope && lector.Siguiente(linea)) {
    codificada.clear();
    AnadeLineaQp(codificada, Cp1252AUtf8(linea));
    total += codificada.size();
  }
  error = lector.error();
  return total;
}

std::string CabecerasMensaje(const DatosMensaje& d) {
  std::string h;
  h += "Date: " + d.fecha + "\r\n";
  h += "Message-ID: " + d.identificador + "\r\n";
  h += "From: " + BuzonCorreo(d.nombreRemitente, d.remitente) + "\r\n";
  h += "To: " + d.destinatario + "\r\n";
  h += CabeceraTexto("Subject", d.asunto);
  h += "MIME-Version: 1.0\r\n";
  h += "Content-Type: text/plain; charset=UTF-8\r\n";
  h += "Content-Transfer-Encoding: quoted-printable\r\n";
  h += "\r\n";
  return h;
}

FuenteMensaje::FuenteMensaje(std::string cabeceras, const CuerpoCorreo& cuerpo,
                             uint64_t tamanoCuerpo)
    : cabeceras_(cabeceras.size()),
      tamanoCuerpo_(tamanoCuerpo),
      lector_(cuerpo),
      pendiente_(std::move(cabeceras)) {}

FuenteMensaje::~FuenteMensaje() = default;

int16_t FuenteMensaje::error() const {
  return lector_.error();
}

bool FuenteMensaje::Rellena() {
  pendiente_.clear();
  leido_ = 0;
  while (pendiente_.size() < kTrozo && lector_.Siguiente(linea_)) {
    AnadeLineaQp(pendiente_, Cp1252AUtf8(linea_));
  }
  if (pendiente_.empty()) agotado_ = true;
  return !agotado_;
}

std::size_t FuenteMensaje::Lee(char* destino, std::size_t maximo) {
  if (leido_ == pendiente_.size() && (agotado_ || !Rellena())) return 0;
  const std::size_t n = std::min(maximo, pendiente_.size() - leido_);
  std::memcpy(destino, pendiente_.data() + leido_, n);
  leido_ += n;
  return n;
}

}  // namespace zendo

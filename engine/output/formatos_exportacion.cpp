#include "engine/output/formatos_exportacion.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/consult/fichero_boletos.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {

namespace {

constexpr std::size_t kBloque = 1 << 20;  // output handed out at a time
constexpr std::size_t kMargen = 2 * kLargoRegistroAD243 + 64;

// Signs of a work record: bytes 1 to 15 (byte 0 is the quote).
constexpr std::size_t kSignos = 1;

constexpr uint64_t kOchoBlancos = 0x2020202020202020ULL;

// Signs 1 to 14 of a record all blank: a word for signs 1 to 8, another for 7 to 14.
bool Blancos14(const char* r) {
  uint64_t a = 0;
  uint64_t b = 0;
  std::memcpy(&a, r + kSignos, 8);
  std::memcpy(&b, r + kSignos + 6, 8);
  return a == kOchoBlancos && b == kOchoBlancos;
}

bool EsApuesta(const char* r) {
  return r[kSignos] != ' ' || r[kSignos + 14] != ' ' || !Blancos14(r);
}

int ValorDigito(char c) {
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

void PonNumero(char* destino, int64_t valor, int cifras) {
  for (int i = cifras - 1; i >= 0; --i) {
    destino[i] = static_cast<char>('0' + valor % 10);
    valor /= 10;
  }
}

std::string Cifras(int64_t valor, std::size_t minimo) {
  std::string s = std::to_string(valor);
  if (s.size() < minimo) s.insert(0, minimo - s.size(), '0');
  return s;
}

}  // namespace

std::string CodigoFormato(FormatoExportacion f) {
  const int i = static_cast<int>(f);
  return i == 0 ? std::string("AD243") : "TXT" + std::to_string(i);
}

std::optional<FormatoExportacion> FormatoDesdeCodigo(std::string_view codigo) {
  std::string mayus(codigo);
  for (char& c : mayus) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (int i = 0; i < kNumFormatosExportacion; ++i) {
    const auto f = static_cast<FormatoExportacion>(i);
    if (CodigoFormato(f) == mayus) return f;
  }
  return std::nullopt;
}

std::string TituloFormato(FormatoExportacion f) {
  static constexpr std::array<const char*, kNumFormatosExportacion> kTitulos = {
      "Formato AD243",
      "Apuestas en formato continuo",
      "Apuestas en columna",
      "Apuestas delimitadas y separadas por comas",
      "Apuestas delimitadas y en columnas",
      "Signos delimitados y separados por comas",
      "Signos delimitados y en columnas",
  };
  return kTitulos[static_cast<std::size_t>(f)];
}

std::string NombreArchivoPorDefecto(FormatoExportacion f, int jornada, int orden) {
  if (f == FormatoExportacion::AD243) return "AD243";
  return "Col" + DosDigitos(jornada) + DosDigitos(orden) + ".txt";
}

std::string DigitoControl(std::string_view delegacion, std::string_view receptor) {
  int suma = 0;
  int peso = 1;
  for (std::size_t i = 0; i < 2; ++i)
    suma += peso++ * (i < delegacion.size() ? ValorDigito(delegacion[i]) : 0);
  for (std::size_t i = 0; i < 5; ++i)
    suma += peso++ * (i < receptor.size() ? ValorDigito(receptor[i]) : 0);
  return DosDigitos(suma % 11);
}

std::string RegistroCabeceraAD243(const CabeceraAD243& c, const CuentasAD243& cuentas) {
  auto fecha = [&](std::size_t desde) {
    std::string parte = desde < c.fecha.size() ? c.fecha.substr(desde, 2) : std::string();
    parte.resize(2, ' ');
    return parte;
  };
  std::string r = "C01243" + DosDigitos(c.jornada) + fecha(0) + fecha(3) + fecha(6) +
                  AjustaAncho(c.delegacion, 2) + AjustaAncho(c.receptor, 5) +
                  Cifras(cuentas.columnas, 6) + "01" + Cifras(cuentas.boletos, 6) +
                  DigitoControl(c.delegacion, c.receptor);
  r.resize(r.size() + (kLargoRegistroAD243 - 37), ' ');
  return r;
}

void ContadorAD243::Registros(std::string_view registros) {
  for (std::size_t p = 0; p + kLargoRegistroBoleto <= registros.size(); p += kLargoRegistroBoleto) {
    if (Registro(registros.data() + p) == kColumnasPorBoleto) CierraBoleto();
  }
}

int ContadorAD243::BoletoEntero(const char* registros) {
  for (int i = 0; i < kColumnasPorBoleto; ++i) {
    const char* r = registros + static_cast<std::size_t>(i) * kLargoRegistroBoleto;
    llenos_ += r[kSignos] != ' ' || !Blancos14(r);
  }
  posicion_ = kColumnasPorBoleto;
  return CierraBoleto();
}

int ContadorAD243::CierraBoleto() {
  const int llenos = llenos_;
  cuentas_.columnas += llenos == 1 ? 2 : llenos;
  cuentas_.boletos += 1;
  cuentas_.incompletos += llenos == 1;
  posicion_ = 0;
  llenos_ = 0;
  return llenos;
}

CuentasAD243 ContadorAD243::Termina() {
  if (posicion_ > 0) CierraBoleto();
  return cuentas_;
}

ConversorExportacion::ConversorExportacion(FormatoExportacion formato, Salida salida,
                                           CabeceraAD243 cabecera, CuentasAD243 previstas)
    : formato_(formato),
      salida_(std::move(salida)),
      cabecera_(std::move(cabecera)),
      previstas_(previstas),
      buffer_(kBloque + kMargen, ' ') {}

bool ConversorExportacion::Vacia() {
  if (usado_ > 0 && ok_) ok_ = salida_(std::string_view(buffer_.data(), usado_));
  usado_ = 0;
  return ok_;
}

bool ConversorExportacion::RegistrosAD243(const char* r, const char* fin) {
  constexpr std::ptrdiff_t kBoleto = kColumnasPorBoleto * kLargoRegistroBoleto;
  for (;;) {
    // A whole boleto at hand goes straight into the output.
    while (contador_.posicion() == 0 && fin - r >= kBoleto) {
      if (primera_) {
        const std::string cabecera = RegistroCabeceraAD243(cabecera_, previstas_);
        std::memcpy(buffer_.data() + usado_, cabecera.data(), cabecera.size());
        usado_ += cabecera.size();
        primera_ = false;
      }
      char* d = buffer_.data() + usado_;
      d[0] = 'D';
      PonNumero(d + 1, contador_.cuentas().boletos + 1, 8);
      int64_t apuestas = 0;
      for (int i = 0; i < kColumnasPorBoleto; ++i) {
        const char* ri = r + static_cast<std::ptrdiff_t>(i) * kLargoRegistroBoleto;
        std::memcpy(d + 10 + i * 14, ri + kSignos, 14);
        apuestas += EsApuesta(ri);
      }
      d[kLargoRegistroAD243 - 1] = r[kSignos + 14];
      int columnas = contador_.BoletoEntero(r);
      if (columnas == 1) {
        std::memcpy(d + 24, d + 10, 14);  // a boleto needs two columns
        columnas = 2;
      }
      d[9] = static_cast<char>('0' + columnas);
      apuestas_ += apuestas;
      usado_ += kLargoRegistroAD243;
      r += kBoleto;
      if (usado_ >= kBloque && !Vacia()) return false;
    }
    if (r >= fin) return true;
    // A boleto split between two hand-overs: a record at a time up to its end.
    apuestas_ += EsApuesta(r);
    RegistroAD243(r);
    r += kLargoRegistroBoleto;
    if (usado_ >= kBloque && !Vacia()) return false;
  }
}

void ConversorExportacion::RegistroAD243(const char* r) {
  const int posicion = contador_.Registro(r);
  if (posicion == 1) {
    if (primera_) {
      const std::string cabecera = RegistroCabeceraAD243(cabecera_, previstas_);
      std::memcpy(buffer_.data() + usado_, cabecera.data(), cabecera.size());
      usado_ += cabecera.size();
    }
    std::memset(detalle_, ' ', sizeof detalle_);
    detalle_[0] = 'D';
    PonNumero(detalle_ + 1, contador_.cuentas().boletos + 1, 8);
    detalle_[kLargoRegistroAD243 - 1] = r[kSignos + 14];
  }
  primera_ = false;
  std::memcpy(detalle_ + 10 + (posicion - 1) * 14, r + kSignos, 14);
  if (posicion == kColumnasPorBoleto) EscribeDetalle();
}

void ConversorExportacion::EscribeDetalle() {
  int columnas = contador_.CierraBoleto();
  if (columnas == 1) {
    std::memcpy(detalle_ + 24, detalle_ + 10, 14);  // a boleto needs two columns
    columnas = 2;
  }
  detalle_[9] = static_cast<char>('0' + columnas);
  std::memcpy(buffer_.data() + usado_, detalle_, sizeof detalle_);
  usado_ += sizeof detalle_;
}

namespace {

// The 15 signs at `s` each between quotes and followed by a comma, 60 bytes at `o`; 4 more
// bytes past them are scratch (the byte after the signs, the record's mark, in that place).
// `s` must have 16 readable bytes.
void SignosEntreComillas(char* o, const char* s) {
#if defined(__SSE2__)
  // Each sign is paired with an opening quote, and each pair with a closing quote and comma.
  const __m128i signos = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const __m128i comilla = _mm_set1_epi8('"');
  const __m128i cierre = _mm_set1_epi16(static_cast<short>('"' | (',' << 8)));
  const __m128i bajos = _mm_unpacklo_epi8(comilla, signos);
  const __m128i altos = _mm_unpackhi_epi8(comilla, signos);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi16(bajos, cierre));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), _mm_unpackhi_epi16(bajos, cierre));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 32), _mm_unpacklo_epi16(altos, cierre));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 48), _mm_unpackhi_epi16(altos, cierre));
#else
  for (int i = 0; i < 16; ++i) {
    o[4 * i] = '"';
    o[4 * i + 1] = s[i];
    o[4 * i + 2] = '"';
    o[4 * i + 3] = ',';
  }
#endif
}

// One bet of a text format written at `o`; returns the end. `r`: its work record.
// `primera`: the first bet of the file. Up to 8 bytes past the end are scratch.
template <FormatoExportacion F>
char* EscribeApuesta(char* o, const char* r, bool primera) {
  // Copies of 16 bytes take the record's quote or mark along; what follows overwrites it.
  if constexpr (F == FormatoExportacion::TXT1 || F == FormatoExportacion::TXT2) {
    std::memcpy(o, r + kSignos, 16);
    o += 15;
  } else if constexpr (F == FormatoExportacion::TXT3 || F == FormatoExportacion::TXT4) {
    if (F == FormatoExportacion::TXT3 && !primera) *o++ = ',';
    std::memcpy(o, r, 16);  // the quote and the signs
    o[16] = '"';
    o += 17;
  } else {
    if (F == FormatoExportacion::TXT5 && !primera) *o++ = ',';
    SignosEntreComillas(o, r + kSignos);
    o += 59;  // no comma after the last sign of a bet
  }
  if constexpr (F == FormatoExportacion::TXT2 || F == FormatoExportacion::TXT4 ||
                F == FormatoExportacion::TXT6) {
    o[0] = '\r';
    o[1] = '\n';
    o += 2;
  }
  return o;
}

}  // namespace

template <FormatoExportacion F>
bool ConversorExportacion::RegistrosTexto(const char* r, const char* fin) {
  char* const base = buffer_.data();
  char* o = base + usado_;
  char* const lleno = base + kBloque;
  // Counted in a local: the byte stores could otherwise be taken to change the member.
  int64_t apuestas = apuestas_;
  for (; r < fin; r += kLargoRegistroBoleto) {
    if (!EsApuesta(r)) continue;  // a blank place of a boleto
    o = EscribeApuesta<F>(o, r, apuestas == 0);
    ++apuestas;
    if (o >= lleno) {
      usado_ = static_cast<std::size_t>(o - base);
      apuestas_ = apuestas;
      if (!Vacia()) return false;
      o = base;
    }
  }
  usado_ = static_cast<std::size_t>(o - base);
  apuestas_ = apuestas;
  return true;
}

bool ConversorExportacion::Registros(std::string_view registros) {
  if (!ok_) return false;
  const char* r = registros.data();
  const char* const fin = r + registros.size() / kLargoRegistroBoleto * kLargoRegistroBoleto;
  switch (formato_) {
    case FormatoExportacion::AD243:
      return RegistrosAD243(r, fin);
    case FormatoExportacion::TXT1:
      return RegistrosTexto<FormatoExportacion::TXT1>(r, fin);
    case FormatoExportacion::TXT2:
      return RegistrosTexto<FormatoExportacion::TXT2>(r, fin);
    case FormatoExportacion::TXT3:
      return RegistrosTexto<FormatoExportacion::TXT3>(r, fin);
    case FormatoExportacion::TXT4:
      return RegistrosTexto<FormatoExportacion::TXT4>(r, fin);
    case FormatoExportacion::TXT5:
      return RegistrosTexto<FormatoExportacion::TXT5>(r, fin);
    case FormatoExportacion::TXT6:
      return RegistrosTexto<FormatoExportacion::TXT6>(r, fin);
  }
  return false;
}

bool ConversorExportacion::Termina() {
  if (ok_ && formato_ == FormatoExportacion::AD243 && contador_.posicion() > 0) EscribeDetalle();
  return Vacia();
}

}  // namespace zendo

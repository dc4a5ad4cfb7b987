#pragma once
// The seven layouts of a copy to external media: the submission format AD243 (a header
// record and one 123-character detail record per boleto, no line ends) and six plain-text
// layouts of the bets for other programs. The conversion is streamed: it takes the work
// records of the boletos as they come and hands out large blocks of output.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zendo {

enum class FormatoExportacion : int { AD243 = 0, TXT1, TXT2, TXT3, TXT4, TXT5, TXT6 };
inline constexpr int kNumFormatosExportacion = 7;

// "AD243", "TXT1" .. "TXT6": the index of the option button gives the number.
std::string CodigoFormato(FormatoExportacion f);
// The code as typed (any case); nothing for an unknown one.
std::optional<FormatoExportacion> FormatoDesdeCodigo(std::string_view codigo);
// Caption of the option button.
std::string TituloFormato(FormatoExportacion f);
// "AD243", or "Col" + jornada + orden + ".txt" ("Col0702.txt").
std::string NombreArchivoPorDefecto(FormatoExportacion f, int jornada, int orden);

inline constexpr std::size_t kLargoRegistroAD243 = 123;

// (d1 + 2 d2 + 3 r1 + 4 r2 + 5 r3 + 6 r4 + 7 r5) mod 11 as two digits; a character that is
// not a digit counts 0.
std::string DigitoControl(std::string_view delegacion, std::string_view receptor);

struct CabeceraAD243 {
  int jornada = 1;
  std::string fecha = "00/00/00";  // dd/mm/yy
  std::string delegacion = "00";
  std::string receptor = "00000";
};

// What an AD243 file holds: the columns written (single-column boletos counted twice), the
// detail records, and the boletos that had a single column.
struct CuentasAD243 {
  int64_t columnas = 0;
  int64_t boletos = 0;
  int64_t incompletos = 0;
  bool operator==(const CuentasAD243&) const = default;
};

// The header record. Counts above 999,999 take as many digits as they need.
std::string RegistroCabeceraAD243(const CabeceraAD243& c, const CuentasAD243& cuentas);

// Groups work records into boletos as AD243 does: every 8 records, blank places included,
// close a boleto; its column count is the number of places whose signs 1 to 14 are not
// blank, and a boleto with a single column gets it duplicated (counted twice). Used alone
// it counts what a conversion will write before the first byte (the header and the
// "Boleto incompleto" message need it).
class ContadorAD243 {
 public:
  // Takes one 20-byte record; returns its place on the boleto (1..8).
  int Registro(const char* registro) {
    if (registro[1] != ' ' ||
        std::string_view(registro + 2, 13).find_first_not_of(' ') != std::string_view::npos) {
      ++llenos_;
    }
    return ++posicion_;
  }
  void Registros(std::string_view registros);
  // Takes the 8 records of a whole boleto (none may be open) and closes it; returns what
  // CierraBoleto would.
  int BoletoEntero(const char* registros);
  int posicion() const { return posicion_; }
  // Closes the open boleto (there must be one); returns its places that hold a column,
  // before any duplication.
  int CierraBoleto();
  // Closes a boleto left open at the end and returns the totals.
  CuentasAD243 Termina();
  const CuentasAD243& cuentas() const { return cuentas_; }

 private:
  CuentasAD243 cuentas_;
  int posicion_ = 0;
  int llenos_ = 0;
};

// Turns work records into the bytes of one format. `salida` receives blocks of output in
// order; when it returns false the conversion stops taking records (the receiver keeps its
// own error). For AD243 the header needs the counts before the first detail record: give
// them as `previstas` (from a ContadorAD243 pass); the counts written are in cuentas().
class ConversorExportacion {
 public:
  using Salida = std::function<bool(std::string_view bloque)>;

  ConversorExportacion(FormatoExportacion formato, Salida salida, CabeceraAD243 cabecera = {},
                       CuentasAD243 previstas = {});

  // Whole 20-byte work records. False once the receiver has refused a block.
  bool Registros(std::string_view registros);
  // Closes the last boleto and hands out what is left.
  bool Termina();

  // Records that held a bet (blank places are not bets; duplicates are not counted).
  int64_t apuestas() const { return apuestas_; }
  const CuentasAD243& cuentas() const { return contador_.cuentas(); }

 private:
  template <FormatoExportacion F>
  bool RegistrosTexto(const char* r, const char* fin);
  bool RegistrosAD243(const char* r, const char* fin);
  void RegistroAD243(const char* r);
  void EscribeDetalle();
  bool Vacia();

  FormatoExportacion formato_;
  Salida salida_;
  CabeceraAD243 cabecera_;
  CuentasAD243 previstas_;
  ContadorAD243 contador_;
  std::string buffer_;
  std::size_t usado_ = 0;
  bool ok_ = true;
  bool primera_ = true;
  int64_t apuestas_ = 0;
  char detalle_[kLargoRegistroAD243] = {};
};

}  // namespace zendo

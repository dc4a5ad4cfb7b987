#pragma once
// Printed documents as a stream of page operations. A document routine computes what is
// drawn where and hands each operation to a DestinoPaginas as it goes, so that no document
// is ever held whole: the painter of the platform draws them on a printer, a preview or a
// PDF file; zendo-cli writes them as text; the tests record them.
//
// Positions are in hundredths of a twip (1440 twips to the inch): a margin in tenths of a
// millimetre times 5.67 is then exact (150 x 5.67 = 850.50 twips = 85050).

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace zendo {

using Centesimas = int64_t;  // hundredths of a twip, or of a point for font sizes

inline constexpr Centesimas Twips(int64_t twips) {
  return twips * 100;
}
// A margin in tenths of a millimetre as hundredths of a twip (x 5.67).
inline constexpr Centesimas MargenATwips(int64_t decimasMm) {
  return decimasMm * 567;
}
// Rounded to whole twips, ties to even (1900.5 gives 1900, 1901.5 gives 1902).
Centesimas RedondeaTwips(Centesimas valor);

// "Courier New" 9.75 points.
inline constexpr const char* kFuenteListados = "Courier New";
inline constexpr Centesimas kPuntosListados = 975;

class DestinoPaginas {
 public:
  virtual ~DestinoPaginas() = default;
  // Texts are Windows-1252 bytes, exactly as drawn.
  virtual void Fuente(std::string_view nombre, Centesimas puntos, bool negrita) = 0;
  virtual void Grosor(int ancho) = 0;
  // Paper size code: 9 is A4, 256 a size of the user's.
  virtual void Papel(int codigo) = 0;
  virtual void Alto(int twips) = 0;
  // A line at the current position; the current position moves to the start of the next.
  virtual void Linea(std::string_view texto) = 0;
  // A text with its top left corner at (x, y); the next Linea starts on the line below.
  virtual void Texto(Centesimas x, Centesimas y, std::string_view texto) = 0;
  // A black filled box from corner (x, y) to the offset (dx, dy).
  virtual void Caja(Centesimas x, Centesimas y, Centesimas dx, Centesimas dy) = 0;
  virtual void Pagina() = 0;
  // End of the document (of one print job).
  virtual void Fin() = 0;
};

// A number of hundredths as text: whole, or with up to two decimals ("850.5", "-70").
std::string TextoCentesimas(Centesimas valor);

// Writes the operations one per line, UTF-8:
//   fuente NAME SIZE BOLD | grosor N | papel CODE | alto TWIPS | linea TEXT | texto X Y TEXT |
//   caja X Y DX DY | pagina | fin
class EscritorOperaciones : public DestinoPaginas {
 public:
  explicit EscritorOperaciones(std::ostream& salida) : salida_(salida) {}
  void Fuente(std::string_view nombre, Centesimas puntos, bool negrita) override;
  void Grosor(int ancho) override;
  void Papel(int codigo) override;
  void Alto(int twips) override;
  void Linea(std::string_view texto) override;
  void Texto(Centesimas x, Centesimas y, std::string_view texto) override;
  void Caja(Centesimas x, Centesimas y, Centesimas dx, Centesimas dy) override;
  void Pagina() override;
  void Fin() override;

 private:
  std::ostream& salida_;
  std::string linea_;
};

}  // namespace zendo

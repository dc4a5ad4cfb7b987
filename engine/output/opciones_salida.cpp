#include "engine/output/opciones_salida.h"

#include <algorithm>

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

// The value of a box of digits; an empty box has none.
bool Valor(std::string_view texto, int64_t& valor) {
  const std::string_view t = Recorta(texto);
  if (t.empty()) return false;
  valor = 0;
  for (const char c : t) {
    if (c < '0' || c > '9') break;
    valor = std::min<int64_t>(valor * 10 + (c - '0'), 999999999);
  }
  return true;
}

}  // namespace

RangoBoletos ConfirmaBoletoInicial(std::string_view texto, RangoBoletos r, int64_t numBoletos) {
  int64_t v = 1;
  if (!Valor(texto, v)) v = 1;
  r.inicial = std::clamp<int64_t>(v, 1, std::max<int64_t>(numBoletos, 1));
  if (r.final < r.inicial) r.final = r.inicial;
  return r;
}

RangoBoletos ConfirmaBoletoFinal(std::string_view texto, RangoBoletos r, int64_t numBoletos) {
  int64_t v = numBoletos;
  if (!Valor(texto, v)) v = numBoletos;
  r.final = std::clamp<int64_t>(v, 1, std::max<int64_t>(numBoletos, 1));
  if (r.final < r.inicial) r.inicial = r.final;
  return r;
}

int ConfirmaCopias(std::string_view texto) {
  int64_t v = 0;
  if (!Valor(texto, v) || v < 1) return 1;
  return static_cast<int>(std::min<int64_t>(v, 999));
}

int ConfirmaMargen(std::string_view texto) {
  int64_t v = 0;
  if (!Valor(texto, v) || v < 1) return 0;
  return static_cast<int>(std::min<int64_t>(v, 9999));
}

int LargoBoleto(int64_t numBoletos) {
  return std::max(1, static_cast<int>(Formato(static_cast<double>(numBoletos), "######").size()));
}

std::string TextoAnchoPapel(int ancho) {
  return ancho == 1 ? "Papel ancho (350 mm.)" : "Papel estrecho (Din A4)";
}

}  // namespace zendo

#include "engine/scrutiny/ganadora.h"

#include <cmath>

#include "engine/core/texto.h"

namespace zendo {

PulsacionGanadora QueGanadoraHaPulsado(double x, double y) {
  PulsacionGanadora p;
  // Rows start 4 pixels down, 15 high and 3 apart; columns start 3 pixels in, 13 wide and
  // 2 apart. The strict bounds leave the margins out.
  if (!(y > 3 && y < kAltoGanadora)) return p;
  if (static_cast<int64_t>(std::nearbyint(y + 14)) % kAltoFilaGanadora >= 15) return p;
  p.partido = static_cast<int>(std::floor((y + 14) / kAltoFilaGanadora));
  if (x > 3 && x < kAnchoGanadora &&
      static_cast<int64_t>(std::nearbyint(x + 12)) % kAnchoColumnaGanadora < 13) {
    p.signo = static_cast<int>(std::floor((x + 12) / kAnchoColumnaGanadora));
  }
  return p;
}

bool PulsaGanadora(MarcasGanadora& g, int partido, int signo) {
  if (partido < 1 || partido > 15 || signo < 1 || signo > 3) return false;
  auto& fila = g[static_cast<std::size_t>(partido)];
  for (int s = 1; s <= 3; ++s) {
    auto& marca = fila[static_cast<std::size_t>(s)];
    marca = s == signo ? static_cast<int16_t>(marca == 0 ? 1 : 0) : int16_t{0};
  }
  return true;
}

int SignoGanador(const MarcasGanadora& g, int partido) {
  if (partido < 1 || partido > 15) return 0;
  for (int s = 1; s <= 3; ++s) {
    if (g[static_cast<std::size_t>(partido)][static_cast<std::size_t>(s)] == 1) return s;
  }
  return 0;
}

std::optional<std::string> ColumnaGanadora(const MarcasGanadora& g) {
  std::string columna;
  for (int m = 1; m <= 15; ++m) {
    const int s = SignoGanador(g, m);
    if (s == 0) return std::nullopt;
    columna += "1X2"[s - 1];
  }
  return columna;
}

std::optional<MarcasGanadora> MarcasDeTexto(std::string_view texto) {
  if (texto.size() != 15) return std::nullopt;
  MarcasGanadora g{};
  for (std::size_t m = 1; m <= 15; ++m) {
    switch (texto[m - 1]) {
      case '1':
        g[m][1] = 1;
        break;
      case 'X':
      case 'x':
        g[m][2] = 1;
        break;
      case '2':
        g[m][3] = 1;
        break;
      case '-':
      case '0':
        break;
      default:
        return std::nullopt;
    }
  }
  return g;
}

Mensaje MensajeGanadoraIncompleta() {
  return {"Columna Ganadora incompleta",
          Cp("Es necesario que marque los 15 resultados de la columna ganadora  para  poder "
             "realizar el escrutinio de aciertos."),
          3, kBotonesSalir, 2510};
}

}  // namespace zendo

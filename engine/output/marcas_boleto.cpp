#include "engine/output/marcas_boleto.h"

#include "engine/consult/fichero_boletos.h"

namespace zendo {
namespace {

// The three cells of the Pleno al 15: (column, sign) by the sign of match 15.
constexpr int kPlenoColumna[4] = {0, 4, 5, 6};
constexpr int kPlenoMarca[4] = {0, 3, 2, 1};

int SignoDe(char c) {
  switch (c) {
    case '1':
      return 1;
    case 'X':
      return 2;
    case '2':
      return 3;
    default:
      return 0;
  }
}

void PonPleno(TablaMarcas& m, int signo) {
  m[kPlenoColumna[signo]][15][kPlenoMarca[signo]] = 1;
}

// A mark: two boxes from the same corner, one to each side of the line.
void Marca(DestinoPaginas& d, Centesimas x, Centesimas y, Centesimas ancho, Centesimas alto) {
  d.Caja(x, y, ancho, alto);
  d.Caja(x, y, ancho, -alto);
}

}  // namespace

void MarcaPruebaImpresion(TablaMarcas& marcas) {
  marcas = {};
  for (int j = 1; j <= 8; ++j) {
    for (int i = 1; i <= 14; ++i) {
      for (int k = 1; k <= 3; ++k) marcas[j][i][k] = 1;
    }
  }
  for (int s = 1; s <= 3; ++s) PonPleno(marcas, s);
}

void LlenaMarcas(TablaMarcas& marcas, std::string_view registros) {
  marcas = {};
  for (int j = 1; j <= 8; ++j) {
    const std::size_t inicio = static_cast<std::size_t>(j - 1) * kLargoRegistroBoleto;
    if (inicio + kLargoRegistroBoleto > registros.size()) break;
    const std::string_view r = registros.substr(inicio, kLargoRegistroBoleto);
    for (int i = 1; i <= 14; ++i) {
      const int k = SignoDe(r[static_cast<std::size_t>(i)]);
      if (k != 0) marcas[j][i][k] = 1;
    }
    if (j == 1) {
      if (const int s = SignoDe(r[15]); s != 0) PonPleno(marcas, s);
    }
  }
}

void DibujaBoletoGirado(const TablaMarcas& marcas, const ColocacionBoleto& c, int posicion,
                        std::string_view numero, DestinoPaginas& destino) {
  const Centesimas mI = c.izquierda, mS = c.arriba;
  const Centesimas d = Twips(posicion * 5990);
  destino.Texto(mI + d, mS, numero);
  for (int j = 8; j >= 1; --j) {
    for (int k = 3; k >= 1; --k) {
      for (int i = 1; i <= 15; ++i) {
        if (marcas[j][i][k] == 0) continue;
        const Centesimas x = RedondeaTwips(mI + Twips(1050 + (i - 1) * 284) + d);
        const Centesimas y = RedondeaTwips(mS + Twips(1270 + ((8 - j) * 3 + (3 - k)) * 213));
        Marca(destino, x, y, Twips(130), Twips(70));
      }
    }
  }
  if (!c.marcasFijas) return;
  for (const int y : {65, 8593})
    destino.Caja(mI + Twips(5120) + d, mS + Twips(y), Twips(170), Twips(145));
  for (const int x : {964, 1651, 1994, 2337, 2680, 3706, 4048}) {
    destino.Caja(mI + d + Twips(x), mS + Twips(8748), Twips(227), Twips(57));
  }
}

void DibujaBoletoVertical(const TablaMarcas& marcas, const ColocacionBoleto& c,
                          std::string_view numero, DestinoPaginas& destino) {
  const Centesimas mI = c.izquierda, mS = c.arriba;
  for (int i = 15; i >= 1; --i) {
    const Centesimas y = RedondeaTwips(mS + Twips(10 + (15 - i) * 284));
    for (int j = 8; j >= 1; --j) {
      for (int k = 3; k >= 1; --k) {
        if (marcas[j][i][k] == 0) continue;
        const Centesimas x = RedondeaTwips(mI + Twips(940 + ((8 - j) * 3 + (3 - k)) * 212));
        Marca(destino, x, y, Twips(70), Twips(130));
      }
    }
    if (i == 15) destino.Texto(mI + Twips(6500), mS + Twips(10), numero);
  }
  if (!c.marcasFijas) return;
  for (const int x : {-275, 8253})
    destino.Caja(mI + Twips(x), mS - Twips(106), Twips(145), Twips(170));
  for (const int y : {919, 1262, 2287, 2630, 2973, 3316, 4003}) {
    destino.Caja(mI + Twips(8408), mS + Twips(y), Twips(57), Twips(227));
  }
}

}  // namespace zendo

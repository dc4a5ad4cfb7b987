#include "engine/scrutiny/impresion_escrutinio.h"

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

constexpr std::size_t kAnchoPartido = 37;
constexpr int kPrimeraLineaBoletos = 11600;
constexpr int kLimitePagina = 15000;

std::string Parte(std::string_view linea, std::size_t desde, std::size_t hasta) {
  if (linea.size() < desde) return std::string(hasta - desde + 1, ' ');
  return AjustaAncho(linea.substr(desde - 1, hasta - desde + 1), hasta - desde + 1);
}

std::string Importe(double valor, const char* patron, const char* ancho) {
  return FormatoTexto(Formato(valor, patron), ancho) + Cp(" €");
}

void En(DestinoPaginas& d, int x, int y, std::string_view texto) {
  d.Texto(Twips(x), Twips(y), texto);
}

std::string LineaPartido(int m, const Jornada& j, char signo) {
  const std::string local(Equipo(j.RegistroJornada, 2 * m - 1));
  const std::string visitante(Equipo(j.RegistroJornada, 2 * m));
  std::string texto = DosDigitos(m) + ". " + local;
  if (!local.empty() && !visitante.empty()) texto += " - ";
  texto += visitante;
  std::string campo(kAnchoPartido, '.');
  campo.replace(0, std::min(texto.size(), kAnchoPartido), texto, 0, kAnchoPartido);
  if (campo[0] == '0') campo[0] = ' ';
  return campo + "  " + signo;
}

}  // namespace

ResultadoImpresion ImpriEscrutinio(const DocumentoEscrutinio& informe, DestinoPaginas& d) {
  ResultadoImpresion r;
  const ResultadoEscrutinio& res = *informe.res;
  const Jornada& j = informe.registro;
  d.Fuente(kFuenteListados, kPuntosListados, true);
  d.Linea({});
  d.Linea("   Escrutinio de la jornada nro. " + FormatoTexto(informe.Jornada, "@@") + " de fecha " +
          j.FechaJornada + " (Orden " + FormatoTexto(informe.Orden, "@@") + ")");
  d.Linea({});
  d.Linea({});
  d.Fuente(kFuenteListados, kPuntosListados, false);
  d.Linea(std::string(13, ' ') + "Columna ganadora");
  d.Linea(std::string(41, '-'));
  for (int m = 1; m <= 15; ++m) {
    const char signo = res.ColumnaGanadora.size() >= static_cast<std::size_t>(m)
                           ? res.ColumnaGanadora[static_cast<std::size_t>(m - 1)]
                           : ' ';
    d.Linea(LineaPartido(m, j, signo));
  }

  En(d, 6000, 1500, Cp("Premios a repartir por categoría"));
  En(d, 6000, 1700, std::string(32, '*'));
  for (int k = 1; k <= 6; ++k) {
    const double premio = static_cast<double>(res.premios[static_cast<std::size_t>(k)]) / 100.0;
    En(d, 6050, 1800 + 350 * k,
       std::to_string(16 - k) + " aciertos.: " + Importe(premio, "##,###,##0.00", "@@@@@@@@@@@@@"));
  }

  const std::vector<std::string> aciertos = LineasAciertos(res);
  En(d, 1800, 5400, Cp("         Aciertos agrupados por categoría"));
  En(d, 1800, 5650, " " + std::string(47, '='));
  for (int i = 1; i <= 16; ++i) {
    const std::string& l = aciertos[static_cast<std::size_t>(i)];
    const std::string columnas = Parte(l, 6, 11);
    const double n = Val(columnas);
    std::string t =
        columnas + " columna" + (n != 1 ? "s" : " ") + " de " + Parte(l, 3, 4) + " aciertos";
    if (i <= 6 && n > 0) {
      t += ".: " + Importe(Val(Parte(l, 13, 23)), "##,###,##0.00", "@@@@@@@@@@@@@");
    }
    En(d, 1800, 5700 + 250 * i, t);
  }
  En(d, 2850, 10100,
     "Total importe premios.: " +
         Importe(Val(Parte(aciertos[0], 13, 24)), "###,###,##0.00", "@@@@@@@@@@@@@@"));

  const std::string cabeza = "Boleto nro.  15   14   13   12   11   10";
  En(d, 2800, 11000, Cp("Localización de aciertos en boletos"));
  En(d, 2800, 11160, std::string(40, '-'));
  En(d, 2800, 11400, cabeza);
  En(d, 2800, 11560, std::string(40, '='));
  int y = kPrimeraLineaBoletos;
  for (std::size_t b = 0; b < res.boletos.size(); ++b) {
    const std::string l = LineaBoleto(res.boletos[b]);
    y += 250;
    if (y > kLimitePagina) {
      d.Pagina();
      En(d, 2800, 300, cabeza);
      En(d, 2800, 460, std::string(40, '='));
      y = 750;
    }
    const std::string cuatro(4, ' ');
    En(d, 2800, y,
       Parte(l, 1, 6) + std::string(8, ' ') + Parte(l, 11, 11) + cuatro + Parte(l, 14, 14) +
           cuatro + Parte(l, 17, 17) + cuatro + Parte(l, 20, 20) + cuatro + Parte(l, 23, 23) +
           cuatro + Parte(l, 26, 26));
    ++r.boletos;
  }
  y += 300;
  En(d, 2800, y,
     "    Total boletos premiados.: " +
         Formato(static_cast<double>(res.boletos.size()), "###,##0"));
  d.Fin();
  return r;
}

}  // namespace zendo

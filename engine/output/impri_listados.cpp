#include "engine/output/impri_listados.h"

#include <array>

#include "engine/consult/fichero_boletos.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

constexpr int kFilasPorPagina = 3;

void FuenteListado(DestinoPaginas& d, bool negrita) {
  d.Fuente(kFuenteListados, kPuntosListados, negrita);
}

}  // namespace

ResultadoImpresion ImpriDatosBasicos(const std::vector<LineaHoja>& hoja, int copias,
                                     DestinoPaginas& destino, ControlImpresion& control) {
  ResultadoImpresion res;
  FuenteListado(destino, false);
  bool negrita = false;
  for (int c = 1; c <= copias; ++c) {
    control.Estado("Imprimiendo la copia nro. " + Formato(c, "###") + " de " +
                   Formato(copias, "###"));
    control.Pausa(250);
    for (const LineaHoja& l : hoja) {
      if (l.negrita != negrita) {
        negrita = l.negrita;
        FuenteListado(destino, negrita);
      }
      destino.Linea(l.texto);
    }
    destino.Pagina();
    ++res.boletos;
    if (control.Cancelado()) {
      res.cancelado = true;
      break;
    }
  }
  control.Pausa(800);
  destino.Fin();
  control.Estado({});
  return res;
}

void ImpriCabecera(const OpcionesRelacion& o, int pagina, DestinoPaginas& destino) {
  const std::string sangria(20, ' ');
  for (int i = 0; i < 3; ++i) destino.Linea({});
  destino.Linea(sangria + TituloJornada(o.Jornada, o.FechaJornada, o.Orden) +
                std::string(static_cast<std::size_t>(14 + 50 * o.AnchoPapel), ' ') +
                Cp("Página..: ") + std::to_string(pagina));
  destino.Linea({});
  destino.Linea(sangria + o.Descripcion);
  destino.Linea({});
  destino.Linea({});
}

ResultadoImpresion ImpriRelacion(const OpcionesRelacion& o, const AbreColumnas& abre,
                                 DestinoPaginas& destino, ControlImpresion& control) {
  ResultadoImpresion res;
  FuenteListado(destino, false);
  AperturaColumnas a = abre();
  res.error = a.error;
  res.mensaje = a.mensaje;
  res.cancelado = a.cancelado;
  if (!a.fichero) return res;
  OrigenRegistros& fichero = *a.fichero;

  const int porFila = BoletosPorFila(o.AnchoPapel);
  const int64_t registrosFila = 8 * porFila;
  const std::size_t anchoBoleto = 16;  // two characters per column of a boleto
  int64_t primero = PrimerRegistro(o.BoletoInicial);
  const int64_t ultimo = UltimoRegistro(o.BoletoFinal);
  auto quedan = [&] { return primero <= fichero.registros() && primero <= ultimo; };

  int pagina = 1;
  int filas = 0;
  ImpriCabecera(o, pagina, destino);
  std::string registros;
  std::array<std::string, 16> fila;  // FilaPanel(1..15)
  std::string cabeza1, cabeza2, linea;
  while (quedan()) {
    // Records past the end of the range read as blank places.
    const int64_t validos = std::min(registrosFila, ultimo - primero + 1);
    if (const int16_t e = fichero.Lee(primero, validos, registros); e != 0) {
      res.error = e;
      res.mensaje = "FORBOL ERROR " + std::to_string(e);
      break;
    }
    registros.resize(static_cast<std::size_t>(registrosFila) * kLargoRegistroBoleto, ' ');
    for (int i = 1; i <= 15; ++i) {
      std::string& f = fila[static_cast<std::size_t>(i)];
      f.assign(static_cast<std::size_t>(registrosFila) * 2, ' ');
      for (int64_t n = 0; n < registrosFila; ++n) {
        f[static_cast<std::size_t>(2 * n + 1)] =
            registros[static_cast<std::size_t>(n) * kLargoRegistroBoleto +
                      static_cast<std::size_t>(i)];
      }
    }
    const int64_t boleto = (primero + 7) / 8;
    cabeza1.assign(10, ' ');
    cabeza2.assign(10, ' ');
    for (int b = 1; b <= porFila; ++b) {
      if (fila[1][anchoBoleto * static_cast<std::size_t>(b - 1) + 1] == ' ') continue;
      cabeza1 += "Boleto" + FormatoTexto(static_cast<double>(boleto + b - 1), "@@@@@@") +
                 std::string(9, ' ');
      cabeza2 += "---------------      ";
    }
    destino.Linea({});
    destino.Linea(cabeza1);
    destino.Linea(cabeza2);
    destino.Linea({});
    for (int i = 1; i <= 15; ++i) {
      linea = "   " + FormatoTexto(i, "@@") + " -  ";
      const std::string& f = fila[static_cast<std::size_t>(i)];
      for (int b = 0; b < porFila; ++b) {
        linea.append(f, anchoBoleto * static_cast<std::size_t>(b), anchoBoleto);
        linea.append(5, ' ');
      }
      destino.Linea(linea);
    }
    control.Estado(TextoImprimiendoBoleto(std::min<int64_t>(boleto + porFila - 1, o.NumBoletos)));
    res.boletos += porFila;
    primero += registrosFila;
    if (++filas == kFilasPorPagina) {
      destino.Pagina();
      ++pagina;
      if (quedan()) ImpriCabecera(o, pagina, destino);
      filas = 0;
    }
    if (control.Cancelado()) {
      res.cancelado = true;
      break;
    }
  }
  if (filas > 0) destino.Pagina();
  control.Pausa(600);
  destino.Fin();
  control.Estado({});
  return res;
}

}  // namespace zendo

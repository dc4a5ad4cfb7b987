#include "engine/output/impri_boletos.h"

#include <string>

#include "engine/core/formato.h"
#include "engine/core/texto.h"
#include "engine/output/marcas_boleto.h"

namespace zendo {
namespace {

constexpr int64_t kNumeroPrueba = 999999;

std::string NumeroBoleto(int64_t boleto) {
  return Formato(static_cast<double>(boleto), "###,###");
}

void Pluma(DestinoPaginas& d) {
  d.Grosor(6);
  d.Fuente(kFuenteImpresora, kPuntosBoleto, false);
}

Mensaje MensajeUltimoIncompleto() {
  return {Cp("Último boleto incompleto"),
          Cp("Con esta reducción,  el  último boleto sólo contiene una columna. Como cada "
             "boleto debe tener dos columnas como mínimo,  tendrá que rellenar manualmente la "
             "segunda columna del último boleto y, por lo tanto, aumentará en una el número de "
             "apuestas de la reducción."),
          5, kBotonesSalir, 2420};
}

// The records of the boletos to print, one boleto at a time.
struct Recorrido {
  OrigenRegistros& fichero;
  int64_t primero;
  int64_t ultimo;  // last record of BoletoFinal
  bool Quedan() const { return primero <= fichero.registros() && primero <= ultimo; }
};

bool Abre(const AbreColumnas& abre, AperturaColumnas& a, ResultadoImpresion& res) {
  a = abre();
  res.error = a.error;
  res.mensaje = a.mensaje;
  res.cancelado = a.cancelado;
  return a.fichero != nullptr;
}

}  // namespace

int AltoPapelContinuo() {
  return static_cast<int>((static_cast<int64_t>(kAltoA4) * 1585 + 1485) / 2970);
}

std::string TextoImprimiendoBoleto(int64_t boleto, const char* patron) {
  return "Imprimiendo el boleto nro. " + Formato(static_cast<double>(boleto), patron);
}

ResultadoImpresion ImpriBoletos(const OpcionesBoletos& o, const AbreColumnas& abre,
                                DestinoPaginas& destino, ControlImpresion& control) {
  ResultadoImpresion res;
  const ColocacionBoleto c{MargenATwips(o.MargenIzq), MargenATwips(o.MargenSup), o.reverso};
  TablaMarcas marcas{};
  auto dibuja = [&](int64_t numero) {
    if (o.Orientacion == 1) {
      DibujaBoletoVertical(marcas, c, NumeroBoleto(numero), destino);
    } else {
      DibujaBoletoGirado(marcas, c, 0, NumeroBoleto(numero), destino);
    }
  };
  Pluma(destino);
  if (o.prueba) {
    MarcaPruebaImpresion(marcas);
    dibuja(kNumeroPrueba);
    destino.Fin();
    res.boletos = 1;
  } else if (AperturaColumnas a; Abre(abre, a, res)) {
    control.EmpiezanBoletos();
    if (o.NumApuestas % 8 == 1) control.Aviso(MensajeUltimoIncompleto());
    Recorrido r{*a.fichero, PrimerRegistro(o.BoletoInicial), UltimoRegistro(o.BoletoFinal)};
    std::string registros;
    while (r.Quedan()) {
      const int64_t boleto = (r.primero + 7) / 8;
      control.Estado(TextoImprimiendoBoleto(boleto));
      if (boleto == o.BoletoFinal) control.UltimoBoleto();
      if (const int16_t e = r.fichero.Lee(r.primero, 8, registros); e != 0) {
        res.error = e;
        res.mensaje = "FORBOL ERROR " + std::to_string(e);
        break;
      }
      LlenaMarcas(marcas, registros);
      Decision d = Decision::Repetir;
      while (d == Decision::Repetir) {
        Pluma(destino);
        dibuja(boleto);
        destino.Fin();
        ++res.boletos;
        d = control.Espera();
      }
      if (d == Decision::Cancelar) {
        res.cancelado = true;
        break;
      }
      r.primero += 8;
    }
  }
  control.Estado({});
  destino.Grosor(1);
  return res;
}

ResultadoImpresion ImpriContinuo(const OpcionesBoletos& o, const AbreColumnas& abre,
                                 DestinoPaginas& destino, ControlImpresion& control) {
  ResultadoImpresion res;
  const ColocacionBoleto c{MargenATwips(o.MargenIzq), MargenATwips(o.MargenSup), true};
  TablaMarcas marcas{};
  destino.Papel(kPapelUsuario);
  destino.Papel(kPapelA4);
  destino.Alto(AltoPapelContinuo());
  Pluma(destino);
  if (o.prueba) {
    MarcaPruebaImpresion(marcas);
    DibujaBoletoGirado(marcas, c, 0, NumeroBoleto(kNumeroPrueba), destino);
    DibujaBoletoGirado(marcas, c, 1, NumeroBoleto(kNumeroPrueba), destino);
    destino.Fin();
    res.boletos = 2;
  } else if (AperturaColumnas a; Abre(abre, a, res)) {
    Recorrido r{*a.fichero, PrimerRegistro(o.BoletoInicial), UltimoRegistro(o.BoletoFinal)};
    std::string registros;
    int enHoja = 0;
    while (r.Quedan()) {
      const int64_t boleto = (r.primero + 7) / 8;
      control.Estado(TextoImprimiendoBoleto(boleto, "######"));
      if (const int16_t e = r.fichero.Lee(r.primero, 8, registros); e != 0) {
        res.error = e;
        res.mensaje = "FORBOL ERROR " + std::to_string(e);
        break;
      }
      LlenaMarcas(marcas, registros);
      Pluma(destino);
      DibujaBoletoGirado(marcas, c, enHoja, NumeroBoleto(boleto), destino);
      ++res.boletos;
      if (++enHoja == 2) {
        destino.Pagina();
        enHoja = 0;
      }
      if (control.Cancelado()) {
        res.cancelado = true;
        break;
      }
      r.primero += 8;
    }
    destino.Fin();
  }
  control.Estado({});
  destino.Grosor(1);
  return res;
}

}  // namespace zendo

#include "engine/output/documentos.h"

#include "engine/consult/boletos.h"
#include "engine/core/formato.h"
#include "engine/output/columnas_salida.h"
#include "engine/output/hoja_datos.h"
#include "engine/output/impri_boletos.h"
#include "engine/output/impri_listados.h"

namespace zendo {

ResultadoImpresion Imprime(const Impresion& p, DestinoPaginas& destino, ControlImpresion& control) {
  static const std::atomic<bool> nunca{false};
  const std::atomic<bool>& cancelar = p.cancelar != nullptr ? *p.cancelar : nunca;
  const Reduccion& r = p.reduccion;
  const AbreColumnas abre = [&] {
    return AbreColumnasSalida(p.rutaDatos, r.Jornada, r.Orden, cancelar);
  };
  switch (p.modo) {
    case kModoDatos:
      return ImpriDatosBasicos(HojaDatosBasicos(r, p.jornada, p.precio), p.NumCopias, destino,
                               control);
    case kModoBoletos:
    case kModoContinuo: {
      OpcionesBoletos o;
      o.BoletoInicial = p.BoletoInicial;
      o.BoletoFinal = p.BoletoFinal;
      o.MargenIzq = p.MargenIzq;
      o.MargenSup = p.MargenSup;
      o.Orientacion = p.Orientacion;
      o.reverso = p.reverso;
      o.prueba = p.prueba;
      o.NumApuestas = r.NumApuestas;
      return p.modo == kModoBoletos ? ImpriBoletos(o, abre, destino, control)
                                    : ImpriContinuo(o, abre, destino, control);
    }
    case kModoRelacion: {
      OpcionesRelacion o;
      o.BoletoInicial = p.BoletoInicial;
      o.BoletoFinal = p.BoletoFinal;
      o.NumBoletos = NumBoletos(r);
      o.AnchoPapel = p.AnchoPapel;
      o.Jornada = r.Jornada;
      o.Orden = r.Orden;
      o.FechaJornada = p.jornada.FechaJornada;
      o.Descripcion = r.Descripcion;
      return ImpriRelacion(o, abre, destino, control);
    }
    default:
      return {};
  }
}

std::string NombrePdf(int modo, int jornada, int orden) {
  static const char* const nombres[] = {"Documento", "Datos", "Boletos", "Continuo", "Relacion"};
  const char* nombre = modo >= 1 && modo <= 4 ? nombres[modo] : nombres[0];
  return nombre + DosDigitos(jornada) + DosDigitos(orden) + ".pdf";
}

}  // namespace zendo

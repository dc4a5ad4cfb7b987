#include "engine/reduction/comprobaciones.h"

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

Mensaje Crea(std::string_view titulo, std::string texto, int lineas, int contexto,
             int botones = kBotonesSalir) {
  return Mensaje{Cp(titulo), std::move(texto), lineas, botones, contexto};
}

bool BaseCompleta(const Reduccion& r) {
  for (int m = 1; m <= kPartidos; ++m) {
    if (r.Partido[m].NumSignos == 0) return false;
  }
  return true;
}

}  // namespace

Mensaje MensajeTotalesSignos() {
  return Crea("Error en totales de cada signo",
              Cp("Tiene que marcar como mínimo un valor en cada una de las tres columnas que "
                 "indican el total de signos  1 , X  y  2  que  deben  tener las apuestas "
                 "reducidas."),
              4, 2231);
}

Mensaje MensajeColumnaProbable(int sinProbable) {
  const std::string inicio =
      sinProbable == 1 ? Cp("Hay un partido múltiple  para reducir de la Quiniela  Base  del ")
                       : "Hay " + Formato(sinProbable, "#0") +
                             Cp(" partidos  múltiples  a  reducir de la Quiniela Base de los");
  return Crea("Error en la Columna probable",
              inicio + Cp(" que no ha seleccionado ningún signo en la  Columna probable.  Debe "
                          "seleccionar en la Columna probable un signo de cada partido a "
                          "reducir antes de efectuar la reducción."),
              6, 2221);
}

Mensaje MensajeErroresPermitidos() {
  return Crea("No concuerdan los errores permitidos",
              Cp("El mínimo de errores permitidos es superior al máximo de errores permitidos.  "
                 "El mínimo debe ser igual o inferior al  máximo. Tiene que corregir estos  "
                 "parámetros  para  poder efectuar la reducción."),
              5, 2222);
}

Mensaje MensajeBaseIncompletaAviso() {
  return Crea("Quiniela Base incompleta",
              Cp("Hay algún partido de la Quiniela Base que no tiene marcado ningún signo. Por "
                 "tanto,  sólo se incorporarán a la reducción las  columnas del archivo "
                 "externo."),
              4, 2251);
}

Mensaje MensajeBaseIncompleta() {
  return Crea("Error en la Quiniela Base",
              Cp("Hay algún partido de la Quiniela Base que no tiene marcado ningún signo. Debe "
                 "seleccionar en  la  Quiniela  Base  al menos un signo de cada partido antes "
                 "de efectuar la reducción."),
              4, 2215);
}

Mensaje MensajeSinMultiples(int metodo) {
  if (metodo == kMetodoBalanceSignos) {
    return Crea("No hay partidos a reducir",
                Cp("Tiene seleccionado un porcentaje del 100% de probabilidades  en  todos  los "
                   "partidos.  Se necesita que haya algún  porcentaje distinto de 100 para "
                   "poder efectuar la reducción."),
                4, 2216);
  }
  return Crea("No hay múltiples a reducir",
              Cp("No ha seleccionado ningún múltiple a reducir. Seleccione  los  múltiples  que "
                 "desea reducir antes de iniciar la reducción."),
              3, 2216);
}

Mensaje MensajeSinApuestas() {
  return Crea("No hay apuestas reducidas",
              Cp("La combinación de la  Quiniela Base y de los factores de reducción "
                 "seleccionados da lugar a  que  la  totalidad  de  las apuestas sean "
                 "excluidas.  Modifique  estos  factores hasta que haya al menos una apuesta "
                 "aceptada  y se pueda efectuar una reducción válida."),
              6, 2215);
}

Mensaje MensajeReduccionExiste() {
  return Crea("Reducción ya existe",
              Cp("Ya existe una reducción correspondiente a esa Jornada y con ese número de "
                 "Orden.  Si  desea conservar la reducción  existente,  pulse  el botón  "
                 "Cancelar,  cambie el número de Orden y vuelva a realizar la reducción.  Si  "
                 "no desea conservarla,  pulse el botón Aceptar para que continue el proceso "
                 "de reducción."),
              7, 2211, kBotonesAceptarCancelar);
}

Comprobacion ComprobarReduccion(const Reduccion& r, const Cifras& cifras, bool yaExiste) {
  Comprobacion c;
  const auto falla = [&c](int numero, Mensaje m) {
    c.numero = numero;
    c.mensaje = std::move(m);
    return c;
  };
  const bool conExterno = r.Metodo == kMetodoManual && r.IncluyeExterno == 1;

  if (r.Metodo == kMetodoSeleccionSignos) {
    for (int s = 1; s <= 3; ++s) {
      bool alguno = false;
      for (int n = 0; n <= 14; ++n) alguno = alguno || r.TotalSignos[s][n] == 1;
      if (!alguno) return falla(1, MensajeTotalesSignos());
    }
  }
  if (r.Metodo == kMetodoColumnaProbable) {
    int sinProbable = 0;
    for (int m = 1; m <= kPartidosPorcentaje; ++m) {
      if (r.Partido[m].AReducir && r.Partido[m].Probable == 0) ++sinProbable;
    }
    if (sinProbable > 0) return falla(2, MensajeColumnaProbable(sinProbable));
    if (r.MinErrores > r.MaxErrores) return falla(2, MensajeErroresPermitidos());
  }
  if (!BaseCompleta(r)) {
    if (!conExterno) return falla(3, MensajeBaseIncompleta());
    c.aviso = MensajeBaseIncompletaAviso();
    c.baseIncompleta = true;
  }
  if (cifras.MultiplesReducir == 0 && r.Metodo != kMetodoManual) {
    return falla(4, MensajeSinMultiples(r.Metodo));
  }
  if (cifras.NumApuestas == 0 && !conExterno) return falla(5, MensajeSinApuestas());
  if (yaExiste) {
    c.pregunta = true;
    return falla(6, MensajeReduccionExiste());
  }
  return c;
}

}  // namespace zendo

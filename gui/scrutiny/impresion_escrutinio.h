#pragma once
// What the scrutiny screen hands to the printout of a scrutiny (Pic_BotImpriEscru). The screen
// shows the button only after a complete scrutiny and only when a printout is given; it
// draws the button pressed, plays its sound and shows the hourglass around the call, so the
// printout only prints.
//
//   PantallaEscrutinio(servicios, padre, [](Servicios& s, QWidget* pantalla,
//                                           const InformeEscrutinio& informe) { ... });
//
// The lines of the report come from the engine: LineasAciertos (informe.resultado) and
// LineaBoleto (informe.resultado.boletos[i]); the team names from Equipo (informe.jornada.
// RegistroJornada, 2m - 1 / 2m).

#include <QWidget>
#include <functional>

#include "engine/core/jornadas.h"
#include "engine/reduction/modelo.h"
#include "engine/scrutiny/escrutinio.h"

namespace zendo {

class Servicios;

struct InformeEscrutinio {
  const Jornada& jornada;                // the record as saved: date, teams, result, prizes
  const Reduccion& reduccion;            // Jornada and Orden among its fields
  const ResultadoEscrutinio& resultado;  // ColumnaGanadora, premios (cents), counts, boletos
};

using ImpresionEscrutinio =
    std::function<void(Servicios& servicios, QWidget* pantalla, const InformeEscrutinio& informe)>;

}  // namespace zendo

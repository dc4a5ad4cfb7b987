#include "engine/screens/datos_jornada.h"

#include "engine/core/jornadas.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

bool DosDigitosValidos(std::string_view caja) {
  return caja.size() == 2 && caja[0] >= '0' && caja[0] <= '9' && caja[1] >= '0' && caja[1] <= '9';
}

int Numero(std::string_view caja) {
  return (caja[0] - '0') * 10 + (caja[1] - '0');
}

int DiasDelMes(int mes, int ano) {
  static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool bisiesto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
  return mes == 2 && bisiesto ? 29 : kDias[mes - 1];
}

}  // namespace

CajasFecha CajasDesdeFecha(std::string_view fecha) {
  const std::string f = AjustaAncho(fecha, 8);
  return CajasFecha{f.substr(0, 2), f.substr(3, 2), f.substr(6, 2)};
}

std::string CompletaCajaFecha(std::string_view caja) {
  if (caja.size() == 1) return "0" + std::string(caja);
  return std::string(caja);
}

bool ValidaFecha(const CajasFecha& c) {
  if (!DosDigitosValidos(c.dia) || !DosDigitosValidos(c.mes) || !DosDigitosValidos(c.ano)) {
    return false;
  }
  const int dia = Numero(c.dia);
  const int mes = Numero(c.mes);
  const int ano = 2000 + Numero(c.ano);
  return mes >= 1 && mes <= 12 && dia >= 1 && dia <= DiasDelMes(mes, ano);
}

std::string FechaDesdeCajas(const CajasFecha& c) {
  return AjustaAncho(c.dia, 2) + "/" + AjustaAncho(c.mes, 2) + "/" + AjustaAncho(c.ano, 2);
}

Mensaje MensajeErrorFecha() {
  return Mensaje{Cp("Error en la fecha"),
                 Cp("No ha indicado la fecha de la jornada o no es correcta.  No  se pueden "
                    "guardar los datos de la jornada si no se incluye una fecha válida. "
                    "Introduzca un valor correcto antes  de  poder guardar los datos de la "
                    "jornada."),
                 5, kBotonesSalir, kContextoErrorFecha};
}

std::string ComponeJornada(std::string_view registroGuardado, int jornada, std::string_view fecha,
                           const std::array<std::string, kCajasEquipo + 1>& equipos) {
  std::string registro = AjustaAncho(registroGuardado, kLargoRegistroJornada);
  PonCabecera(registro, jornada, fecha);
  for (int s = 1; s <= kCajasEquipo; ++s) {
    PonEquipo(registro, s, equipos[static_cast<std::size_t>(s)]);
  }
  return registro;
}

bool EquiposCambiados(std::string_view registro,
                      const std::array<std::string, kCajasEquipo + 1>& equipos) {
  std::string compuesto(registro);
  for (int s = 1; s <= kCajasEquipo; ++s) {
    PonEquipo(compuesto, s, equipos[static_cast<std::size_t>(s)]);
    if (Equipo(compuesto, s) != Equipo(registro, s)) return true;
  }
  return false;
}

ResultadoJornada GuardaJornada(const std::filesystem::path& rutaDatos, int jornada,
                               std::string_view fecha,
                               const std::array<std::string, kCajasEquipo + 1>& equipos) {
  ResultadoJornada r;
  const LecturaJornada leida = LeeJornada(rutaDatos, jornada);
  if (leida.error != 0) {
    // Writing over a record that could not be read could wipe the scrutiny's data.
    r.error = leida.error;
    r.mensaje = leida.mensaje;
    return r;
  }
  const std::string registro =
      ComponeJornada(leida.jornada.RegistroJornada, jornada, fecha, equipos);
  r.error = EscribeJornada(rutaDatos, jornada, registro);
  if (r.error != 0) r.mensaje = "EJO ERROR " + std::to_string(r.error);
  return r;
}

}  // namespace zendo

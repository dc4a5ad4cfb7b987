#include "engine/core/jornadas.h"

#include <algorithm>

#include "engine/core/elementos.h"
#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {
namespace {

constexpr std::size_t kInicioEquipos = 14;
constexpr std::size_t kInicioGanadora = 464;
constexpr std::size_t kInicioPremios = 479;

std::string Normaliza(std::string_view registro) {
  return AjustaAncho(registro, kLargoRegistroJornada);
}

}  // namespace

std::string RegistroJornadaVacio() {
  return std::string(5, ' ') + "00/00/00" + std::string(kLargoRegistroJornada - 13, ' ');
}

Jornada ParseaJornada(std::string_view texto, int jornada) {
  Jornada j;
  const std::string registro = Normaliza(texto);
  j.vacia = jornada < 1 || jornada > 99 || registro.substr(0, 5) != "Jor" + DosDigitos(jornada);
  j.RegistroJornada = j.vacia ? RegistroJornadaVacio() : registro;
  j.FechaJornada = j.RegistroJornada.substr(5, 8);
  for (std::size_t m = 1; m <= 15; ++m) {
    const double v = Val(j.RegistroJornada.substr(kInicioGanadora + m - 2, 1));
    if (v >= 1 && v <= 3) j.Ganadora[m][static_cast<std::size_t>(v)] = 1;
  }
  for (std::size_t k = 1; k <= 6; ++k) {
    j.Premios[k] = Val(j.RegistroJornada.substr((k - 1) * 11 + kInicioPremios - 1, 11));
  }
  return j;
}

LecturaJornada LeeJornada(const fs::path& rutaDatos, int jornada, bool crea) {
  LecturaJornada l;
  const fs::path ruta = rutaDatos / kFicheroJornadas;
  auto leido = LeeRegistro(ruta, jornada, kLargoRegistroJornada);
  if (leido.error == kErrNoEncontrado && !crea) {
    l.jornada = ParseaJornada("", jornada);
    return l;
  }
  if (leido.error == kErrNoEncontrado) {
    // Opening for record access creates the file.
    leido.error = AnadeAlFichero(ruta, "");
  }
  if (leido.error != kSinError) {
    l.error = leido.error;
    l.mensaje = "LJO ERROR " + std::to_string(leido.error);
    l.fallo = {leido.error, kFicheroJornadas, OperacionFichero::Leer};
    l.jornada = ParseaJornada("", jornada);
    return l;
  }
  l.jornada = ParseaJornada(leido.datos, jornada);
  return l;
}

void PonCabecera(std::string& registro, int jornada, std::string_view fecha) {
  registro = Normaliza(registro);
  registro.replace(0, 13, "Jor" + DosDigitos(jornada) + AjustaAncho(fecha, 8));
}

void PonEquipo(std::string& registro, int ranura, std::string_view nombre) {
  if (ranura < 1 || ranura > 30) return;
  registro = Normaliza(registro);
  registro.replace(static_cast<std::size_t>(ranura - 1) * 15 + kInicioEquipos - 1, 15,
                   AjustaAncho(Recorta(nombre), 15));
}

std::string Equipo(std::string_view registro, int ranura) {
  if (ranura < 1 || ranura > 30) return {};
  const std::string r = Normaliza(registro);
  return std::string(
      Recorta(std::string_view(r).substr(static_cast<std::size_t>(ranura - 1) * 15 + 13, 15)));
}

void PonGanadora(std::string& registro, const std::array<std::array<int16_t, 4>, 16>& g) {
  registro = Normaliza(registro);
  for (std::size_t m = 1; m <= 15; ++m) {
    char digito = '0';
    for (std::size_t s = 1; s <= 3; ++s) {
      if (g[m][s] != 0) digito = static_cast<char>('0' + s);
    }
    registro[kInicioGanadora + m - 2] = digito;
  }
}

void PonPremio(std::string& registro, int clase, std::string_view texto) {
  if (clase < 1 || clase > 6) return;
  registro = Normaliza(registro);
  registro.replace(static_cast<std::size_t>(clase - 1) * 11 + kInicioPremios - 1, 11,
                   FormatoTexto(Recorta(texto).substr(0, 11), std::string(11, '@')));
}

int16_t EscribeJornada(const fs::path& rutaDatos, int jornada, std::string_view registro) {
  if (jornada < 1) return kErrNombreFichero;
  return EscribeRegistro(rutaDatos / kFicheroJornadas, jornada, kLargoRegistroJornada,
                         Normaliza(registro), ' ');
}

std::string GanadoraComoSignos(const Jornada& j) {
  std::string s(15, '-');
  for (std::size_t m = 1; m <= 15; ++m) {
    for (std::size_t k = 1; k <= 3; ++k) {
      if (j.Ganadora[m][k] != 0) s[m - 1] = "-1X2"[k];
    }
  }
  return s;
}

std::vector<std::string> ParseaEquipos(std::string_view contenido) {
  return ParseaElementos(contenido);
}

namespace {
LecturaEquipos LeeEquipos(const fs::path& rutaDatos, bool crear, const char* codigo) {
  LecturaEquipos l;
  std::string contenido;
  const fs::path ruta = rutaDatos / kFicheroEquipos;
  l.error = LeeFichero(ruta, contenido);
  if (l.error == kErrNoEncontrado) {
    l.mensaje = Cp("No se encuentra el fichero de equipos EQUIPOS.TVX.");
    if (crear) {
      l.mensaje += kSaltoLinea + Cp("Se ha procedido a crearlo automáticamente con los valores "
                                    "establecidos por defecto.");
      const int16_t err = ReemplazaFichero(ruta, "");
      if (err != kSinError) l.mensaje += kSaltoLinea + codigo + " ERROR " + std::to_string(err);
    }
    return l;
  }
  if (l.error != kSinError) {
    l.mensaje = std::string(codigo) + " ERROR " + std::to_string(l.error);
    return l;
  }
  l.equipos = ParseaEquipos(contenido);
  return l;
}
}  // namespace

LecturaEquipos CargaLisEquipos(const fs::path& rutaDatos) {
  return LeeEquipos(rutaDatos, true, "CLE");
}

LecturaEquipos CreaCboEquipo(const fs::path& rutaDatos) {
  return LeeEquipos(rutaDatos, false, "CCE");
}

int16_t GuardaEquipos(const fs::path& rutaDatos, const std::vector<std::string>& equipos) {
  return ReemplazaFichero(rutaDatos / kFicheroEquipos, TextoElementos(equipos));
}

}  // namespace zendo

#pragma once
// A stored reduction for the tests of the output: its index record and its columns file,
// as the reduction screen leaves them, and a jornada with team names.

#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/reduction/modelo.h"

namespace zendo::prueba {

// Stores `r` with `columnas` (15 signs each) as RED<jj><oo>.TVX and its record of BASES.TVX;
// the counts of the record follow the columns. Returns the definition as stored.
inline Reduccion GuardaReduccion(const std::filesystem::path& carpeta, Reduccion r,
                                 const std::vector<std::string>& columnas) {
  std::string red;
  r.NumApuestas = static_cast<int32_t>(columnas.size());
  r.ColumnasPleno1 = r.ColumnasPlenoX = 0;
  for (const std::string& c : columnas) {
    red += "\"" + c + "\"\r\n";
    r.ColumnasPleno1 += c.size() >= 15 && c[14] == '1';
    r.ColumnasPlenoX += c.size() >= 15 && c[14] == 'X';
  }
  // A manual reduction stores its columns as those of the base plus the external ones.
  if (r.Metodo == kMetodoManual && r.ApuestasQuiniela + r.ApuestasExternas != r.NumApuestas) {
    r.ApuestasQuiniela = r.NumApuestas - r.ApuestasExternas;
  }
  ReemplazaFichero(carpeta / NombreReduccion(r.Jornada, r.Orden), red);
  GuardaRegistroBases(carpeta, ConstruyeRegistroBases(r));
  Reduccion guardada;
  LeeReduccion(carpeta, r.Jornada, r.Orden, r.Metodo, guardada);
  return guardada;
}

// Jornada `jornada` dated `fecha` whose match m is "Local m" - "Visitante m" for m up to
// `equipos`.
inline void GuardaJornada(const std::filesystem::path& carpeta, int jornada,
                          const std::string& fecha, int equipos = 15) {
  std::string reg = RegistroJornadaVacio();
  PonCabecera(reg, jornada, fecha);
  for (int m = 1; m <= equipos; ++m) {
    PonEquipo(reg, 2 * m - 1, "Local " + std::to_string(m));
    PonEquipo(reg, 2 * m, "Visitante " + std::to_string(m));
  }
  EscribeJornada(carpeta, jornada, reg);
}

// `n` columns whose match 15 is `pleno`, numbered into their first signs so that each
// differs from the others.
inline std::vector<std::string> Columnas(int n, char pleno = '1', int desde = 0) {
  std::vector<std::string> c;
  for (int i = desde; i < desde + n; ++i) {
    std::string s(15, '1');
    int v = i;
    for (int m = 0; m < 14 && v > 0; ++m, v /= 3) s[static_cast<std::size_t>(m)] = "1X2"[v % 3];
    s[14] = pleno;
    c.push_back(s);
  }
  return c;
}

}  // namespace zendo::prueba

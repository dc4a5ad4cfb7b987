#pragma once
// Support of the generation tests: an independent, column-by-column development of a base,
// models built from sign strings, a run with its progress collected.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/reduction/generacion.h"
#include "engine/reduction/modelo.h"

namespace zendo::prueba {

namespace fs = std::filesystem;

// A model of jornada 1, orden 1: match m has the signs of signos[m-1] ("1X2", "X", "" ...;
// missing entries are "1"), and is a reducir where aReducir[m-1] is 'R'.
Reduccion BaseDe(int metodo, const std::vector<std::string>& signos,
                 std::string_view aReducir = "");

// The columns the rules give for `r`, developed one by one and filtered directly, with the
// external file merged and regrouped as a manual reduction does.
std::vector<std::string> ColumnasFuerzaBruta(const Reduccion& r, const fs::path& rutaDatos);

// The bytes of a columns file holding `columnas`.
std::string Fichero(const std::vector<std::string>& columnas);

struct Corrida {
  ResultadoReduccion res;
  std::vector<AvisoProgreso> avisos;
  CifrasGeneracion cifras;
  int32_t numApuestas = 0;  // the live figure before the run
  std::vector<std::string> Textos() const {
    std::vector<std::string> t;
    for (const auto& a : avisos) t.push_back(a.texto);
    return t;
  }
};

// As the screen does it: external file, figures, then the reduction. `alAviso` sees every
// progress line and may set the cancel flag.
Corrida Reduce(const fs::path& rutaDatos, Reduccion& r,
               const std::function<void(const AvisoProgreso&, std::atomic<bool>&)>& alAviso = {});

// The stored record of a key ("" when there is none) and a numeric field of it (1-based
// positions).
std::string Registro(const fs::path& rutaDatos, int jornada, int orden);
int64_t CampoRegistro(const std::string& registro, std::size_t desde, std::size_t hasta);

}  // namespace zendo::prueba

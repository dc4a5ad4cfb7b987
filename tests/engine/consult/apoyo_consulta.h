#pragma once
// Stored reductions and work files for the consultation tests.

#include <filesystem>
#include <string>
#include <vector>

#include "engine/consult/fichero_boletos.h"
#include "engine/consult/marcado.h"
#include "engine/reduction/modelo.h"

namespace zendo::prueba {

// The bytes of a columns file.
std::string FicheroColumnas(const std::vector<std::string>& columnas);
// The record of a work-file column, mark included.
std::string RegistroMarcado(const std::string& columna, char marca);

// Stores (jornada, orden) with `metodo`: its index record (NumApuestas the number of columns,
// match 15 with the signs the columns use, the true match-15 counts for method 5) and its
// columns file.
Reduccion GuardaReduccion(const std::filesystem::path& datos, int jornada, int orden, int metodo,
                          const std::vector<std::string>& columnas);

// Builds FORBOLW.TVX of (jornada, orden) and returns the counters the screen starts from.
EstadoMarcado ConstruyeTrabajo(const std::filesystem::path& datos, int jornada, int orden);

// The marks of the work file, one character per record ('0', '1', ' ').
std::string Marcas(const std::filesystem::path& datos);

}  // namespace zendo::prueba

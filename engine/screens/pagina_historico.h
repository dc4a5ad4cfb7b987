#pragma once
// The page of the history screen: its geometry, its title rows and column lines, what a
// click on it means, and the deletion of a reduction from it. The lines themselves, the
// row under the mouse and the paging come from engine/core/historico.h.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/indice.h"
#include "engine/core/mensaje.h"

namespace zendo {

inline constexpr int kAltoFilaHistorico = 25;
inline constexpr int kXTextoHistorico = 5;      // where the text of a line starts
inline constexpr int kFinTextoHistorico = 665;  // the text of a line ends here
inline constexpr int kXSimboloBorrar = 673;     // the delete symbol, 20 x 20
inline constexpr int kLadoSimboloBorrar = 20;
inline constexpr int kAnchoPaginaHistorico = 700;
inline constexpr std::size_t kCaracteresLineaHistorico = 94;
inline constexpr int kContextoHistorico = 2280;

// The two title rows, in the columns of the lines: "Apuestas  Apuestas" above the two
// counts, then "Jor   Fecha  Ord  Método de reducción           Descripción" with
// "Directas Reducidas" (Windows-1252).
std::array<std::string, 2> TitulosHistorico();

// Where the column lines go, in characters from the start of a line: between the fields.
std::vector<double> SeparadoresHistorico();

// What a click on the page does.
enum class AccionHistorico { Ninguna, Elegir, Borrar };
struct ClicHistorico {
  AccionHistorico accion = AccionHistorico::Ninguna;
  int linea = 0;  // 1-based position of the line clicked
};
ClicHistorico ClicEnHistorico(int x, int y, int primeraLinea, int numLineas);

// The question before deleting a reduction (5 lines, Aceptar and Cancelar).
Mensaje MensajeBorrarReduccion(int jornada, int orden);

// Marks the index records of (jornada, orden) deleted and deletes its columns file (a file
// already missing is no error), in one commit (transaccion.h): after a failure or a crash
// the reduction is whole or gone. Messages: "BRB ERROR n", "BRF ERROR n". The caller holds
// the folder lock.
EstadoIndice BorraReduccion(const std::filesystem::path& rutaDatos, int jornada, int orden);

}  // namespace zendo

#pragma once
// The page operations of a document as the lines zendo-cli writes, for the tests.

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/output/control_impresion.h"
#include "engine/output/paginas.h"

namespace zendo::prueba {

inline std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> v;
  std::istringstream in(texto);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

inline std::vector<std::string> Operaciones(const std::function<void(DestinoPaginas&)>& documento) {
  std::ostringstream out;
  EscritorOperaciones e(out);
  documento(e);
  return Lineas(out.str());
}

inline long Cuenta(const std::vector<std::string>& ops, const std::string& prefijo) {
  return std::count_if(ops.begin(), ops.end(),
                       [&](const std::string& o) { return o.rfind(prefijo, 0) == 0; });
}

// A run that records what the screen would show and answers as told.
class ControlPrueba : public ControlImpresion {
 public:
  void Estado(std::string_view t) override { estados.emplace_back(t); }
  bool Cancelado() override { return cancelarTras >= 0 && ++consultas > cancelarTras; }
  void Aviso(const Mensaje& m) override { avisos.push_back(m); }
  void EmpiezanBoletos() override { ++empiezan; }
  void UltimoBoleto() override { ++ultimos; }
  Decision Espera() override {
    ++esperas;
    if (decisiones.empty()) return Decision::Siguiente;
    const Decision d = decisiones.front();
    decisiones.erase(decisiones.begin());
    return d;
  }
  std::vector<std::string> estados;
  std::vector<Mensaje> avisos;
  std::vector<Decision> decisiones;
  int cancelarTras = -1;  // cancelled from that many looks at the flag on
  int consultas = 0, empiezan = 0, ultimos = 0, esperas = 0;
};

}  // namespace zendo::prueba

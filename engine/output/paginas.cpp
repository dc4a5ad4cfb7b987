#include "engine/output/paginas.h"

#include "engine/core/texto.h"

namespace zendo {

Centesimas RedondeaTwips(Centesimas valor) {
  const bool negativo = valor < 0;
  const Centesimas a = negativo ? -valor : valor;
  Centesimas entero = a / 100;
  const Centesimas resto = a % 100;
  if (resto > 50 || (resto == 50 && entero % 2 == 1)) ++entero;
  return (negativo ? -entero : entero) * 100;
}

std::string TextoCentesimas(Centesimas valor) {
  std::string s;
  if (valor < 0) {
    s.push_back('-');
    valor = -valor;
  }
  s += std::to_string(valor / 100);
  const int decimas = static_cast<int>(valor % 100);
  if (decimas != 0) {
    s.push_back('.');
    s.push_back(static_cast<char>('0' + decimas / 10));
    if (decimas % 10 != 0) s.push_back(static_cast<char>('0' + decimas % 10));
  }
  return s;
}

void EscritorOperaciones::Fuente(std::string_view nombre, Centesimas puntos, bool negrita) {
  salida_ << "fuente " << Cp1252AUtf8(nombre) << ' ' << TextoCentesimas(puntos) << ' '
          << (negrita ? 1 : 0) << '\n';
}

void EscritorOperaciones::Grosor(int ancho) {
  salida_ << "grosor " << ancho << '\n';
}

void EscritorOperaciones::Papel(int codigo) {
  salida_ << "papel " << codigo << '\n';
}

void EscritorOperaciones::Alto(int twips) {
  salida_ << "alto " << twips << '\n';
}

void EscritorOperaciones::Linea(std::string_view texto) {
  linea_.assign("linea ");
  linea_ += Cp1252AUtf8(texto);
  linea_.push_back('\n');
  salida_ << linea_;
}

void EscritorOperaciones::Texto(Centesimas x, Centesimas y, std::string_view texto) {
  salida_ << "texto " << TextoCentesimas(x) << ' ' << TextoCentesimas(y) << ' '
          << Cp1252AUtf8(texto) << '\n';
}

void EscritorOperaciones::Caja(Centesimas x, Centesimas y, Centesimas dx, Centesimas dy) {
  salida_ << "caja " << TextoCentesimas(x) << ' ' << TextoCentesimas(y) << ' '
          << TextoCentesimas(dx) << ' ' << TextoCentesimas(dy) << '\n';
}

void EscritorOperaciones::Pagina() {
  salida_ << "pagina\n";
}

void EscritorOperaciones::Fin() {
  salida_ << "fin\n";
}

}  // namespace zendo

#include "engine/shell/textos.h"

#include <array>
#include <utility>

#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {

std::string TextoStr(long valor) {
  return valor >= 0 ? " " + std::to_string(valor) : std::to_string(valor);
}

const std::string& TextoMenu(int indice) {
  static const std::array<std::string, 8> textos = {
      "",
      Cp("DATOS DE JORNADAS"),
      Cp("REDUCCIÓN DE APUESTAS"),
      Cp("CONSULTA DE REDUCCIONES"),
      Cp("SALIDA DE DATOS"),
      Cp("ESCRUTINIO DE ACIERTOS"),
      Cp("DATOS GENERALES"),
      Cp("BORRADO DE DATOS"),
  };
  return textos[indice >= 1 && indice <= 7 ? static_cast<std::size_t>(indice) : 0];
}

const std::string& TextoSalida(int indice) {
  static const std::array<std::string, 7> textos = {
      "",
      Cp("Imprimir datos básicos de la reducción"),
      Cp("Imprimir en boletos individuales"),
      Cp("Imprimir en papel continuo"),
      Cp("Imprimir relación de boletos"),
      Cp("Copiar en soporte externo"),
      Cp("Enviar por correo electrónico"),
  };
  return textos[indice >= 1 && indice <= 6 ? static_cast<std::size_t>(indice) : 0];
}

std::string TextoResolucion(int ancho, int alto) {
  return Cp("Este programa se ha diseñado  para  funcionar con  una  resolución  mínima  de  "
            "pantalla de 800x600 con profundidad de color de 16 bits o superior. La resolución "
            "actual de su pantalla es  de  (") +
         FormatoTexto(ancho, "@@@") + "x" + FormatoTexto(alto, "@@@") +
         Cp(").   Debería  modificar  la resolución de la pantalla a  800x600 antes de ejecutar "
            "nuevamente el programa.");
}

std::string TextoBienvenida() {
  return Cp(
      "Si desea consultar una descripción general de este  programa  para  conocer  "
      "rápidamente su funcionamiento, pulse el botón de Ayuda.");
}

std::string TituloBienvenida() {
  return std::string(kNombrePrograma) + " " + kVersionPrograma;
}

Mensaje PreguntaDescartar(std::string_view titulo, int contexto) {
  return Mensaje{std::string(titulo), Cp("¿Desea descartar los cambios?"), 1,
                 kBotonesAceptarCancelar, contexto};
}

int AnchoBoton(std::string_view nombreControl) {
  // Array members carry their index after the name (Pic_Boton3, Pic_BotSal2).
  std::string_view base = nombreControl;
  while (!base.empty() && base.back() >= '0' && base.back() <= '9') base.remove_suffix(1);
  static const std::pair<const char*, int> tabla[] = {
      {"Pic_Boton", 215},          {"Pic_BotNroJor", 90},      {"Pic_BotOrden", 90},
      {"Pic_BotMetodo", 194},      {"Pic_BotReducir", 132},    {"Pic_BotMinErr", 81},
      {"Pic_BotMaxErr", 81},       {"Pic_BotMinPor", 104},     {"Pic_BotMaxPor", 104},
      {"Pic_BotFecJor", 116},      {"Pic_BotSelTodo", 120},    {"Pic_BotBorTodo", 120},
      {"Pic_BotGuardar", 140},     {"Pic_BotBolIni", 135},     {"Pic_BotBolFin", 135},
      {"Pic_BotAbrirMarcar", 202}, {"Pic_BotMarcaSel", 133},   {"Pic_BotPorcen", 172},
      {"Pic_BotImprimir", 135},    {"Pic_BotCopiar", 133},     {"Pic_BotEnviar", 133},
      {"Pic_BotRepetir", 133},     {"Pic_BotSiguiente", 133},  {"Pic_BotCopias", 147},
      {"Pic_BotMarIzq", 155},      {"Pic_BotMarSup", 155},     {"Pic_BotUnidad", 270},
      {"Pic_BotAncPap", 155},      {"Pic_BotImpriEscru", 133}, {"Pic_BotEscrutar", 133},
      {"Pic_BotSal", 240},         {"Pic_BotEquipos", 133},    {"Pic_BotAñadir", 134},
      {"Pic_BotAnadir", 134},      {"Pic_BotBorrar", 133},     {"Pic_BotBorDatos", 133},
      {"Pic_BotJorIni", 135},      {"Pic_BotJorFin", 135},     {"Pic_BotTotJor", 160},
      {"Pic_BotTotOrd", 160},      {"Pic_BotPreApu", 160},     {"Pic_BotSonido", 160},
      {"Pic_BotDelega", 160},      {"Pic_BotReceptor", 160},   {"Pic_BotVistaPrevia", 120},
      {"Pic_BotPdf", 80},          {"Pic_BotGarantia", 100},
  };
  for (const auto& [nombre, ancho] : tabla) {
    if (base == nombre) return ancho;
  }
  return 0;
}

}  // namespace zendo

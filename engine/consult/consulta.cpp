#include "engine/consult/consulta.h"

#include "engine/core/fichero.h"
#include "engine/core/formato.h"
#include "engine/core/texto.h"

namespace zendo {

PaginaColumnas PaginaDeRegistros(std::string_view registros, int64_t primeraLinea) {
  PaginaColumnas p;
  for (int i = 1; i <= 16; ++i) p.FilaPanel[static_cast<std::size_t>(i)].assign(kLineasPagina, ' ');
  for (int c = 0; c < kLineasPagina; ++c) {
    const std::size_t inicio = static_cast<std::size_t>(c) * kLargoRegistroBoleto;
    if (inicio + kLargoRegistroBoleto > registros.size()) break;
    // Between the quotes: the 15 signs and the mark.
    const std::string_view linea = registros.substr(inicio + 1, 16);
    for (std::size_t i = 0; i < 16; ++i) p.FilaPanel[i + 1][static_cast<std::size_t>(c)] = linea[i];
  }
  for (int b = 0; b < kBoletosPagina; ++b) {
    if (p.EsColumna(b * kColumnasPorBoleto + 1))
      p.boleto[static_cast<std::size_t>(b)] = (primeraLinea + 7) / 8 + b;
  }
  return p;
}

PaginaColumnas LeePaginaColumnas(const std::filesystem::path& ficheroBoletos,
                                 int64_t primeraLinea) {
  FicheroBoletos f = AbreFicheroBoletos(ficheroBoletos);
  std::string registros;
  if (f.error() == kSinError) f.Lee(primeraLinea, kLineasPagina, registros);
  PaginaColumnas p =
      PaginaDeRegistros(f.error() == kSinError ? registros : std::string(), primeraLinea);
  p.error = f.error();
  return p;
}

std::string TextoBoleto(int64_t numero) {
  return "Boleto " + Formato(static_cast<double>(numero), "######");
}

bool BotonPaginacionActivo(int boton, int64_t primeraLinea, int64_t lineasTrabajo) {
  switch (boton) {
    case kIrPrincipio:
    case kRetroceder:
      return primeraLinea != 1;
    case kAvanzar:
    case kIrFinal:
      return primeraLinea + kLineasPagina <= lineasTrabajo;
    default:
      return false;
  }
}

int64_t PrimeraLineaTras(int boton, int64_t primeraLinea, int64_t lineasTrabajo) {
  if (!BotonPaginacionActivo(boton, primeraLinea, lineasTrabajo)) return primeraLinea;
  switch (boton) {
    case kIrPrincipio:
      return 1;
    case kRetroceder:
      return std::max<int64_t>(1, primeraLinea - kLineasPagina);
    case kAvanzar:
      return primeraLinea + kLineasPagina;
    default:
      return (lineasTrabajo - 1) / kLineasPagina * kLineasPagina + 1;
  }
}

std::string AyudaBotonPaginacion(int boton) {
  switch (boton) {
    case kIrPrincipio:
      return " Ir al principio ";
    case kRetroceder:
      return " Retroceder tres boletos ";
    case kAvanzar:
      return " Avanzar tres boletos ";
    case kIrFinal:
      return " Ir al final ";
    default:
      return {};
  }
}

int ColumnaBajoCursor(int x, int y, std::string_view fila1) {
  if (y < kYPrimeraFila || y > kYUltimaFila) return 0;
  const int paso = kAnchoBoletoPanel + kHuecoBoletos;
  const int relativo = x - kXColumnas;
  if (relativo < 0 || relativo >= kBoletosPagina * paso - kHuecoBoletos) return 0;
  const int boleto = relativo / paso;
  const int dentro = relativo - boleto * paso;
  if (dentro >= kAnchoBoletoPanel) return 0;  // the gap between two boletos
  const int d = boleto * kAnchoBoletoPanel + dentro;
  if (d % kAnchoColumnaPanel < 2 || d % kAnchoColumnaPanel > 8) return 0;
  const int columna = d / kAnchoColumnaPanel + 1;
  const auto i = static_cast<std::size_t>(columna - 1);
  if (i >= fila1.size() || fila1[i] == ' ') return 0;
  return columna;
}

std::string RotuloNumVar(int variantes, int64_t sinMarcar) {
  std::string t = FormatoTexto(variantes, "@@") + " var.";
  if (sinMarcar != 0) t += " ->" + FormatoTexto(static_cast<double>(sinMarcar), "@@@@@@");
  return t;
}

std::string RotuloPorcentaje(int porcentaje) {
  return "Marcar " + FormatoTexto(porcentaje, "@@") + " % de columnas";
}

std::string CifraEstaMar(int64_t valor) {
  return Formato(static_cast<double>(valor), "#,###,##0");
}

std::string CifraTotSel(int64_t valor) {
  return Formato(static_cast<double>(valor), "######0");
}

std::string TextoManual() {
  return "Puede marcar en el panel\r\n\r\nde la izquierda aquellas\r\n\r\ncolumnas que va a borrar";
}

Mensaje MensajeBorrarMarcadas(int64_t columnasMarcadas) {
  return {"Borrado de columnas",
          "Hay " + Formato(static_cast<double>(columnasMarcadas), "######0") +
              " columnas  marcadas  para  borrar." + kSaltoLinea +
              Cp("Si desea borrarlas de forma definitiva, pulse el botón Aceptar.  Si desea "
                 "anular el proceso de borrado, pulse el botón Cancelar."),
          4, kBotonesAceptarCancelar, kAyudaBorrado};
}

Mensaje MensajeMarcadasBorradas(int64_t apuestas) {
  return {"Borrado de columnas",
          Cp("Se han borrado las columnas marcadas. Esta reducción contiene ahora ") +
              Formato(static_cast<double>(apuestas), "######0") + " apuestas.",
          2, kBotonesSalir, kAyudaBorrado};
}

}  // namespace zendo

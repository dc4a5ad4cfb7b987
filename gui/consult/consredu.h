#pragma once
// The consultation screen `consredu`: the stored reduction on the quiniela panel and its
// columns on boletos, three at a time, from the boleto work file. For a manual reduction the
// marking panel marks columns for deletion (by variants, at random or by hand); leaving the
// reduction with marks asks whether to delete them.

#include <QString>
#include <array>

#include "engine/consult/consulta.h"
#include "engine/core/jornadas.h"
#include "gui/shell/formulario_reduccion.h"

class QLabel;

namespace zendo {

class Boton;
class BotonPagina;
class PanelColumnas;
class PanelEsta;
class PanelMarcado;
class PanelQuiniela;
class SelectorReduccion;

class PantallaConsulta : public FormularioReduccion {
  Q_OBJECT

 public:
  explicit PantallaConsulta(Servicios& servicios, QWidget* padre = nullptr);

  // The work file could be built (and so columns can be marked).
  bool hayTrabajo() const { return hayTrabajo_; }
  const EstadoMarcado& estadoMarcado() const { return marcado_; }
  int64_t primeraLineaVisible() const { return primeraLinea_; }
  bool marcadorAbierto() const { return marcadorAbierto_; }
  PanelColumnas* columnas() const { return columnas_; }
  PanelMarcado* panelMarcado() const { return panelMarcado_; }
  PanelQuiniela* panel() const { return panel_; }
  SelectorReduccion* selector() const { return selector_; }

  // Escape and the window's close button act as Salir: with marks, the deletion is offered
  // and the screen stays.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Construye();
  void CargaPantalla();
  // RecargaPantalla: panel closed, marks gone, the screen loaded again and the work file
  // rebuilt from the columns file.
  void RecargaPantalla();
  void CreaTrabajo();
  void DibujaColumnas();
  void Coloca();
  void Rotula();
  void ActualizaPaginacion();
  void Pagina(int boton);
  void AbreCierraMarcador();
  void CambiaMetodoMarcado();
  void MarcarColumnas(int columnaPanel);
  // Offers the deletion of the marked columns and reloads (unless the caller is about to
  // load another reduction anyway).
  void BorraMarcadas(bool recargar = true);
  void PulsaSalir();
  // The guarantee of the stored reduction, in its own panel.
  void AbreGarantia();
  bool TeclaPagina(int tecla);

  PanelQuiniela* panel_ = nullptr;
  QLabel* titulo_ = nullptr;
  QLabel* descripcion_ = nullptr;
  QLabel* externo_ = nullptr;
  SelectorReduccion* selector_ = nullptr;
  std::array<QLabel*, kBoletosPagina> rotulosBoleto_{};
  PanelColumnas* columnas_ = nullptr;
  QWidget* tiraPaginas_ = nullptr;
  std::array<BotonPagina*, 5> paginas_{};  // [1..4]
  Boton* abrirMarcar_ = nullptr;
  PanelMarcado* panelMarcado_ = nullptr;
  PanelEsta* esta_ = nullptr;
  Boton* garantia_ = nullptr;
  Boton* ayuda_ = nullptr;
  Boton* salir_ = nullptr;

  bool hayTrabajo_ = false;
  bool marcadorAbierto_ = false;
  bool ocupadoConsulta_ = false;  // building, marking or deleting
  int64_t primeraLinea_ = 1;
  EstadoMarcado marcado_;
};

}  // namespace zendo

#pragma once
// The choosers of the screens that work on a stored reduction (consultation, output,
// scrutiny): Pic_BotNroJor with the date of the jornada beside it, Pic_BotOrden and
// Pic_BotIndice, and the lists Lis_Jornadas and Lis_Orden that open under their buttons.
// Only a jornada or an orden that holds a stored reduction can be chosen; a choice that
// changes the current reduction stores it in the general data and asks the screen to
// reload (RecargaPantalla).
//
//   selector_ = new SelectorReduccion(s_, Pantalla::Salida, this);
//   selector_->alCambiar = [this] { RecargaPantalla(); };
//   ... in CargaPantalla: selector_->Carga(jornada); selector_->Coloca(x, y);

#include <QObject>
#include <cstdint>
#include <functional>

#include "engine/consult/carga_pantalla.h"
#include "engine/core/jornadas.h"

class QLabel;
class QListWidget;

namespace zendo {

class Boton;
class Servicios;

class SelectorReduccion : public QObject {
  Q_OBJECT

 public:
  SelectorReduccion(Servicios& servicios, Pantalla pantalla, QWidget* pantallaPadre);

  // The captions, the date and the lists for the current jornada and orden.
  void Carga(const Jornada& jornada);
  // The row of buttons from (x, y); the lists open under their buttons.
  void Coloca(int x, int y);
  // The right edge of the row.
  int derecha() const;
  // Closes an open list as a press of its button would.
  void CierraAbiertos();
  // False while neither list is open.
  bool abierto() const;
  void PonHabilitado(bool habilitado);

  // Asked before the current reduction changes; false keeps it.
  std::function<bool()> antesDeCambiar;
  // The general data hold the new jornada and orden: the screen reloads.
  std::function<void()> alCambiar;
  // While columns are marked for deletion (the consultation), a line chosen in the history
  // runs their deletion instead, and the current reduction stays.
  std::function<int64_t()> columnasMarcadas;
  std::function<void()> borraMarcadas;

  Boton* nroJor() const { return nroJor_; }
  Boton* orden() const { return orden_; }
  Boton* indice() const { return indice_; }
  QLabel* fecha() const { return fecha_; }

  void EligeJornada();
  void EligeOrden();
  void AbreHistorico();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  // Opens a list under its button, or closes it: then the number chosen, 0 while it opens.
  int AlternaLista(Boton* boton, QListWidget* lista);

  Servicios& s_;
  Pantalla pantalla_;
  QWidget* padre_;
  Boton* nroJor_ = nullptr;
  Boton* orden_ = nullptr;
  Boton* indice_ = nullptr;
  QLabel* fecha_ = nullptr;
  QListWidget* lisJornadas_ = nullptr;
  QListWidget* lisOrden_ = nullptr;
  bool aplicando_ = false;
};

}  // namespace zendo

#pragma once
// The quiniela panel the four reduction screens share: a row per match with the names of
// its two teams, the two heading lines of the method, and the grids of the Quiniela Base,
// of the matches a reducir and of the method's criteria. Where it is editable (the
// reduction screen) a click on a grid edits the model through the engine and the panel
// redraws the cells it touched; the screen is told of every accepted edit.

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <utility>

#include "engine/consult/carga_pantalla.h"
#include "engine/core/jornadas.h"
#include "engine/reduction/edicion.h"
#include "gui/consult/rejillas_quiniela.h"

class QLineEdit;

namespace zendo {

class Servicios;

class PanelQuiniela : public QWidget {
  Q_OBJECT

 public:
  PanelQuiniela(Servicios& servicios, Pantalla pantalla, QWidget* padre);

  // The grids of the model's method, the heading lines and the match rows with the team
  // names of `jornada`. The panel keeps `r` and edits it when editable.
  void Carga(Reduccion& r, const Jornada& jornada, const Cifras& cifras);
  // New figures: the cells that depend on them are redrawn when they changed.
  void PonCifras(const Cifras& cifras);
  // Redraws what an edit touched (the zones of a Cambio).
  void Redibuja(uint32_t zonas, int partido);
  void PonEditable(bool editable);
  // A narrower panel for a screen that needs room beside it: a shorter column of team names
  // and, for method 4, narrower bars.
  void PonCompacto(bool compacto);
  // The words that follow a long run of blanks in the headings (the criteria of the method,
  // "Errores permitidos", "Porcentajes admitidos") stand over a column of `ancho` pixels
  // right after the grids instead of where the blanks would push them; with 0 the panel
  // leaves them out, for the screen to show them elsewhere. Negative: as typed.
  void PonColumnaCriterios(int ancho);
  // The words of heading line 1 or 2 after its long run of blanks, empty when none.
  QString colaEncabezado(int linea) const;
  // Where the headings and grids begin, which is the room left to the team names; a row
  // longer than that ends in an ellipsis.
  void PonXRejillas(int x);
  bool editable() const { return v_.editable; }
  // Commits and closes the percentage editor when it is open.
  void CierraEditor();

  // Every accepted edit, after the panel has redrawn its own cells.
  std::function<void(const Cambio&)> alEditar;

  QString encabezado(int linea) const { return encabezado_[linea == 2 ? 1 : 0]; }
  QString textoPartido(int m) const { return partidos_[m]; }
  // Whether the thin line that leads a short row to the grids is drawn.
  bool tieneLineaGuia(int m) const;
  // Horizontal centre (panel coordinates) of a word of heading line 1 or 2; -1 when absent.
  int CentroPalabra(int linea, const QString& palabra) const;
  // Top of the row of match m (1..15), and of the row after the last.
  int yFila(int m) const;
  int xRejillas() const;

  RejillaBase* base() const { return base_; }
  RejillaElegir* elegir() const { return elegir_; }
  RejillaProbable* probable() const { return probable_; }
  RejillaSignos* signos() const { return signos_; }
  RejillaPorNum* porNum() const { return porNum_; }
  RejillaPorBar* porBar() const { return porBar_; }
  QLineEdit* editorPorcentaje() const { return texPorNum_; }
  // The cell the percentage editor is open on.
  std::optional<std::pair<int, int>> celdaEditor() const { return celdaEditor_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Coloca();
  void Edita(const Cambio& c);
  void AbreEditor(int m, int s);
  void ConfirmaEditor(bool conEnter);
  int AnchoTexto(const QString& texto) const;
  // Heading line 1 or 2 without its criteria words, when they stand apart.
  QString cabezaEncabezado(int linea) const;
  // Centre of the criteria column; -1 when the panel does not show it.
  int CentroCriterios() const;
  int Sangria(int m) const;

  Servicios& s_;
  Pantalla pantalla_;
  VistaQuiniela v_;
  std::array<QString, 2> encabezado_;
  std::array<QString, kPartidos + 1> partidos_;
  RejillaBase* base_ = nullptr;
  RejillaElegir* elegir_ = nullptr;
  RejillaProbable* probable_ = nullptr;
  RejillaSignos* signos_ = nullptr;
  RejillaPorNum* porNum_ = nullptr;
  RejillaPorBar* porBar_ = nullptr;
  QLineEdit* texPorNum_ = nullptr;
  std::optional<std::pair<int, int>> celdaEditor_;
  int xRejillas_;
  int finRejillas_ = 0;
  int anchoCriterios_ = -1;
  bool compacto_ = false;
};

// The fonts of the panel's headings and rows.
QFont FuenteEncabezado();
QFont FuentePartido();

}  // namespace zendo

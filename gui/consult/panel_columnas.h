#pragma once
// The columns pane Pic_Colum of the consultation: three boletos of eight columns, the signs
// of each column from match 1 (top) to match 15, black when unmarked and light grey when
// marked for deletion. While hand marking is on, the column under the pointer (or under the
// keyboard focus) can be marked and unmarked with a click, or with Space.

#include <QWidget>
#include <functional>

#include "engine/consult/consulta.h"
#include "engine/reduction/modelo.h"

namespace zendo {

class Servicios;

class PanelColumnas : public QWidget {
  Q_OBJECT

 public:
  PanelColumnas(Servicios& servicios, QWidget* padre);

  void PonPagina(const PaginaColumnas& pagina);
  const PaginaColumnas& pagina() const { return pagina_; }
  // Hand marking on or off (method 5, panel open, "Elegir columnas a mano").
  void PonMarcadoAMano(bool activo);
  bool marcadoAMano() const { return aMano_; }
  // ColumnaBajoCursor: 1..24, 0 when none.
  int columnaBajoCursor() const { return bajoCursor_; }
  // A text over the empty grid while the work file is being built (empty: none).
  void PonAviso(const QString& aviso);

  // The rectangle of column c (1..24), rows included.
  static QRect RectColumna(int columna);

  // A click (or Space) on a markable column: its number 1..24.
  std::function<void(int columna)> alMarcar;
  // Keys the pane leaves to the screen (Page Up, Page Down, Home, End).
  std::function<bool(int tecla)> alTecla;

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void leaveEvent(QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void focusInEvent(QFocusEvent* evento) override;
  void focusOutEvent(QFocusEvent* evento) override;

 private:
  void PonBajoCursor(int columna);

  Servicios& s_;
  PaginaColumnas pagina_;
  bool aMano_ = false;
  int bajoCursor_ = 0;
  int foco_ = 1;  // the column the keyboard acts on
  bool focoTeclado_ = false;
  QString aviso_;
};

}  // namespace zendo

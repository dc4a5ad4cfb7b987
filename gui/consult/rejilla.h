#pragma once
// A grid of cells painted by the program: its geometry and hit test, the pointer over the
// cells, keyboard focus and an accessible name. The grids of the quiniela panel derive from
// it and paint their own cells.
//
// Keyboard (gui/shell/teclado.h): the arrows move the focused cell, Space or Enter click it,
// and in a grid of the three signs (PonTeclasSigno(true)) the keys 1, X and 2 click the
// cell of that sign in the focused row. The focused cell carries the focus ring while the
// keyboard is in use (after Tab or a key), not after a click of the mouse.

#include <QWidget>
#include <functional>
#include <optional>

namespace zendo {

class Servicios;

// Room around the cells for the focus ring: a grid with x0 and y0 of kMargenFoco shows the
// whole ring on its edge cells too (the size keeps the same margin right and below).
inline constexpr int kMargenFoco = 3;

struct GeometriaRejilla {
  int filas = 0;
  int columnas = 0;
  int x0 = 0;  // left of the first column
  int y0 = 0;  // top of the first row
  int ancho = 20;
  int alto = 18;
  int pasoX = 22;  // from the left of one column to the left of the next
  int pasoY = 22;
};

struct Celda {
  int fila = 0;  // 0-based
  int columna = 0;
  bool operator==(const Celda&) const = default;
};

// The cell under a point; none in the gaps between cells or outside the grid.
std::optional<Celda> CeldaEn(const GeometriaRejilla& g, int x, int y);
QRect RectCelda(const GeometriaRejilla& g, Celda c);
// The whole row, gaps included (what a redraw of one match covers).
QRect RectFila(const GeometriaRejilla& g, int fila);
QSize TamanoRejilla(const GeometriaRejilla& g);

class Rejilla : public QWidget {
  Q_OBJECT

 public:
  Rejilla(Servicios& servicios, const QString& nombre, const QString& descripcion, QWidget* padre);

  void PonGeometria(const GeometriaRejilla& g);
  const GeometriaRejilla& geometria() const { return g_; }
  std::optional<Celda> CeldaEn(QPoint punto) const {
    return zendo::CeldaEn(g_, punto.x(), punto.y());
  }
  QRect RectDe(Celda c) const { return RectCelda(g_, c); }
  QPoint CentroDe(Celda c) const { return RectCelda(g_, c).center(); }
  // Repaints one row only.
  void RedibujaFila(int fila);

  // The columns are the signs 1, X and 2: the keys 1, X and 2 click them.
  void PonTeclasSigno(bool activas) { teclasSigno_ = activas; }
  // The cell the keyboard acts on, and whether its focus ring is showing.
  Celda celdaFoco() const { return foco_; }
  bool muestraFoco() const { return hasFocus() && focoTeclado_; }

  // A click (mouse or keyboard) on a cell the grid admits.
  std::function<void(Celda)> alPulsar;

 protected:
  virtual void PintaCelda(QPainter& p, Celda c, const QRect& r) = 0;
  // Whether a click on the cell can do something (the pointer shows it).
  virtual bool Admite(Celda) const { return true; }
  virtual int CursorCelda(Celda c) const;
  // What a press does; the bars drag from here.
  virtual void Pulsada(Celda c, QPoint punto);

  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void leaveEvent(QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void focusInEvent(QFocusEvent* evento) override;
  void focusOutEvent(QFocusEvent* evento) override;

  void PonCursorRejilla(int tipo);

  Servicios& s_;
  GeometriaRejilla g_;
  Celda foco_;  // the cell the keyboard acts on
  bool focoTeclado_ = false;
  bool teclasSigno_ = false;
  int cursor_ = -1;
};

}  // namespace zendo

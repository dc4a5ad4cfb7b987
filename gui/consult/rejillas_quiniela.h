#pragma once
// The grids of the quiniela panel. Each one paints its cells from the current model and
// says which cells a click may change; the panel applies the edits through the engine.

#include <optional>

#include "engine/reduction/cifras.h"
#include "engine/reduction/modelo.h"
#include "gui/consult/rejilla.h"

namespace zendo {

// What the grids read: the model, its figures, and whether clicks may edit it.
struct VistaQuiniela {
  Reduccion* r = nullptr;
  Cifras cifras;
  bool editable = false;
};

// Pic_Base: the Quiniela Base, 3 cells per match (1, X, 2). Row 0 is match `primerPartido`
// (1, or 15 when the percentages stand for matches 1..14).
class RejillaBase : public Rejilla {
  Q_OBJECT
 public:
  RejillaBase(Servicios& s, const VistaQuiniela& v, QWidget* padre);
  void PonPrimerPartido(int partido) { primerPartido_ = partido; }
  int primerPartido() const { return primerPartido_; }
  // QueBaseHaPulsado: match and sign (1-based) under a point.
  std::optional<std::pair<int, int>> QueBaseHaPulsado(QPoint punto) const;
  void RedibujaPartido(int m) { RedibujaFila(m - primerPartido_); }

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  bool Admite(Celda c) const override;

 private:
  const VistaQuiniela& v_;
  int primerPartido_ = 1;
};

// Pic_Elegir: one tick per match 1..14, the multiples chosen for reduction.
class RejillaElegir : public Rejilla {
  Q_OBJECT
 public:
  RejillaElegir(Servicios& s, const VistaQuiniela& v, QWidget* padre);
  // QueElegidaHaPulsado: the match (1..14) under a point.
  std::optional<int> QueElegidaHaPulsado(QPoint punto) const;

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  bool Admite(Celda c) const override;

 private:
  const VistaQuiniela& v_;
};

// Pic_ColBas: the Columna probable, 3 cells per match.
class RejillaProbable : public Rejilla {
  Q_OBJECT
 public:
  RejillaProbable(Servicios& s, const VistaQuiniela& v, QWidget* padre);
  std::optional<std::pair<int, int>> QueProbableHaPulsado(QPoint punto) const;

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  bool Admite(Celda c) const override;

 private:
  const VistaQuiniela& v_;
};

// Pic_Signos: the allowed totals of each sign, rows n = 0..14 by the columns 1, X, 2.
class RejillaSignos : public Rejilla {
  Q_OBJECT
 public:
  RejillaSignos(Servicios& s, const VistaQuiniela& v, QWidget* padre);
  // QueSignoUEDHaPulsado: sign (1..3) and total n under a point.
  std::optional<std::pair<int, int>> QueSignoUEDHaPulsado(QPoint punto) const;

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  bool Admite(Celda c) const override;
  int CursorCelda(Celda c) const override;

 private:
  const VistaQuiniela& v_;
};

// Pic_PorNum: the percentage of each sign of matches 1..14, as numbers.
class RejillaPorNum : public Rejilla {
  Q_OBJECT
 public:
  RejillaPorNum(Servicios& s, const VistaQuiniela& v, QWidget* padre);
  // PNBuscaPartido: match (1..14) and sign under a point.
  std::optional<std::pair<int, int>> PNBuscaPartido(QPoint punto) const;

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  bool Admite(Celda c) const override;

 private:
  const VistaQuiniela& v_;
};

// Pic_PorBar: the same percentages as bars; dragging a bar sets its value.
class RejillaPorBar : public Rejilla {
  Q_OBJECT
 public:
  RejillaPorBar(Servicios& s, const VistaQuiniela& v, QWidget* padre);
  // PBBuscaPartido: match (1..14) and sign under a point.
  std::optional<std::pair<int, int>> PBBuscaPartido(QPoint punto) const;
  // The percentage a pointer at x gives in the bar of cell `c`.
  int ValorEn(Celda c, int x) const;
  // Called with match, sign and value while a bar is pressed or dragged.
  std::function<void(int, int, int)> alArrastrar;
  bool arrastrando() const { return arrastre_.has_value(); }

 protected:
  void PintaCelda(QPainter& p, Celda c, const QRect& r) override;
  bool Admite(Celda c) const override;
  void Pulsada(Celda c, QPoint punto) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  const VistaQuiniela& v_;
  std::optional<Celda> arrastre_;
};

// Colours of the signs 1, X and 2 in the grids and bars.
QColor ColorSigno(int s);
// A cell of sign s (1..3): filled with its colour when set, a faint sign when it can be set,
// greyed when it cannot.
void PintaCeldaSigno(QPainter& p, const QRect& r, int s, bool puesta, bool posible);

}  // namespace zendo

#include "gui/consult/rejillas_quiniela.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/reduction/edicion.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"

namespace zendo {
namespace {

const QColor kBorde(96, 104, 92);
const QColor kBordeTenue(190, 194, 184);
const QColor kVacia(250, 250, 244);
const QColor kApagada(226, 228, 220);
const QColor kTextoTenue(165, 168, 160);

void Caja(QPainter& p, const QRect& r, const QColor& fondo, const QColor& borde) {
  p.setPen(QPen(borde, 1));
  p.setBrush(fondo);
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

void Texto(QPainter& p, const QRect& r, const QString& t, const QColor& color, bool negrita,
           Qt::Alignment alineacion = Qt::AlignCenter) {
  p.setFont(FuenteArial(12, negrita));
  p.setPen(color);
  p.drawText(r, alineacion, t);
}

QString Signo(int s) {
  return QString(QChar(kSignos[s]));
}

// A sign cell: filled with the sign's colour when set, blank with a faint sign when it can
// be set, greyed when it cannot.
void CeldaSigno(QPainter& p, const QRect& r, int s, bool puesta, bool posible) {
  if (puesta) {
    Caja(p, r, ColorSigno(s), ColorSigno(s).darker(140));
    Texto(p, r, Signo(s), Qt::white, true);
  } else if (posible) {
    Caja(p, r, kVacia, kBorde);
    Texto(p, r, Signo(s), kTextoTenue, false);
  } else {
    Caja(p, r, kApagada, kBordeTenue);
  }
}

bool EsPartido(int m) {
  return m >= 1 && m <= kPartidos;
}

}  // namespace

void PintaCeldaSigno(QPainter& p, const QRect& r, int s, bool puesta, bool posible) {
  CeldaSigno(p, r, s, puesta, posible);
}

QColor ColorSigno(int s) {
  switch (s) {
    case 1:
      return QColor(28, 104, 176);
    case 2:
      return QColor(206, 128, 10);
    default:
      return QColor(178, 44, 44);
  }
}

// ---- Pic_Base ----

RejillaBase::RejillaBase(Servicios& s, const VistaQuiniela& v, QWidget* padre)
    : Rejilla(s, QStringLiteral("Pic_Base"), QStringLiteral("Quiniela base"), padre), v_(v) {
  PonTeclasSigno(true);
}

std::optional<std::pair<int, int>> RejillaBase::QueBaseHaPulsado(QPoint punto) const {
  const auto c = CeldaEn(punto);
  if (!c) return std::nullopt;
  return std::make_pair(primerPartido_ + c->fila, c->columna + 1);
}

bool RejillaBase::Admite(Celda c) const {
  return v_.editable && v_.r != nullptr && EsPartido(primerPartido_ + c.fila);
}

void RejillaBase::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  if (v_.r == nullptr) return;
  const int m = primerPartido_ + c.fila;
  const int s = c.columna + 1;
  CeldaSigno(p, r, s, v_.r->Partido[m].Signo[s] == 1, true);
}

// ---- Pic_Elegir ----

RejillaElegir::RejillaElegir(Servicios& s, const VistaQuiniela& v, QWidget* padre)
    : Rejilla(s, QStringLiteral("Pic_Elegir"), QStringLiteral("Partidos reducidos"), padre),
      v_(v) {}

std::optional<int> RejillaElegir::QueElegidaHaPulsado(QPoint punto) const {
  const auto c = CeldaEn(punto);
  if (!c) return std::nullopt;
  return c->fila + 1;
}

bool RejillaElegir::Admite(Celda c) const {
  const int m = c.fila + 1;
  return v_.editable && v_.r != nullptr && m <= kPartidosPorcentaje &&
         v_.r->Partido[m].NumSignos > 1;
}

void RejillaElegir::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  if (v_.r == nullptr) return;
  const auto& partido = v_.r->Partido[c.fila + 1];
  const bool multiple = partido.NumSignos > 1;
  Caja(p, r, multiple || partido.AReducir ? QColor(255, 255, 255) : kApagada,
       multiple ? kBorde : kBordeTenue);
  if (!partido.AReducir) return;
  p.save();
  p.setPen(QPen(QColor(0, 128, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QRectF q = QRectF(r).adjusted(4, 3, -4, -3);
  const QPointF trazo[3] = {
      {q.left(), q.center().y()}, {q.left() + q.width() * 0.4, q.bottom()}, {q.right(), q.top()}};
  p.drawPolyline(trazo, 3);
  p.restore();
}

// ---- Pic_ColBas ----

RejillaProbable::RejillaProbable(Servicios& s, const VistaQuiniela& v, QWidget* padre)
    : Rejilla(s, QStringLiteral("Pic_ColBas"), QStringLiteral("Columna probable"), padre), v_(v) {
  PonTeclasSigno(true);
}

std::optional<std::pair<int, int>> RejillaProbable::QueProbableHaPulsado(QPoint punto) const {
  const auto c = CeldaEn(punto);
  if (!c) return std::nullopt;
  return std::make_pair(c->fila + 1, c->columna + 1);
}

bool RejillaProbable::Admite(Celda c) const {
  if (!v_.editable || v_.r == nullptr) return false;
  const auto& partido = v_.r->Partido[c.fila + 1];
  return partido.AReducir && partido.Signo[c.columna + 1] == 1;
}

void RejillaProbable::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  if (v_.r == nullptr) return;
  const auto& partido = v_.r->Partido[c.fila + 1];
  const int s = c.columna + 1;
  const bool posible = partido.AReducir && partido.Signo[s] == 1;
  CeldaSigno(p, r, s, partido.Probable == s, posible);
}

// ---- Pic_Signos ----

RejillaSignos::RejillaSignos(Servicios& s, const VistaQuiniela& v, QWidget* padre)
    : Rejilla(s, QStringLiteral("Pic_Signos"), QStringLiteral("Totales de signos"), padre), v_(v) {
  PonTeclasSigno(true);
}

std::optional<std::pair<int, int>> RejillaSignos::QueSignoUEDHaPulsado(QPoint punto) const {
  const auto c = CeldaEn(punto);
  if (!c) return std::nullopt;
  return std::make_pair(c->columna + 1, c->fila);
}

bool RejillaSignos::Admite(Celda c) const {
  return v_.editable && CeldaSignosSeleccionable(v_.cifras, c.columna + 1, c.fila);
}

int RejillaSignos::CursorCelda(Celda c) const {
  return Admite(c) ? kCursorLapiz : kCursorDefecto;
}

void RejillaSignos::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  if (v_.r == nullptr) return;
  const int s = c.columna + 1;
  const int n = c.fila;
  const bool posible = CeldaSignosSeleccionable(v_.cifras, s, n);
  const bool puesta = v_.r->TotalSignos[s][n] == 1;
  const QString numero = QString::number(n);
  if (puesta) {
    Caja(p, r, ColorSigno(s), ColorSigno(s).darker(140));
    Texto(p, r, numero, Qt::white, true);
  } else if (posible) {
    Caja(p, r, kVacia, kBorde);
    Texto(p, r, numero, QColor(60, 60, 60), false);
  } else {
    Caja(p, r, kApagada, kBordeTenue);
    Texto(p, r, numero, QColor(196, 198, 190), false);
  }
}

// ---- Pic_PorNum ----

RejillaPorNum::RejillaPorNum(Servicios& s, const VistaQuiniela& v, QWidget* padre)
    : Rejilla(s, QStringLiteral("Pic_PorNum"), QStringLiteral("Porcentajes de cada signo"), padre),
      v_(v) {}

std::optional<std::pair<int, int>> RejillaPorNum::PNBuscaPartido(QPoint punto) const {
  const auto c = CeldaEn(punto);
  if (!c) return std::nullopt;
  return std::make_pair(c->fila + 1, c->columna + 1);
}

bool RejillaPorNum::Admite(Celda) const {
  return v_.editable && v_.r != nullptr;
}

void RejillaPorNum::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  if (v_.r == nullptr) return;
  const int valor = v_.r->Probabilidad[c.fila + 1][c.columna + 1];
  Caja(p, r, Qt::white, valor > 0 ? ColorSigno(c.columna + 1) : kBordeTenue);
  Texto(p, r.adjusted(0, 0, -4, 0), QString::number(valor),
        valor > 0 ? QColor(20, 20, 20) : kTextoTenue, valor > 0, Qt::AlignRight | Qt::AlignVCenter);
}

// ---- Pic_PorBar ----

RejillaPorBar::RejillaPorBar(Servicios& s, const VistaQuiniela& v, QWidget* padre)
    : Rejilla(s, QStringLiteral("Pic_PorBar"), QStringLiteral("Barras de porcentajes"), padre),
      v_(v) {}

std::optional<std::pair<int, int>> RejillaPorBar::PBBuscaPartido(QPoint punto) const {
  const auto c = CeldaEn(punto);
  if (!c) return std::nullopt;
  return std::make_pair(c->fila + 1, c->columna + 1);
}

int RejillaPorBar::ValorEn(Celda c, int x) const {
  const QRect r = RectDe(c);
  const double ancho = std::max(1, r.width() - 1);
  return std::clamp(static_cast<int>(std::lround((x - r.left()) * 100.0 / ancho)), 0, 100);
}

bool RejillaPorBar::Admite(Celda) const {
  return v_.editable && v_.r != nullptr;
}

void RejillaPorBar::Pulsada(Celda c, QPoint punto) {
  if (!Admite(c)) return;
  arrastre_ = c;
  PonCursorRejilla(kCursorManoCerrada);
  if (alArrastrar) alArrastrar(c.fila + 1, c.columna + 1, ValorEn(c, punto.x()));
}

void RejillaPorBar::mouseMoveEvent(QMouseEvent* evento) {
  if (arrastre_ && (evento->buttons() & Qt::LeftButton)) {
    // The drag stays on the bar it started on, wherever the pointer goes.
    if (alArrastrar) {
      alArrastrar(arrastre_->fila + 1, arrastre_->columna + 1,
                  ValorEn(*arrastre_, evento->position().toPoint().x()));
    }
    return;
  }
  arrastre_.reset();
  Rejilla::mouseMoveEvent(evento);
}

void RejillaPorBar::mouseReleaseEvent(QMouseEvent* evento) {
  arrastre_.reset();
  Rejilla::mouseMoveEvent(evento);
}

void RejillaPorBar::keyPressEvent(QKeyEvent* evento) {
  // From the keyboard, + and - move the focused bar by 5.
  if ((evento->key() == Qt::Key_Plus || evento->key() == Qt::Key_Minus) && Admite(foco_) &&
      v_.r != nullptr) {
    const int actual = v_.r->Probabilidad[foco_.fila + 1][foco_.columna + 1];
    const int paso = evento->key() == Qt::Key_Plus ? 5 : -5;
    if (alArrastrar) {
      alArrastrar(foco_.fila + 1, foco_.columna + 1, std::clamp(actual + paso, 0, 100));
    }
    return;
  }
  Rejilla::keyPressEvent(evento);
}

void RejillaPorBar::PintaCelda(QPainter& p, Celda c, const QRect& r) {
  if (v_.r == nullptr) return;
  const int s = c.columna + 1;
  const int valor = v_.r->Probabilidad[c.fila + 1][s];
  Caja(p, r, QColor(236, 238, 230), kBordeTenue);
  if (valor <= 0) return;
  QRectF lleno = QRectF(r).adjusted(1, 2, -1, -2);
  lleno.setWidth(lleno.width() * valor / 100.0);
  p.setPen(Qt::NoPen);
  p.setBrush(ColorSigno(s));
  p.drawRoundedRect(lleno, 2, 2);
}

}  // namespace zendo

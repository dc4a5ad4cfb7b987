#include "gui/shell/boton_pagina.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "gui/shell/imagenes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"

namespace zendo {

BotonPagina::BotonPagina(int indice, const QString& ayuda, std::function<void()> alPulsar,
                         QWidget* padre)
    : QWidget(padre), indice_(indice), alPulsar_(std::move(alPulsar)) {
  setObjectName(QStringLiteral("Pic_BotAdeAtr%1").arg(indice));
  setToolTip(ayuda);
  setAccessibleName(ayuda);
  setFixedSize(29, 24);
  setCursor(CursorZendo(kCursorManoIndice));
  setFocusPolicy(Qt::TabFocus);
}

void BotonPagina::Dibuja(bool pulsado) {
  pulsado_ = pulsado;
  if (isVisible()) repaint();
}

void BotonPagina::PonActivo(bool activo) {
  if (activo == activo_) return;
  activo_ = activo;
  if (activo) {
    setCursor(CursorZendo(kCursorManoIndice));
  } else {
    unsetCursor();
  }
  update();
}

void BotonPagina::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPixmap& tira = TiraBotones();
  const int fila = pulsado_ ? 25 : 0;
  p.drawPixmap(0, 0, tira, 0, fila, 3, 24);
  p.drawPixmap(QRect(3, 0, width() - 6, 24), tira, QRect(3, fila, 1, 24));
  p.drawPixmap(width() - 3, 0, tira, 4, fila, 3, 24);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  QColor cara = pulsado_ ? QColor(160, 255, 64) : QColor(255, 255, 255);
  if (!activo_) cara.setAlpha(80);
  p.setBrush(cara);
  const bool atras = indice_ <= 2;
  const bool tope = indice_ == 1 || indice_ == 4;
  const double centro = width() / 2.0 + (tope ? (atras ? 2 : -2) : 0);
  QPainterPath flecha;
  if (atras) {
    flecha.moveTo(centro - 4, 12);
    flecha.lineTo(centro + 4, 6.5);
    flecha.lineTo(centro + 4, 17.5);
  } else {
    flecha.moveTo(centro + 4, 12);
    flecha.lineTo(centro - 4, 6.5);
    flecha.lineTo(centro - 4, 17.5);
  }
  flecha.closeSubpath();
  p.drawPath(flecha);
  if (tope) p.drawRect(QRectF(atras ? centro - 7 : centro + 5, 6.5, 2, 11));
  if (hasFocus()) PintaAnilloFoco(p, rect().adjusted(1, 1, -1, -1), 4);
}

void BotonPagina::mousePressEvent(QMouseEvent* evento) {
  if (evento->button() == Qt::LeftButton || evento->button() == Qt::RightButton) {
    evento->accept();
    if (activo_) alPulsar_();
  }
}

void BotonPagina::keyPressEvent(QKeyEvent* evento) {
  if (EsTeclaPulsar(evento)) {
    if (activo_) alPulsar_();
    return;
  }
  QWidget::keyPressEvent(evento);
}

}  // namespace zendo

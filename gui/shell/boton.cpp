#include "gui/shell/boton.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "engine/shell/textos.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"

namespace zendo {

QFont FuenteBoton(Boton::Fuente fuente) {
  QFont f(fuente == Boton::Fuente::Arial ? QStringLiteral("Arial") : QStringLiteral("Tahoma"));
  f.setStyleHint(QFont::SansSerif);
  // 9 and 8 points on the 96-dpi screens the layouts were made for.
  f.setPixelSize(fuente == Boton::Fuente::Arial ? 12 : 11);
  f.setBold(true);
  return f;
}

Boton::Boton(const QString& nombreControl, const QString& texto, QWidget* padre, Fuente fuente)
    : QWidget(padre), texto_(texto), fuente_(fuente) {
  setObjectName(nombreControl);
  setAttribute(Qt::WA_TranslucentBackground);
  setFocusPolicy(Qt::TabFocus);
  Pinta();
}

Boton::Boton(const QString& nombreControl, ImagenFija imagen, const QString& ayudaEmergente,
             QWidget* padre)
    : QWidget(padre), conImagen_(true), fija_(imagen) {
  setObjectName(nombreControl);
  setToolTip(ayudaEmergente);
  setAccessibleName(ayudaEmergente);
  setFocusPolicy(Qt::TabFocus);
  Pinta();
}

void Boton::Dibuja(bool pulsado) {
  pulsado_ = pulsado;
  Pinta();
  // Shown at once, so that the pressed look is seen during the pause that follows.
  if (isVisible()) repaint();
}

void Boton::PonTexto(const QString& texto) {
  texto_ = texto;
  Pinta();
  update();
}

void Boton::Pinta() {
  PonCursorSegunEstado();
  if (conImagen_) {
    imagen_ = ImagenBoton(fija_, pulsado_);
    setFixedSize(imagen_.size());
    return;
  }
  setAccessibleName(texto_);
  int ancho = AnchoBoton(objectName().toStdString());
  if (ancho <= 0) ancho = 140;
  constexpr int kAlto = 24;
  const QPixmap& tira = TiraBotones();
  QPixmap img(ancho, kAlto);
  img.fill(Qt::transparent);
  QPainter p(&img);
  const int fila = pulsado_ ? 25 : 0;
  p.drawPixmap(0, 0, tira, 0, fila, 3, kAlto);
  p.drawPixmap(QRect(3, 0, ancho - 6, kAlto), tira, QRect(3, fila, 1, kAlto));
  p.drawPixmap(ancho - 3, 0, tira, 4, fila, 3, kAlto);

  const bool arial = fuente_ == Fuente::Arial;
  const QColor sombra = pulsado_ ? QColor(80, 128, 32) : (arial ? Qt::black : QColor(128, 128, 0));
  const QColor cara =
      pulsado_ ? QColor(160, 255, 64) : (arial ? QColor(255, 255, 255) : QColor(255, 255, 0));
  const QFont f = FuenteBoton(fuente_);
  p.setFont(f);
  const QFontMetrics m(f);
  // x may be negative: a caption wider than the button is clipped at both ends.
  const int x = (ancho - m.horizontalAdvance(texto_)) / 2;
  const int y = (23 - m.height()) / 2;
  p.setPen(sombra);
  p.drawText(x, y + m.ascent(), texto_);
  p.setPen(cara);
  p.drawText(x + 1, y + 1 + m.ascent(), texto_);
  p.end();
  imagen_ = img;
  setFixedSize(ancho, kAlto);
}

void Boton::PonCursorSegunEstado() {
  // Only a button that can be pressed offers the pointing hand.
  if (isEnabled()) {
    setCursor(CursorZendo(kCursorManoIndice));
  } else {
    unsetCursor();
  }
}

void Boton::changeEvent(QEvent* evento) {
  if (evento->type() == QEvent::EnabledChange) PonCursorSegunEstado();
  QWidget::changeEvent(evento);
}

void Boton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!isEnabled()) {
    // A button whose screen is not available yet: faded and grey.
    QImage gris = imagen_.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < gris.height(); ++y) {
      auto* fila = reinterpret_cast<QRgb*>(gris.scanLine(y));
      for (int x = 0; x < gris.width(); ++x) {
        const int g = qGray(fila[x]);
        fila[x] = qRgba(g, g, g, qAlpha(fila[x]) * 2 / 5);
      }
    }
    p.drawImage(0, 0, gris);
    return;
  }
  p.drawPixmap(0, 0, imagen_);
  if (hasFocus()) PintaAnilloFoco(p, rect().adjusted(1, 1, -1, -1), conImagen_ ? 6 : 4);
}

void Boton::mousePressEvent(QMouseEvent* evento) {
  if (evento->button() == Qt::LeftButton || evento->button() == Qt::RightButton) {
    evento->accept();
    emit pulsadoRaton();
  }
}

void Boton::keyPressEvent(QKeyEvent* evento) {
  // From the keyboard, Space or Enter on a focused button acts as a click.
  if (EsTeclaPulsar(evento)) {
    evento->accept();
    emit pulsadoRaton();
    return;
  }
  QWidget::keyPressEvent(evento);
}

}  // namespace zendo

#include "gui/shell/imagenes.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace zendo {
namespace {

QPixmap Transparente(int ancho, int alto) {
  QPixmap p(ancho, alto);
  p.fill(Qt::transparent);
  return p;
}

// One band of the strip: a bar with rounded ends, lit from above when released and from
// below when pressed.
void PintaBanda(QPainter& p, int y, bool pulsado) {
  const QRectF caja(0.5, y + 0.5, 6, 23);
  QLinearGradient g(0, y, 0, y + 24);
  if (pulsado) {
    g.setColorAt(0, QColor(8, 22, 58));
    g.setColorAt(0.55, QColor(18, 44, 104));
    g.setColorAt(1, QColor(34, 70, 150));
  } else {
    g.setColorAt(0, QColor(92, 132, 214));
    g.setColorAt(0.45, QColor(34, 70, 160));
    g.setColorAt(1, QColor(16, 38, 100));
  }
  QPainterPath camino;
  camino.addRoundedRect(caja, 3, 3);
  p.setPen(QPen(QColor(6, 16, 48), 1));
  p.setBrush(g);
  p.drawPath(camino);
  // A thin highlight line shows where the light comes from.
  p.setPen(pulsado ? QColor(70, 110, 190) : QColor(170, 196, 240));
  const int yLuz = pulsado ? y + 22 : y + 1;
  p.drawLine(QPointF(2, yLuz + 0.5), QPointF(5, yLuz + 0.5));
}

QPixmap PintaTira() {
  QPixmap tira = Transparente(7, 49);
  QPainter p(&tira);
  p.setRenderHint(QPainter::Antialiasing);
  PintaBanda(p, 0, false);
  PintaBanda(p, 25, true);
  return tira;
}

// Emblem 1: a football.
QPixmap PintaBalon() {
  QPixmap img = Transparente(48, 48);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centro(24, 24);
  const double radio = 21;
  QRadialGradient brillo(QPointF(18, 16), 30);
  brillo.setColorAt(0, Qt::white);
  brillo.setColorAt(1, QColor(200, 204, 210));
  p.setPen(QPen(QColor(30, 30, 30), 1.6));
  p.setBrush(brillo);
  p.drawEllipse(centro, radio, radio);
  p.save();
  QPainterPath borde;
  borde.addEllipse(centro, radio - 0.8, radio - 0.8);
  p.setClipPath(borde);
  auto pentagono = [&](QPointF c, double r, double giro) {
    QPolygonF poli;
    for (int i = 0; i < 5; ++i) {
      const double a = qDegreesToRadians(giro + 72.0 * i - 90.0);
      poli << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return poli;
  };
  p.setBrush(QColor(25, 25, 25));
  p.setPen(Qt::NoPen);
  p.drawPolygon(pentagono(centro, 7, 0));
  p.setPen(QPen(QColor(25, 25, 25), 1.3));
  for (int i = 0; i < 5; ++i) {
    const double a = qDegreesToRadians(72.0 * i - 90.0);
    const QPointF vertice(centro.x() + 7 * std::cos(a), centro.y() + 7 * std::sin(a));
    const QPointF fuera(centro.x() + 19 * std::cos(a), centro.y() + 19 * std::sin(a));
    p.drawLine(vertice, fuera);
    p.setBrush(QColor(25, 25, 25));
    p.drawPolygon(pentagono(QPointF(centro.x() + 23 * std::cos(a), centro.y() + 23 * std::sin(a)),
                            6.5, 72.0 * i + 36));
  }
  p.restore();
  return img;
}

// Emblem 2: a betting slip with a few signs marked.
QPixmap PintaBoleto() {
  QPixmap img = Transparente(48, 48);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(24, 24);
  p.rotate(-8);
  const QRectF hoja(-15, -20, 30, 40);
  p.setPen(QPen(QColor(90, 70, 40), 1.2));
  p.setBrush(QColor(255, 250, 232));
  p.drawRoundedRect(hoja, 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(196, 30, 40));
  p.drawRect(QRectF(-14.4, -19.4, 28.8, 7));
  QFont f("Arial");
  f.setPixelSize(6);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(-14, -19.5, 28, 7), Qt::AlignCenter, "1 X 2");
  // A grid of boxes, some of them marked.
  const char* marcas[6] = {"100", "010", "001", "110", "100", "011"};
  for (int fila = 0; fila < 6; ++fila) {
    for (int col = 0; col < 3; ++col) {
      const QRectF caja(-10 + col * 7.5, -9 + fila * 4.8, 5, 3.4);
      p.setPen(QPen(QColor(196, 30, 40), 0.7));
      p.setBrush(marcas[fila][col] == '1' ? QBrush(QColor(20, 30, 90)) : Qt::NoBrush);
      p.drawRect(caja);
    }
  }
  return img;
}

QPixmap PintaImagenFija(ImagenFija cual, bool pulsado) {
  QPixmap img = Transparente(36, 36);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QColor base;
  switch (cual) {
    case ImagenFija::Ayuda:
      base = QColor(36, 96, 196);
      break;
    case ImagenFija::Salir:
      base = QColor(176, 40, 36);
      break;
    case ImagenFija::Aceptar:
      base = QColor(40, 140, 52);
      break;
    case ImagenFija::Cancelar:
      base = QColor(150, 36, 36);
      break;
  }
  const double d = pulsado ? 1.0 : 0.0;
  const QPointF c(18 + d, 18 + d);
  // Shadow, then the glossy disc.
  if (!pulsado) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(QPointF(19.5, 19.5), 15.5, 15.5);
  }
  QRadialGradient g(QPointF(c.x() - 5, c.y() - 6), 22);
  g.setColorAt(0, pulsado ? base.lighter(115) : base.lighter(170));
  g.setColorAt(1, pulsado ? base.darker(150) : base);
  p.setPen(QPen(base.darker(200), 1.2));
  p.setBrush(g);
  p.drawEllipse(c, 15.5, 15.5);
  p.setPen(QPen(pulsado ? QColor(200, 255, 140) : Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.translate(c);
  switch (cual) {
    case ImagenFija::Ayuda: {
      QFont f("Arial");
      f.setPixelSize(22);
      f.setBold(true);
      p.setFont(f);
      p.drawText(QRectF(-16, -16, 32, 32), Qt::AlignCenter, "?");
      break;
    }
    case ImagenFija::Salir: {
      // A door frame and an arrow leaving it.
      p.setPen(QPen(p.pen().color(), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(1, -9), QPointF(-7, -9), QPointF(-7, 9), QPointF(1, 9)}));
      p.setPen(QPen(p.pen().color(), 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(QPointF(-3, 0), QPointF(9, 0));
      p.drawPolyline(QPolygonF({QPointF(5, -5), QPointF(10, 0), QPointF(5, 5)}));
      break;
    }
    case ImagenFija::Aceptar:
      p.drawPolyline(QPolygonF({QPointF(-8, 0), QPointF(-2.5, 6.5), QPointF(8.5, -6.5)}));
      break;
    case ImagenFija::Cancelar:
      p.drawLine(QPointF(-6.5, -6.5), QPointF(6.5, 6.5));
      p.drawLine(QPointF(6.5, -6.5), QPointF(-6.5, 6.5));
      break;
  }
  return img;
}

QPainterPath Redondeado(double x, double y, double w, double h, double r) {
  QPainterPath c;
  c.addRoundedRect(QRectF(x, y, w, h), r, r);
  return c;
}

QPainterPath FormaCursor(int tipo) {
  QPainterPath forma;
  switch (tipo) {
    case 21:  // ManoIndice: the index finger up, the other fingers folded
      forma = Redondeado(11, 1, 5.5, 17, 2.75)
                  .united(Redondeado(8, 12, 18, 13, 4))
                  .united(Redondeado(16, 10, 4.5, 8, 2.2))
                  .united(Redondeado(20, 11, 4.5, 8, 2.2))
                  .united(Redondeado(4, 15, 7, 4.5, 2.2))
                  .united(Redondeado(10, 22, 14, 8, 3));
      break;
    case 22:  // ManoAbierta: fingers spread
      forma = Redondeado(9, 14, 15, 14, 5)
                  .united(Redondeado(9, 4, 4, 14, 2))
                  .united(Redondeado(13.5, 2, 4, 15, 2))
                  .united(Redondeado(18, 3, 4, 14, 2))
                  .united(Redondeado(22, 7, 3.8, 12, 1.9));
      {
        QTransform t;
        t.translate(5, 20);
        t.rotate(-40);
        forma = forma.united(t.map(Redondeado(-2, -2, 4, 10, 2)));
      }
      break;
    case 23:  // ManoCerrada: a fist
      forma = Redondeado(8, 9, 17, 17, 5).united(Redondeado(6, 14, 5, 8, 2.5));
      break;
    case 24: {  // Lapiz: a pencil pointing down-left
      QPolygonF lapiz(
          {QPointF(1, 31), QPointF(3, 24), QPointF(24, 3), QPointF(29, 8), QPointF(8, 29)});
      forma.addPolygon(lapiz);
      forma.closeSubpath();
      break;
    }
    case 25: {  // Goma: an eraser block
      QTransform t;
      t.translate(16, 16);
      t.rotate(-35);
      forma = t.map(Redondeado(-13, -6, 26, 12, 2));
      break;
    }
    default:
      break;
  }
  return forma;
}

QPixmap PintaCursor(int tipo) {
  QPixmap img = Transparente(32, 32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QPainterPath forma = FormaCursor(tipo);
  QColor relleno = Qt::white;
  if (tipo == 24) relleno = QColor(250, 210, 60);
  if (tipo == 25) relleno = QColor(240, 150, 170);
  p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(relleno);
  p.drawPath(forma);
  p.setPen(QPen(Qt::black, 1));
  if (tipo == 23) {  // the knuckles
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(12.5 + 4 * i, 9.5), QPointF(12.5 + 4 * i, 15));
  } else if (tipo == 24) {  // the sharpened tip and the metal band
    p.setBrush(QColor(240, 220, 180));
    p.drawPolygon(QPolygonF({QPointF(1, 31), QPointF(3, 24), QPointF(8, 29)}));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(1, 31), QPointF(1.8, 28.2), QPointF(3.8, 30.2)}));
    p.setBrush(QColor(190, 190, 200));
    p.drawPolygon(QPolygonF({QPointF(20, 7), QPointF(24, 3), QPointF(29, 8), QPointF(25, 12)}));
  } else if (tipo == 25) {  // the sleeve over half the eraser
    QTransform t;
    t.translate(16, 16);
    t.rotate(-35);
    p.setBrush(QColor(70, 110, 200));
    p.drawPath(t.map(Redondeado(0, -6, 13, 12, 2)));
  }
  return img;
}

QPoint PuntoActivo(int tipo) {
  switch (tipo) {
    case 21:
      return {13, 1};
    case 24:
      return {1, 31};
    case 25:
      return {6, 24};
    default:
      return {16, 16};
  }
}

}  // namespace

const QPixmap& TiraBotones() {
  static const QPixmap tira = PintaTira();
  return tira;
}

const QPixmap& Emblema(int numero) {
  static const QPixmap balon = PintaBalon();
  static const QPixmap boleto = PintaBoleto();
  return numero == 2 ? boleto : balon;
}

QPixmap ImagenBoton(ImagenFija cual, bool pulsado) {
  return PintaImagenFija(cual, pulsado);
}

QPixmap ImagenCursor(int tipo) {
  return PintaCursor(tipo);
}

QCursor CursorZendo(int tipo) {
  if (tipo < 21 || tipo > 25) return QCursor(Qt::ArrowCursor);
  const QPoint punto = PuntoActivo(tipo);
  return QCursor(PintaCursor(tipo), punto.x(), punto.y());
}

QIcon IconoPrograma() {
  QIcon icono;
  for (int lado : {16, 32, 48, 64, 128}) {
    QPixmap img = Transparente(lado, lado);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 64.0, lado / 64.0);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(46, 140, 70));
    g.setColorAt(1, QColor(18, 82, 40));
    p.setPen(QPen(QColor(10, 50, 24), 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QFont f("Arial");
    f.setPixelSize(46);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRectF(2, 4, 60, 60), Qt::AlignCenter, "Z");
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 2, 60, 60), Qt::AlignCenter, "Z");
    p.drawPixmap(QRectF(38, 38, 22, 22), Emblema(1), QRectF(0, 0, 48, 48));
    p.end();
    icono.addPixmap(img);
  }
  return icono;
}

}  // namespace zendo

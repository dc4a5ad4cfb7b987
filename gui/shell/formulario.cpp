#include "gui/shell/formulario.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

#include "gui/shell/boton.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/imagenes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"

namespace zendo {

void CentraFormulario(QWidget* formulario) {
  QScreen* pantalla =
      formulario->screen() ? formulario->screen() : QGuiApplication::primaryScreen();
  if (pantalla == nullptr) return;
  const QRect g = pantalla->geometry();
  const QSize tam = formulario->frameGeometry().size().expandedTo(formulario->size());
  formulario->move(g.x() + (g.width() - tam.width()) / 2,
                   g.y() + (g.height() - 26 - tam.height()) / 2);
}

void IniciaFormulario(QWidget* formulario) {
  for (int i = 1; i <= 2; ++i) {
    const QString nombre = QStringLiteral("Pic_Emblema%1").arg(i);
    auto* emblema = formulario->findChild<QLabel*>(nombre, Qt::FindDirectChildrenOnly);
    if (emblema == nullptr) {
      emblema = new QLabel(formulario);
      emblema->setObjectName(nombre);
      emblema->setPixmap(Emblema(i));
      emblema->setFixedSize(48, 48);
      emblema->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    const int x = i == 1 ? 10 : formulario->width() - 48 - 10;
    emblema->move(x, 10);
    emblema->show();
  }
}

void DibujaMarco(QPainter& p, const QRect& zona) {
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255), 2));
  p.drawRect(zona.adjusted(1, 1, -2, -2));
  p.setPen(QPen(QColor(128, 128, 128), 2));
  p.drawLine(zona.left() + 1, zona.bottom(), zona.right(), zona.bottom());
  p.drawLine(zona.right(), zona.top() + 1, zona.right(), zona.bottom());
  p.restore();
}

void PintaFondo(QPainter& p, const QRect& zona) {
  QLinearGradient g(zona.topLeft(), zona.bottomLeft());
  g.setColorAt(0, QColor(228, 232, 222));
  g.setColorAt(1, QColor(196, 206, 190));
  p.fillRect(zona, g);
}

Formulario::Formulario(Servicios& servicios, const QString& nombre, const QString& titulo,
                       QWidget* padre)
    : QDialog(padre), s_(servicios) {
  setObjectName(nombre);
  setWindowTitle(titulo);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
}

void Formulario::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PintaFondo(p, rect());
  DibujaMarco(p, rect());
}

void Formulario::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (evento->spontaneous()) return;
  // Tab runs from the top left to the bottom right and starts on the first control.
  if (QWidget* primero = PrimerControl(OrdenaTabulacion(this))) {
    primero->setFocus(Qt::TabFocusReason);
  } else {
    setFocus(Qt::OtherFocusReason);
  }
}

QLabel* Formulario::PonTitulo(const QString& texto) {
  auto* titulo = new QLabel(texto, this);
  titulo->setObjectName(QStringLiteral("Lab_Titulo"));
  titulo->setFont(FuenteArial(17, true));
  titulo->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  titulo->setAlignment(Qt::AlignCenter);
  titulo->setGeometry(66, 20, width() - 132, 30);
  return titulo;
}

void Formulario::PonAyudaSalir(const QString& tema, int contexto, int arriba) {
  auto* ayuda = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                          QStringLiteral("Ayuda de ") + tema, this);
  auto* salir = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                          QStringLiteral("Salir de ") + tema, this);
  ayuda->move(24, height() - 36 - arriba);
  salir->move(width() - 36 - 24, height() - 36 - arriba);
  connect(ayuda, &Boton::pulsadoRaton, this, [this, contexto] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(contexto);
  });
  connect(salir, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoSalir);
    reject();
  });
}

}  // namespace zendo

#include "gui/shell/teclado.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <numeric>

namespace zendo {

void PintaAnilloFoco(QPainter& p, const QRect& r, double radio) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  const QRectF zona = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  // A dark edge first, so that the amber band reads on white and yellow as well.
  p.setPen(QPen(QColor(20, 28, 64), 4));
  p.drawRoundedRect(zona, radio, radio);
  p.setPen(QPen(QColor(255, 184, 28), 2));
  p.drawRoundedRect(zona, radio, radio);
  p.restore();
}

bool EsTeclaPulsar(const QKeyEvent* evento) {
  switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return evento->modifiers() == Qt::NoModifier || evento->modifiers() == Qt::KeypadModifier;
    default:
      return false;
  }
}

std::optional<int> ColumnaDeSigno(const QKeyEvent* evento) {
  if ((evento->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier) {
    return std::nullopt;
  }
  switch (evento->key()) {
    case Qt::Key_1:
      return 0;
    case Qt::Key_X:
      return 1;
    case Qt::Key_2:
      return 2;
    default:
      return std::nullopt;
  }
}

std::vector<int> OrdenLectura(const std::vector<QRect>& zonas) {
  std::vector<int> porArriba(zonas.size());
  std::iota(porArriba.begin(), porArriba.end(), 0);
  std::stable_sort(porArriba.begin(), porArriba.end(), [&](int a, int b) {
    const QRect& ra = zonas[static_cast<std::size_t>(a)];
    const QRect& rb = zonas[static_cast<std::size_t>(b)];
    return ra.top() != rb.top() ? ra.top() < rb.top() : ra.left() < rb.left();
  });
  std::vector<int> orden;
  orden.reserve(zonas.size());
  std::size_t i = 0;
  while (i < porArriba.size()) {
    // The row runs down to the bottom of its first rectangle; a rectangle touching it by
    // a pixel or two is the next row.
    const int fin = zonas[static_cast<std::size_t>(porArriba[i])].bottom() - 2;
    std::size_t j = i + 1;
    while (j < porArriba.size() && zonas[static_cast<std::size_t>(porArriba[j])].top() < fin) ++j;
    std::vector<int> fila(porArriba.begin() + static_cast<std::ptrdiff_t>(i),
                          porArriba.begin() + static_cast<std::ptrdiff_t>(j));
    std::stable_sort(fila.begin(), fila.end(), [&](int a, int b) {
      const QRect& ra = zonas[static_cast<std::size_t>(a)];
      const QRect& rb = zonas[static_cast<std::size_t>(b)];
      return ra.left() != rb.left() ? ra.left() < rb.left() : ra.top() < rb.top();
    });
    orden.insert(orden.end(), fila.begin(), fila.end());
    i = j;
  }
  return orden;
}

namespace {

// Inner parts of a composed control (the box of an editable combo, the box of a spin box)
// follow their control and are not ordered on their own.
bool EsParteInterna(const QWidget* w, const QWidget* pantalla) {
  for (const QWidget* a = w->parentWidget(); a != nullptr && a != pantalla; a = a->parentWidget()) {
    if (qobject_cast<const QComboBox*>(a) != nullptr ||
        qobject_cast<const QAbstractSpinBox*>(a) != nullptr) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<QWidget*> OrdenaTabulacion(QWidget* pantalla) {
  std::vector<QWidget*> controles;
  std::vector<QRect> zonas;
  for (QWidget* w : pantalla->findChildren<QWidget*>()) {
    // A dialog open over the screen (and all it holds) has a Tab order of its own.
    if (w->window() != pantalla->window() || !(w->focusPolicy() & Qt::TabFocus)) continue;
    if (EsParteInterna(w, pantalla)) continue;
    if (w->focusProxy() != nullptr && qobject_cast<QComboBox*>(w) == nullptr) continue;
    const QPoint arriba = w->mapTo(pantalla, QPoint(0, 0));
    // A hidden control (a list under its button, a button shown after a change) takes
    // its place by its corner, without pulling the rows beside it into one.
    const QSize tam = w->isVisibleTo(pantalla) ? w->size() : QSize(1, 1);
    controles.push_back(w);
    zonas.emplace_back(arriba, tam);
  }
  std::vector<QWidget*> cadena;
  cadena.reserve(controles.size());
  for (const int i : OrdenLectura(zonas)) cadena.push_back(controles[static_cast<std::size_t>(i)]);
  for (std::size_t i = 1; i < cadena.size(); ++i) QWidget::setTabOrder(cadena[i - 1], cadena[i]);
  return cadena;
}

QWidget* PrimerControl(const std::vector<QWidget*>& cadena) {
  for (QWidget* w : cadena) {
    if (w->isVisible() && w->isEnabled()) return w;
  }
  return nullptr;
}

}  // namespace zendo

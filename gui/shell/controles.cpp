#include "gui/shell/controles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "engine/core/formato.h"
#include "engine/core/texto.h"
#include "engine/screens/datos_jornada.h"
#include "gui/shell/boton.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

void AbreBajoBoton(Boton* boton, QWidget* control) {
  // Tab from the open control goes on from its button, wherever the control stands.
  QWidget::setTabOrder(boton, control);
  boton->Dibuja(true);
  control->show();
  control->raise();
  control->setFocus();
  if (auto* caja = qobject_cast<QLineEdit*>(control)) caja->selectAll();
}

void CierraBajoBoton(Boton* boton, QWidget* control) {
  QWidget* foco = QApplication::focusWidget();
  if (boton != nullptr && foco != nullptr && (foco == control || control->isAncestorOf(foco))) {
    boton->setFocus(Qt::OtherFocusReason);
  }
  control->hide();
}

QLineEdit* CajaNumero(const QString& nombre, int largo, int ancho, QWidget* padre) {
  auto* caja = new QLineEdit(padre);
  caja->setObjectName(nombre);
  caja->setMaxLength(largo);
  caja->setFixedSize(ancho, 24);
  caja->setAlignment(Qt::AlignRight);
  caja->hide();
  return caja;
}

namespace {
constexpr int kAltoLista = 17;
}  // namespace

QListWidget* ListaBajoBoton(const QString& nombre, QWidget* padre) {
  auto* l = new QListWidget(padre);
  l->setObjectName(nombre);
  l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  f.setPixelSize(12);
  l->setFont(f);
  l->hide();
  return l;
}

void RellenaNumeros(QListWidget* l, int total, int actual) {
  l->clear();
  for (int i = 1; i <= total; ++i) l->addItem(DeCp(FormatoTexto(i, "@@")));
  l->setFlow(QListView::TopToBottom);
  l->setWrapping(true);
  l->setGridSize(QSize(30, kAltoLista));
  l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int columnas = std::max(1, (total + 9) / 10);
  l->setFixedSize(columnas * 30 + 6, 10 * kAltoLista + 6);
  l->setCurrentRow(std::clamp(actual, 1, std::max(1, total)) - 1);
}

ListaJornadas::ListaJornadas(const QString& nombre, int total, QWidget* padre)
    : QListWidget(padre) {
  setObjectName(nombre);
  for (int j = 1; j <= total; ++j) addItem(QString::fromStdString(FormatoTexto(j, "@@")));
  // Fixed-pitch, so that the numbers right-aligned in two characters line up.
  QFont fija(QStringLiteral("Courier New"));
  fija.setStyleHint(QFont::Monospace);
  fija.setFixedPitch(true);
  setFont(fija);
  hide();
  connect(this, &QListWidget::itemClicked, this, &ListaJornadas::Toma);
  connect(this, &QListWidget::itemActivated, this, &ListaJornadas::Toma);
}

void ListaJornadas::Abre(Boton* boton, int actual) {
  setCurrentRow(std::clamp(actual, 1, std::max(1, count())) - 1);
  boton_ = boton;
  AbreBajoBoton(boton, this);
}

void ListaJornadas::Toma() {
  if (tomando_ || isHidden()) return;
  tomando_ = true;
  const int jornada = std::max(0, currentRow()) + 1;
  CierraBajoBoton(boton_, this);
  if (alElegir) alElegir(jornada);
  tomando_ = false;
}

void ListaJornadas::Cierra() {
  if (tomando_ || isHidden()) return;
  tomando_ = true;
  CierraBajoBoton(boton_, this);
  if (boton_ != nullptr) boton_->Dibuja(false);
  tomando_ = false;
}

void ListaJornadas::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape && isVisible()) {
    Cierra();
    evento->accept();
    return;
  }
  QListWidget::keyPressEvent(evento);
}

void ListaJornadas::focusOutEvent(QFocusEvent* evento) {
  if (isVisible()) Toma();
  QListWidget::focusOutEvent(evento);
}

}  // namespace zendo

#include "gui/output/boton_valor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "engine/shell/ajustes.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

BotonValor::BotonValor(Servicios& servicios, Boton* boton, QWidget* editor, QString rotulo)
    : QObject(boton), s_(servicios), boton_(boton), editor_(editor), rotulo_(std::move(rotulo)) {
  editor_->hide();
  editor_->installEventFilter(this);
  connect(boton_, &Boton::pulsadoRaton, this, &BotonValor::Pulsa);
  if (QLineEdit* c = caja()) {
    PonReglaTecleo(c, 0, ReglaCifras());
    connect(c, &QLineEdit::returnPressed, this, &BotonValor::Cierra);
  }
  if (QListWidget* l = lista()) {
    connect(l, &QListWidget::itemClicked, this, &BotonValor::Cierra);
  }
}

QLineEdit* BotonValor::caja() const {
  return qobject_cast<QLineEdit*>(editor_);
}

QListWidget* BotonValor::lista() const {
  return qobject_cast<QListWidget*>(editor_);
}

bool BotonValor::abierto() const {
  return editor_->isVisible();
}

void BotonValor::Pulsa() {
  if (cerrando_) return;
  if (editor_->isHidden()) {
    s_.TocaSonido(kSonidoAccion);
    if (QLineEdit* c = caja()) textoAlAbrir_ = c->text();
    if (QListWidget* l = lista()) filaAlAbrir_ = l->currentRow();
    AbreBajoBoton(boton_, editor_);
    return;
  }
  Cierra();
}

void BotonValor::Cierra() {
  if (cerrando_ || editor_->isHidden()) return;
  cerrando_ = true;
  if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
  const QString valor = alConfirmar ? alConfirmar() : QString();
  editor_->hide();
  s_.PonCursor(editor_, kCursorDefecto);
  PonValor(valor);
  boton_->Dibuja(false);
  cerrando_ = false;
}

void BotonValor::PonValor(const QString& valor) {
  boton_->PonTexto(rotulo_ + valor);
}

bool BotonValor::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == editor_) {
    if (evento->type() == QEvent::FocusOut && editor_->isVisible()) Cierra();
    if (evento->type() == QEvent::KeyPress) {
      const int tecla = static_cast<QKeyEvent*>(evento)->key();
      if (tecla == Qt::Key_Escape && editor_->isVisible()) {
        // Escape closes the editor with the value it had; the screen stays.
        if (QLineEdit* c = caja()) c->setText(textoAlAbrir_);
        if (QListWidget* l = lista()) l->setCurrentRow(filaAlAbrir_);
        Cierra();
        return true;
      }
      if (lista() != nullptr && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
        Cierra();
        return true;
      }
    }
  }
  return QObject::eventFilter(objeto, evento);
}

}  // namespace zendo

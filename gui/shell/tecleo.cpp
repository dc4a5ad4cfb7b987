#include "gui/shell/tecleo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kDuracionAviso = 2500;  // milliseconds

class ValidadorTecleo;
void AvisaRechazo(QLineEdit* caja, const ValidadorTecleo* validador);

class ValidadorTecleo : public QValidator {
 public:
  ValidadorTecleo(ReglaTecleo regla, QLineEdit* caja)
      : QValidator(caja), regla_(std::move(regla)), caja_(caja) {
    Recuerda(caja->text());
    // What the box holds, however it got there, is the reference for the next keystroke.
    connect(caja, &QLineEdit::textChanged, this, [this](const QString& t) { Recuerda(t); });
    caja->installEventFilter(this);
  }

  // A refused key is stopped before the box sees it: the box would otherwise complete the
  // text it still holds from its list (an empty team box would take the first team).
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto == caja_ && evento->type() == QEvent::KeyPress) {
      const QString texto = static_cast<QKeyEvent*>(evento)->text();
      // Keys that write nothing (Backspace, Escape, the arrows) are the box's own business.
      if (!texto.isEmpty() && texto.at(0).isPrint() && !texto.at(0).isSpace()) {
        const RevisionTecleo r = RevisaTecleo(texto.toStdString(), regla_);
        if (r.rechazados > 0) {
          ultimoRechazo_ = r.rechazo;
          AvisaRechazo(caja_, this);
          return true;
        }
      }
    }
    return QValidator::eventFilter(objeto, evento);
  }

  State validate(QString& texto, int&) const override {
    const RevisionTecleo r = RevisaTecleo(texto.toStdString(), regla_);
    if (r.rechazados <= rechazadosAntes_) {
      ultimoRechazo_ = RechazoTecleo::Ninguno;
      return Acceptable;
    }
    ultimoRechazo_ = r.rechazo;
    return Invalid;
  }

  // Why the last text was refused; Ninguno when the box refused it for its length.
  RechazoTecleo UltimoRechazo() const { return ultimoRechazo_; }
  const ReglaTecleo& Regla() const { return regla_; }

 private:
  void Recuerda(const QString& texto) {
    rechazadosAntes_ = RevisaTecleo(texto.toStdString(), regla_).rechazados;
    ultimoRechazo_ = RechazoTecleo::Ninguno;
  }

  ReglaTecleo regla_;
  QLineEdit* caja_;
  int rechazadosAntes_ = 0;
  mutable RechazoTecleo ultimoRechazo_ = RechazoTecleo::Ninguno;
};

void AvisaRechazo(QLineEdit* caja, const ValidadorTecleo* validador) {
  // A text the program itself puts in a box is never refused: only typing beeps.
  if (!caja->hasFocus()) return;
  QApplication::beep();
  const RechazoTecleo motivo = validador->UltimoRechazo();
  if (motivo == RechazoTecleo::Ninguno) return;  // the box is full: the beep says enough
  QToolTip::showText(caja->mapToGlobal(QPoint(0, caja->height())),
                     DeCp(AvisoRechazo(motivo, validador->Regla())), caja, QRect(), kDuracionAviso);
}

}  // namespace

void PonReglaTecleo(QLineEdit* caja, int maximo, ReglaTecleo regla) {
  if (maximo > 0) caja->setMaxLength(maximo);
  auto* validador = new ValidadorTecleo(std::move(regla), caja);
  caja->setValidator(validador);
  QObject::connect(caja, &QLineEdit::inputRejected, validador,
                   [caja, validador] { AvisaRechazo(caja, validador); });
}

}  // namespace zendo

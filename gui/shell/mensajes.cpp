#include "gui/shell/mensajes.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>

#include "engine/shell/dialogo.h"
#include "engine/shell/textos.h"
#include "gui/shell/boton.h"
#include "gui/shell/formulario.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kMargen = 20;
// The program's texts are laid out with doubled blanks for lines of about 45 characters.
constexpr int kCaracteresLinea = 46;

}  // namespace

QFont FuenteMensajes() {
  const QStringList familias = QFontDatabase::families();
  QString familia = QStringLiteral("Courier New");
  if (!familias.contains(familia)) {
    for (const QString& otra : {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                                QStringLiteral("DejaVu Sans Mono")}) {
      if (familias.contains(otra)) {
        familia = otra;
        break;
      }
    }
  }
  QFont f(familia);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPixelSize(13);
  return f;
}

DialogoMensajes::DialogoMensajes(Servicios& servicios, const Mensaje& mensaje, QWidget* padre)
    : QDialog(padre), s_(servicios), mensaje_(mensaje) {
  setObjectName(QStringLiteral("mensajes"));
  setWindowTitle(DeCp(mensaje.titulo));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
  // The application's pointer goes back to the default while a message is shown.
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();

  const int lineas = std::max(1, mensaje.lineas);
  const QFont fuente = FuenteMensajes();
  const int anchoTexto =
      QFontMetrics(fuente).horizontalAdvance(QLatin1Char('x')) * kCaracteresLinea + 4;
  setFixedSize(anchoTexto + 2 * kMargen, AltoDialogo(lineas));

  auto* titulo = new QLabel(DeCp(mensaje.titulo), this);
  titulo->setObjectName(QStringLiteral("Tex_Titulo"));
  QFont fTitulo = fuente;
  fTitulo.setBold(true);
  fTitulo.setPixelSize(14);
  titulo->setFont(fTitulo);
  titulo->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  titulo->setGeometry(kMargen, 16, anchoTexto, 22);

  auto* texto = new QLabel(DeCp(mensaje.texto), this);
  texto->setObjectName(QStringLiteral("Tex_Mensaje"));
  texto->setFont(fuente);
  texto->setWordWrap(true);
  texto->setTextFormat(Qt::PlainText);
  texto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  texto->setGeometry(kMargen, 50, anchoTexto, AltoTextoDialogo(lineas));

  const int yBotones = height() - 36 - 16;
  auto* aceptar = new Boton(QStringLiteral("Pic_BotAceptar"), ImagenFija::Aceptar,
                            QStringLiteral("Aceptar"), this);
  auto* cancelar = new Boton(QStringLiteral("Pic_BotCancelar"), ImagenFija::Cancelar,
                             QStringLiteral("Cancelar"), this);
  auto* salir =
      new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir, QStringLiteral("Salir"), this);
  auto* ayuda =
      new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda, QStringLiteral("Ayuda"), this);
  const int derecha = width() - kMargen - 36;
  salir->move(derecha, yBotones);
  cancelar->move(derecha, yBotones);
  aceptar->move(derecha - 48, yBotones);
  ayuda->move(kMargen, yBotones);

  ayuda->setVisible(mensaje.contexto != 0);
  salir->setVisible(mensaje.botones == kBotonesSalir);
  aceptar->setVisible(mensaje.botones == kBotonesAceptarCancelar);
  cancelar->setVisible(mensaje.botones == kBotonesAceptarCancelar);

  connect(aceptar, &Boton::pulsadoRaton, this, &DialogoMensajes::Aceptar);
  connect(cancelar, &Boton::pulsadoRaton, this, &DialogoMensajes::Cancelar);
  connect(salir, &Boton::pulsadoRaton, this, &DialogoMensajes::Salir);
  connect(ayuda, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(mensaje_.contexto);
  });
}

void DialogoMensajes::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  CentraFormulario(this);
  s_.PonCursor(this, kCursorDefecto);
  // The keys go to the dialog itself, whichever button they would otherwise reach.
  setFocus(Qt::OtherFocusReason);
}

void DialogoMensajes::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PintaFondo(p, rect());
  p.setPen(QPen(QColor(150, 160, 150), 1));
  p.drawLine(kMargen, 42, width() - kMargen, 42);
  DibujaMarco(p, rect());
}

void DialogoMensajes::Aceptar() {
  s_.TocaSonido(kSonidoAyuda);
  respuesta_ = true;
  accept();
}

void DialogoMensajes::Cancelar() {
  s_.TocaSonido(kSonidoAyuda);
  reject();
}

void DialogoMensajes::Salir() {
  s_.TocaSonido(kSonidoSalir);
  reject();
}

void DialogoMensajes::keyPressEvent(QKeyEvent* evento) {
  // Any character key (Enter, a letter) closes the dialog: Salir in set 1, Aceptar in
  // set 2. Escape never accepts: a question such as "delete these jornadas?" must not be
  // answered yes by the key that means "go back". Keys without a character do nothing.
  if (evento->text().isEmpty()) {
    evento->ignore();
    return;
  }
  evento->accept();
  switch (AccionDeTecla(mensaje_.botones, evento->key() == Qt::Key_Escape)) {
    case AccionTecla::Cancelar:
      Cancelar();
      break;
    case AccionTecla::Salir:
      Salir();
      break;
    case AccionTecla::Aceptar:
      Aceptar();
      break;
    case AccionTecla::Ninguna:
      break;
  }
}

bool MensajeroDialogo::Muestra(Servicios& servicios, const Mensaje& mensaje) {
  QWidget* padre = QApplication::activeModalWidget();
  if (padre == nullptr) padre = QApplication::activeWindow();
  DialogoMensajes dialogo(servicios, mensaje, padre);
  dialogo.exec();
  return dialogo.respuesta();
}

void MensajeroDialogo::AvisoSistema(const QString& texto) {
  QWidget* padre = QApplication::activeModalWidget();
  if (padre == nullptr) padre = QApplication::activeWindow();
  QMessageBox caja(QMessageBox::Warning, QString::fromLatin1(kNombrePrograma), texto,
                   QMessageBox::Ok, padre);
  caja.setObjectName(QStringLiteral("AvisoSistema"));
  caja.exec();
}

}  // namespace zendo

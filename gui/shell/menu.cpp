#include "gui/shell/menu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>

#include "engine/core/datos_generales.h"
#include "engine/core/fallo.h"
#include "engine/core/fichero.h"
#include "engine/shell/textos.h"
#include "gui/shell/boton.h"
#include "gui/shell/formulario.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/imagenes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 420;
constexpr int kAlto = 470;
constexpr int kPrimeraFila = 92;
constexpr int kSeparacion = 38;
constexpr const char* kFicheroTrabajo = "FORBOLW.TVX";

}  // namespace

MenuPrincipal::MenuPrincipal(Servicios& servicios, QWidget* padre) : QWidget(padre), s_(servicios) {
  setObjectName(QStringLiteral("zendo"));
  setWindowTitle(DeCp(TituloBienvenida()));
  setWindowIcon(IconoPrograma());
  setFixedSize(kAncho, kAlto);

  auto* titulo = new QLabel(QStringLiteral("ZENDO"), this);
  titulo->setObjectName(QStringLiteral("Lab_Titulo"));
  QFont f = FuenteArial(30, true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  titulo->setFont(f);
  titulo->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  titulo->setAlignment(Qt::AlignCenter);
  titulo->setGeometry(70, 24, kAncho - 140, 36);

  for (int i = 1; i <= 7; ++i) {
    auto* b = new Boton(QStringLiteral("Pic_Boton%1").arg(i), DeCp(TextoMenu(i)), this);
    b->move((kAncho - b->width()) / 2, kPrimeraFila + (i - 1) * kSeparacion);
    b->setEnabled(false);
    connect(b, &Boton::pulsadoRaton, this, [this, i] { PulsaBoton(i); });
    botones_[static_cast<std::size_t>(i)] = b;
  }
  auto* ayuda = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                          QStringLiteral("Ayuda del programa"), this);
  auto* salir = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                          QStringLiteral("Salir del programa"), this);
  ayuda->move(24, kAlto - 36 - 20);
  salir->move(kAncho - 36 - 24, kAlto - 36 - 20);
  connect(ayuda, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(1110);
  });
  connect(salir, &Boton::pulsadoRaton, this, [this] {
    if (Sal()) close();
  });
  IniciaFormulario(this);
}

void MenuPrincipal::PonPantalla(int indice, Fabrica fabrica) {
  if (indice < 1 || indice > 7) return;
  const auto i = static_cast<std::size_t>(indice);
  fabricas_[i] = std::move(fabrica);
  botones_[i]->setEnabled(static_cast<bool>(fabricas_[i]));
  botones_[i]->setToolTip(fabricas_[i] ? QString() : QStringLiteral("Disponible próximamente"));
}

void MenuPrincipal::Carga() {
  CentraFormulario(this);
  const ResultadoDatos r = LeeDatosGenerales(s_.estado.rutaDatos, s_.estado.datos);
  if (!r.mensaje.empty()) {
    const FalloFichero f{r.error == 53 ? int16_t{0} : r.error, kFicheroDatosGenerales,
                         OperacionFichero::Leer};
    s_.AvisoSistema(DeCp(ConCausa(r.mensaje, f)));
  }
  DibujaMenu();
  if (QWidget* primero = PrimerControl(OrdenaTabulacion(this))) {
    primero->setFocus(Qt::TabFocusReason);
  }
}

void MenuPrincipal::DibujaMenu() {
  for (int i = 1; i <= 7; ++i) botones_[static_cast<std::size_t>(i)]->Dibuja(false);
  IniciaFormulario(this);
}

void MenuPrincipal::PulsaBoton(int indice) {
  const auto i = static_cast<std::size_t>(indice);
  if (!fabricas_[i] || s_.estado.ocupado) return;
  s_.TocaSonido(kSonidoAccion);
  botones_[i]->Dibuja(true);
  Servicios::Espera(400);
  {
    std::unique_ptr<QDialog> pantalla = fabricas_[i](s_, this);
    if (pantalla) pantalla->exec();
  }
  s_.PonCursor(nullptr, kCursorDefecto);
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  botones_[i]->Dibuja(false);
  DibujaMenu();
}

bool MenuPrincipal::Sal() {
  if (terminado_) return true;
  saliendo_ = true;
  const int16_t error = GuardaDatosGenerales(s_.estado.rutaDatos, s_.estado.datos);
  if (error != kSinError) {
    const QString texto =
        QStringLiteral(
            "No se han podido guardar los datos generales en el fichero "
            "DATOSGEN.TVX (error %1): los cambios de esta sesión se perderán.\r\n"
            "Pulse Aceptar para salir de todos modos o Cancelar para seguir en el "
            "programa.")
            .arg(error);
    if (!s_.MuestraMensaje(QStringLiteral("Datos generales"), texto, 6, 2)) {
      saliendo_ = false;
      return false;
    }
  }
  s_.TocaSonido(kSonidoSalir, false);
  BorraFichero(s_.estado.rutaDatos / kFicheroTrabajo);
  terminado_ = true;
  return true;
}

void MenuPrincipal::closeEvent(QCloseEvent* evento) {
  if (!Sal()) {
    evento->ignore();
    return;
  }
  evento->accept();
  QApplication::quit();
}

void MenuPrincipal::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PintaFondo(p, rect());
  // A sunken panel behind the seven menu buttons.
  const QRect panel(((kAncho - 215) / 2) - 16, kPrimeraFila - 14, 215 + 32, 7 * kSeparacion + 14);
  p.setPen(QPen(QColor(150, 160, 146), 1));
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawRoundedRect(panel, 6, 6);
  DibujaMarco(p, rect());
}

}  // namespace zendo

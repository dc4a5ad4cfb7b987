#include "gui/output/salida.h"

#include <QLabel>
#include <algorithm>

#include "engine/consult/boletos.h"
#include "engine/consult/carga_pantalla.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/shell/textos.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/consult/selector_reduccion.h"
#include "gui/output/listados.h"
#include "gui/output/panel_modo.h"
#include "gui/shell/boton.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kMargen = 16;
constexpr int kYBotones = 60;
constexpr int kYDescripcion = 92;
constexpr int kYPanel = 112;
constexpr int kContextoSalida = 2400;

}  // namespace

PantallaSalida::PantallaSalida(Servicios& servicios, const ModosSalida& modos, QWidget* padre)
    : FormularioReduccion(
          servicios, QStringLiteral("salida"),
          QStringLiteral("Salida de datos a Impresora, Archivo externo o por Correo "
                         "Electrónico"),
          padre),
      modos_(modos) {
  titulo_ = PonTitulo(QString());
  panel_ = new PanelQuiniela(s_, Pantalla::Salida, this);
  selector_ = new SelectorReduccion(s_, Pantalla::Salida, this);
  selector_->alCambiar = [this] { CargaPantalla(); };

  descripcion_ = new QLabel(this);
  descripcion_->setObjectName(QStringLiteral("Lab_Descripcion"));
  descripcion_->setFont(FuenteArial(14, true));
  descripcion_->setAlignment(Qt::AlignCenter);
  externo_ = new QLabel(this);
  externo_->setObjectName(QStringLiteral("Lab_Externo"));
  externo_->setFont(FuenteArial(12));
  externo_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
  externo_->setAlignment(Qt::AlignCenter);

  for (int i = 1; i <= 6; ++i) {
    auto* b = new Boton(QStringLiteral("Pic_BotSal%1").arg(i), DeCp(TextoSalida(i)), this);
    b->setEnabled(modos_.Hay(i));
    if (!b->isEnabled()) b->setToolTip(QStringLiteral("Disponible próximamente"));
    connect(b, &Boton::pulsadoRaton, this, [this, i] { PulsaSalida(i); });
    botones_[i] = b;
  }
  ayuda_ = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                     QStringLiteral("Ayuda de Salida de datos"), this);
  salir_ = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                     QStringLiteral("Salir de Salida de datos"), this);
  connect(ayuda_, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(kContextoSalida);
  });
  connect(salir_, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoSalir);
    accept();
  });

  CargaPantalla();
  CentraFormulario(this);
}

void PantallaSalida::CargaPantalla() {
  const Ocupado ocupado(s_.estado);
  Reduccion& r = LeeReduccionActual();

  // The figures only shade the grids; they are computed on a copy, the stored definition
  // stays as it was read.
  Reduccion copia = r;
  panel_->Carga(r, jornada_, RecalculaReduccion(copia));
  RotulaPantalla(Pantalla::Salida, titulo_, descripcion_, externo_);
  selector_->Carga(jornada_);
  for (int i = 1; i <= 6; ++i) botones_[i]->Dibuja(false);
  Coloca();
  update();
}

void PantallaSalida::Coloca() {
  // The output buttons in a column right of the panel when the screen is wide enough,
  // else in two rows under it.
  const int anchoBoton = botones_[1]->width();
  panel_->move(kMargen, kYPanel);
  // A narrower panel keeps the buttons beside it, so that the screen is not too high.
  panel_->PonCompacto(false);
  if (panel_->x() + panel_->width() + 24 + anchoBoton + kMargen > 800) panel_->PonCompacto(true);
  const int finPanel = panel_->x() + panel_->width();
  const bool alLado = finPanel + 24 + anchoBoton + kMargen <= 800;
  int ancho = 0;
  int alto = 0;
  if (alLado) {
    const int x = finPanel + 24;
    const int y0 = kYPanel + panel_->yFila(1);
    for (int i = 1; i <= 6; ++i) botones_[i]->move(x, y0 + (i - 1) * 40);
    ancho = std::max(680, x + anchoBoton + kMargen);
    alto = std::max(kYPanel + panel_->height(), y0 + 6 * 40) + 60;
  } else {
    ancho = std::max(finPanel + kMargen, 3 * anchoBoton + 2 * 12 + 2 * kMargen);
    const int x0 = (ancho - (3 * anchoBoton + 2 * 12)) / 2;
    const int y0 = kYPanel + panel_->height() + 10;
    for (int i = 1; i <= 6; ++i) {
      botones_[i]->move(x0 + ((i - 1) % 3) * (anchoBoton + 12), y0 + ((i - 1) / 3) * 32);
    }
    alto = y0 + 2 * 32 + 56;
  }
  setFixedSize(ancho, alto);
  titulo_->setGeometry(66, 18, ancho - 132, 30);
  selector_->Coloca(kMargen + 50, kYBotones);
  descripcion_->setGeometry(kMargen, kYDescripcion, ancho - 2 * kMargen, 20);
  externo_->setGeometry(kMargen, kYPanel + panel_->height() - 4, finPanel - kMargen, 16);
  ayuda_->move(18, alto - ayuda_->height() - 12);
  salir_->move(ancho - salir_->width() - 18, alto - salir_->height() - 12);
  IniciaFormulario(this);
}

void PantallaSalida::PulsaSalida(int modo) {
  if (!reduccionCargada_ || modo < 1 || modo > 6 || !modos_.Hay(modo)) return;
  selector_->CierraAbiertos();
  Boton* b = botones_[modo];
  s_.TocaSonido(kSonidoAccion);
  b->Dibuja(true);
  {
    PantallaListados listados(s_, modos_, modo, this);
    listados.exec();
  }
  update();
  b->Dibuja(false);
  s_.TocaSonido(kSonidoAjuste);
}

}  // namespace zendo

#include "gui/consult/selector_reduccion.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

#include "engine/core/indice.h"
#include "engine/shell/textos.h"
#include "gui/screens/historic.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {

SelectorReduccion::SelectorReduccion(Servicios& servicios, Pantalla pantalla,
                                     QWidget* pantallaPadre)
    : QObject(pantallaPadre), s_(servicios), pantalla_(pantalla), padre_(pantallaPadre) {
  nroJor_ = new Boton(QStringLiteral("Pic_BotNroJor"), QString(), padre_);
  orden_ = new Boton(QStringLiteral("Pic_BotOrden"), QString(), padre_);
  indice_ = new Boton(QStringLiteral("Pic_BotIndice"), QStringLiteral("Histórico"), padre_);
  indice_->setToolTip(QStringLiteral("Histórico de reducciones"));
  fecha_ = new QLabel(padre_);
  fecha_->setObjectName(QStringLiteral("Lab_FechaJornada"));
  fecha_->setFont(FuenteArial(13, true));
  fecha_->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  lisJornadas_ = ListaBajoBoton(QStringLiteral("Lis_Jornadas"), padre_);
  lisOrden_ = ListaBajoBoton(QStringLiteral("Lis_Orden"), padre_);
  connect(nroJor_, &Boton::pulsadoRaton, this, &SelectorReduccion::EligeJornada);
  connect(orden_, &Boton::pulsadoRaton, this, &SelectorReduccion::EligeOrden);
  connect(indice_, &Boton::pulsadoRaton, this, &SelectorReduccion::AbreHistorico);
  connect(lisJornadas_, &QListWidget::itemClicked, this, [this] {
    if (lisJornadas_->isVisible()) EligeJornada();
  });
  connect(lisOrden_, &QListWidget::itemClicked, this, [this] {
    if (lisOrden_->isVisible()) EligeOrden();
  });
  lisJornadas_->installEventFilter(this);
  lisOrden_->installEventFilter(this);
}

void SelectorReduccion::Carga(const Jornada& jornada) {
  const Estado& e = s_.estado;
  const Reduccion& r = e.reduccion;
  nroJor_->PonTexto(QStringLiteral("Jornada") + QString::fromStdString(TextoStr(r.Jornada)));
  orden_->PonTexto(QStringLiteral("Orden ") + QString::fromStdString(TextoStr(r.Orden)));
  fecha_->setText(DeCp(jornada.FechaJornada));
  fecha_->adjustSize();
  aplicando_ = true;
  lisJornadas_->hide();
  lisOrden_->hide();
  aplicando_ = false;
  RellenaNumeros(lisJornadas_, e.datos.TotalJornadas, r.Jornada);
  RellenaNumeros(lisOrden_, e.datos.TotalOrdenes, r.Orden);
  nroJor_->Dibuja(false);
  orden_->Dibuja(false);
}

void SelectorReduccion::Coloca(int x, int y) {
  nroJor_->move(x, y);
  fecha_->move(nroJor_->x() + nroJor_->width() + 8, y + 4);
  orden_->move(fecha_->x() + 76, y);
  indice_->move(orden_->x() + orden_->width() + 16, y);
  lisJornadas_->move(nroJor_->x(), y + 26);
  lisOrden_->move(orden_->x(), y + 26);
  lisJornadas_->raise();
  lisOrden_->raise();
}

int SelectorReduccion::derecha() const {
  return indice_->x() + indice_->width();
}

bool SelectorReduccion::abierto() const {
  return lisJornadas_->isVisible() || lisOrden_->isVisible();
}

void SelectorReduccion::PonHabilitado(bool habilitado) {
  for (QWidget* w : std::initializer_list<QWidget*>{nroJor_, orden_, indice_}) {
    w->setEnabled(habilitado);
  }
}

void SelectorReduccion::CierraAbiertos() {
  if (lisJornadas_->isVisible()) EligeJornada();
  if (lisOrden_->isVisible()) EligeOrden();
}

int SelectorReduccion::AlternaLista(Boton* boton, QListWidget* lista) {
  if (aplicando_) return 0;
  if (!s_.estado.ocupado && lista->isHidden()) {
    s_.TocaSonido(kSonidoAccion);
    AbreBajoBoton(boton, lista);
    return 0;
  }
  if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
  aplicando_ = true;
  lista->hide();
  aplicando_ = false;
  boton->Dibuja(false);
  return lista->currentRow() + 1;
}

void SelectorReduccion::EligeJornada() {
  const int j = AlternaLista(nroJor_, lisJornadas_);
  Estado& e = s_.estado;
  if (j < 1 || j == e.reduccion.Jornada) return;
  const auto o = OrdenParaJornada(e.rutaDatos, pantalla_, j, e.datos.TotalOrdenes);
  if (!o) {
    lisJornadas_->setCurrentRow(e.reduccion.Jornada - 1);
    s_.MuestraMensaje(MensajeSinJornada(j));
    return;
  }
  if (antesDeCambiar && !antesDeCambiar()) {
    lisJornadas_->setCurrentRow(e.reduccion.Jornada - 1);
    return;
  }
  e.datos.Jornada = static_cast<int16_t>(j);
  e.datos.Orden = static_cast<int16_t>(*o);
  if (alCambiar) alCambiar();
}

void SelectorReduccion::EligeOrden() {
  const int o = AlternaLista(orden_, lisOrden_);
  Estado& e = s_.estado;
  if (o < 1 || o == e.reduccion.Orden) return;
  if (!ExisteReduccion(e.rutaDatos, e.reduccion.Jornada, o).existe) {
    lisOrden_->setCurrentRow(e.reduccion.Orden - 1);
    s_.MuestraMensaje(MensajeSinOrden(o));
    return;
  }
  if (antesDeCambiar && !antesDeCambiar()) {
    lisOrden_->setCurrentRow(e.reduccion.Orden - 1);
    return;
  }
  e.datos.Orden = static_cast<int16_t>(o);
  if (alCambiar) alCambiar();
}

void SelectorReduccion::AbreHistorico() {
  s_.TocaSonido(kSonidoAyuda);
  CierraAbiertos();
  PantallaHistorico historico(s_, padre_);
  if (columnasMarcadas && borraMarcadas) {
    historico.PonColumnasMarcadas(
        static_cast<int>(std::min<int64_t>(columnasMarcadas(), INT32_MAX)), borraMarcadas);
  }
  historico.exec();
  if (!historico.vieneDeHistorico() && !historico.borroLaActual()) return;
  const Ocupado ocupado(s_.estado);
  if (alCambiar) alCambiar();
}

bool SelectorReduccion::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut && !aplicando_) {
    // A list that loses the focus while open acts as a click on its button.
    if (objeto == lisJornadas_ && lisJornadas_->isVisible()) EligeJornada();
    if (objeto == lisOrden_ && lisOrden_->isVisible()) EligeOrden();
  }
  if (evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    auto* lista = qobject_cast<QListWidget*>(objeto);
    if (lista != nullptr && lista->isVisible()) {
      const Reduccion& r = s_.estado.reduccion;
      // Escape closes the list with the value it had; Enter takes its item.
      if (tecla == Qt::Key_Escape) {
        lista->setCurrentRow((lista == lisJornadas_ ? r.Jornada : r.Orden) - 1);
      }
      if (tecla == Qt::Key_Escape || tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        if (lista == lisJornadas_) EligeJornada();
        if (lista == lisOrden_) EligeOrden();
        return true;
      }
    }
  }
  return QObject::eventFilter(objeto, evento);
}

}  // namespace zendo

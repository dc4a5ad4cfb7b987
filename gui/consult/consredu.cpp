#include "gui/consult/consredu.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <atomic>

#include "engine/consult/boletos.h"
#include "engine/consult/borrado_columnas.h"
#include "engine/consult/carga_pantalla.h"
#include "engine/core/fichero.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/reduction/panel.h"
#include "engine/shell/textos.h"
#include "gui/consult/garantia.h"
#include "gui/consult/panel_columnas.h"
#include "gui/consult/panel_marcado.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/consult/selector_reduccion.h"
#include "gui/reduction/panel_cifras.h"
#include "gui/shell/boton.h"
#include "gui/shell/boton_pagina.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/segundo_plano.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

// The window must fit 800 x 570 with the marking panel open: the team names get less room
// than on the reduction screen, and the columns stand right of the panel.
constexpr int kMargen = 16;
constexpr int kYBotones = 46;
constexpr int kYDescripcion = 76;
constexpr int kYPanel = 100;
constexpr int kXRejillasConsulta = 180;
constexpr int kSeparacion = 14;
constexpr int kAltoRotulo = 17;
constexpr int kAnchoMinimo = 660;
constexpr int kAlto = 566;
constexpr int kAnchoTira = 4 * 29 + 3 * 6;

}  // namespace

PantallaConsulta::PantallaConsulta(Servicios& servicios, QWidget* padre)
    : FormularioReduccion(servicios, QStringLiteral("consredu"), QStringLiteral("Consulta"),
                          padre) {
  Construye();
  RecargaPantalla();
  CentraFormulario(this);
}

void PantallaConsulta::Construye() {
  titulo_ = PonTitulo(QString());
  titulo_->setFont(FuenteArial(14, true));
  titulo_->setWordWrap(true);

  const QFont negrita = FuenteArial(13, true);
  selector_ = new SelectorReduccion(s_, Pantalla::Consredu, this);
  selector_->alCambiar = [this] { RecargaPantalla(); };
  // Marks are offered for deletion before the reduction changes; in the history, choosing a
  // line deletes them instead.
  selector_->antesDeCambiar = [this] {
    if (marcado_.ColumnasMarcadas > 0) BorraMarcadas(false);
    return true;
  };
  selector_->columnasMarcadas = [this] { return marcado_.ColumnasMarcadas; };
  selector_->borraMarcadas = [this] { BorraMarcadas(); };

  descripcion_ = new QLabel(this);
  descripcion_->setObjectName(QStringLiteral("Lab_Descripcion"));
  descripcion_->setFont(negrita);
  descripcion_->setAlignment(Qt::AlignCenter);
  descripcion_->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));

  panel_ = new PanelQuiniela(s_, Pantalla::Consredu, this);
  panel_->PonEditable(false);
  panel_->PonCompacto(true);
  panel_->PonXRejillas(kXRejillasConsulta);
  externo_ = new QLabel(this);
  externo_->setObjectName(QStringLiteral("Lab_Externo"));
  externo_->setFont(FuenteArial(12, true));
  externo_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));

  for (int b = 0; b < kBoletosPagina; ++b) {
    auto* r = new QLabel(this);
    r->setObjectName(QStringLiteral("Lab_Boleto%1").arg(b + 1));
    r->setFont(FuenteArial(11, true));
    r->setAlignment(Qt::AlignCenter);
    r->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
    rotulosBoleto_[static_cast<std::size_t>(b)] = r;
  }
  columnas_ = new PanelColumnas(s_, this);
  columnas_->alMarcar = [this](int columna) {
    s_.TocaSonido(kSonidoAjuste);
    MarcarColumnas(columna);
  };
  columnas_->alTecla = [this](int tecla) { return TeclaPagina(tecla); };

  tiraPaginas_ = new QWidget(this);
  tiraPaginas_->setObjectName(QStringLiteral("Pic_BotAdeAtr"));
  tiraPaginas_->setFixedSize(kAnchoTira, 24);
  for (int i = 1; i <= 4; ++i) {
    auto* b = new BotonPagina(
        i, DeCp(AyudaBotonPaginacion(i)), [this, i] { Pagina(i); }, tiraPaginas_);
    b->move((i - 1) * 35, 0);
    paginas_[static_cast<std::size_t>(i)] = b;
  }

  abrirMarcar_ = new Boton(QStringLiteral("Pic_BotAbrirMarcar"),
                           QStringLiteral("Marcar columnas para borrar >>"), this);
  connect(abrirMarcar_, &Boton::pulsadoRaton, this, &PantallaConsulta::AbreCierraMarcador);
  panelMarcado_ = new PanelMarcado(s_, marcado_, this);
  panelMarcado_->alCambiarMetodo = [this] { CambiaMetodoMarcado(); };
  panelMarcado_->alMarcar = [this] { MarcarColumnas(0); };
  panelMarcado_->hide();

  esta_ = new PanelEsta(this);

  garantia_ = new Boton(QStringLiteral("Pic_BotGarantia"), QStringLiteral("Garantía"), this);
  garantia_->setToolTip(
      QStringLiteral("Aciertos asegurados y probabilidad de cada premio si el resultado está "
                     "dentro de la Quiniela Base"));
  connect(garantia_, &Boton::pulsadoRaton, this, &PantallaConsulta::AbreGarantia);

  ayuda_ = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                     QStringLiteral("Ayuda de Consulta de reducciones"), this);
  salir_ = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                     QStringLiteral("Salir de Consulta de reducciones"), this);
  connect(ayuda_, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(kAyudaConsulta);
  });
  connect(salir_, &Boton::pulsadoRaton, this, &PantallaConsulta::PulsaSalir);
}

// ---- Loading ----

void PantallaConsulta::CargaPantalla() {
  Estado& e = s_.estado;
  const Ocupado ocupado(e);
  Reduccion& r = LeeReduccionActual();
  RotulaPantalla(Pantalla::Consredu, titulo_, descripcion_, externo_);
  // The sign-total grid shows which totals the base allows; the figures are counted on a copy,
  // since the consultation never changes the stored definition.
  Cifras cifras;
  if (r.Metodo == kMetodoSeleccionSignos) {
    Reduccion copia = r;
    cifras = RecalculaReduccion(copia);
  }
  panel_->Carga(r, jornada_, cifras);
  selector_->Carga(jornada_);
  esta_->setVisible(reduccionCargada_);
  if (reduccionCargada_) {
    esta_->PonLineas(PanelReduccionGuardada(r, e.datos.Precio, NumBoletos(r)));
  }
  Rotula();
}

void PantallaConsulta::RecargaPantalla() {
  panelMarcado_->CierraLista();
  marcadorAbierto_ = false;
  marcado_ = {};
  CargaPantalla();
  primeraLinea_ = 1;
  CreaTrabajo();
  if (s_.estado.reduccion.Metodo == kMetodoManual) panelMarcado_->Reinicia();
  CambiaMetodoMarcado();
  DibujaColumnas();
}

void PantallaConsulta::CreaTrabajo() {
  Estado& e = s_.estado;
  hayTrabajo_ = false;
  marcado_ = {};
  columnas_->PonAviso(QStringLiteral("Preparando los boletos..."));
  ocupadoConsulta_ = true;
  ResultadoBoletos res;
  std::atomic<bool> cancelar{false};
  const std::filesystem::path ruta = e.rutaDatos;
  const int jornada = e.reduccion.Jornada, orden = e.reduccion.Orden;
  EnSegundoPlano([&] {
    res = CreaFicheroBoletos(
        ruta, jornada, orden,
        [this](uint64_t leidos, uint64_t total) {
          const int pct = total == 0 ? 100 : static_cast<int>(leidos * 100 / total);
          QMetaObject::invokeMethod(
              columnas_,
              [this, pct] {
                if (ocupadoConsulta_) {
                  columnas_->PonAviso(QStringLiteral("Preparando los boletos...  %1 %").arg(pct));
                }
              },
              Qt::QueuedConnection);
        },
        cancelar);
  });
  ocupadoConsulta_ = false;
  columnas_->PonAviso(QString());
  if (res.error == kSinError) {
    marcado_ = EstadoMarcado::De(res.resumen);
    hayTrabajo_ = true;
  } else if (!res.mensaje.empty()) {
    // A missing columns file only leaves the grid empty; anything else is told once.
    s_.AvisoSistema(DeCp(res.mensaje));
  }
}

void PantallaConsulta::DibujaColumnas() {
  const PaginaColumnas p =
      hayTrabajo_ ? LeePaginaColumnas(s_.estado.rutaDatos / kFicheroBoletos, primeraLinea_)
                  : PaginaDeRegistros({}, primeraLinea_);
  columnas_->PonPagina(p);
  for (int b = 0; b < kBoletosPagina; ++b) {
    const int64_t n = p.boleto[static_cast<std::size_t>(b)];
    rotulosBoleto_[static_cast<std::size_t>(b)]->setText(n > 0 ? DeCp(TextoBoleto(n)) : QString());
  }
  ActualizaPaginacion();
}

void PantallaConsulta::ActualizaPaginacion() {
  for (int b = 1; b <= 4; ++b) {
    paginas_[static_cast<std::size_t>(b)]->PonActivo(
        hayTrabajo_ && BotonPaginacionActivo(b, primeraLinea_, marcado_.LineasTrabajo));
  }
}

void PantallaConsulta::Rotula() {
  abrirMarcar_->PonTexto(marcadorAbierto_ ? QStringLiteral("Ocultar marcado de columnas <<")
                                          : QStringLiteral("Marcar columnas para borrar >>"));
}

void PantallaConsulta::Coloca() {
  const int metodo = s_.estado.reduccion.Metodo;
  const bool manual = metodo == kMetodoManual;
  const bool abierto = manual && marcadorAbierto_;

  panel_->move(kMargen, kYPanel);
  int xDerecha = panel_->x() + panel_->width() + kSeparacion;
  const int anchoNecesario = xDerecha + columnas_->width() +
                             (abierto ? kSeparacion + panelMarcado_->width() : 0) + kMargen;
  const int ancho = std::max(kAnchoMinimo, anchoNecesario);
  // Room to spare (a narrow panel) goes on both sides of the columns.
  xDerecha += (ancho - anchoNecesario) / 2;
  const int xMarcado = xDerecha + columnas_->width() + kSeparacion;
  const QSize antes = size();
  setFixedSize(ancho, kAlto);
  titulo_->setGeometry(66, 6, ancho - 132, 38);

  selector_->Coloca(66, kYBotones);

  // The description centred over the panel, as wide as it needs.
  descripcion_->adjustSize();
  const int anchoDescripcion = std::min(descripcion_->width() + 8, ancho - 2 * kMargen);
  const int xDescripcion = std::clamp(kMargen + (panel_->width() - anchoDescripcion) / 2, kMargen,
                                      ancho - kMargen - anchoDescripcion);
  descripcion_->setGeometry(xDescripcion, kYDescripcion, anchoDescripcion, 20);
  externo_->adjustSize();
  externo_->move(kMargen + 6, kYPanel + panel_->height() + 2);

  // The columns: the boleto numbers above, the paging strip and the marking button below.
  int y = kYPanel;
  for (int b = 0; b < kBoletosPagina; ++b) {
    const QRect c = PanelColumnas::RectColumna(b * kColumnasPorBoleto + 1);
    rotulosBoleto_[static_cast<std::size_t>(b)]->setGeometry(
        xDerecha + c.left() - kHuecoBoletos / 2, y, kAnchoBoletoPanel + kHuecoBoletos, kAltoRotulo);
  }
  y += kAltoRotulo;
  columnas_->move(xDerecha, y);
  y += columnas_->height() + 6;
  tiraPaginas_->move(xDerecha + (columnas_->width() - kAnchoTira) / 2, y);
  y += tiraPaginas_->height() + 8;
  const bool puedeMarcar = manual && reduccionCargada_ && hayTrabajo_;
  abrirMarcar_->setVisible(puedeMarcar);
  if (puedeMarcar) {
    abrirMarcar_->move(xDerecha + (columnas_->width() - abrirMarcar_->width()) / 2, y);
    y += abrirMarcar_->height() + 8;
  }
  const int anchoEsta = columnas_->width() + 8;
  esta_->setFixedSize(anchoEsta, PanelEsta::AltoPara(static_cast<int>(esta_->lineas().size())));
  esta_->move(xDerecha - 4, y);

  panelMarcado_->setVisible(abierto);
  if (abierto) panelMarcado_->move(xMarcado, kYPanel);

  ayuda_->move(24, kAlto - ayuda_->height() - 10);
  salir_->move(kMargen + panel_->width() - salir_->width(), kAlto - salir_->height() - 10);
  // The guarantee needs a stored reduction; it reads the columns file, not the marks. It
  // stands between Ayuda and Salir, under the panel, where the columns leave room.
  garantia_->setVisible(reduccionCargada_);
  garantia_->move((ayuda_->geometry().right() + salir_->x() - garantia_->width()) / 2,
                  salir_->y() + (salir_->height() - garantia_->height()) / 2);
  IniciaFormulario(this);
  selector_->Coloca(66, kYBotones);  // its lists above everything
  if (isVisible() && antes != size()) CentraFormulario(this);
  // Controls shown or moved (the marking panel, a method's own controls) take their place in
  // the Tab order.
  if (isVisible()) OrdenaTabulacion(this);
}

// ---- Paging ----

void PantallaConsulta::Pagina(int boton) {
  if (ocupadoConsulta_ || !hayTrabajo_ ||
      !BotonPaginacionActivo(boton, primeraLinea_, marcado_.LineasTrabajo)) {
    return;
  }
  BotonPagina* b = paginas_[static_cast<std::size_t>(boton)];
  s_.TocaSonido(kSonidoAccion);
  b->Dibuja(true);
  Servicios::Espera(180);
  primeraLinea_ = PrimeraLineaTras(boton, primeraLinea_, marcado_.LineasTrabajo);
  DibujaColumnas();
  b->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
}

bool PantallaConsulta::TeclaPagina(int tecla) {
  switch (tecla) {
    case Qt::Key_Home:
      Pagina(kIrPrincipio);
      return true;
    case Qt::Key_PageUp:
      Pagina(kRetroceder);
      return true;
    case Qt::Key_PageDown:
      Pagina(kAvanzar);
      return true;
    case Qt::Key_End:
      Pagina(kIrFinal);
      return true;
    default:
      return false;
  }
}

void PantallaConsulta::keyPressEvent(QKeyEvent* evento) {
  if (TeclaPagina(evento->key())) return;
  Formulario::keyPressEvent(evento);
}

// ---- Marking ----

void PantallaConsulta::AbreCierraMarcador() {
  if (!reduccionCargada_ || !hayTrabajo_ || ocupadoConsulta_ ||
      s_.estado.reduccion.Metodo != kMetodoManual) {
    return;
  }
  s_.TocaSonido(kSonidoAccion);
  abrirMarcar_->Dibuja(true);
  panelMarcado_->CierraLista();
  marcadorAbierto_ = !marcadorAbierto_;
  Rotula();
  CambiaMetodoMarcado();
  DibujaColumnas();
  panelMarcado_->Actualiza();
  abrirMarcar_->Dibuja(false);
}

void PantallaConsulta::CambiaMetodoMarcado() {
  columnas_->PonMarcadoAMano(marcadorAbierto_ && hayTrabajo_ && reduccionCargada_ &&
                             s_.estado.reduccion.Metodo == kMetodoManual &&
                             panelMarcado_->MetodoMarcado() == kMarcarAMano);
  Coloca();
}

void PantallaConsulta::MarcarColumnas(int columnaPanel) {
  if (ocupadoConsulta_ || !hayTrabajo_ || !reduccionCargada_) return;
  const std::filesystem::path trabajo = s_.estado.rutaDatos / kFicheroBoletos;
  ResultadoMarcado res;
  ocupadoConsulta_ = true;
  switch (panelMarcado_->MetodoMarcado()) {
    case kMarcarPorVariantes: {
      const std::array<bool, 15> v = panelMarcado_->VariantesMarcadas();
      EnSegundoPlano([&] { res = MarcaPorVariantes(trabajo, v, marcado_); });
      break;
    }
    case kMarcarAlAzar: {
      const int64_t n = panelMarcado_->totales().marcar;
      EnSegundoPlano([&] { res = MarcaAlAzar(trabajo, n, s_.estado.azar, marcado_); });
      panelMarcado_->PorcentajeACero();
      break;
    }
    case kMarcarAMano:
      if (columnaPanel >= 1) res = CambiaMarca(trabajo, primeraLinea_ - 1 + columnaPanel, marcado_);
      break;
    default:
      break;
  }
  ocupadoConsulta_ = false;
  if (res.error != kSinError) s_.AvisoSistema(DeCp(res.mensaje));
  panelMarcado_->Actualiza();
  DibujaColumnas();
}

// ---- Deleting the marked columns ----

void PantallaConsulta::BorraMarcadas(bool recargar) {
  if (ocupadoConsulta_) return;
  panelMarcado_->CierraLista();
  Estado& e = s_.estado;
  if (s_.MuestraMensaje(MensajeBorrarMarcadas(marcado_.ColumnasMarcadas))) {
    ResultadoBorradoColumnas res;
    const std::filesystem::path ruta = e.rutaDatos;
    const int jornada = e.reduccion.Jornada, orden = e.reduccion.Orden;
    ocupadoConsulta_ = true;
    EnSegundoPlano([&] { res = BorraColumnasMarcadas(ruta, jornada, orden); });
    ocupadoConsulta_ = false;
    if (res.error != kSinError) {
      // Nothing was deleted: the code and number say why.
      s_.AvisoSistema(DeCp(res.mensaje));
    } else if (!res.sinReduccion) {
      s_.MuestraMensaje(MensajeMarcadasBorradas(res.NumApuestas));
    }
  }
  // Accepted or not, the columns are shown again from the columns file: no mark is left.
  marcado_.ColumnasMarcadas = 0;
  if (recargar) RecargaPantalla();
}

// ---- Guarantee ----

void PantallaConsulta::AbreGarantia() {
  if (ocupadoConsulta_ || !reduccionCargada_) return;
  panelMarcado_->CierraLista();
  s_.TocaSonido(kSonidoAccion);
  garantia_->Dibuja(true);
  DialogoGarantia dialogo(s_, this);
  dialogo.exec();
  garantia_->Dibuja(false);
}

// ---- Leaving ----

void PantallaConsulta::PulsaSalir() {
  if (ocupadoConsulta_) return;
  s_.TocaSonido(kSonidoSalir);
  if (marcado_.ColumnasMarcadas < 1) {
    accept();
    return;
  }
  // Leaving after the question needs a second Salir.
  BorraMarcadas();
}

void PantallaConsulta::reject() {
  PulsaSalir();
}

}  // namespace zendo

#include "gui/reduction/reducir.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "engine/consult/carga_pantalla.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/core/texto.h"
#include "engine/reduction/comprobaciones.h"
#include "engine/reduction/panel.h"
#include "engine/shell/textos.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/reduction/grafico.h"
#include "gui/reduction/panel_cifras.h"
#include "gui/reduction/progreso.h"
#include "gui/screens/historic.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/teclado.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

// The screen fits the smallest desktop the program runs on (800 x 600 less a panel of 30)
// with the frame of its window: the panels are laid out to stay within 796 x 540.
constexpr int kAnchoMaximo = 796;
constexpr int kMargen = 16;
constexpr int kMargenDerecho = 10;
constexpr int kSeparacion = 8;
constexpr int kYBotones = 44;
constexpr int kYPanel = 74;
// The left-hand part holds at least the description and the row of action buttons.
constexpr int kAnchoIzquierda = 506;
constexpr int kAnchoDescripcion = 320;
// The right-hand column of figures and chart.
constexpr int kAnchoDerechaMinimo = 224;
constexpr int kAnchoDerechaMaximo = 290;

// Help context of the screen by method.
int ContextoAyuda(int metodo) {
  return 2200 + 10 * std::clamp(metodo, 1, 5);
}

}  // namespace

PantallaReducir::PantallaReducir(Servicios& servicios, QWidget* padre)
    : FormularioReduccion(servicios, QStringLiteral("reducir"), QStringLiteral("Reducción"),
                          padre) {
  Construye();
  CargaPantalla();
  IniciaFormulario(this);
  CentraFormulario(this);
}

PantallaReducir::~PantallaReducir() {
  if (hilo_) {
    cancelar_ = true;
    hilo_->wait();
  }
}

void PantallaReducir::Construye() {
  // The title follows the method; Coloca places it.
  titulo_ = PonTitulo(QString());

  panel_ = new PanelQuiniela(s_, Pantalla::Reducir, this);
  panel_->PonEditable(true);
  // Room for the figures and the chart beside it.
  panel_->PonCompacto(true);
  panel_->alEditar = [this](const Cambio& c) { TrasEdicion(c); };

  nroJor_ = new Boton(QStringLiteral("Pic_BotNroJor"), QString(), this);
  orden_ = new Boton(QStringLiteral("Pic_BotOrden"), QString(), this);
  fecha_ = new QLabel(this);
  fecha_->setObjectName(QStringLiteral("Lab_FechaJornada"));
  const QFont ff = FuenteArial(13, true);
  fecha_->setFont(ff);
  fecha_->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  lisJornadas_ = ListaBajoBoton(QStringLiteral("Lis_Jornadas"), this);
  lisOrden_ = ListaBajoBoton(QStringLiteral("Lis_Orden"), this);
  connect(nroJor_, &Boton::pulsadoRaton, this, &PantallaReducir::EligeJornada);
  connect(orden_, &Boton::pulsadoRaton, this, &PantallaReducir::EligeOrden);
  connect(lisJornadas_, &QListWidget::itemClicked, this, [this] {
    if (lisJornadas_->isVisible()) EligeJornada();
  });
  connect(lisOrden_, &QListWidget::itemClicked, this, [this] {
    if (lisOrden_->isVisible()) EligeOrden();
  });

  indice_ = new Boton(QStringLiteral("Pic_BotIndice"), QStringLiteral("Histórico"), this);
  indice_->setToolTip(QStringLiteral("Histórico de reducciones"));
  connect(indice_, &Boton::pulsadoRaton, this, &PantallaReducir::AbreHistorico);

  lisMetodos_ = ListaBajoBoton(QStringLiteral("Lis_Metodos"), this);
  for (int m = 1; m <= 5; ++m) lisMetodos_->addItem(DeCp(NombreCortoMetodo(m)));
  lisMetodos_->setFixedSize(194, 5 * 18 + 6);
  metodo_ = {new Boton(QStringLiteral("Pic_BotMetodo"), QString(), this), lisMetodos_};

  lisMinErrores_ = ListaBajoBoton(QStringLiteral("Lis_MinErrores"), this);
  lisMaxErrores_ = ListaBajoBoton(QStringLiteral("Lis_MaxErrores"), this);
  minErr_ = {new Boton(QStringLiteral("Pic_BotMinErr"), QString(), this), lisMinErrores_};
  maxErr_ = {new Boton(QStringLiteral("Pic_BotMaxErr"), QString(), this), lisMaxErrores_};
  texRangoMin_ = CajaNumero(QStringLiteral("Tex_RangoMin"), 6, 70, this);
  texRangoMax_ = CajaNumero(QStringLiteral("Tex_RangoMax"), 6, 70, this);
  labCriterios_ = new QLabel(this);
  labCriterios_->setObjectName(QStringLiteral("Lab_Porcentajes"));
  labCriterios_->setFont(FuenteEncabezado());
  labCriterios_->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  labCriterios_->setAlignment(Qt::AlignCenter);
  minPor_ = {new Boton(QStringLiteral("Pic_BotMinPor"), QString(), this), texRangoMin_};
  maxPor_ = {new Boton(QStringLiteral("Pic_BotMaxPor"), QString(), this), texRangoMax_};

  for (const Parametro* p : {&metodo_, &minErr_, &maxErr_, &minPor_, &maxPor_}) {
    connect(p->boton, &Boton::pulsadoRaton, this, [this, p] { Boton_MD(*p); });
    p->control->installEventFilter(this);
    if (auto* lista = qobject_cast<QListWidget*>(p->control)) {
      connect(lista, &QListWidget::itemClicked, this, [this, p] {
        if (p->control->isVisible()) Boton_MD(*p);
      });
    }
    if (auto* caja = qobject_cast<QLineEdit*>(p->control)) {
      connect(caja, &QLineEdit::returnPressed, this, [this, p] {
        if (p->control->isVisible()) Boton_MD(*p);
      });
      PonReglaTecleo(caja, 0, ReglaCifrasYPunto());
    }
  }
  lisJornadas_->installEventFilter(this);
  lisOrden_->installEventFilter(this);

  labDescripcion_ = new QLabel(QStringLiteral("Descripción:"), this);
  labDescripcion_->setObjectName(QStringLiteral("Lab_Descripcion"));
  labDescripcion_->setFont(ff);
  texDescripcion_ = new QLineEdit(this);
  texDescripcion_->setObjectName(QStringLiteral("Tex_Descripcion"));
  texDescripcion_->setFixedSize(320, 24);
  PonReglaTecleo(texDescripcion_, 35);
  connect(texDescripcion_, &QLineEdit::textEdited, this, [this] {
    if (!s_.estado.ocupado) {
      TrasEdicion(CambiaDescripcion(s_.estado.reduccion, ACp(texDescripcion_->text())));
    }
  });

  panelExterno_ = new PanelExterno(this);
  chkIncluirExterno_ = new QCheckBox(QStringLiteral("Incluirlo en la reducción"), this);
  chkIncluirExterno_->setObjectName(QStringLiteral("Chk_IncluirExterno"));
  chkIncluirExterno_->setFont(ff);
  connect(chkIncluirExterno_, &QCheckBox::clicked, this, [this] {
    if (s_.estado.ocupado) return;
    TrasEdicion(PulsaIncluirExterno(s_.estado.reduccion));
  });

  esta_ = new PanelEsta(this);
  grafico_ = new GraficoReduccion(this);

  reducir_ = new Boton(QStringLiteral("Pic_BotReducir"), QStringLiteral("Reducir apuestas"), this);
  selTodo_ = new Boton(QStringLiteral("Pic_BotSelTodo"), QStringLiteral("Seleccionar todo"), this);
  borTodo_ = new Boton(QStringLiteral("Pic_BotBorTodo"), QStringLiteral("Borrar todo"), this);
  connect(reducir_, &Boton::pulsadoRaton, this, &PantallaReducir::PulsaReducir);
  connect(selTodo_, &Boton::pulsadoRaton, this, &PantallaReducir::PulsaSeleccionarTodo);
  connect(borTodo_, &Boton::pulsadoRaton, this, &PantallaReducir::PulsaBorrarTodo);

  ayuda_ = new Boton(QStringLiteral("Pic_BotAyuda"), ImagenFija::Ayuda,
                     QStringLiteral("Ayuda de Reducción de apuestas"), this);
  salir_ = new Boton(QStringLiteral("Pic_BotSalir"), ImagenFija::Salir,
                     QStringLiteral("Salir de Reducción de apuestas"), this);
  connect(ayuda_, &Boton::pulsadoRaton, this, [this] {
    s_.TocaSonido(kSonidoAyuda);
    s_.AbreAyuda(ContextoAyuda(s_.estado.reduccion.Metodo));
  });
  connect(salir_, &Boton::pulsadoRaton, this, [this] {
    if (ocupadoReduccion_) return;
    s_.TocaSonido(kSonidoSalir);
    accept();
  });

  porcen_ = new PanelProgreso(this);
  porcen_->hide();
  connect(porcen_->cancelar(), &Boton::pulsadoRaton, this, &PantallaReducir::PulsaCancelar);
  connect(porcen_->salir(), &Boton::pulsadoRaton, this, &PantallaReducir::PulsaSalirPorcen);
}

// ---- Loading ----

void PantallaReducir::CargaPantalla() {
  Estado& e = s_.estado;
  Ocupado ocupado(e);
  Reduccion& r = LeeReduccionActual();
  const int16_t jornada = r.Jornada;
  const int16_t orden = r.Orden;
  // A method chosen here for a reduction not stored yet survives the reload.
  if (metodoPendiente_ >= 1 && metodoPendiente_ <= 5) {
    r.Metodo = static_cast<int16_t>(metodoPendiente_);
  }
  if (r.Metodo < 1 || r.Metodo > 5) r.Metodo = kMetodoDirecto;
  e.datos.Metodo = r.Metodo;

  // The external column file (manual method only), then the figures.
  const CargaExterno carga = CargaArchivoExterno(e.rutaDatos, r);
  externo_ = carga.externo;
  cifras_ = RecalculaReduccion(r, externo_);

  setWindowTitle(DeCp(TituloPantalla(Pantalla::Reducir, r.Metodo)));
  titulo_->setText(windowTitle());
  panel_->Carga(r, jornada_, cifras_);
  fecha_->setText(DeCp(jornada_.FechaJornada));
  RellenaNumeros(lisJornadas_, e.datos.TotalJornadas, jornada);
  RellenaNumeros(lisOrden_, e.datos.TotalOrdenes, orden);
  lisMetodos_->setCurrentRow(r.Metodo - 1);
  RellenaListasErrores();
  texRangoMin_->setText(DeCp(TextoRango(r.MinPorcentaje)));
  texRangoMax_->setText(DeCp(TextoRango(r.MaxPorcentaje)));
  texDescripcion_->setText(DeCp(std::string(Recorta(r.Descripcion))));
  chkIncluirExterno_->setChecked(r.IncluyeExterno == 1);
  chkIncluirExterno_->setEnabled(externo_.ExternoValido);
  PonColorExterno();
  panelExterno_->PonLineas(LineasPanelExterno(externo_), externo_.ExternoValido);
  for (const Parametro* p : {&metodo_, &minErr_, &maxErr_, &minPor_, &maxPor_}) {
    p->control->hide();
    p->boton->Dibuja(false);
  }
  lisJornadas_->hide();
  lisOrden_->hide();
  nroJor_->Dibuja(false);
  orden_->Dibuja(false);
  Rotula();
  Coloca();
  Recalcula();
  // A loaded base without columns shows no figures until it is edited.
  esta_->setVisible(cifras_.ApuestasBase != 0);
  cargada_ = r;
  update();
  ocupado.Termina();

  // The fault of an external file is told once the screen stands.
  if (carga.mensaje) s_.MuestraMensaje(*carga.mensaje);
}

void PantallaReducir::Coloca() {
  const int metodo = s_.estado.reduccion.Metodo;
  const bool errores = metodo == kMetodoColumnaProbable;
  const bool rango = metodo == kMetodoBalanceSignos;
  const bool manual = metodo == kMetodoManual;

  // The error buttons keep a column of their own right of the grids; the range buttons of
  // method 4 go to the right-hand column, with their heading.
  panel_->PonColumnaCriterios(errores ? minErr_.boton->width() : 0);
  panel_->move(kMargen, kYPanel);
  const int izquierda = std::max(panel_->x() + panel_->width(), kAnchoIzquierda);
  const int anchoDerecha = std::clamp(kAnchoMaximo - kMargenDerecho - kSeparacion - izquierda,
                                      kAnchoDerechaMinimo, kAnchoDerechaMaximo);
  const int ancho = izquierda + kSeparacion + anchoDerecha + kMargenDerecho;
  const int xDerecha = ancho - kMargenDerecho - anchoDerecha;
  const int yDescripcion = kYPanel + panel_->height() + 8;
  const int yPie = yDescripcion + texDescripcion_->height() + 14;
  const int alto = yPie + ayuda_->height() + 10;
  setFixedSize(ancho, alto);
  titulo_->setGeometry(66, 8, ancho - 132, 30);

  nroJor_->move(kMargen + 50, kYBotones);
  fecha_->move(nroJor_->x() + nroJor_->width() + 8, kYBotones + 4);
  fecha_->adjustSize();
  orden_->move(fecha_->x() + 76, kYBotones);
  metodo_.boton->move(orden_->x() + orden_->width() + 16, kYBotones);
  indice_->move(metodo_.boton->x() + metodo_.boton->width() + 16, kYBotones);
  lisJornadas_->move(nroJor_->x(), kYBotones + 26);
  lisOrden_->move(orden_->x(), kYBotones + 26);
  lisMetodos_->move(metodo_.boton->x(), kYBotones + 26);

  for (const Parametro* p : {&minErr_, &maxErr_}) p->boton->setVisible(errores);
  for (const Parametro* p : {&minPor_, &maxPor_}) p->boton->setVisible(rango);
  labCriterios_->setVisible(rango);
  auto bajo = [](const Parametro& p, int x, int y) {
    p.boton->move(x, y);
    p.control->move(x + 12, y + 26);
  };
  if (errores) {
    // Under "Errores permitidos", on the rows of matches 1 and 3.
    const int x = panel_->x() + panel_->CentroPalabra(1, QStringLiteral("Errores")) -
                  minErr_.boton->width() / 2;
    bajo(minErr_, x, kYPanel + panel_->yFila(1));
    bajo(maxErr_, x, kYPanel + panel_->yFila(3));
  }

  // The right-hand column: the range of method 4, the figures, the external file of the
  // manual method, and the chart down to the bottom.
  int y = kYPanel;
  if (rango) {
    labCriterios_->setText(panel_->colaEncabezado(1) + QLatin1Char(' ') +
                           panel_->colaEncabezado(2));
    labCriterios_->setGeometry(xDerecha, y, anchoDerecha, 18);
    y += 20;
    bajo(minPor_, xDerecha, y);
    bajo(maxPor_, xDerecha + anchoDerecha - maxPor_.boton->width(), y);
    y += minPor_.boton->height() + 8;
  }
  const int lineas = static_cast<int>(PanelCifras(cifras_, s_.estado.datos.Precio).size());
  esta_->setFixedSize(anchoDerecha, PanelEsta::AltoPara(lineas));
  esta_->move(xDerecha, y);
  y += esta_->height() + 8;
  panelExterno_->setVisible(manual);
  chkIncluirExterno_->setVisible(manual);
  if (manual) {
    panelExterno_->setFixedSize(anchoDerecha, PanelEsta::AltoPara(3));
    panelExterno_->move(xDerecha, y);
    chkIncluirExterno_->adjustSize();
    chkIncluirExterno_->move(xDerecha + 8, y + panelExterno_->height() + 4);
    y = chkIncluirExterno_->y() + chkIncluirExterno_->height() + 8;
  }
  grafico_->setFixedSize(anchoDerecha, alto - kMargenDerecho - y);
  grafico_->move(xDerecha, y);

  labDescripcion_->adjustSize();
  labDescripcion_->move(kMargen + 6, yDescripcion + 4);
  const int xTexto = labDescripcion_->x() + labDescripcion_->width() + 8;
  texDescripcion_->setFixedWidth(std::min(kAnchoDescripcion, xDerecha - kSeparacion - xTexto));
  texDescripcion_->move(xTexto, yDescripcion);
  ayuda_->move(16, yPie);
  const int yAcciones = yPie + (ayuda_->height() - reducir_->height()) / 2;
  selTodo_->move(ayuda_->x() + ayuda_->width() + 14, yAcciones);
  borTodo_->move(selTodo_->x() + selTodo_->width() + 10, yAcciones);
  reducir_->move(borTodo_->x() + borTodo_->width() + 10, yAcciones);
  salir_->move(xDerecha - salir_->width() - kSeparacion, yPie);
  porcen_->move((ancho - porcen_->width()) / 2, (alto - porcen_->height()) / 2);
  for (QWidget* w :
       std::initializer_list<QWidget*>{lisJornadas_, lisOrden_, lisMetodos_, lisMinErrores_,
                                       lisMaxErrores_, texRangoMin_, texRangoMax_, porcen_}) {
    w->raise();
  }
  IniciaFormulario(this);
  // The controls of the method moved: Tab follows them from the top left again.
  OrdenaTabulacion(this);
  // Centred on every load: another method may need another size.
  if (isVisible()) CentraFormulario(this);
}

// ---- Figures and redrawing ----

void PantallaReducir::Recalcula() {
  Reduccion& r = s_.estado.reduccion;
  const float minimo = r.MinPorcentaje, maximo = r.MaxPorcentaje;
  cifras_ = RecalculaReduccion(r, externo_);
  panel_->PonCifras(cifras_);
  esta_->PonLineas(PanelCifras(cifras_, s_.estado.datos.Precio));
  // Every edit shows the figures, whatever they are: only loading hides them (below).
  esta_->show();
  grafico_->PonCifras(cifras_);
  if (r.MinPorcentaje != minimo || r.MaxPorcentaje != maximo) {
    // The range was kept inside what the base can give.
    texRangoMin_->setText(DeCp(TextoRango(r.MinPorcentaje)));
    texRangoMax_->setText(DeCp(TextoRango(r.MaxPorcentaje)));
    Rotula();
  }
}

void PantallaReducir::Sonidos(const std::vector<int>& sonidos) {
  if (s_.estado.ocupado) return;
  for (const int id : sonidos) s_.TocaSonido(id);
}

void PantallaReducir::TrasEdicion(const Cambio& c) {
  if (!c.aceptado) return;
  Sonidos(c.sonidos);
  if (c.Toca(kZonaRecarga)) {
    CargaPantalla();
    return;
  }
  if (c.recalcular && !s_.estado.ocupado) Recalcula();
  if (c.Toca(kZonaTodo)) panel_->Redibuja(kZonaTodo, 0);
  if (c.Toca(kZonaListasErrores)) RellenaListasErrores();
  if (c.Toca(kZonaErrores) || c.Toca(kZonaRango) || c.Toca(kZonaListasErrores)) Rotula();
  if (c.Toca(kZonaRango)) {
    const Reduccion& r = s_.estado.reduccion;
    texRangoMin_->setText(DeCp(TextoRango(r.MinPorcentaje)));
    texRangoMax_->setText(DeCp(TextoRango(r.MaxPorcentaje)));
  }
  if (c.Toca(kZonaExterno)) {
    chkIncluirExterno_->setChecked(s_.estado.reduccion.IncluyeExterno == 1);
    PonColorExterno();
  }
}

void PantallaReducir::Rotula() {
  const Reduccion& r = s_.estado.reduccion;
  auto pon = [](Boton* b, const QString& t) {
    if (b->texto() != t) b->PonTexto(t);
  };
  pon(nroJor_, QStringLiteral("Jornada") + QString::fromStdString(TextoStr(r.Jornada)));
  pon(orden_, QStringLiteral("Orden ") + QString::fromStdString(TextoStr(r.Orden)));
  pon(metodo_.boton, DeCp(std::string(Recorta(NombreLargoMetodo(r.Metodo)))));
  pon(minErr_.boton, QStringLiteral("Mínimo") + QString::fromStdString(TextoStr(r.MinErrores)));
  pon(maxErr_.boton, QStringLiteral("Máximo") + QString::fromStdString(TextoStr(r.MaxErrores)));
  pon(minPor_.boton,
      QStringLiteral("Mínimo ") + DeCp(TextoRango(r.MinPorcentaje)) + QStringLiteral(" %"));
  pon(maxPor_.boton,
      QStringLiteral("Máximo ") + DeCp(TextoRango(r.MaxPorcentaje)) + QStringLiteral(" %"));
}

void PantallaReducir::RellenaListasErrores() {
  Reduccion& r = s_.estado.reduccion;
  if (r.Metodo != kMetodoColumnaProbable) return;
  const ListasErrores l = ReconstruyeListasErrores(r);
  const Ocupado ocupado(s_.estado);
  for (QListWidget* lista : {lisMinErrores_, lisMaxErrores_}) {
    lista->clear();
    for (const std::string& e : l.elementos) lista->addItem(DeCp(e));
    lista->setFixedSize(56, std::min(static_cast<int>(l.elementos.size()), 10) * 18 + 6);
  }
  lisMinErrores_->setCurrentRow(l.seleccionMin);
  lisMaxErrores_->setCurrentRow(l.seleccionMax);
}

void PantallaReducir::PonColorExterno() {
  // The colour of the text follows the choice; a disabled box keeps the style's grey text,
  // so that it does not look like one that can be clicked.
  const QColor color =
      s_.estado.reduccion.IncluyeExterno == 1 ? QColor(0, 0, 128) : QColor(0, 128, 0);
  QPalette paleta = chkIncluirExterno_->palette();
  for (const auto grupo : {QPalette::Active, QPalette::Inactive}) {
    paleta.setColor(grupo, QPalette::WindowText, color);
  }
  chkIncluirExterno_->setPalette(paleta);
}

// ---- Choosers ----

int PantallaReducir::AlternaLista(Boton* boton, QListWidget* lista) {
  if (aplicando_ || ocupadoReduccion_) return 0;
  if (!s_.estado.ocupado && lista->isHidden()) {
    s_.TocaSonido(kSonidoAccion);
    AbreBajoBoton(boton, lista);
    return 0;
  }
  if (!s_.estado.ocupado) s_.TocaSonido(kSonidoAjuste);
  aplicando_ = true;
  CierraBajoBoton(boton, lista);
  aplicando_ = false;
  boton->Dibuja(false);
  return lista->currentRow() + 1;
}

void PantallaReducir::EligeJornada() {
  const int j = AlternaLista(nroJor_, lisJornadas_);
  Estado& e = s_.estado;
  if (j >= 1 && j != e.reduccion.Jornada) {
    if (!DescartaCambios()) {
      VuelveALaActual();
      return;
    }
    const auto o = OrdenParaJornada(e.rutaDatos, Pantalla::Reducir, j, e.datos.TotalOrdenes);
    e.datos.Jornada = static_cast<int16_t>(j);
    e.datos.Orden = static_cast<int16_t>(o.value_or(1));
    CargaPantalla();
  }
}

void PantallaReducir::EligeOrden() {
  // Any order number names the reduction about to be made.
  const int o = AlternaLista(orden_, lisOrden_);
  Estado& e = s_.estado;
  if (o >= 1 && o != e.reduccion.Orden) {
    if (!DescartaCambios()) {
      VuelveALaActual();
      return;
    }
    e.datos.Orden = static_cast<int16_t>(o);
    CargaPantalla();
  }
}

void PantallaReducir::AbreHistorico() {
  if (ocupadoReduccion_) return;
  s_.TocaSonido(kSonidoAyuda);
  CierraAbiertos();
  PantallaHistorico historico(s_, this);
  historico.exec();
  Estado& e = s_.estado;
  if (!historico.vieneDeHistorico()) {
    // The reduction on the screen may have been deleted there; a definition being edited
    // stays on the screen.
    if (historico.borroLaActual()) {
      if (Cambiada()) {
        reduccionCargada_ = false;
      } else {
        CargaPantalla();
      }
    }
    return;
  }
  if (!DescartaCambios()) {
    // The picked reduction is not loaded: the current one stays the current one.
    VuelveALaActual();
    return;
  }
  // The picked reduction is shown as it was stored, with its own method.
  metodoPendiente_ = 0;
  const Ocupado ocupado(e);
  lisJornadas_->setCurrentRow(e.datos.Jornada - 1);
  lisOrden_->setCurrentRow(e.datos.Orden - 1);
  CargaPantalla();
}

// ---- Criteria buttons ----

const PantallaReducir::Parametro* PantallaReducir::ParametroDe(QObject* control) const {
  for (const Parametro* p : {&metodo_, &minErr_, &maxErr_, &minPor_, &maxPor_}) {
    if (p->control == control) return p;
  }
  return nullptr;
}

void PantallaReducir::Boton_MD(const Parametro& p) {
  if (aplicando_ || ocupadoReduccion_) return;
  if (p.control->isHidden()) {
    // One edit control open at a time: another one is applied first.
    for (const Parametro* otro : {&metodo_, &minErr_, &maxErr_, &minPor_, &maxPor_}) {
      if (otro != &p && otro->control->isVisible()) Boton_MD(*otro);
    }
    s_.TocaSonido(kSonidoAccion);
    AbreBajoBoton(p.boton, p.control);
    return;
  }
  s_.TocaSonido(kSonidoAjuste);
  aplicando_ = true;  // hiding takes the focus away: that is not a second click
  CierraBajoBoton(p.boton, p.control);
  aplicando_ = false;
  p.boton->Dibuja(false);
  Aplica(p);
}

void PantallaReducir::Aplica(const Parametro& p) {
  Reduccion& r = s_.estado.reduccion;
  if (&p == &metodo_) {
    // Another method reloads the screen, which drops a definition not stored.
    if (lisMetodos_->currentRow() + 1 != r.Metodo && !DescartaCambios()) {
      lisMetodos_->setCurrentRow(r.Metodo - 1);
      return;
    }
    const Cambio c = EligeMetodo(r, lisMetodos_->currentRow());
    if (c.aceptado) metodoPendiente_ = r.Metodo;
    TrasEdicion(c);
  } else if (&p == &minErr_) {
    TrasEdicion(EligeMinErrores(r, lisMinErrores_->currentRow()));
  } else if (&p == &maxErr_) {
    TrasEdicion(EligeMaxErrores(r, lisMaxErrores_->currentRow()));
  } else if (&p == &minPor_) {
    TrasEdicion(AceptaRangoMin(r, ACp(texRangoMin_->text())));
  } else if (&p == &maxPor_) {
    TrasEdicion(AceptaRangoMax(r, ACp(texRangoMax_->text())));
  }
}

void PantallaReducir::CierraAbiertos() {
  panel_->CierraEditor();
  for (const Parametro* p : {&metodo_, &minErr_, &maxErr_, &minPor_, &maxPor_}) {
    if (p->control->isVisible()) Boton_MD(*p);
  }
  if (lisJornadas_->isVisible()) EligeJornada();
  if (lisOrden_->isVisible()) EligeOrden();
}

void PantallaReducir::PulsaSeleccionarTodo() {
  if (ocupadoReduccion_) return;
  CierraAbiertos();
  const Cambio c = SeleccionaTodo(s_.estado.reduccion);
  // The pressed look lasts a moment, between the two sounds.
  if (!c.sonidos.empty()) s_.TocaSonido(c.sonidos.front());
  selTodo_->Dibuja(true);
  Servicios::Espera(300);
  selTodo_->Dibuja(false);
  Cambio resto = c;
  resto.sonidos.erase(resto.sonidos.begin(), resto.sonidos.begin() + (c.sonidos.empty() ? 0 : 1));
  TrasEdicion(resto);
}

void PantallaReducir::PulsaBorrarTodo() {
  if (ocupadoReduccion_) return;
  CierraAbiertos();
  borTodo_->Dibuja(true);
  Servicios::Espera(150);
  borTodo_->Dibuja(false);
  TrasEdicion(BorraTodo(s_.estado.reduccion));
}

bool PantallaReducir::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut && !aplicando_) {
    // A list or box that loses the focus while open acts as a click on its button.
    if (objeto == lisJornadas_ && lisJornadas_->isVisible()) {
      EligeJornada();
    } else if (objeto == lisOrden_ && lisOrden_->isVisible()) {
      EligeOrden();
    } else if (const Parametro* p = ParametroDe(objeto); p != nullptr && p->control->isVisible()) {
      Boton_MD(*p);
    }
  }
  if (evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    // Escape in an open list or box closes it with the value it had: the screen stays.
    if (tecla == Qt::Key_Escape && CierraSinCambios(objeto)) return true;
    // Enter in an open list chooses its item.
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      if (objeto == lisJornadas_) {
        EligeJornada();
        return true;
      }
      if (objeto == lisOrden_) {
        EligeOrden();
        return true;
      }
      if (const Parametro* p = ParametroDe(objeto);
          p != nullptr && objeto != p->boton && qobject_cast<QListWidget*>(objeto)) {
        Boton_MD(*p);
        return true;
      }
    }
  }
  return Formulario::eventFilter(objeto, evento);
}

bool PantallaReducir::CierraSinCambios(QObject* control) {
  const Reduccion& r = s_.estado.reduccion;
  if (control == lisJornadas_ && lisJornadas_->isVisible()) {
    lisJornadas_->setCurrentRow(r.Jornada - 1);
    EligeJornada();
    return true;
  }
  if (control == lisOrden_ && lisOrden_->isVisible()) {
    lisOrden_->setCurrentRow(r.Orden - 1);
    EligeOrden();
    return true;
  }
  const Parametro* p = ParametroDe(control);
  if (p == nullptr || !p->control->isVisible()) return false;
  if (p == &metodo_) lisMetodos_->setCurrentRow(r.Metodo - 1);
  if (p == &minErr_) lisMinErrores_->setCurrentRow(r.MinErrores);
  if (p == &maxErr_) lisMaxErrores_->setCurrentRow(r.MaxErrores);
  if (p == &minPor_) texRangoMin_->setText(DeCp(TextoRango(r.MinPorcentaje)));
  if (p == &maxPor_) texRangoMax_->setText(DeCp(TextoRango(r.MaxPorcentaje)));
  Boton_MD(*p);
  return true;
}

void PantallaReducir::keyPressEvent(QKeyEvent* evento) {
  // While a reduction runs or waits for Salir, only the panel's buttons act: Escape does
  // not leave the screen.
  if (ocupadoReduccion_ && evento->key() == Qt::Key_Escape) {
    evento->accept();
    return;
  }
  Formulario::keyPressEvent(evento);
}

// ---- The reduction ----

void PantallaReducir::PulsaReducir() {
  if (ocupadoReduccion_) return;
  // What an open box or list holds is applied first: the reduction is of what is shown.
  CierraAbiertos();
  Estado& e = s_.estado;
  Reduccion& r = e.reduccion;
  reducir_->Dibuja(true);
  s_.TocaSonido(kSonidoAccion);
  ocupadoReduccion_ = true;
  for (Boton* b : {reducir_, ayuda_, salir_, indice_}) b->setEnabled(false);
  auto rehabilita = [this] {
    for (Boton* b : {reducir_, ayuda_, salir_, indice_}) b->setEnabled(true);
    reducir_->Dibuja(false);
    ocupadoReduccion_ = false;
  };

  const Cifras cifras = RecalculaReduccion(r, externo_);
  const BusquedaReduccion existe = ExisteReduccion(e.rutaDatos, r.Jornada, r.Orden);
  if (!existe.estado.mensaje.empty() && existe.estado.error != 53) {
    s_.AvisoSistema(DeCp(ConCausa(existe.estado.mensaje, existe.estado.fallo)));
    rehabilita();
    return;
  }
  const Comprobacion c = ComprobarReduccion(r, cifras, existe.existe);
  if (c.aviso) s_.MuestraMensaje(*c.aviso);
  if (c.mensaje) {
    const bool aceptado = s_.MuestraMensaje(*c.mensaje);
    if (!c.pregunta || !aceptado) {
      rehabilita();
      return;
    }
  }
  recargarAlSalir_ = c.baseIncompleta;
  ArrancaReduccion(cifras);
}

void PantallaReducir::ArrancaReduccion(const Cifras& cifras) {
  HabilitaPantalla(false);
  porcen_->Inicia();
  porcen_->show();
  porcen_->raise();
  // Enter or Space cancels from the keyboard.
  porcen_->cancelar()->setFocus(Qt::TabFocusReason);
  setCursor(Qt::WaitCursor);
  porcen_->setCursor(Qt::ArrowCursor);

  trabajo_ = s_.estado.reduccion;
  resultado_ = {};
  cancelar_ = false;
  const CifrasGeneracion cg{cifras.ApuestasBase, cifras.NumApuestas, cifras.ApuestasQuiniela,
                            cifras.ApuestasExternas};
  const std::filesystem::path ruta = s_.estado.rutaDatos;
  // The worker only touches its own copy of the model; the progress texts come back to
  // this thread as queued calls.
  hilo_.reset(QThread::create([this, ruta, cg] {
    ResultadoReduccion res = ReduceApuestas(
        ruta, trabajo_, cg,
        [this](const AvisoProgreso& aviso) {
          QMetaObject::invokeMethod(
              this, [this, aviso] { porcen_->Aviso(aviso); }, Qt::QueuedConnection);
        },
        cancelar_);
    resultado_ = std::move(res);
  }));
  connect(hilo_.get(), &QThread::finished, this, &PantallaReducir::FinReduccion,
          Qt::QueuedConnection);
  hilo_->start();
}

void PantallaReducir::FinReduccion() {
  if (!hilo_) return;
  hilo_->wait();
  hilo_.reset();
  const ResultadoReduccion& res = resultado_;
  if (res.completada) {
    // The model now holds what the record stores: unused criteria cleared, true counts.
    s_.estado.reduccion = trabajo_;
    reduccionCargada_ = true;
    metodoPendiente_ = 0;
  } else if (!res.cancelada) {
    porcen_->AgregaLinea(
        QStringLiteral("No se ha podido guardar la reducción (%1).").arg(DeCp(res.mensaje)));
    porcen_->AgregaLinea(QStringLiteral("Se conserva la reducción anterior."));
    s_.AvisoSistema(DeCp(ConCausa(res.mensaje, res.fallo)));
  }
  porcen_->Termina();
  porcen_->salir()->setFocus(Qt::TabFocusReason);
  unsetCursor();
  emit reduccionTerminada();
}

void PantallaReducir::PulsaCancelar() {
  if (!hilo_) return;
  s_.TocaSonido(kSonidoAyuda);
  cancelar_ = true;
}

void PantallaReducir::PulsaSalirPorcen() {
  if (hilo_ || !ocupadoReduccion_) return;
  s_.TocaSonido(kSonidoSalir);
  porcen_->hide();
  HabilitaPantalla(true);
  for (Boton* b : {reducir_, ayuda_, salir_, indice_}) b->setEnabled(true);
  ocupadoReduccion_ = false;
  if (recargarAlSalir_ || resultado_.completada) {
    // A stored reduction is shown as stored (its unused criteria cleared).
    recargarAlSalir_ = false;
    CargaPantalla();
  }
  reducir_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
}

void PantallaReducir::HabilitaPantalla(bool habilitada) {
  if (!habilitada) {
    deshabilitados_.clear();
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (w == porcen_ || !w->isEnabled()) continue;
      w->setEnabled(false);
      deshabilitados_.push_back(w);
    }
    panel_->PonEditable(false);
    return;
  }
  for (QWidget* w : deshabilitados_) w->setEnabled(true);
  deshabilitados_.clear();
  panel_->PonEditable(true);
}

bool PantallaReducir::Cambiada() const {
  // What a reduction is made of; the description is written back on leaving anyway.
  auto definicion = [](Reduccion r) {
    r.Descripcion.clear();
    r.ApuestasBase = r.NumApuestas = r.ColumnasPleno1 = r.ColumnasPlenoX = 0;
    r.ApuestasQuiniela = r.ApuestasExternas = 0;
    return r;
  };
  return definicion(s_.estado.reduccion) != definicion(cargada_);
}

void PantallaReducir::VuelveALaActual() {
  Estado& e = s_.estado;
  e.datos.Jornada = e.reduccion.Jornada;
  e.datos.Orden = e.reduccion.Orden;
  const Ocupado ocupado(e);
  lisJornadas_->setCurrentRow(e.reduccion.Jornada - 1);
  lisOrden_->setCurrentRow(e.reduccion.Orden - 1);
}

bool PantallaReducir::DescartaCambios() {
  if (!Cambiada()) return true;
  return s_.MuestraMensaje(
      PreguntaDescartar(Cp("Reducción de apuestas"), ContextoAyuda(s_.estado.reduccion.Metodo)));
}

void PantallaReducir::EscribeDescripcion() {
  const Estado& e = s_.estado;
  const Reduccion& r = e.reduccion;
  if (!ExisteReduccion(e.rutaDatos, r.Jornada, r.Orden).existe) return;
  const EstadoIndice est = ReescribeDescripcion(e.rutaDatos, r.Jornada, r.Orden, r.Descripcion);
  if (!est.mensaje.empty()) s_.AvisoSistema(DeCp(ConCausa(est.mensaje, est.fallo)));
}

void PantallaReducir::done(int resultado) {
  if (!cerrado_ && !ocupadoReduccion_) {
    // What an open editor holds counts as typed.
    panel_->CierraEditor();
    if (!DescartaCambios()) return;
  }
  if (hilo_) {
    // Closed while reducing: the run is cancelled first, which keeps any earlier reduction.
    cancelar_ = true;
    hilo_->wait();
    hilo_.reset();
  }
  if (!cerrado_) {
    cerrado_ = true;
    panel_->CierraEditor();
    EscribeDescripcion();
  }
  Formulario::done(resultado);
}

}  // namespace zendo

#include "gui/scrutiny/escrutin.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "engine/consult/carga_pantalla.h"
#include "engine/core/formato.h"
#include "engine/core/indice.h"
#include "engine/reduction/cifras.h"
#include "engine/scrutiny/importes.h"
#include "engine/scrutiny/registro_escrutinio.h"
#include "gui/consult/panel_quiniela.h"
#include "gui/consult/selector_reduccion.h"
#include "gui/scrutiny/cabecera_columnas.h"
#include "gui/scrutiny/modelo_boletos.h"
#include "gui/scrutiny/rejilla_ganadora.h"
#include "gui/shell/boton.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 792;
constexpr int kAlto = 540;
constexpr int kMargen = 10;
constexpr int kYBotones = 64;
constexpr int kYDescripcion = 90;
constexpr int kYPanel = 104;
constexpr int kContextoAyuda = 2500;
// A count that lasts longer than this shows its progress and Cancelar.
constexpr int kEsperaProgreso = 400;

QFont FuenteFija(int pixeles) {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  f.setPixelSize(pixeles);
  return f;
}

// A heading in the largest size up to 12 pixels that fits `ancho`.
void Encaja(QLabel* l, int ancho) {
  for (int px = 12; px >= 8; --px) {
    l->setFont(FuenteArial(px, true));
    if (QFontMetrics(l->font()).horizontalAdvance(l->text()) <= ancho) break;
  }
  l->setFixedWidth(ancho);
}

QLabel* Rotulo(const QString& nombre, const QString& texto, QWidget* padre) {
  auto* l = new QLabel(texto, padre);
  l->setObjectName(nombre);
  l->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
  return l;
}

}  // namespace

PantallaEscrutinio::PantallaEscrutinio(Servicios& servicios, QWidget* padre,
                                       ImpresionEscrutinio imprime)
    : FormularioReduccion(servicios, QStringLiteral("escrutin"), QStringLiteral("Escrutinio"),
                          padre),
      imprime_(std::move(imprime)) {
  setFixedSize(kAncho, kAlto);
  Construye();
  // Form_Load: the winning column starts cleared, then the jornada's record fills it.
  marcas_ = {};
  CargaPantalla();
  IniciaFormulario(this);
  CentraFormulario(this);
}

PantallaEscrutinio::~PantallaEscrutinio() {
  if (hilo_) {
    cancelar_ = true;
    hilo_->wait();
  }
}

void PantallaEscrutinio::Construye() {
  titulo_ = PonTitulo(QString());
  selector_ = new SelectorReduccion(s_, Pantalla::Escrutin, this);
  selector_->alCambiar = [this] { RecargaPantalla(); };

  descripcion_ = Rotulo(QStringLiteral("Lab_Descripcion"), QString(), this);
  descripcion_->setFont(FuenteArial(12, true));
  descripcion_->setAlignment(Qt::AlignCenter);
  externo_ = new QLabel(this);
  externo_->setObjectName(QStringLiteral("Lab_Externo"));
  externo_->setFont(FuenteArial(11, true));
  externo_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
  externo_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  panel_ = new PanelQuiniela(s_, Pantalla::Escrutin, this);
  panel_->PonEditable(false);
  panel_->PonCompacto(true);

  cabGanadora_ = Rotulo(QStringLiteral("Lab_Ganadora"), QStringLiteral("Columna\nganadora"), this);
  cabGanadora_->setFont(FuenteEncabezado());
  cabGanadora_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  ganadora_ = new RejillaGanadora(s_, marcas_, this);
  ganadora_->alPulsar = [this](Celda c) { ClicGanadora(c.fila + 1, c.columna + 1); };
  media_ = new QLabel(this);
  media_->setObjectName(QStringLiteral("Lab_MediaGanadora"));
  media_->setFont(FuenteArial(12, true));
  media_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  media_->setFixedSize(70, 20);
  media_->setToolTip(QStringLiteral("Probabilidad media de la columna ganadora"));

  fraPremios_ = new QGroupBox(QStringLiteral("   Importe  premios   "), this);
  fraPremios_->setObjectName(QStringLiteral("Fra_Premios"));
  fraPremios_->setFont(FuenteArial(12, true));
  for (int k = 1; k <= 6; ++k) {
    const auto i = static_cast<std::size_t>(k);
    etiquetas_[i] = new QLabel(QStringLiteral("%1 aciertos").arg(16 - k), fraPremios_);
    etiquetas_[i]->setObjectName(QStringLiteral("Label%1").arg(k));
    etiquetas_[i]->setFont(FuenteArial(11));
    etiquetas_[i]->setAlignment(Qt::AlignCenter);
    auto* caja = new QLineEdit(fraPremios_);
    caja->setObjectName(QStringLiteral("Tex_Premios%1").arg(k));
    caja->setMaxLength(static_cast<int>(kAnchoImporte));
    caja->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caja->setFont(FuenteArial(12));
    caja->setToolTip(QStringLiteral("Premio por columna de %1 aciertos").arg(16 - k));
    premios_[i] = caja;
    PonReglaTecleo(caja, 0, ReglaCifrasYPunto());
    // Enter acts as leaving the box.
    connect(caja, &QLineEdit::returnPressed, this, [this, k] { NormalizaPremio(k); });
    caja->installEventFilter(this);
  }

  escrutar_ =
      new Boton(QStringLiteral("Pic_BotEscrutar"), QStringLiteral("Realizar el escrutinio"), this);
  impriEscru_ =
      new Boton(QStringLiteral("Pic_BotImpriEscru"), QStringLiteral("Imprimir escrutinio"), this);
  impriEscru_->hide();
  connect(escrutar_, &Boton::pulsadoRaton, this, &PantallaEscrutinio::PulsaEscrutar);
  connect(impriEscru_, &Boton::pulsadoRaton, this, &PantallaEscrutinio::PulsaImprimir);

  const std::array<QString, 4> cabeceras = {
      QStringLiteral("------------------- Escrutinio -------------------"),
      QStringLiteral("Aciertos  Columnas          Importe"),
      QStringLiteral("------------ Localización de aciertos ------------"),
      QStringLiteral("Boleto nro.    15   14   13   12   11   10")};
  for (std::size_t i = 0; i < cabeceras.size(); ++i) {
    const QString nombre = QStringLiteral("Lab_CabeceraListas%1").arg(i + 1);
    if (i == 3) {
      // The counts of each category stand under their numbers.
      cabBoletos_ = new CabeceraColumnas(nombre, cabeceras[i], this);
      cabBoletos_->setStyleSheet(QStringLiteral("color: rgb(20, 52, 120);"));
      cabBoletos_->setFont(FuenteArial(11, true));
      cabListas_[i] = cabBoletos_;
    } else {
      cabListas_[i] = Rotulo(nombre, cabeceras[i], this);
    }
    cabListas_[i]->setAlignment(Qt::AlignCenter);
  }
  lisAciertos_ = new QListWidget(this);
  lisAciertos_->setObjectName(QStringLiteral("Lis_Aciertos"));
  lisAciertos_->setFont(FuenteFija(12));
  lisAciertos_->setSelectionMode(QAbstractItemView::NoSelection);
  lisAciertos_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  lisAciertos_->setUniformItemSizes(true);
  lisBoletos_ = new QListView(this);
  lisBoletos_->setObjectName(QStringLiteral("Lis_Boletos"));
  lisBoletos_->setFont(FuenteFija(12));
  lisBoletos_->setSelectionMode(QAbstractItemView::SingleSelection);
  lisBoletos_->setUniformItemSizes(true);
  // Room for the scroll bar is always kept, so the columns never move.
  lisBoletos_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  modeloBoletos_ = new ModeloBoletos(this);
  lisBoletos_->setModel(modeloBoletos_);

  auto* marco = new QFrame(this);
  marco->setFrameShape(QFrame::StyledPanel);
  progreso_ = marco;
  progreso_->setObjectName(QStringLiteral("Pic_Progreso"));
  progreso_->setAutoFillBackground(true);
  auto* textoProgreso = new QLabel(QStringLiteral("Escrutando las columnas..."), progreso_);
  textoProgreso->setFont(FuenteArial(12, true));
  textoProgreso->move(10, 8);
  barra_ = new QProgressBar(progreso_);
  barra_->setObjectName(QStringLiteral("Bar_Progreso"));
  barra_->setRange(0, 1000);
  barra_->setTextVisible(false);
  botCancelar_ =
      new Boton(QStringLiteral("Pic_BotCancelar"), QStringLiteral("Cancelar"), progreso_);
  connect(botCancelar_, &Boton::pulsadoRaton, this, &PantallaEscrutinio::PulsaCancelar);
  progreso_->hide();

  PonAyudaSalir(QStringLiteral("Escrutinio de aciertos"), kContextoAyuda, 4);
}

// ---- Loading ----

void PantallaEscrutinio::CargaPantalla() {
  const Ocupado ocupado(s_.estado);
  Reduccion& r = LeeReduccionActual();
  marcas_ = jornada_.Ganadora;
  RotulaPantalla(Pantalla::Escrutin, titulo_, descripcion_, externo_);
  selector_->Carga(jornada_);
  // The figures only draw the panel: they are counted on a copy of the stored definition.
  Reduccion copia = r;
  panel_->Carga(r, jornada_, RecalculaReduccion(copia));
  for (std::size_t k = 1; k <= 6; ++k) {
    premios_[k]->setText(QString::fromStdString(TextoPremio(jornada_.Premios[k])));
  }
  LimpiaResultado();
  ganadora_->update();
  PonMedia();
  Coloca();
}

void PantallaEscrutinio::RecargaPantalla() {
  CargaPantalla();
}

void PantallaEscrutinio::Coloca() {
  selector_->Coloca(16, kYBotones);
  escrutar_->move(kAncho - kMargen - 6 - escrutar_->width(), kYBotones);
  impriEscru_->move(escrutar_->x() - 8 - impriEscru_->width(), kYBotones);

  panel_->move(kMargen - 2, kYPanel);
  const int xGanadora = panel_->x() + panel_->width();
  const QFontMetrics fm(FuenteEncabezado());
  cabGanadora_->setGeometry(xGanadora - 8, kYPanel + 4, ganadora_->width() + 16,
                            2 * fm.height() + 2);
  // The rows of the winning column stand beside the rows of their matches.
  const int yFila1 = kYPanel + panel_->yFila(1) + 2;
  ganadora_->move(xGanadora, yFila1 - ganadora_->yPrimeraFila());
  // Method 4 shows the average probability beside the grid, by the row of match 15, where
  // the bars of the panel leave room.
  media_->move(xGanadora - media_->width() - 6, kYPanel + panel_->yFila(kPartidos) + 1);

  const int xDerecha = xGanadora + ganadora_->width() + 12;
  const int anchoDerecha = kAncho - kMargen - xDerecha;
  descripcion_->setGeometry(panel_->x(), kYDescripcion, xGanadora + ganadora_->width(), 16);
  externo_->setGeometry(xDerecha - 100, kYDescripcion, kAncho - kMargen - xDerecha + 100, 16);

  const int altoCabecera = 15;
  int y = kYPanel;
  for (std::size_t i = 0; i < 2; ++i) {
    Encaja(cabListas_[i], anchoDerecha);
    cabListas_[i]->setGeometry(xDerecha, y, anchoDerecha, altoCabecera);
    y += altoCabecera;
  }
  // The lists in the largest fixed-pitch size that shows a boleto line beside the scroll bar.
  const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  int px = 12;
  while (px > 9 &&
         QFontMetrics(FuenteFija(px)).horizontalAdvance(QString(27, QLatin1Char('0'))) + barra + 6 >
             anchoDerecha) {
    --px;
  }
  lisAciertos_->setFont(FuenteFija(px));
  lisBoletos_->setFont(FuenteFija(px));
  // Seventeen rows, as tall as the list shows them.
  if (lisAciertos_->count() == 0) {
    lisAciertos_->addItem(QStringLiteral(" "));
    altoFila_ = lisAciertos_->sizeHintForRow(0);
    lisAciertos_->clear();
  } else {
    altoFila_ = lisAciertos_->sizeHintForRow(0);
  }
  const int altoLista = 17 * altoFila_ + 2 * lisAciertos_->frameWidth() + 2;
  lisAciertos_->setGeometry(xDerecha, y + 2, anchoDerecha, altoLista);
  y += altoLista + 8;
  for (std::size_t i = 2; i < 4; ++i) {
    if (i == 2) Encaja(cabListas_[i], anchoDerecha);
    cabListas_[i]->setGeometry(xDerecha, y, anchoDerecha, altoCabecera);
    y += altoCabecera;
  }
  cabBoletos_->Alinea(lisBoletos_->font(),
                      lisBoletos_->frameWidth() +
                          style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lisBoletos_) +
                          1,
                      {11, 14, 17, 20, 23, 26});
  const int finPanel = kYPanel + panel_->height();
  lisBoletos_->setGeometry(xDerecha, y + 2, anchoDerecha,
                           std::max(finPanel - y - 2, 3 * altoFila_));

  // The prizes, in a band between Ayuda and Salir.
  constexpr int kXBanda = 76;
  const int anchoBanda = kAncho - 2 * kXBanda;
  fraPremios_->setGeometry(kXBanda, kAlto - 62, anchoBanda, 58);
  const int paso = (anchoBanda - 16) / 6;
  for (std::size_t k = 1; k <= 6; ++k) {
    const int x = 8 + static_cast<int>(k - 1) * paso;
    etiquetas_[k]->setGeometry(x, 18, paso - 8, 14);
    premios_[k]->setGeometry(x + 4, 32, paso - 16, 22);
  }
  progreso_->setGeometry(xDerecha, lisAciertos_->y() + 40, anchoDerecha, 86);
  barra_->setGeometry(10, 30, anchoDerecha - 20, 14);
  botCancelar_->move((anchoDerecha - botCancelar_->width()) / 2, 52);
}

void PantallaEscrutinio::PonMedia() {
  const Reduccion& r = s_.estado.reduccion;
  if (r.Metodo != kMetodoBalanceSignos) {
    media_->hide();
    return;
  }
  const ProbabilidadGanadora p = MediaGanadora(r, marcas_);
  media_->setText(DeCp(p.texto));
  media_->setStyleSheet(p.valida ? QStringLiteral("color: rgb(0, 128, 0);")
                                 : QStringLiteral("color: rgb(200, 0, 0);"));
  media_->show();
}

void PantallaEscrutinio::LimpiaResultado() {
  resultado_.reset();
  lisAciertos_->clear();
  modeloBoletos_->PonResultado(nullptr);
  impriEscru_->hide();
}

// ---- The winning column and the prizes ----

void PantallaEscrutinio::ClicGanadora(int partido, int signo) {
  if (enMarcha() || !PulsaGanadora(marcas_, partido, signo)) return;
  s_.TocaSonido(kSonidoSigno);
  ganadora_->RedibujaPartido(partido);
  PonMedia();
}

void PantallaEscrutinio::NormalizaPremio(int k) {
  QLineEdit* caja = premios_[static_cast<std::size_t>(k)];
  const QString normalizado = QString::fromStdString(NormalizaImporte(ACp(caja->text())));
  if (caja->text() != normalizado) caja->setText(normalizado);
}

bool PantallaEscrutinio::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut) {
    for (int k = 1; k <= 6; ++k) {
      if (objeto == premios_[static_cast<std::size_t>(k)]) NormalizaPremio(k);
    }
  }
  return Formulario::eventFilter(objeto, evento);
}

void PantallaEscrutinio::keyPressEvent(QKeyEvent* evento) {
  // While counting only Cancelar acts: Escape does not leave the screen.
  if (enMarcha() && evento->key() == Qt::Key_Escape) {
    evento->accept();
    return;
  }
  Formulario::keyPressEvent(evento);
}

// ---- The scrutiny ----

void PantallaEscrutinio::PulsaEscrutar() {
  if (enMarcha() || !reduccionCargada_) return;
  selector_->CierraAbiertos();
  s_.TocaSonido(kSonidoAccion);
  escrutar_->Dibuja(true);
  setCursor(Qt::WaitCursor);
  Servicios::Espera(300);
  // The prizes as the boxes show them once left.
  TextosPremios textos;
  for (int k = 1; k <= 6; ++k) {
    NormalizaPremio(k);
    textos[static_cast<std::size_t>(k)] = ACp(premios_[static_cast<std::size_t>(k)]->text());
  }
  const Reduccion& r = s_.estado.reduccion;
  // The record is kept first, even when the column turns out incomplete.
  if (errorJornada_ == 0) {
    const std::string registro = RegistroEscrutinio(jornada_.RegistroJornada, r.Jornada,
                                                    jornada_.FechaJornada, marcas_, textos);
    const FalloEscrutinio f = GuardaEscrutinio(s_.estado.rutaDatos, r.Jornada, registro);
    if (f) {
      s_.AvisoSistema(DeCp(MensajeFallo(f)));
    } else {
      jornada_ = ParseaJornada(registro, r.Jornada);
    }
  } else {
    // The record could not be read: writing it would lose its teams, so it is left alone.
    s_.AvisoSistema(DeCp(MensajeFallo({errorJornada_, kFicheroJornadas, false})));
  }
  LimpiaResultado();
  const auto ganadora = ColumnaGanadora(marcas_);
  if (!ganadora) {
    unsetCursor();
    s_.MuestraMensaje(MensajeGanadoraIncompleta());
    escrutar_->Dibuja(false);
    s_.TocaSonido(kSonidoAccion);
    return;
  }
  ArrancaEscrutinio(*ganadora, CentimosDePremios(textos));
}

void PantallaEscrutinio::ArrancaEscrutinio(const std::string& ganadora,
                                           const PremiosCentimos& premios) {
  HabilitaPantalla(false);
  trabajo_ = s_.estado.reduccion;
  cancelar_ = false;
  enCurso_ = std::make_shared<ResultadoEscrutinio>();
  barra_->setValue(0);
  const std::filesystem::path ruta = s_.estado.rutaDatos;
  hilo_.reset(QThread::create([this, ruta, ganadora, premios, destino = enCurso_] {
    *destino = contador_(
        ruta, trabajo_, ganadora, premios,
        [this](uint64_t leidos, uint64_t total) {
          QMetaObject::invokeMethod(
              this, [this, leidos, total] { AvisoProgreso(leidos, total); }, Qt::QueuedConnection);
        },
        cancelar_);
  }));
  connect(hilo_.get(), &QThread::finished, this, &PantallaEscrutinio::FinEscrutinio,
          Qt::QueuedConnection);
  hilo_->start();
  // A count over in a moment never shows its progress.
  QTimer::singleShot(kEsperaProgreso, this, [this] {
    if (!enMarcha()) return;
    botCancelar_->Dibuja(false);
    progreso_->show();
    progreso_->raise();
    progreso_->setCursor(Qt::ArrowCursor);
  });
}

void PantallaEscrutinio::AvisoProgreso(uint64_t leidos, uint64_t total) {
  if (!enMarcha() || total == 0) return;
  barra_->setValue(static_cast<int>(std::min<uint64_t>(1000, leidos * 1000 / total)));
}

void PantallaEscrutinio::FinEscrutinio() {
  if (!hilo_) return;
  hilo_->wait();
  hilo_.reset();
  progreso_->hide();
  HabilitaPantalla(true);
  const std::shared_ptr<ResultadoEscrutinio> res = std::move(enCurso_);
  if (res->fallo) {
    s_.AvisoSistema(DeCp(MensajeFallo(res->fallo)));
  } else if (res->completo) {
    resultado_ = res;
    for (const std::string& linea : LineasAciertos(*res)) lisAciertos_->addItem(DeCp(linea));
    modeloBoletos_->PonResultado(res);
    impriEscru_->Dibuja(false);
    impriEscru_->setVisible(static_cast<bool>(imprime_));
  }
  unsetCursor();
  escrutar_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
  emit escrutinioTerminado();
}

void PantallaEscrutinio::PulsaCancelar() {
  if (!enMarcha()) return;
  s_.TocaSonido(kSonidoAyuda);
  cancelar_ = true;
}

void PantallaEscrutinio::PulsaImprimir() {
  if (enMarcha() || !resultado_ || !imprime_) return;
  s_.TocaSonido(kSonidoAccion);
  impriEscru_->Dibuja(true);
  setCursor(Qt::WaitCursor);
  Servicios::Espera(300);
  imprime_(s_, this, InformeEscrutinio{jornada_, s_.estado.reduccion, *resultado_});
  impriEscru_->Dibuja(false);
  s_.TocaSonido(kSonidoAccion);
  unsetCursor();
}

void PantallaEscrutinio::HabilitaPantalla(bool habilitada) {
  // While counting, the handlers ignore clicks (enMarcha); only the choosers, which would
  // reload the screen, are switched off.
  selector_->PonHabilitado(habilitada);
}

void PantallaEscrutinio::done(int resultado) {
  if (hilo_) {
    cancelar_ = true;
    hilo_->wait();
    hilo_.reset();
  }
  Formulario::done(resultado);
}

}  // namespace zendo

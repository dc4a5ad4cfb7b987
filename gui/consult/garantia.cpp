#include "gui/consult/garantia.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "engine/core/fallo.h"
#include "gui/consult/dibujo_garantia.h"
#include "gui/shell/boton.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

constexpr int kAncho = 760;
constexpr int kMargen = 20;

QLabel* Etiqueta(const QString& nombre, const QFont& fuente, const QString& color, QWidget* padre) {
  auto* l = new QLabel(padre);
  l->setObjectName(nombre);
  l->setFont(fuente);
  l->setStyleSheet(QStringLiteral("color: %1;").arg(color));
  l->setAlignment(Qt::AlignCenter);
  l->setWordWrap(true);
  return l;
}

}  // namespace

DialogoGarantia::DialogoGarantia(Servicios& servicios, QWidget* padre, Calculo calculo, int espera)
    : Formulario(servicios, QStringLiteral("garantia"), QStringLiteral("Garantía de la reducción"),
                 padre),
      calculo_(std::move(calculo)),
      espera_(espera) {
  const Reduccion& r = s_.estado.reduccion;
  int y = 60;
  auto* reduccion = Etiqueta(QStringLiteral("Lab_Reduccion"), FuenteArial(13, true),
                             QStringLiteral("rgb(40, 40, 40)"), this);
  reduccion->setText(DeCp(TextoReduccionGarantia(r)));
  reduccion->setGeometry(66, y, kAncho - 132, 20);
  y += 28;
  garantia_ = Etiqueta(QStringLiteral("Lab_Garantia"), FuenteArial(19, true),
                       QStringLiteral("rgb(20, 52, 120)"), this);
  garantia_->setGeometry(kMargen, y, kAncho - 2 * kMargen, 30);
  garantia_->setText(QStringLiteral("Calculando la garantía..."));
  y += 34;
  resumen_ = Etiqueta(QStringLiteral("Lab_Resumen"), FuenteArial(13),
                      QStringLiteral("rgb(40, 40, 40)"), this);
  resumen_->setGeometry(kMargen, y, kAncho - 2 * kMargen, 20);
  y += 28;
  tabla_ = new TablaGarantia(this);
  tabla_->setGeometry(kMargen, y, kAncho - 2 * kMargen, TablaGarantia::Alto());
  y += TablaGarantia::Alto() + 10;
  grafico_ = new GraficoGarantia(this);
  grafico_->setGeometry(kMargen, y, kAncho - 2 * kMargen, GraficoGarantia::Alto());
  y += GraficoGarantia::Alto() + 10;
  tabla_->hide();
  grafico_->hide();

  progreso_ = new QProgressBar(this);
  progreso_->setObjectName(QStringLiteral("Pic_Progreso"));
  progreso_->setRange(0, 100);
  progreso_->setGeometry((kAncho - 400) / 2, 200, 400, 22);
  progreso_->hide();
  cancelarBoton_ = new Boton(QStringLiteral("Pic_BotCancelar"), QStringLiteral("Cancelar"), this);
  cancelarBoton_->setToolTip(QStringLiteral("Cancelar el cálculo de la garantía"));
  cancelarBoton_->move((kAncho - cancelarBoton_->width()) / 2, 240);
  cancelarBoton_->hide();
  connect(cancelarBoton_, &Boton::pulsadoRaton, this, &DialogoGarantia::Cancela);

  setFixedSize(kAncho, y + 46);
  IniciaFormulario(this);
  PonTitulo(QStringLiteral("Garantía de la reducción"));
  PonAyudaSalir(QStringLiteral("Garantía de la reducción"), kAyudaGarantia, 10);
}

DialogoGarantia::~DialogoGarantia() {
  Detiene();
}

void DialogoGarantia::showEvent(QShowEvent* evento) {
  Formulario::showEvent(evento);
  CentraFormulario(this);
  if (!arrancado_) {
    arrancado_ = true;
    QTimer::singleShot(0, this, &DialogoGarantia::Arranca);
  }
}

void DialogoGarantia::Arranca() {
  const std::filesystem::path ruta = s_.estado.rutaDatos;
  const Reduccion r = s_.estado.reduccion;
  cancelar_ = false;
  setCursor(Qt::WaitCursor);
  // The worker reads only its own copies; the progress comes back as queued calls.
  hilo_.reset(QThread::create([this, ruta, r] {
    resultado_ = calculo_(
        ruta, r,
        [this](int porcentaje) {
          QMetaObject::invokeMethod(
              this, [this, porcentaje] { progreso_->setValue(porcentaje); }, Qt::QueuedConnection);
        },
        cancelar_);
  }));
  connect(hilo_.get(), &QThread::finished, this, &DialogoGarantia::Termina, Qt::QueuedConnection);
  hilo_->start();
  QTimer::singleShot(espera_, this, &DialogoGarantia::MuestraProgreso);
}

void DialogoGarantia::MuestraProgreso() {
  if (!hilo_) return;
  progreso_->show();
  cancelarBoton_->Dibuja(false);
  cancelarBoton_->show();
}

void DialogoGarantia::Termina() {
  if (!hilo_) return;
  hilo_->wait();
  hilo_.reset();
  unsetCursor();
  progreso_->hide();
  cancelarBoton_->hide();
  switch (resultado_.estado) {
    case EstadoGarantia::Calculada:
      panel_ = ConstruyePanelGarantia(resultado_.garantia);
      garantia_->setText(DeCp(panel_.garantia));
      resumen_->setText(DeCp(panel_.resumen));
      tabla_->PonPanel(panel_);
      grafico_->PonPanel(panel_);
      tabla_->setVisible(!panel_.filas.empty());
      grafico_->setVisible(!panel_.filas.empty());
      if (panel_.filas.empty()) Compacta();
      break;
    case EstadoGarantia::Cancelada:
      garantia_->setText(QStringLiteral("Se ha cancelado el cálculo de la garantía."));
      Compacta();
      break;
    case EstadoGarantia::Fallo:
      garantia_->setText(QStringLiteral("No se ha podido calcular la garantía."));
      resumen_->setText(DeCp(resultado_.mensaje));
      Compacta();
      s_.AvisoSistema(DeCp(ConCausa(resultado_.mensaje, resultado_.fallo)));
      break;
  }
  terminado_ = true;
  emit calculoTerminado();
}

void DialogoGarantia::Compacta() {
  // Without a table the panel is only its sentences: Ayuda and Salir come up under them.
  const int alto = resumen_->geometry().bottom() + 66;
  for (const char* nombre : {"Pic_BotAyuda", "Pic_BotSalir"}) {
    QWidget* b = findChild<QWidget*>(QString::fromLatin1(nombre), Qt::FindDirectChildrenOnly);
    b->move(b->x(), alto - 46);
  }
  setFixedSize(kAncho, alto);
  CentraFormulario(this);
}

void DialogoGarantia::Cancela() {
  if (!hilo_) return;
  s_.TocaSonido(kSonidoAyuda);
  cancelarBoton_->Dibuja(true);
  cancelar_ = true;
}

void DialogoGarantia::Detiene() {
  if (!hilo_) return;
  cancelar_ = true;
  hilo_->wait();
  hilo_.reset();
}

void DialogoGarantia::reject() {
  // Leaving while it runs stops the computation first.
  Detiene();
  unsetCursor();
  Formulario::reject();
}

}  // namespace zendo

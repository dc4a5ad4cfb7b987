#include "gui/output/panel_copia.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QThread>
#include <algorithm>

#include "engine/core/indice.h"
#include "engine/core/jornadas.h"
#include "engine/output/nombre_archivo.h"
#include "gui/output/boton_valor.h"
#include "gui/output/listados.h"
#include "gui/output/marco_titulo.h"
#include "gui/shell/boton.h"
#include "gui/shell/controles.h"
#include "gui/shell/fuentes.h"
#include "gui/shell/servicios.h"
#include "gui/shell/tecleo.h"
#include "gui/shell/texto_qt.h"

namespace zendo {
namespace {

namespace fs = std::filesystem;

constexpr int kAnchoNombre = 270;
constexpr int kXFormato = 284;
constexpr int kAnchoFormato = 318;
constexpr int kYUnidad = 76;
constexpr int kAltoFila = 20;
constexpr int kFilasLista = 7;
constexpr int kContexto = 2450;
const QString kRotuloUnidad = QStringLiteral("Unidad de destino:  ");

QString Ruta(const fs::path& ruta) {
  return QString::fromStdString(ruta.string());
}

bool MismaCarpeta(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return a == b || fs::equivalent(a, b, ec);
}

}  // namespace

void RegistraModoCopia(ModosSalida& modos, std::shared_ptr<ListaVolumenes> volumenes) {
  // UnidadDestino outlives each `listados`: it is kept for the rest of the run.
  auto unidad = std::make_shared<std::optional<Destino>>();
  modos.Registra(5,
                 [volumenes, unidad] { return std::make_unique<PanelCopia>(volumenes, unidad); });
}

PanelCopia::PanelCopia(std::shared_ptr<ListaVolumenes> volumenes,
                       std::shared_ptr<std::optional<Destino>> unidad)
    : volumenes_(std::move(volumenes)), unidad_(std::move(unidad)) {}

PanelCopia::~PanelCopia() {
  if (hilo_ != nullptr) {
    // The screen is going away under a running copy: it stops and leaves no file.
    pantalla_->cancelado() = true;
    hilo_->wait();
  }
}

QSize PanelCopia::Construye(PantallaListados& pantalla, QWidget* zona) {
  pantalla_ = &pantalla;
  Servicios& s = pantalla.servicios();

  marcoNombre_ = new MarcoTitulo(QStringLiteral("Fra_NombreArchivo"),
                                 QStringLiteral(" Nombre del archivo "), zona);
  marcoNombre_->setGeometry(0, 0, kAnchoNombre, MarcoTitulo::kArriba + 42);
  nombre_ = new QLineEdit(marcoNombre_);
  nombre_->setObjectName(QStringLiteral("Tex_NombreArchivo"));
  nombre_->setFont(FuenteArial(12));
  nombre_->setGeometry(12, MarcoTitulo::kArriba + 6, kAnchoNombre - 26, 26);
  nombre_->setText(
      QString::fromStdString(NombreArchivoPorDefecto(FormatoExportacion::AD243, 0, 0)));
  // Only what a Windows-1252 text holds can be typed.
  PonReglaTecleo(nombre_, 255);

  opcionesDisco_ = new MarcoTitulo(QStringLiteral("Fra_OpcionesDisco"),
                                   QStringLiteral(" Formato de salida "), zona);
  int y = MarcoTitulo::kArriba + 4;
  for (int i = 0; i < kNumFormatosExportacion; ++i) {
    const auto f = static_cast<FormatoExportacion>(i);
    auto* o = new QRadioButton(QString::fromStdString(TituloFormato(f)), opcionesDisco_);
    o->setObjectName(QStringLiteral("Opt_Exportar%1").arg(i));
    o->setFont(FuenteArial(12));
    o->adjustSize();
    o->move(12, y);
    o->setCursor(CursorZendo(kCursorManoIndice));
    y += 23;
    connect(o, &QRadioButton::clicked, this, [this, f] {
      Servicios& sv = pantalla_->servicios();
      const Reduccion& r = sv.estado.reduccion;
      nombre_->setText(QString::fromStdString(NombreArchivoPorDefecto(f, r.Jornada, r.Orden)));
      if (!sv.estado.ocupado) sv.TocaSonido(kSonidoSigno);
    });
    opciones_[static_cast<std::size_t>(i)] = o;
  }
  opciones_[0]->setChecked(true);
  opcionesDisco_->setGeometry(kXFormato, 0, kAnchoFormato, y + 8);

  auto* boton = new Boton(QStringLiteral("Pic_BotUnidad"), QString(), zona);
  boton->move(0, kYUnidad);
  lista_ = ListaBajoBoton(QStringLiteral("Lis_Unidad"), zona);
  lista_->setFont(FuenteArial(12));
  lista_->move(0, kYUnidad + boton->height() + 2);
  // The list is read again each time it opens: a medium may have come or gone meanwhile.
  connect(boton, &Boton::pulsadoRaton, this, [this] {
    if (lista_->isHidden() && !pantalla_->procesando()) CargaLisUnidades();
  });
  unidadValor_ = new BotonValor(s, boton, lista_, kRotuloUnidad);
  unidadValor_->alConfirmar = [this] { return ConfirmaUnidad(); };
  // Under the button, the folder the file goes to.
  carpeta_ = new QLabel(zona);
  carpeta_->setObjectName(QStringLiteral("Lab_Carpeta"));
  carpeta_->setFont(FuenteArial(11));
  carpeta_->setStyleSheet(QStringLiteral("QLabel { color: rgb(70, 70, 70); }"));
  carpeta_->setGeometry(4, kYUnidad + boton->height() + 6, kAnchoNombre - 4, 20);
  lista_->raise();
  CargaLisUnidades();
  unidadValor_->PonValor(TextoUnidad());

  const int alto = std::max(opcionesDisco_->height(),
                            kYUnidad + boton->height() + 2 + kFilasLista * kAltoFila + 8);
  return {kXFormato + kAnchoFormato, alto};
}

FormatoExportacion PanelCopia::formato() const {
  for (int i = 0; i < kNumFormatosExportacion; ++i) {
    if (opciones_[static_cast<std::size_t>(i)]->isChecked()) {
      return static_cast<FormatoExportacion>(i);
    }
  }
  return FormatoExportacion::AD243;
}

Destino PanelCopia::destino() const {
  if (unidad_->has_value()) return **unidad_;
  return DestinoPorDefecto(pantalla_->servicios().estado.rutaDatos);
}

void PanelCopia::CargaLisUnidades() {
  destinos_ = ListaDestinos(volumenes_->Montados(), pantalla_->servicios().estado.rutaDatos,
                            QDir::homePath().toStdString());
  lista_->clear();
  int ancho = unidadValor_ != nullptr ? unidadValor_->boton()->width() : 0;
  const QFontMetrics m(lista_->font());
  // The destination in use is the one marked (the first entry when it is not listed).
  int actual = 0;
  const Destino d = destino();
  for (std::size_t i = 0; i < destinos_.size(); ++i) {
    const QString nombre = QString::fromStdString(destinos_[i].nombre);
    lista_->addItem(nombre);
    ancho = std::max(ancho, m.horizontalAdvance(nombre) + 24);
    if (destinos_[i].tipo == d.tipo && destinos_[i].carpeta == d.carpeta) {
      actual = static_cast<int>(i);
    }
  }
  const int filas = std::min<int>(kFilasLista, static_cast<int>(destinos_.size()));
  const int fila = std::max(lista_->sizeHintForRow(0), 1);
  lista_->setFixedSize(std::min(ancho, kXFormato + kAnchoFormato),
                       filas * fila + 2 * lista_->frameWidth() + 2);
  lista_->setCurrentRow(actual);
}

QString PanelCopia::ConfirmaUnidad() {
  const int fila = lista_->currentRow();
  if (fila >= 0 && fila < static_cast<int>(destinos_.size())) {
    Destino d = destinos_[static_cast<std::size_t>(fila)];
    if (d.tipo == TipoDestino::OtraCarpeta) {
      const QString inicial = Ruta(destino().carpeta);
      const QString carpeta =
          eligeCarpeta ? eligeCarpeta(inicial)
                       : QFileDialog::getExistingDirectory(
                             pantalla_, QStringLiteral("Carpeta de destino de la copia"), inicial);
      if (!carpeta.isEmpty()) *unidad_ = DestinoCarpeta(carpeta.toStdString());
    } else {
      *unidad_ = d;
    }
  }
  return TextoUnidad();
}

QString PanelCopia::TextoUnidad() {
  const QString carpeta = Ruta(destino().carpeta);
  carpeta_->setText(
      QFontMetrics(carpeta_->font()).elidedText(carpeta, Qt::ElideMiddle, carpeta_->width()));
  carpeta_->setToolTip(carpeta);
  // The name of a folder may be long: its middle gives way.
  const QFontMetrics m(FuenteBoton(Boton::Fuente::Arial));
  const int sitio = unidadValor_->boton()->width() - m.horizontalAdvance(kRotuloUnidad) - 14;
  return m.elidedText(QString::fromStdString(destino().nombre), Qt::ElideMiddle, sitio);
}

void PanelCopia::PonEstado(const QString& texto, bool centrado) {
  if (!texto.isEmpty()) estados_.push_back(texto);
  if (auto* linea = pantalla_->findChild<QLabel*>(QStringLiteral("Pic_Estado"))) {
    linea->setAlignment(Qt::AlignVCenter | (centrado ? Qt::AlignHCenter : Qt::AlignLeft));
  }
  pantalla_->PonEstado(texto);
}

void PanelCopia::Habilita(bool si) {
  marcoNombre_->setEnabled(si);
  opcionesDisco_->setEnabled(si);
  unidadValor_->boton()->setEnabled(si);
}

void PanelCopia::Accion() {
  unidadValor_->Cierra();
  Servicios& s = pantalla_->servicios();
  const Estado& e = s.estado;
  const Destino d = destino();
  const std::string nombre = ACp(nombre_->text().trimmed());
  // A name the medium would refuse, or that would climb out of the chosen folder, is refused
  // before anything is written.
  const bool carpetaDatos =
      d.tipo == TipoDestino::CarpetaDatos || MismaCarpeta(d.carpeta, e.rutaDatos);
  if (const auto m = CompruebaNombreArchivo(
          nombre, SistemaDeRuta(volumenes_->Montados(), d.carpeta), carpetaDatos)) {
    s.MuestraMensaje(*m);
    nombre_->setFocus();
    return;
  }

  s.TocaSonido(kSonidoAccion);
  pantalla_->accion()->Dibuja(true);
  estados_.clear();
  porcentaje_ = -1;
  Habilita(false);
  pantalla_->EmpiezaProceso();
  PonEstado(QString());

  while (!DestinoPreparado(d, volumenes_->Montados())) {
    if (!s.MuestraMensaje(MensajeDiscoNoPreparado(d))) {
      ResultadoExportacion r;
      r.cancelado = true;
      Termina(r, QString());
      return;
    }
  }

  const Reduccion& r = e.reduccion;
  PeticionExportacion p;
  p.ficheroColumnas = e.rutaDatos / NombreReduccion(r.Jornada, r.Orden);
  p.formato = formato();
  p.NumApuestas = r.NumApuestas;
  p.cabecera.jornada = r.Jornada;
  p.cabecera.fecha = LeeJornada(e.rutaDatos, r.Jornada).jornada.FechaJornada;
  p.cabecera.delegacion = e.datos.CodigoDelegacion;
  p.cabecera.receptor = e.datos.CodigoReceptor;
  const fs::path ruta = d.carpeta / Cp1252AUtf8(nombre);
  const QString rutaTexto = Ruta(ruta);
  // The path as the system names it (UTF-8), after the program's own words.
  PonEstado(DeCp(TextoCreando({})) + rutaTexto);

  AvisosExportacion avisos;
  avisos.boletosIncompletos = [this](int64_t n) {
    // The copy waits for the message to be closed, as it does on the screen.
    QMetaObject::invokeMethod(
        this, [this, n] { pantalla_->servicios().MuestraMensaje(MensajeBoletoIncompleto(n)); },
        Qt::BlockingQueuedConnection);
  };
  avisos.progreso = [this, ultimo = -1](int64_t hechas, int64_t total) mutable {
    const int pc = PorcentajeCopiado(hechas, total);
    if (pc == ultimo) return;
    ultimo = pc;
    QMetaObject::invokeMethod(this, [this, pc] {
      if (copiando()) PonEstado(DeCp(TextoPorcentaje(pc)));
    });
  };
  auto resultado = std::make_shared<ResultadoExportacion>();
  std::atomic<bool>& cancelar = pantalla_->cancelado();
  hilo_ = QThread::create([p, ruta, avisos, resultado, &cancelar] {
    *resultado = ExportaAFichero(p, ruta, avisos, cancelar);
  });
  connect(hilo_, &QThread::finished, this, [this, resultado, rutaTexto] {
    hilo_->deleteLater();
    hilo_ = nullptr;
    Termina(*resultado, rutaTexto);
  });
  hilo_->start();
}

void PanelCopia::Termina(const ResultadoExportacion& r, const QString& ruta) {
  Servicios& s = pantalla_->servicios();
  const bool hecho = !r.cancelado && r.error == 0;
  if (hecho && r.cuentas.incompletos > 0) PonEstado(DeCp(TextoPorcentaje(100)));
  pantalla_->cancelar()->hide();
  pantalla_->update();
  Servicios::Espera(1000);
  if (r.error != 0) {
    // The code and its number first, then the cause and the file.
    QString texto = DeCp(r.mensaje);
    const int dos = texto.indexOf(QStringLiteral(": "));
    if (dos > 0) texto = texto.left(dos) + QStringLiteral("\n") + texto.mid(dos + 2);
    PonEstado(QString());
    s.AvisoSistema(texto);
  } else if (r.cancelado) {
    PonEstado(DeCp(TextoCancelado()));
  } else {
    PonEstado(DeCp(TextoCreado({})) + ruta, true);
  }
  pantalla_->update();
  Servicios::Espera(500);
  pantalla_->TerminaProceso();
  Habilita(true);
  pantalla_->accion()->Dibuja(false);
  s.TocaSonido(kSonidoAccion);
  PonEstado(QString());
  emit copiaTerminada();
}

}  // namespace zendo

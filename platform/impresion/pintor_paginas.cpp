#include "platform/impresion/pintor_paginas.h"

#include <malloc.h>

#include <QFileDevice>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QSaveFile>

#include "engine/core/texto.h"

namespace zendo {
namespace {

constexpr double kTwipsPorPulgada = 1440.0;
constexpr double kMmPorPulgada = 25.4;

QString DeWindows1252(std::string_view cp1252) {
  return QString::fromStdString(Cp1252AUtf8(cp1252));
}

// Font metrics in twips: a device of 1440 dots per inch.
const QImage& Medidor() {
  thread_local const QImage medidor = [] {
    QImage i(1, 1, QImage::Format_Mono);
    const int puntosPorMetro = static_cast<int>(kTwipsPorPulgada / 0.0254 + 0.5);
    i.setDotsPerMeterX(puntosPorMetro);
    i.setDotsPerMeterY(puntosPorMetro);
    return i;
  }();
  return medidor;
}

}  // namespace

void PreparaMemoriaImpresion() {
  ::mallopt(M_TRIM_THRESHOLD, 128 << 20);
  ::mallopt(M_TOP_PAD, 16 << 20);
}

QString FamiliaImpresion(std::string_view nombre) {
  if (nombre == "Courier New") return QStringLiteral("Liberation Mono");
  if (nombre == "Arial") return QStringLiteral("Liberation Sans");
  return DeWindows1252(nombre);
}

PapelDocumento PapelParaModo(int modo, int anchoPapel) {
  if (modo == 2 || modo == 3) return {QPageSize(QPageSize::A4), QPointF(0, 0)};
  if (modo == 4 && anchoPapel == 1) {
    return {QPageSize(QSizeF(350, 297), QPageSize::Millimeter, QStringLiteral("350 x 297 mm"),
                      QPageSize::ExactMatch),
            QPointF(kMargenListados, kMargenListados)};
  }
  return {QPageSize(QPageSize::A4), QPointF(kMargenListados, kMargenListados)};
}

PintorPaginas::PintorPaginas(Lienzo& lienzo, const QPageSize& hoja, QPointF origen)
    : lienzo_(lienzo), hoja_(hoja), origen_(origen) {
  Fuente("Arial", 1000, false);
}

PintorPaginas::~PintorPaginas() {
  VaciaCajas();
  if (pintor_.isActive()) pintor_.end();
}

void PintorPaginas::Falla(const QString& texto) {
  if (error_.isEmpty()) error_ = texto.isEmpty() ? QStringLiteral("Error de la impresora") : texto;
}

double PintorPaginas::X(Centesimas x) const {
  return (static_cast<double>(x) / 100.0 + origen_.x()) * escalaX_;
}

double PintorPaginas::Y(Centesimas y) const {
  return (static_cast<double>(y) / 100.0 + origen_.y()) * escalaY_;
}

void PintorPaginas::PonFuente() {
  if (pintor_.isActive()) pintor_.setFont(fuente_);
}

double PintorPaginas::AltoLinea() const {
  return QFontMetricsF(fuente_, &Medidor()).lineSpacing();
}

void PintorPaginas::Fuente(std::string_view nombre, Centesimas puntos, bool negrita) {
  fuente_ = QFont(FamiliaImpresion(nombre));
  fuente_.setStyleHint(nombre == "Courier New" ? QFont::Monospace : QFont::SansSerif);
  fuente_.setPointSizeF(static_cast<double>(puntos) / 100.0);
  fuente_.setBold(negrita);
  fuente_.setKerning(false);
  PonFuente();
}

void PintorPaginas::Grosor(int) {
  // The marks are filled boxes: the pen width of the old printers changes nothing here.
}

void PintorPaginas::Papel(int codigo) {
  if (codigo == 9) hoja_ = QPageSize(QPageSize::A4);
}

void PintorPaginas::Alto(int twips) {
  const QSizeF mm = hoja_.size(QPageSize::Millimeter);
  hoja_ = QPageSize(QSizeF(mm.width(), twips / kTwipsPorPulgada * kMmPorPulgada),
                    QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

bool PintorPaginas::Prepara() {
  if (!error_.isEmpty()) return false;
  if (!enDocumento_) {
    dispositivo_ = lienzo_.Empieza(hoja_);
    if (dispositivo_ == nullptr) {
      Falla(lienzo_.error());
      return false;
    }
    if (!pintor_.begin(dispositivo_)) {
      Falla(lienzo_.error());
      return false;
    }
    enDocumento_ = true;
    paginaNueva_ = false;
    ++paginas_;
    ++documentos_;
    escalaX_ = dispositivo_->logicalDpiX() / kTwipsPorPulgada;
    escalaY_ = dispositivo_->logicalDpiY() / kTwipsPorPulgada;
    pintor_.setRenderHint(QPainter::Antialiasing, false);
    pintor_.setPen(Qt::black);
    PonFuente();
  } else if (paginaNueva_) {
    if (!lienzo_.NuevaPagina(hoja_)) {
      Falla(lienzo_.error());
      return false;
    }
    paginaNueva_ = false;
    ++paginas_;
    ++documentos_;
  }
  for (; paginasPendientes_ > 0; --paginasPendientes_) {
    if (!lienzo_.NuevaPagina(hoja_)) {
      Falla(lienzo_.error());
      return false;
    }
    ++paginas_;
  }
  return true;
}

void PintorPaginas::Linea(std::string_view texto) {
  if (texto.find_first_not_of(' ') != std::string_view::npos && Prepara()) {
    VaciaCajas();
    const double ascenso = QFontMetricsF(fuente_, &Medidor()).ascent();
    pintor_.drawText(QPointF(origen_.x() * escalaX_, (origen_.y() + lineaY_ + ascenso) * escalaY_),
                     DeWindows1252(texto));
  }
  lineaY_ += AltoLinea();
}

void PintorPaginas::Texto(Centesimas x, Centesimas y, std::string_view texto) {
  lineaY_ = static_cast<double>(y) / 100.0;
  if (texto.find_first_not_of(' ') != std::string_view::npos && Prepara()) {
    VaciaCajas();
    const double ascenso = QFontMetricsF(fuente_, &Medidor()).ascent();
    pintor_.drawText(QPointF(X(x), (origen_.y() + lineaY_ + ascenso) * escalaY_),
                     DeWindows1252(texto));
  }
  lineaY_ += AltoLinea();
}

void PintorPaginas::Caja(Centesimas x, Centesimas y, Centesimas dx, Centesimas dy) {
  if (!Prepara()) return;
  const QRectF caja = QRectF(QPointF(X(x), Y(y)), QPointF(X(x + dx), Y(y + dy))).normalized();
  // The two halves of a mark (one box up, one down from the same corner) are one rectangle.
  if (!cajas_.empty()) {
    QRectF& ultima = cajas_.back();
    if (ultima.left() == caja.left() && ultima.width() == caja.width() &&
        (ultima.bottom() == caja.top() || ultima.top() == caja.bottom())) {
      ultima = ultima.united(caja);
      return;
    }
  }
  cajas_.push_back(caja);
  if (cajas_.size() >= 4096) VaciaCajas();
}

void PintorPaginas::VaciaCajas() {
  if (cajas_.empty() || !pintor_.isActive()) {
    cajas_.clear();
    return;
  }
  // Many boxes at once: one fill for all of them is much cheaper on a PDF or a printer.
  pintor_.save();
  pintor_.setPen(Qt::NoPen);
  pintor_.setBrush(Qt::black);
  pintor_.drawRects(cajas_.data(), static_cast<int>(cajas_.size()));
  pintor_.restore();
  cajas_.clear();
}

void PintorPaginas::Pagina() {
  VaciaCajas();
  lineaY_ = 0;
  ++paginasPendientes_;
}

void PintorPaginas::Fin() {
  VaciaCajas();
  lineaY_ = 0;
  // An empty page left by a NewPage right before the end is not printed.
  paginasPendientes_ = 0;
  if (!enDocumento_ || paginaNueva_) return;
  if (lienzo_.TrabajoPorDocumento()) {
    pintor_.end();
    enDocumento_ = false;
    if (!lienzo_.Termina()) Falla(lienzo_.error());
  } else {
    paginaNueva_ = true;
  }
}

bool PintorPaginas::Cierra() {
  VaciaCajas();
  paginasPendientes_ = 0;
  if (enDocumento_) {
    pintor_.end();
    enDocumento_ = false;
    if (!lienzo_.Termina()) Falla(lienzo_.error());
  } else if (documentos_ == 0 && !lienzo_.TrabajoPorDocumento() && error_.isEmpty()) {
    // A file with nothing drawn still holds one blank page, so that it opens.
    if (QPaintDevice* d = lienzo_.Empieza(hoja_); d != nullptr && pintor_.begin(d)) {
      pintor_.end();
      if (!lienzo_.Termina()) Falla(lienzo_.error());
    } else {
      Falla(lienzo_.error());
    }
  }
  return error_.isEmpty();
}

LienzoPdf::LienzoPdf(QIODevice* salida, int resolucion)
    : salida_(salida), resolucion_(resolucion) {}

LienzoPdf::~LienzoPdf() = default;

QPaintDevice* LienzoPdf::Empieza(const QPageSize& hoja) {
  pdf_ = std::make_unique<QPdfWriter>(salida_);
  pdf_->setResolution(resolucion_);
  pdf_->setCreator(QStringLiteral("Zendo"));
  pdf_->setPageLayout(QPageLayout(hoja, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  return pdf_.get();
}

bool LienzoPdf::NuevaPagina(const QPageSize& hoja) {
  pdf_->setPageLayout(QPageLayout(hoja, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  return pdf_->newPage();
}

bool LienzoPdf::Termina() {
  pdf_.reset();
  if (auto* f = qobject_cast<QFileDevice*>(salida_); f != nullptr) {
    if (!f->flush() || f->error() != QFileDevice::NoError) {
      error_ = f->errorString();
      return false;
    }
  }
  return true;
}

LienzoFicheroPdf::LienzoFicheroPdf(const QString& ruta)
    : LienzoPdf(nullptr), fichero_(std::make_unique<QSaveFile>(ruta)) {}

LienzoFicheroPdf::~LienzoFicheroPdf() {
  if (fichero_->isOpen()) fichero_->cancelWriting();
}

QPaintDevice* LienzoFicheroPdf::Empieza(const QPageSize& hoja) {
  if (!fichero_->isOpen() && !fichero_->open(QIODevice::WriteOnly)) {
    error_ = QStringLiteral("No se puede escribir el archivo %1: %2")
                 .arg(fichero_->fileName(), fichero_->errorString());
    return nullptr;
  }
  PonSalida(fichero_.get());
  return LienzoPdf::Empieza(hoja);
}

bool LienzoFicheroPdf::Conserva(bool conservar) {
  if (!fichero_->isOpen()) return !conservar || error_.isEmpty();
  if (!conservar) {
    fichero_->cancelWriting();
    fichero_->commit();
    return true;
  }
  if (!fichero_->commit()) {
    error_ = QStringLiteral("No se puede escribir el archivo %1: %2")
                 .arg(fichero_->fileName(), fichero_->errorString());
    return false;
  }
  return true;
}

}  // namespace zendo

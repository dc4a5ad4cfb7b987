#include "platform/impresion/impresora.h"

#include <cups/cups.h>

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace zendo {
namespace {

QPageLayout Disposicion(const QPageSize& hoja) {
  return QPageLayout(hoja, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// The CUPS name of a page size: A4, or a size of the user's in millimetres.
QByteArray Medio(const QPageSize& hoja) {
  if (hoja.id() == QPageSize::A4) return QByteArrayLiteral("A4");
  const QSizeF mm = hoja.size(QPageSize::Millimeter);
  return QStringLiteral("Custom.%1x%2mm")
      .arg(mm.width(), 0, 'f', 1)
      .arg(mm.height(), 0, 'f', 1)
      .toLatin1();
}

}  // namespace

QString ImpresoraPredeterminada() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) return info.printerName();
  // Qt caches the printers it saw at start; CUPS knows of one added since.
  const char* nombre = cupsGetDefault();
  return nombre != nullptr ? QString::fromLocal8Bit(nombre) : QString();
}

LienzoImpresora::LienzoImpresora(QString impresora, QString titulo)
    : impresora_(std::move(impresora)), titulo_(std::move(titulo)) {}

LienzoImpresora::~LienzoImpresora() = default;

QPaintDevice* LienzoImpresora::Empieza(const QPageSize& hoja) {
  hoja_ = hoja;
  fichero_ =
      std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/zendo-XXXXXX.pdf"));
  if (!fichero_->open()) {
    error_ = QStringLiteral("No se puede crear el documento para la impresora: ") +
             fichero_->errorString();
    return nullptr;
  }
  fichero_->close();
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(fichero_->fileName());
  printer_->setFullPage(true);
  printer_->setDocName(titulo_);
  printer_->setPageLayout(Disposicion(hoja));
  return printer_.get();
}

bool LienzoImpresora::NuevaPagina(const QPageSize&) {
  // A printer takes one paper size for a whole job.
  return printer_->newPage();
}

bool LienzoImpresora::Termina() {
  printer_.reset();
  const QByteArray ruta = QFile::encodeName(fichero_->fileName());
  const QByteArray nombre = impresora_.toLocal8Bit();
  const QByteArray titulo = titulo_.toUtf8();
  const QByteArray medio = Medio(hoja_);
  cups_option_t* opciones = nullptr;
  int n = 0;
  n = cupsAddOption("media", medio.constData(), n, &opciones);
  n = cupsAddOption("print-scaling", "none", n, &opciones);
  const int trabajo =
      cupsPrintFile(nombre.constData(), ruta.constData(), titulo.constData(), n, opciones);
  cupsFreeOptions(n, opciones);
  fichero_.reset();
  if (trabajo == 0) {
    error_ = QStringLiteral("La impresora %1 no ha aceptado el documento: %2")
                 .arg(impresora_, QString::fromUtf8(cupsLastErrorString()));
    return false;
  }
  ++trabajos_;
  return true;
}

QPaintDevice* LienzoVistaPrevia::Empieza(const QPageSize& hoja) {
  if (!printer_->fullPage()) printer_->setFullPage(true);
  if (printer_->pageLayout() != Disposicion(hoja)) printer_->setPageLayout(Disposicion(hoja));
  return printer_;
}

bool LienzoVistaPrevia::NuevaPagina(const QPageSize&) {
  // The preview takes one paper size for the whole document.
  return printer_->newPage();
}

}  // namespace zendo

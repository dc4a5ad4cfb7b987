#pragma once
// The system's printers through Qt Print Support and CUPS. A document for the printer is
// drawn by Qt into a PDF file that is handed to CUPS as one job; a job the print system
// refuses is reported with its reason (Qt alone would drop that answer).

#include <QPageSize>
#include <QString>
#include <memory>

#include "platform/impresion/pintor_paginas.h"

class QPrinter;
class QTemporaryFile;

namespace zendo {

// The name of the default printer, empty when none is installed.
QString ImpresoraPredeterminada();

// Each document is a print job on printer `impresora`, titled `titulo`.
class LienzoImpresora : public Lienzo {
 public:
  LienzoImpresora(QString impresora, QString titulo);
  ~LienzoImpresora() override;
  QPaintDevice* Empieza(const QPageSize& hoja) override;
  bool NuevaPagina(const QPageSize& hoja) override;
  bool Termina() override;
  bool TrabajoPorDocumento() const override { return true; }
  QString error() const override { return error_; }
  int trabajos() const { return trabajos_; }

 private:
  QString impresora_;
  QString titulo_;
  QPageSize hoja_;
  std::unique_ptr<QTemporaryFile> fichero_;
  std::unique_ptr<QPrinter> printer_;
  QString error_;
  int trabajos_ = 0;
};

// The pages of the print preview: the printer the preview dialog paints on.
class LienzoVistaPrevia : public Lienzo {
 public:
  explicit LienzoVistaPrevia(QPrinter* printer) : printer_(printer) {}
  QPaintDevice* Empieza(const QPageSize& hoja) override;
  bool NuevaPagina(const QPageSize& hoja) override;
  bool Termina() override { return true; }
  bool TrabajoPorDocumento() const override { return false; }
  QString error() const override { return {}; }

 private:
  QPrinter* printer_;
};

}  // namespace zendo

#pragma once
// Paints the page operations of a document (engine/output/paginas.h) with a QPainter on
// any paint device: a printer, the print preview, a PDF file, an image. Positions in twips
// are scaled by the device's dpi / 1440; "Courier New" is drawn with Liberation Mono and
// "Arial" with Liberation Sans, which have the same widths.
//
// A NewPage is carried out only when something is drawn after it, so a document never ends
// with an empty page. Each EndDoc ends a print job on a printer; on a single file (PDF,
// preview) the next document starts on a new page of the same file.

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <memory>
#include <vector>

#include "engine/output/paginas.h"

class QIODevice;
class QPdfWriter;
class QSaveFile;

namespace zendo {

// Where the pages go.
class Lienzo {
 public:
  virtual ~Lienzo() = default;
  // A new document of pages of size `hoja`; null (and error()) when it cannot start.
  virtual QPaintDevice* Empieza(const QPageSize& hoja) = 0;
  // The next page of the same document, of size `hoja`.
  virtual bool NuevaPagina(const QPageSize& hoja) = 0;
  // The painter has ended: the document is complete (a printer sends the job here).
  virtual bool Termina() = 0;
  // True when each document is a job of its own; false when they follow each other as
  // pages of one file (and Termina comes once, at the end).
  virtual bool TrabajoPorDocumento() const = 0;
  virtual QString error() const = 0;
  // The run is over: a file is kept only when `conservar` (a complete document). False when
  // keeping it failed.
  virtual bool Conserva(bool /*conservar*/) { return true; }
};

// Qt's PDF writer sets up a compressor of its own for every page and frees it again; without
// this the C library hands that memory back to the system each time and takes it again, which
// costs a third of the time of a long document. Called once by the programs that paint.
void PreparaMemoriaImpresion();

// The font that draws a font name of the documents.
QString FamiliaImpresion(std::string_view nombre);

class PintorPaginas : public DestinoPaginas {
 public:
  // `hoja`: the paper until the document sets one (A4 by default); `origen`: where the
  // point (0, 0) of the document lies on the paper, in twips (the printable area of a
  // listing starts a little inside the edge; boletos are measured from the edge).
  explicit PintorPaginas(Lienzo& lienzo, const QPageSize& hoja = QPageSize(QPageSize::A4),
                         QPointF origen = QPointF(0, 0));
  ~PintorPaginas() override;

  void Fuente(std::string_view nombre, Centesimas puntos, bool negrita) override;
  void Grosor(int ancho) override;
  void Papel(int codigo) override;
  void Alto(int twips) override;
  void Linea(std::string_view texto) override;
  void Texto(Centesimas x, Centesimas y, std::string_view texto) override;
  void Caja(Centesimas x, Centesimas y, Centesimas dx, Centesimas dy) override;
  void Pagina() override;
  void Fin() override;

  // Ends what is still open (the last document of a single file). Returns false on error.
  bool Cierra();
  // The first failure of the device or the printer; empty when none.
  const QString& error() const { return error_; }
  int paginas() const { return paginas_; }
  int documentos() const { return documentos_; }

 private:
  // The page to draw on: starts the document or the pending new pages.
  bool Prepara();
  double X(Centesimas x) const;
  double Y(Centesimas y) const;
  void PonFuente();
  double AltoLinea() const;  // in twips
  void Falla(const QString& texto);
  // Fills the boxes gathered so far.
  void VaciaCajas();

  Lienzo& lienzo_;
  QPageSize hoja_;
  QPainter pintor_;
  QPaintDevice* dispositivo_ = nullptr;
  bool enDocumento_ = false;   // a document has begun on the device
  bool paginaNueva_ = false;   // the next drawing starts a new page of the same file
  int paginasPendientes_ = 0;  // NewPage calls not carried out yet
  std::vector<QRectF> cajas_;  // boxes of the current page not filled yet
  QFont fuente_;
  QPointF origen_;                    // twips
  double escalaX_ = 1, escalaY_ = 1;  // device units per twip
  double lineaY_ = 0;                 // current position, twips
  int paginas_ = 0;
  int documentos_ = 0;
  QString error_;
};

// The margin of the printable area of a listing, in twips (a quarter of an inch).
inline constexpr double kMargenListados = 360;

// The paper a document starts on and where its point (0, 0) lies: listings (modes 1 and 4,
// the scrutiny) on A4 inside a margin, the wide list of boletos on 350 mm paper; boletos
// (modes 2 and 3) measured from the edge of the paper.
struct PapelDocumento {
  QPageSize hoja;
  QPointF origen;
};
PapelDocumento PapelParaModo(int modo, int anchoPapel = 0);

// A PDF file written to `salida`, `resolucion` dots per inch.
class LienzoPdf : public Lienzo {
 public:
  explicit LienzoPdf(QIODevice* salida, int resolucion = 1200);
  ~LienzoPdf() override;
  QPaintDevice* Empieza(const QPageSize& hoja) override;
  bool NuevaPagina(const QPageSize& hoja) override;
  bool Termina() override;
  bool TrabajoPorDocumento() const override { return false; }
  QString error() const override { return error_; }

 protected:
  void PonSalida(QIODevice* salida) { salida_ = salida; }

 private:
  std::unique_ptr<QPdfWriter> pdf_;
  QIODevice* salida_;
  int resolucion_;

 protected:
  QString error_;
};

// A PDF file of that name, written beside it and renamed over it only when the document is
// complete: a cancelled or failed run leaves any earlier file as it was.
class LienzoFicheroPdf : public LienzoPdf {
 public:
  explicit LienzoFicheroPdf(const QString& ruta);
  ~LienzoFicheroPdf() override;
  QPaintDevice* Empieza(const QPageSize& hoja) override;
  bool Conserva(bool conservar) override;

 private:
  std::unique_ptr<QSaveFile> fichero_;
};

}  // namespace zendo

// The Qt painter of the page operations: boxes land on the pixels their twips name at the
// device's resolution, texts use the metric-compatible fonts, a NewPage right before the end
// leaves no empty page, each EndDoc is a job of its own on a printer and a new page on a file.

#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include "engine/output/impri_boletos.h"
#include "engine/output/marcas_boleto.h"
#include "platform/impresion/pintor_paginas.h"

using namespace zendo;

namespace {

// Pages as images of 144 dots per inch: a tenth of a pixel per twip.
class LienzoImagen : public Lienzo {
 public:
  explicit LienzoImagen(bool trabajos) : trabajos_(trabajos) {}
  QPaintDevice* Empieza(const QPageSize& hoja) override {
    ++documentos;
    return Nueva(hoja);
  }
  bool NuevaPagina(const QPageSize& hoja) override { return Nueva(hoja) != nullptr; }
  bool Termina() override {
    ++terminados;
    return true;
  }
  bool TrabajoPorDocumento() const override { return trabajos_; }
  QString error() const override { return {}; }

  std::vector<QImage> paginas;
  int documentos = 0, terminados = 0;

 private:
  QImage* Nueva(const QPageSize& hoja) {
    const QSize px = hoja.sizePixels(144);
    QImage img(px, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setDotsPerMeterX(5669);  // 144 dpi
    img.setDotsPerMeterY(5669);
    paginas.push_back(img);
    return &paginas.back();
  }
  bool trabajos_;
};

bool Negro(const QImage& img, int x, int y) {
  return qGray(img.pixel(x, y)) < 100;
}

}  // namespace

class PruebaPintor : public QObject {
  Q_OBJECT

 private slots:
  void LasCajasCaenDondeDicenSusTwips() {
    LienzoImagen lienzo(false);
    lienzo.paginas.reserve(4);
    PintorPaginas pintor(lienzo);
    TablaMarcas m{};
    m[8][1][3] = 1;   // x 1050..1180, y 1200..1340 twips
    m[1][15][1] = 1;  // x 5026..5156, y 1270 + 23 x 213 = 6169 -70 / +70
    DibujaBoletoGirado(m, {MargenATwips(0), MargenATwips(0), true}, 0, "7", pintor);
    pintor.Fin();
    QVERIFY(pintor.Cierra());
    QCOMPARE(lienzo.paginas.size(), std::size_t{1});
    const QImage& p = lienzo.paginas[0];
    QCOMPARE(p.width(), 1190);  // A4 at 144 dpi
    // Inside the first mark, and just outside each of its edges.
    QVERIFY(Negro(p, 111, 121));
    QVERIFY(Negro(p, 111, 133));
    QVERIFY(!Negro(p, 102, 127));
    QVERIFY(!Negro(p, 120, 127));
    QVERIFY(!Negro(p, 111, 117));
    QVERIFY(!Negro(p, 111, 137));
    QVERIFY(Negro(p, 509, 616));
    // A fixed mark: (5120, 65) to (5290, 210).
    QVERIFY(Negro(p, 520, 14));
    QVERIFY(!Negro(p, 535, 14));
    // The number is drawn at the top left corner.
    bool tinta = false;
    for (int y = 0; y < 20 && !tinta; ++y) {
      for (int x = 0; x < 20 && !tinta; ++x) tinta = Negro(p, x, y);
    }
    QVERIFY(tinta);
  }

  void PaginasTrabajosYUltimaPaginaVacia() {
    // A file: two documents on consecutive pages; the NewPage before EndDoc adds nothing.
    LienzoImagen fichero(false);
    fichero.paginas.reserve(8);
    {
      PintorPaginas pintor(fichero);
      for (int d = 0; d < 2; ++d) {
        pintor.Caja(0, 0, 10000, 10000);
        pintor.Pagina();
        pintor.Linea("hoja");
        pintor.Pagina();
        pintor.Fin();
      }
      QVERIFY(pintor.Cierra());
      QCOMPARE(pintor.paginas(), 4);
    }
    QCOMPARE(fichero.paginas.size(), std::size_t{4});
    QCOMPARE(fichero.documentos, 1);
    QCOMPARE(fichero.terminados, 1);
    // A printer: one job per document.
    LienzoImagen impresora(true);
    impresora.paginas.reserve(8);
    PintorPaginas pintor(impresora);
    for (int d = 0; d < 3; ++d) {
      pintor.Caja(0, 0, 100, 100);
      pintor.Fin();
    }
    pintor.Fin();  // nothing drawn: no job
    QVERIFY(pintor.Cierra());
    QCOMPARE(impresora.documentos, 3);
    QCOMPARE(impresora.terminados, 3);
  }

  void PapelContinuoYFuentesDeMedidasIguales() {
    LienzoImagen lienzo(false);
    lienzo.paginas.reserve(2);
    PintorPaginas pintor(lienzo);
    pintor.Papel(kPapelUsuario);
    pintor.Papel(kPapelA4);
    pintor.Alto(AltoPapelContinuo());
    pintor.Caja(0, 0, 100, 100);
    QVERIFY(pintor.Cierra());
    // 210 x 158.5 mm at 144 dpi.
    QCOMPARE(lienzo.paginas[0].height(), 898);
    QCOMPARE(FamiliaImpresion("Courier New"), QStringLiteral("Liberation Mono"));
    QFont mono(FamiliaImpresion("Courier New"));
    QVERIFY2(QFontInfo(mono).family() == QStringLiteral("Liberation Mono"),
             "fonts-liberation2 is not installed");
    QVERIFY(QFontInfo(mono).fixedPitch());
    QCOMPARE(QFontInfo(QFont(FamiliaImpresion("Arial"))).family(),
             QStringLiteral("Liberation Sans"));
  }

  void UnPdfFallidoNoSustituyeAlAnterior() {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("doc.pdf"));
    QFile previo(ruta);
    QVERIFY(previo.open(QIODevice::WriteOnly));
    previo.write("antes");
    previo.close();
    {
      LienzoFicheroPdf lienzo(ruta);
      PintorPaginas pintor(lienzo);
      pintor.Linea("uno");
      QVERIFY(pintor.Cierra());
      QVERIFY(lienzo.Conserva(false));  // a cancelled run
    }
    QVERIFY(previo.open(QIODevice::ReadOnly));
    QCOMPARE(previo.readAll(), QByteArray("antes"));
    previo.close();
    {
      LienzoFicheroPdf lienzo(ruta);
      PintorPaginas pintor(lienzo);
      pintor.Linea("uno");
      QVERIFY(pintor.Cierra());
      QVERIFY(lienzo.Conserva(true));
    }
    QVERIFY(previo.open(QIODevice::ReadOnly));
    QVERIFY(previo.readAll().startsWith("%PDF"));
    // A folder that cannot be written: the error says so.
    LienzoFicheroPdf mal(dir.filePath(QStringLiteral("no/existe/doc.pdf")));
    PintorPaginas pintor(mal);
    pintor.Linea("uno");
    QVERIFY(!pintor.Cierra());
    QVERIFY(pintor.error().contains(QStringLiteral("No se puede escribir")));
  }
};

QTEST_MAIN(PruebaPintor)
#include "pintor_paginas_test.moc"

#include "gui/output/imprime_escrutinio.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "engine/scrutiny/impresion_escrutinio.h"
#include "gui/shell/servicios.h"
#include "platform/impresion/impresora.h"

namespace zendo {
namespace {

constexpr int kContextoEscrutinio = 2500;

void Imprime(Servicios& s, QWidget* pantalla, const InformeEscrutinio& informe,
             const QString& nombre) {
  const DocumentoEscrutinio documento{informe.reduccion.Jornada, informe.reduccion.Orden,
                                      informe.jornada, &informe.resultado};
  const PapelDocumento papel = PapelParaModo(1);
  auto pinta = [&](Lienzo& lienzo) {
    PintorPaginas pintor(lienzo, papel.hoja, papel.origen);
    ImpriEscrutinio(documento, pintor);
    pintor.Cierra();
    return pintor.error();
  };
  if (nombre.isEmpty()) {
    const bool ver = s.MuestraMensaje(
        QStringLiteral("No hay ninguna impresora"),
        QStringLiteral("No se ha encontrado ninguna impresora instalada en el sistema.  "
                       "¿Desea ver el escrutinio en la Vista previa, desde la que también se "
                       "puede imprimir o guardar en un archivo PDF?"),
        4, kBotonesAceptarCancelar, kContextoEscrutinio);
    if (!ver) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialogo(&printer, pantalla);
    dialogo.setObjectName(QStringLiteral("Dlg_VistaPrevia"));
    dialogo.setWindowTitle(QStringLiteral("Vista previa: escrutinio"));
    dialogo.resize(760, 540);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo,
                     [&](QPrinter* destino) {
                       LienzoVistaPrevia lienzo(destino);
                       pinta(lienzo);
                     });
    dialogo.exec();
    return;
  }
  LienzoImpresora lienzo(nombre, QStringLiteral("Zendo - escrutinio de la jornada %1, orden %2")
                                     .arg(informe.reduccion.Jornada)
                                     .arg(informe.reduccion.Orden));
  const QString error = pinta(lienzo);
  if (!error.isEmpty()) {
    s.MuestraMensaje(QStringLiteral("Error de impresión"), error, 4, kBotonesSalir,
                     kContextoEscrutinio);
  }
}

}  // namespace

ImpresionEscrutinio ImprimeEscrutinio(std::function<QString()> impresora) {
  return [impresora = std::move(impresora)](Servicios& s, QWidget* pantalla,
                                            const InformeEscrutinio& informe) {
    Imprime(s, pantalla, informe, impresora ? impresora() : ImpresoraPredeterminada());
  };
}

}  // namespace zendo

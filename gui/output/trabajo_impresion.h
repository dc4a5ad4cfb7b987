#pragma once
// A document painted off the interface thread: on the printer (each EndDoc a print job) or
// into a PDF file. The run reports its status line, reads the cancel flag of `listados`,
// and, on individual boletos at the printer, waits after each boleto for Repetir,
// Siguiente or cancel.

#include <QObject>
#include <QPointF>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "engine/output/control_impresion.h"
#include "engine/output/paginas.h"

class QPageSize;
class QThread;

namespace zendo {

class Lienzo;
class PantallaListados;

class TrabajoImpresion : public QObject {
  Q_OBJECT

 public:
  using Documento = std::function<ResultadoImpresion(DestinoPaginas&, ControlImpresion&)>;
  // Builds the pages' destination in the worker: the lienzo lives and dies there.
  using FabricaLienzo = std::function<std::unique_ptr<Lienzo>()>;

  explicit TrabajoImpresion(PantallaListados& pantalla);
  ~TrabajoImpresion() override;

  // `espera`: after each boleto the run waits for Decide (individual boletos at the
  // printer); otherwise it goes on as if Siguiente were pressed.
  void Arranca(Documento documento, FabricaLienzo lienzo, const QPageSize& hoja, QPointF origen,
               bool espera);
  bool enMarcha() const { return hilo_ != nullptr; }
  bool esperando() const;

  // Repetir or Siguiente from the buttons, or cancel (the screen's flag is set already).
  void Decide(Decision d);
  void Despierta();

  struct Final {
    ResultadoImpresion resultado;
    QString error;  // of the printer or the file
    int paginas = 0;
    int documentos = 0;
  };

 signals:
  void estado(const QString& texto);
  void empiezanBoletos();
  void ultimoBoleto();
  // A boleto went to the printer; the run waits for the user.
  void esperaDecision();
  void terminado(const zendo::TrabajoImpresion::Final& final);

 private:
  class Control;

  PantallaListados& pantalla_;
  QThread* hilo_ = nullptr;
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::optional<Decision> decision_;
  bool esperando_ = false;
};

}  // namespace zendo

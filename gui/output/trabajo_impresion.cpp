#include "gui/output/trabajo_impresion.h"

#include <QPageSize>
#include <QThread>
#include <chrono>

#include "gui/output/listados.h"
#include "gui/shell/servicios.h"
#include "gui/shell/texto_qt.h"
#include "platform/impresion/pintor_paginas.h"

namespace zendo {

class TrabajoImpresion::Control : public ControlImpresion {
 public:
  Control(TrabajoImpresion& t, bool espera) : t_(t), espera_(espera) {}

  void Estado(std::string_view texto) override { emit t_.estado(DeCp(std::string(texto))); }
  bool Cancelado() override { return t_.pantalla_.cancelado().load(); }
  void Pausa(int milisegundos) override {
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(milisegundos);
    while (!Cancelado() && std::chrono::steady_clock::now() < fin) QThread::msleep(10);
  }
  void Aviso(const Mensaje& mensaje) override {
    // The message is modal: the run goes on once it is closed.
    Servicios& s = t_.pantalla_.servicios();
    QMetaObject::invokeMethod(
        &t_, [&s, &mensaje] { s.MuestraMensaje(mensaje); }, Qt::BlockingQueuedConnection);
  }
  // Repetir and Siguiente only mean something while boletos go to the printer one by one.
  void EmpiezanBoletos() override {
    if (espera_) emit t_.empiezanBoletos();
  }
  void UltimoBoleto() override {
    if (espera_) emit t_.ultimoBoleto();
  }
  Decision Espera() override {
    if (!espera_) return Cancelado() ? Decision::Cancelar : Decision::Siguiente;
    // A choice made while the boleto was printing is taken at once.
    std::unique_lock bloqueo(t_.m_);
    t_.esperando_ = true;
    bloqueo.unlock();
    emit t_.esperaDecision();
    bloqueo.lock();
    t_.cv_.wait(bloqueo, [this] { return t_.decision_.has_value() || Cancelado(); });
    t_.esperando_ = false;
    if (Cancelado()) return Decision::Cancelar;
    const Decision d = *t_.decision_;
    t_.decision_.reset();
    return d;
  }

 private:
  TrabajoImpresion& t_;
  bool espera_;
};

TrabajoImpresion::TrabajoImpresion(PantallaListados& pantalla)
    : QObject(&pantalla), pantalla_(pantalla) {
  qRegisterMetaType<zendo::TrabajoImpresion::Final>();
}

TrabajoImpresion::~TrabajoImpresion() {
  if (hilo_ != nullptr) {
    pantalla_.cancelado() = true;
    Despierta();
    hilo_->wait();
    delete hilo_;
  }
}

bool TrabajoImpresion::esperando() const {
  std::lock_guard bloqueo(m_);
  return esperando_;
}

void TrabajoImpresion::Arranca(Documento documento, FabricaLienzo lienzo, const QPageSize& hoja,
                               QPointF origen, bool espera) {
  if (hilo_ != nullptr) return;
  {
    std::lock_guard bloqueo(m_);
    decision_.reset();
  }
  hilo_ = QThread::create(
      [this, documento = std::move(documento), lienzo = std::move(lienzo), hoja, origen, espera] {
        Final f;
        std::unique_ptr<Lienzo> l = lienzo();
        PintorPaginas pintor(*l, hoja, origen);
        Control control(*this, espera);
        f.resultado = documento(pintor, control);
        pintor.Cierra();
        f.error = pintor.error();
        const bool completo = !f.resultado.cancelado && f.resultado.error == 0 && f.error.isEmpty();
        if (!l->Conserva(completo) && f.error.isEmpty()) f.error = l->error();
        f.paginas = pintor.paginas();
        f.documentos = pintor.documentos();
        QMetaObject::invokeMethod(
            this,
            [this, f] {
              hilo_->wait();
              delete hilo_;
              hilo_ = nullptr;
              emit terminado(f);
            },
            Qt::QueuedConnection);
      });
  hilo_->start();
}

void TrabajoImpresion::Decide(Decision d) {
  {
    std::lock_guard bloqueo(m_);
    decision_ = d;
  }
  cv_.notify_all();
}

void TrabajoImpresion::Despierta() {
  { std::lock_guard bloqueo(m_); }
  cv_.notify_all();
}

}  // namespace zendo

#pragma once
// Output mode 5, "Copiar en soporte externo", on `listados`: the name of the file, the
// format (AD243 or one of six text layouts), the destination (a mounted medium by its
// label, the data folder, the home folder or another folder), and the copy itself, run off
// the interface thread with its status texts and Cancelar.

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/output/destinos.h"
#include "engine/output/exportacion.h"
#include "gui/output/panel_modo.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QThread;

namespace zendo {

class BotonValor;
class MarcoTitulo;

class PanelCopia : public QObject, public PanelModo {
  Q_OBJECT

 public:
  // `unidad` is UnidadDestino: empty until the user picks a destination, then kept by every
  // copy of the program's run.
  PanelCopia(std::shared_ptr<ListaVolumenes> volumenes,
             std::shared_ptr<std::optional<Destino>> unidad);
  ~PanelCopia() override;

  QString nombreAccion() const override { return QStringLiteral("Pic_BotCopiar"); }
  QString textoAccion() const override { return QStringLiteral("Copiar"); }
  QSize Construye(PantallaListados& pantalla, QWidget* zona) override;
  void Accion() override;

  FormatoExportacion formato() const;
  // Where the copy goes: the chosen destination, the data folder before any choice.
  Destino destino() const;
  // The destinations the list offers now.
  const std::vector<Destino>& destinos() const { return destinos_; }
  bool copiando() const { return hilo_ != nullptr; }
  // Every text the status line showed since the copy began.
  const QStringList& estados() const { return estados_; }

  // The folder chooser of "Otra carpeta…"; empty when the user gives up. Tests answer it.
  std::function<QString(const QString& inicial)> eligeCarpeta;

 signals:
  // The copy has ended and the screen is idle again.
  void copiaTerminada();

 private:
  void CargaLisUnidades();
  QString ConfirmaUnidad();
  // The destination's name for the caption of Pic_BotUnidad; its folder under it.
  QString TextoUnidad();
  void PonEstado(const QString& texto, bool centrado = false);
  void Termina(const ResultadoExportacion& r, const QString& ruta);
  void Habilita(bool si);

  std::shared_ptr<ListaVolumenes> volumenes_;
  std::shared_ptr<std::optional<Destino>> unidad_;
  PantallaListados* pantalla_ = nullptr;
  MarcoTitulo* marcoNombre_ = nullptr;
  MarcoTitulo* opcionesDisco_ = nullptr;
  QLineEdit* nombre_ = nullptr;
  std::array<QRadioButton*, kNumFormatosExportacion> opciones_{};
  BotonValor* unidadValor_ = nullptr;
  QListWidget* lista_ = nullptr;
  QLabel* carpeta_ = nullptr;
  std::vector<Destino> destinos_;
  QThread* hilo_ = nullptr;
  QStringList estados_;
  int porcentaje_ = -1;
};

// Offers mode 5 on `salida`, with the machine's mounted media.
void RegistraModoCopia(ModosSalida& modos, std::shared_ptr<ListaVolumenes> volumenes);

}  // namespace zendo

#pragma once
// The scrutiny screen `escrutin`: the quiniela panel of the current reduction with the
// winning column beside it, the prize per column of each category, and "Realizar el
// escrutinio", which keeps the winning column and the prizes in the jornada's record and then
// counts every stored column (on a worker thread; a long count shows its progress and can be
// cancelled). The lists show the hits per category with their amounts and the boletos that
// hold 10 or more hits.

#include <QThread>
#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "engine/core/jornadas.h"
#include "engine/scrutiny/escrutinio.h"
#include "engine/scrutiny/ganadora.h"
#include "gui/scrutiny/impresion_escrutinio.h"
#include "gui/shell/formulario_reduccion.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QProgressBar;

namespace zendo {

class Boton;
class CabeceraColumnas;
class ModeloBoletos;
class PanelQuiniela;
class RejillaGanadora;
class SelectorReduccion;

class PantallaEscrutinio : public FormularioReduccion {
  Q_OBJECT

 public:
  // `imprime` is the printout of Pic_BotImpriEscru; without it the button never shows.
  explicit PantallaEscrutinio(Servicios& servicios, QWidget* padre = nullptr,
                              ImpresionEscrutinio imprime = {});
  ~PantallaEscrutinio() override;

  // Closing while counting cancels the count first and waits for it to stop.
  void done(int resultado) override;

  PanelQuiniela* panel() const { return panel_; }
  RejillaGanadora* rejillaGanadora() const { return ganadora_; }
  const MarcasGanadora& marcas() const { return marcas_; }
  // A count is running on the worker thread.
  bool enMarcha() const { return hilo_ != nullptr; }
  // The last complete scrutiny, none before the first or after a reload or cancel.
  std::shared_ptr<const ResultadoEscrutinio> resultado() const { return resultado_; }

  // The counting routine, Escruta unless a test puts a slower one in its place.
  using Contador = std::function<ResultadoEscrutinio(
      const std::filesystem::path&, const Reduccion&, std::string_view, const PremiosCentimos&,
      const ProgresoEscrutinio&, const std::atomic<bool>&)>;
  void PonContador(Contador contador) { contador_ = std::move(contador); }

 signals:
  // A count has ended: completed, cancelled or failed.
  void escrutinioTerminado();

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Construye();
  void CargaPantalla();
  void RecargaPantalla();
  void Coloca();
  void PonMedia();
  void ClicGanadora(int partido, int signo);
  // LostFocus of a prize box: "#######0.00" with ".", whatever the regional settings.
  void NormalizaPremio(int k);
  void LimpiaResultado();

  void PulsaEscrutar();
  void ArrancaEscrutinio(const std::string& ganadora, const PremiosCentimos& premios);
  void AvisoProgreso(uint64_t leidos, uint64_t total);
  void FinEscrutinio();
  void PulsaCancelar();
  void PulsaImprimir();
  void HabilitaPantalla(bool habilitada);

  ImpresionEscrutinio imprime_;
  SelectorReduccion* selector_ = nullptr;
  QLabel* titulo_ = nullptr;
  QLabel* descripcion_ = nullptr;
  QLabel* externo_ = nullptr;
  PanelQuiniela* panel_ = nullptr;
  QLabel* cabGanadora_ = nullptr;
  RejillaGanadora* ganadora_ = nullptr;
  QLabel* media_ = nullptr;
  QGroupBox* fraPremios_ = nullptr;
  std::array<QLabel*, 7> etiquetas_{};   // Label1..Label6
  std::array<QLineEdit*, 7> premios_{};  // Tex_Premios1..6
  Boton* escrutar_ = nullptr;
  Boton* impriEscru_ = nullptr;
  std::array<QLabel*, 4> cabListas_{};
  CabeceraColumnas* cabBoletos_ = nullptr;
  int altoFila_ = 14;
  QListWidget* lisAciertos_ = nullptr;
  QListView* lisBoletos_ = nullptr;
  ModeloBoletos* modeloBoletos_ = nullptr;
  QWidget* progreso_ = nullptr;
  QProgressBar* barra_ = nullptr;
  Boton* botCancelar_ = nullptr;

  MarcasGanadora marcas_{};
  std::shared_ptr<const ResultadoEscrutinio> resultado_;

  // The count.
  Contador contador_ = Escruta;
  std::unique_ptr<QThread> hilo_;
  std::atomic<bool> cancelar_{false};
  Reduccion trabajo_;  // the reduction the worker counts (a copy)
  std::shared_ptr<ResultadoEscrutinio> enCurso_;
};

}  // namespace zendo

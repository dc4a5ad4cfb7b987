#pragma once
// The options and the print runs of output modes 1 to 4 on `listados`: the basic-data
// sheet (copies), individual boletos (range, margins, orientation, front or reverse, test
// print, Repetir / Siguiente), continuous paper (range, margins, test print) and the list
// of boletos (range, paper width). Beside Imprimir, "Vista previa" shows the same pages in
// the print preview and "PDF" saves them to a file.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "engine/output/documentos.h"
#include "engine/output/opciones_salida.h"
#include "gui/output/panel_modo.h"
#include "gui/output/trabajo_impresion.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace zendo {

class Boton;
class BotonValor;
class MarcoTitulo;

class PanelImpresion : public QObject, public PanelModo {
  Q_OBJECT

 public:
  explicit PanelImpresion(int modo);
  ~PanelImpresion() override;

  QString nombreAccion() const override { return QStringLiteral("Pic_BotImprimir"); }
  QString textoAccion() const override { return QStringLiteral("Imprimir"); }
  QSize Construye(PantallaListados& pantalla, QWidget* zona) override;
  void Accion() override;
  void AlCancelar() override;

  void VistaPrevia();
  void Pdf();
  // What would be printed now, with the options of the screen.
  Impresion Peticion() const;

  // The name of the PDF file: a save dialog, answered by the tests.
  std::function<QString(const QString& propuesto)> pideFichero;
  // The printer that Imprimir uses: the system's default one.
  std::function<QString()> impresora;

  const RangoBoletos& rango() const { return rango_; }
  int copias() const { return copias_; }
  int anchoPapel() const { return anchoPapel_; }
  TrabajoImpresion* trabajo() const { return trabajo_; }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  BotonValor* Valor(const QString& boton, const QString& caja, const QString& rotulo, int largo,
                    const QString& texto);
  void PonRango();
  void CierraEditores();
  // Starts a run into `lienzo` (printer or PDF file).
  void Arranca(TrabajoImpresion::FabricaLienzo lienzo, bool espera);
  void AlTerminar(const TrabajoImpresion::Final& f);
  void PulsaDecision(Boton* boton, Decision d);
  void ColocaDecisiones();
  void PonOrientacion();

  int modo_;
  PantallaListados* pantalla_ = nullptr;
  QWidget* zona_ = nullptr;
  TrabajoImpresion* trabajo_ = nullptr;
  BotonValor* bolIni_ = nullptr;
  BotonValor* bolFin_ = nullptr;
  BotonValor* numCopias_ = nullptr;
  BotonValor* marIzq_ = nullptr;
  BotonValor* marSup_ = nullptr;
  BotonValor* ancPap_ = nullptr;
  QCheckBox* prueba_ = nullptr;
  MarcoTitulo* opciones_ = nullptr;
  QRadioButton* anverso_ = nullptr;
  QRadioButton* reverso_ = nullptr;
  QLabel* orientacion_ = nullptr;
  Boton* vistaPrevia_ = nullptr;
  Boton* pdf_ = nullptr;
  Boton* repetir_ = nullptr;
  Boton* siguiente_ = nullptr;

  Jornada jornada_;
  RangoBoletos rango_;
  int64_t numBoletos_ = 1;
  int copias_ = 1;
  int anchoPapel_ = 0;
  bool imprimiendo_ = false;  // at the printer (not into a file)
};

// Offers modes 1 to 4 on `salida`.
void RegistraModosImpresion(ModosSalida& modos);

}  // namespace zendo

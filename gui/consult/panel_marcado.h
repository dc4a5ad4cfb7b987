#pragma once
// The marking panel of the consultation (method 5): the frame Fra_MetodosMarcado with its
// three Opt_MetodoMarcar, and below it the controls of the method chosen: the check boxes
// Chk_NumVar(0..14) by number of variants, Pic_BotPorcen with Lis_Porcen for a random
// percentage, or the hint Lab_Manual for marking by hand; then the summary Pic_EstaMar, the
// preview Pic_TotSel and the button Pic_BotMarcaSel.

#include <QWidget>
#include <array>
#include <functional>

#include "engine/consult/marcado.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace zendo {

class Boton;
class Servicios;

// Pic_EstaMar: columns left unmarked and columns marked.
class CuadroEstaMar : public QWidget {
  Q_OBJECT

 public:
  explicit CuadroEstaMar(QWidget* padre);
  void Pon(int64_t sinMarcar, int64_t marcadas);
  QString texto() const;

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  int64_t sinMarcar_ = 0;
  int64_t marcadas_ = 0;
};

// Pic_TotSel: "Totales: " + what stays unmarked + " / " + what the next marking marks.
class CuadroTotSel : public QWidget {
  Q_OBJECT

 public:
  explicit CuadroTotSel(QWidget* padre);
  void Pon(const TotalesMarcado& t);
  QString texto() const;

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  TotalesMarcado t_;
};

class PanelMarcado : public QWidget {
  Q_OBJECT

 public:
  // `pantalla` holds the list of percentages, which opens over the columns; `estado` is the
  // screen's own count of the work file.
  PanelMarcado(Servicios& servicios, const EstadoMarcado& estado, QWidget* pantalla);

  // Clears the option buttons and selects method 1, as a load does.
  void Reinicia();
  // CuerpoMarcadasInicia: the controls of the method chosen.
  void Inicia();
  // CuerpoMarcadasActualiza: captions, counts and the preview from the current counts.
  void Actualiza();
  // After a marking by percentage: back to 0 %.
  void PorcentajeACero();

  int MetodoMarcado() const { return metodo_; }
  int PorcentajeMarcar() const { return porcentaje_; }
  std::array<bool, 15> VariantesMarcadas() const;
  const TotalesMarcado& totales() const { return totales_; }
  // Closes the list of percentages if it is open, taking its choice.
  void CierraLista();
  // The height the panel needs for the current method.
  int AltoNecesario() const { return alto_; }

  // The method changed (the screen turns hand marking on or off).
  std::function<void()> alCambiarMetodo;
  // Pic_BotMarcaSel was pressed: mark by variants or by percentage.
  std::function<void()> alMarcar;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void EligeMetodo(int metodo, bool clic);
  void PulsaPorcen();
  void Coloca();

  Servicios& s_;
  const EstadoMarcado& e_;
  QWidget* pantalla_;
  QGroupBox* fra_ = nullptr;
  std::array<QRadioButton*, 4> opt_{};
  QWidget* zonaVariantes_ = nullptr;
  std::array<QCheckBox*, 15> chk_{};
  Boton* porcen_ = nullptr;
  QListWidget* lisPorcen_ = nullptr;
  QLabel* manual_ = nullptr;
  CuadroEstaMar* estaMar_ = nullptr;
  CuadroTotSel* totSel_ = nullptr;
  Boton* marcaSel_ = nullptr;
  int metodo_ = kMetodoSinElegir;
  int porcentaje_ = 0;
  TotalesMarcado totales_;
  bool actualizando_ = false;
  bool cerrandoLista_ = false;
  int alto_ = 0;

  static constexpr int kMetodoSinElegir = 0;
};

}  // namespace zendo

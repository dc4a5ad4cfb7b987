#pragma once
// The history screen `historic`: every stored reduction, one line each, 17 to a page. A
// click on a line makes it the current reduction and closes the screen; a click on its
// delete symbol deletes it after a question. Opened by the index button of the reduction,
// consultation, output and scrutiny screens, which then look at vieneDeHistorico().

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "gui/shell/formulario.h"

class QListWidget;

namespace zendo {

class Servicios;
enum class OrdenHistorico;  // engine/core/historico.h

// The page `Pic_Carpeta`: up to 17 lines in rows 25 pixels high, each with its delete
// symbol; the pointing hand over a line or a symbol.
class CarpetaHistorico : public QWidget {
  Q_OBJECT

 public:
  CarpetaHistorico(Servicios& servicios, QWidget* padre);

  // `actual`: the 1-based line of the current reduction, drawn highlighted (0 for none).
  void PonPagina(const std::vector<std::string>* lineas, int primeraLinea, int actual = 0);
  int filaRaton() const { return filaRaton_; }
  // The font of the lines and its width per character, shared with the title rows.
  const QFont& fuente() const { return fuente_; }
  double anchoCaracter() const { return anchoCaracter_; }

  // HallaCualLinea: the row under a point of the page (kSinFila for none); sets the pointer.
  int HallaCualLinea(QPoint punto);

 signals:
  void elegida(int linea);  // 1-based position of the line
  void borrada(int linea);
  void paginada(int boton);  // paging from the keyboard, as the buttons 1..4

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void leaveEvent(QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  Servicios& s_;
  const std::vector<std::string>* lineas_ = nullptr;
  int primeraLinea_ = 1;
  int actual_ = 0;
  int filaRaton_ = 99;
  int filaTeclado_ = 0;  // the row chosen from the keyboard
  QFont fuente_;
  double anchoCaracter_ = 7;
};

class PantallaHistorico : public Formulario {
  Q_OBJECT

 public:
  PantallaHistorico(Servicios& servicios, QWidget* padre = nullptr);

  // While columns of the current reduction are marked for deletion, choosing a line runs
  // their deletion instead (and the current reduction stays).
  void PonColumnasMarcadas(int columnasMarcadas, std::function<void()> borraMarcadas);

  bool vieneDeHistorico() const { return vieneDeHistorico_; }
  // True when the current reduction was among those deleted here.
  bool borroLaActual() const { return borroLaActual_; }
  int primeraLinea() const { return primeraLinea_; }
  const std::vector<std::string>& lineas() const { return lineas_; }

  // The first line shown after paging button i (1..4), as Pic_BotAdeAtr(i) does.
  void Pagina(int boton);
  // A click on a column head orders the lines by it; a second click reverses the order.
  void OrdenaPor(OrdenHistorico columna);
  OrdenHistorico orden() const { return orden_; }
  bool descendente() const { return descendente_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;

 private:
  void RellenaLisDatos(bool paginaDeLaActual);
  void Elige(int linea);
  void Borra(int linea);
  // The column head under a point of the screen; Indice when none.
  OrdenHistorico CabeceraEn(QPoint punto) const;

  CarpetaHistorico* carpeta_ = nullptr;
  QListWidget* lisDatos_ = nullptr;
  std::vector<std::string> lineas_;
  int primeraLinea_ = 1;
  OrdenHistorico orden_{};  // Indice: the order of the index
  bool descendente_ = false;
  bool vieneDeHistorico_ = false;
  bool borroLaActual_ = false;
  int columnasMarcadas_ = 0;
  std::function<void()> borraMarcadas_;
};

// AbreHistorico: shows the history screen modally; true when a reduction was chosen (the
// current Jornada and Orden of the general data are then that reduction's).
bool AbreHistorico(Servicios& servicios, QWidget* padre, int columnasMarcadas = 0,
                   std::function<void()> borraMarcadas = {});

}  // namespace zendo

#pragma once
// The jornada screen `jornadas`: choose a jornada, edit its date and the two teams of each
// of its 15 matches, and write them to JORNADAS.TVX; the list of teams is kept on `equipos`.

#include <array>

#include "engine/screens/datos_jornada.h"
#include "gui/shell/formulario.h"

class QComboBox;
class QFrame;
class QLineEdit;

namespace zendo {

class Boton;
class ListaJornadas;

class PantallaJornadas : public Formulario {
  Q_OBJECT

 public:
  PantallaJornadas(Servicios& servicios, QWidget* padre = nullptr);

 private:
  void NroJor_MD();
  void CargaJornada(int jornada);
  void FecJor_MD();
  bool CierraFecha();
  bool ValidaFecha();
  CajasFecha Cajas() const;
  void CreaCboEquipo();
  void TecleoEquipo(int caja);
  void TecleoFecha(QLineEdit* caja);
  void Guarda();
  void AbreEquipos();
  void MuestraGuardar();
  void Rotula();

  Boton* nroJor_ = nullptr;
  Boton* fecJor_ = nullptr;
  Boton* guardar_ = nullptr;
  Boton* equipos_ = nullptr;
  ListaJornadas* lisJornadas_ = nullptr;
  QFrame* picFecJor_ = nullptr;
  QLineEdit* texFecDia_ = nullptr;
  QLineEdit* texFecMes_ = nullptr;
  QLineEdit* texFecAno_ = nullptr;
  std::array<QComboBox*, kCajasEquipo + 1> cboEquipo_{};  // [1..30]
};

}  // namespace zendo

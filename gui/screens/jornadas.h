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
  ~PantallaJornadas() override;

  // Leaving with team names or a date not stored asks first; Cancelar keeps the screen.
  void done(int resultado) override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void NroJor_MD();
  void CargaJornada(int jornada);
  void FecJor_MD();
  bool CierraFecha();
  bool ValidaFecha();
  CajasFecha Cajas() const;
  void CreaCboEquipo();
  void TecleoEquipo();
  void TecleoFecha(QLineEdit* caja);
  void Guarda();
  std::array<std::string, kCajasEquipo + 1> EquiposDeCajas() const;
  bool CambiosSinGuardar() const;
  // True when nothing is lost: no changes, or the player accepts to drop them (the date
  // then returns to the stored one).
  bool PuedeDescartar();
  void CierraFechaSinCambios();
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
  std::string registroGuardado_;  // the record of the jornada as the file holds it
  std::string fechaGuardada_;
  bool saliendo_ = false;
};

}  // namespace zendo

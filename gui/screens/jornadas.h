#pragma once
// The jornada screen `jornadas`: choose a jornada, edit its date and the two teams of each
// of its 15 matches, and write them to JORNADAS.TVX; the list of teams is kept on `equipos`.

#include <QString>
#include <array>
#include <cstddef>
#include <string_view>

#include "engine/screens/datos_jornada.h"
#include "gui/shell/formulario.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QListWidget;

namespace zendo {

class Boton;

// Keeps in a box only what a Windows-1252 file can hold, without `prohibidos`, cut to
// `maximo` characters; the caret stays where it was. True when the text changed.
bool FiltraCajaCp1252(QLineEdit* caja, std::size_t maximo, std::string_view prohibidos = {});

class PantallaJornadas : public Formulario {
  Q_OBJECT

 public:
  PantallaJornadas(Servicios& servicios, QWidget* padre = nullptr);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void NroJor_MD();
  void TomaJornada();
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
  QListWidget* lisJornadas_ = nullptr;
  QFrame* picFecJor_ = nullptr;
  QLineEdit* texFecDia_ = nullptr;
  QLineEdit* texFecMes_ = nullptr;
  QLineEdit* texFecAno_ = nullptr;
  std::array<QComboBox*, kCajasEquipo + 1> cboEquipo_{};  // [1..30]
  bool tomando_ = false;
};

}  // namespace zendo

#pragma once
// The options and the run of output mode 6, "Enviar por correo electrónico": what to send
// (Chk_MailBase, Chk_MailColumnas), the address book (Tex_NuevaDireccion, Lis_Direcciones,
// kept in DIRECC.TVX), the mail settings, and the send itself: one message per selected
// address, in list order, over one connection, off the interface thread, with its progress
// on the status line and Cancelar between messages.
//
// The screen that hosts it gives its busy state, its status line and its cancel flag.

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/output/ajustes_correo.h"
#include "engine/output/envio_correo.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace zendo {

class Boton;
class LlaveroCorreo;
class Servicios;

class PanelCorreo : public QWidget {
  Q_OBJECT

 public:
  explicit PanelCorreo(Servicios& servicios, QWidget* padre = nullptr);
  ~PanelCorreo() override;

  // What the hosting screen lends: its busy state, its status line and its cancel flag.
  struct Anfitrion {
    std::function<void()> empieza;
    std::function<void()> termina;
    std::function<void(const QString&)> estado;
    std::atomic<bool>* cancelado = nullptr;
  };
  void PonAnfitrion(Anfitrion anfitrion) { anfitrion_ = std::move(anfitrion); }

  // The mail transport of each send (SMTP through libcurl unless a test gives its own) and
  // the keyring of the password (the program's unless a test gives its own).
  std::function<std::unique_ptr<TransporteCorreo>()> creaTransporte;
  LlaveroCorreo* llavero = nullptr;

  // Pic_BotEnviar.
  void Envia();
  // Salir: DIRECC.TVX rewritten from the list. A failure is told and, unless the user
  // chooses to leave anyway, keeps the screen (and what was typed) open: false.
  bool GuardaLista();
  // Pic_BotAjustesCorreo: the "Correo" settings dialog. False when left without saving.
  bool AbreAjustes();

  // The addresses of the list, in order (Windows-1252), and the report of the last send.
  std::vector<std::string> Direcciones() const;
  const InformeEnvio& ultimoEnvio() const { return informe_; }

 protected:
  // Enter on an address of the list takes it back into the box, as a double click does.
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CargaLisDirecciones();
  void AnadeDireccion();
  void EditaDireccion(QListWidgetItem* item);
  void MuestraAjustes();
  void Estado(const QString& texto);

  Servicios& s_;
  Anfitrion anfitrion_;
  std::atomic<bool> canceladoPropio_{false};
  InformeEnvio informe_;
  QCheckBox* chkBase_ = nullptr;
  QCheckBox* chkColumnas_ = nullptr;
  QLineEdit* texNueva_ = nullptr;
  QListWidget* lisDirecciones_ = nullptr;
  Boton* ajustes_ = nullptr;
  QLabel* servidor_ = nullptr;
};

}  // namespace zendo

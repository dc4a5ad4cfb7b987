#pragma once
// A paging button Pic_BotAdeAtr(i), 29 pixels wide, drawn from the button strip with an
// arrow: 1 the start, 2 back, 3 forward, 4 the end. An inactive button (it could not move)
// shows a faded arrow, offers no pointing hand and ignores presses.

#include <QWidget>
#include <functional>

namespace zendo {

class BotonPagina : public QWidget {
  Q_OBJECT

 public:
  BotonPagina(int indice, const QString& ayuda, std::function<void()> alPulsar, QWidget* padre);

  void Dibuja(bool pulsado);
  bool pulsado() const { return pulsado_; }
  void PonActivo(bool activo);
  bool activo() const { return activo_; }
  int indice() const { return indice_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  int indice_;
  std::function<void()> alPulsar_;
  bool pulsado_ = false;
  bool activo_ = true;
};

}  // namespace zendo

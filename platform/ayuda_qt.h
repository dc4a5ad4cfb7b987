#pragma once
// The help of the program: HTML pages in the Qt resources, one per context number
// (":/ayuda/2700.html"), shown in a viewer window with links between topics.

#include <QDialog>
#include <QPointer>

#include "engine/shell/servicios.h"

class QTextBrowser;

namespace zendo {

class VentanaAyuda : public QDialog {
  Q_OBJECT

 public:
  explicit VentanaAyuda(QWidget* padre = nullptr);
  // Shows the topic of a context number; a missing topic shows a clear message instead.
  void MuestraTema(int contexto);
  int tema() const { return tema_; }

 private:
  QTextBrowser* visor_;
  int tema_ = 0;
};

class VisorAyudaQt : public VisorAyuda {
 public:
  VisorAyudaQt() = default;
  ~VisorAyudaQt() override;
  VisorAyudaQt(const VisorAyudaQt&) = delete;
  VisorAyudaQt& operator=(const VisorAyudaQt&) = delete;

  void Abre(int contexto) override;
  VentanaAyuda* ventana() const { return ventana_; }

 private:
  QPointer<VentanaAyuda> ventana_;
};

// The resource of a help topic, and whether it exists.
QString RecursoAyuda(int contexto);
bool ExisteTemaAyuda(int contexto);
inline constexpr int kTemaContenido = 1000;  // the contents page

}  // namespace zendo

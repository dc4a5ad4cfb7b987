#pragma once
// The sounds of the program, WAVE data in the Qt resources, played with Qt Multimedia.
// A sound is loaded the first time it is asked for; a machine without an audio output
// plays nothing and says nothing.

#include <QHash>

#include "engine/shell/servicios.h"

class QSoundEffect;

namespace zendo {

class ReproductorQt : public ReproductorSonido {
 public:
  ReproductorQt();
  ~ReproductorQt() override;
  ReproductorQt(const ReproductorQt&) = delete;
  ReproductorQt& operator=(const ReproductorQt&) = delete;

  void Toca(int id, bool asincrono) override;
  // How many sounds have been loaded so far.
  int cargados() const { return static_cast<int>(efectos_.size()); }

 private:
  QHash<int, QSoundEffect*> efectos_;
  bool sinSalida_ = false;
};

// The resource of sound `id` (":/sonidos/6.wav").
QString RecursoSonido(int id);

}  // namespace zendo

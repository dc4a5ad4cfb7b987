#include "platform/volumenes_qt.h"

#include <QStorageInfo>

namespace zendo {

std::vector<Volumen> ListaVolumenesQt::Montados() {
  std::vector<Volumen> lista;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid()) continue;
    Volumen m;
    m.raiz = std::filesystem::path(v.rootPath().toStdString());
    m.etiqueta = v.name().toStdString();
    m.dispositivo = v.device().toStdString();
    m.tipoSistema = v.fileSystemType().toStdString();
    m.soloLectura = v.isReadOnly();
    m.preparado = v.isReady();
    m.extraible = EsCarpetaDeSoportes(m.raiz);
    lista.push_back(std::move(m));
  }
  return lista;
}

}  // namespace zendo

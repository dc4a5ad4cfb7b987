#include "gui/scrutiny/modelo_boletos.h"

#include <limits>

#include "gui/shell/texto_qt.h"

namespace zendo {

void ModeloBoletos::PonResultado(std::shared_ptr<const ResultadoEscrutinio> resultado) {
  beginResetModel();
  resultado_ = std::move(resultado);
  endResetModel();
}

int ModeloBoletos::rowCount(const QModelIndex& padre) const {
  if (padre.isValid() || !resultado_) return 0;
  const std::size_t n = resultado_->boletos.size();
  return n > static_cast<std::size_t>(std::numeric_limits<int>::max())
             ? std::numeric_limits<int>::max()
             : static_cast<int>(n);
}

QVariant ModeloBoletos::data(const QModelIndex& indice, int rol) const {
  if (rol != Qt::DisplayRole || !resultado_ || !indice.isValid() || indice.row() < 0 ||
      static_cast<std::size_t>(indice.row()) >= resultado_->boletos.size()) {
    return {};
  }
  return DeCp(LineaBoleto(resultado_->boletos[static_cast<std::size_t>(indice.row())]));
}

}  // namespace zendo

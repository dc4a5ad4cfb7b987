#pragma once
// The rows of Lis_Boletos, made from the result of a scrutiny as they are shown: a large
// reduction may list tens of thousands of boletos, so no row is built before it is seen.

#include <QAbstractListModel>
#include <memory>

#include "engine/scrutiny/escrutinio.h"

namespace zendo {

class ModeloBoletos : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit ModeloBoletos(QObject* padre) : QAbstractListModel(padre) {}

  // The boletos of a scrutiny; none empties the list.
  void PonResultado(std::shared_ptr<const ResultadoEscrutinio> resultado);

  int rowCount(const QModelIndex& padre = QModelIndex()) const override;
  QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;

 private:
  std::shared_ptr<const ResultadoEscrutinio> resultado_;
};

}  // namespace zendo

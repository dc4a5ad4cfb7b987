#pragma once
// The edge between the engine's Windows-1252 texts and Qt's strings.

#include <QString>
#include <string>

#include "engine/core/texto.h"

namespace zendo {

inline QString DeCp(const std::string& cp1252) {
  return QString::fromStdString(Cp1252AUtf8(cp1252));
}

// A typed text in Windows-1252; characters without a place there are dropped.
inline std::string ACp(const QString& texto) {
  std::string r;
  for (const QChar c : texto) {
    const ConversionCp1252 conv = Utf8ACp1252(QString(c).toStdString());
    if (conv.ok) r += conv.texto;
  }
  return r;
}

}  // namespace zendo

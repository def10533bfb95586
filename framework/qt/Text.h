#pragma once

#include <string>

#include <QString>

namespace kirabo {

// Program texts and paths are byte strings in the locale's character set;
// widgets hold QString. These two convert between them, as paths are.
inline QString ToQString(const std::string& text) { return QString::fromLocal8Bit(text.data(), qsizetype(text.size())); }

inline std::string FromQString(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), size_t(bytes.size()));
}

}  // namespace kirabo

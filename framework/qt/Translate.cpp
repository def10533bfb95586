#include "framework/Translate.h"

#include <QCoreApplication>

#include "framework/qt/Text.h"

namespace kirabo {

std::string Translate(const char* context, const char* source) {
  const QString translated = QCoreApplication::translate(context, source);
  // An untranslated text keeps its own bytes rather than a round trip
  // through the locale's character set.
  if (translated == QString::fromUtf8(source)) return source;
  return FromQString(translated);
}

}  // namespace kirabo

#include "framework/qt/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace kirabo {

namespace {

// a * b / c rounded half away from zero, without intermediate overflow.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

QString ChooseFamily(const QString& faceName) {
  const QStringList families = QFontDatabase::families();
  for (const QString& wanted : {faceName, QStringLiteral("IPAPGothic")}) {
    if (families.contains(wanted, Qt::CaseInsensitive)) return wanted;
  }
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
    if (family.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive) || family.contains(QStringLiteral("ゴシック")))
      return family;
  }
  return faceName;  // leave the choice to the font matcher
}

}  // namespace

QFont DialogFont(const std::string& faceName, int pointSize) {
  QFont font(ChooseFamily(QString::fromUtf8(faceName.c_str())));
  font.setPixelSize(MulDiv(pointSize, 96, 72));
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters + 26) / 52, metrics.height()};
}

QRect DialogUnitsToPixels(const DialogRect& rect, DialogBaseUnits units) {
  const int left = MulDiv(rect.x, units.x, 4);
  const int top = MulDiv(rect.y, units.y, 8);
  const int right = MulDiv(rect.x + rect.width, units.x, 4);
  const int bottom = MulDiv(rect.y + rect.height, units.y, 8);
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace kirabo

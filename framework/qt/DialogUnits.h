#pragma once

#include <QFont>
#include <QRect>

#include "framework/DialogTemplate.h"

namespace kirabo {

// The font of a dialog template: the named face when the system has it,
// otherwise IPAPGothic, otherwise any Japanese Gothic face. The size is taken
// at 96 dots per inch, as the templates were laid out.
QFont DialogFont(const std::string& faceName, int pointSize);

// Horizontal and vertical dialog base units of a font in pixels: the average
// width of the 52 ASCII letters, and the font's height.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};
DialogBaseUnits BaseUnitsOf(const QFont& font);

// Pixel geometry of a rectangle in dialog units (x/4 and y/8 of the base
// units), rounded edge by edge as Windows maps dialog rectangles.
QRect DialogUnitsToPixels(const DialogRect& rect, DialogBaseUnits units);

}  // namespace kirabo

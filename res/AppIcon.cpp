#include "res/AppIcon.h"

#include "res/AppIcon16.xpm"
#include "res/AppIcon32.xpm"

namespace kirabo {

std::span<const char* const* const> AppIconImages() {
  static const char* const* const images[] = {kAppIcon32, kAppIcon16};
  return images;
}

}  // namespace kirabo

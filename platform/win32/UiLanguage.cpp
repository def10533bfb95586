#include "platform/UiLanguage.h"

#include <windows.h>

namespace kirabo {

std::string SystemUiLanguage() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  const int length =
      LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0);
  std::string tag;
  // Locale names are ASCII ("ja-JP"); the terminating NUL is counted.
  for (int i = 0; i + 1 < length; ++i) tag += char(name[i]);
  return tag;
}

}  // namespace kirabo

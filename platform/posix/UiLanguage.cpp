#include "platform/UiLanguage.h"

#include <cstdlib>

namespace kirabo {

std::string SystemUiLanguage() {
  if (const char* languages = std::getenv("LANGUAGE")) {
    const std::string_view list = languages;
    for (size_t start = 0; start <= list.size();) {
      size_t end = list.find(':', start);
      if (end == std::string_view::npos) end = list.size();
      if (end > start) return std::string(list.substr(start, end - start));
      start = end + 1;
    }
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return std::string();
}

}  // namespace kirabo

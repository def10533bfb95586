#include "platform/UiLanguage.h"

#include <cstdlib>

namespace kirabo {

bool IsJapaneseTag(std::string_view tag) {
  if (tag.size() < 2 || (tag[0] != 'j' && tag[0] != 'J') || (tag[1] != 'a' && tag[1] != 'A')) return false;
  if (tag.size() == 2) return true;
  const char next = tag[2];
  return next == '-' || next == '_' || next == '.' || next == '@';
}

UiLanguage ChooseUiLanguage(const char* kiraboLang, std::string_view firstUiLanguage) {
  const std::string_view chosen = kiraboLang != nullptr && *kiraboLang != '\0' ? kiraboLang : firstUiLanguage;
  return IsJapaneseTag(chosen) ? UiLanguage::Japanese : UiLanguage::English;
}

std::string FirstUiLanguageFromEnvironment() {
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

UiLanguage UiLanguageFromEnvironment() {
  return ChooseUiLanguage(std::getenv("KIRABO_LANG"), FirstUiLanguageFromEnvironment());
}

const char* LanguageCode(UiLanguage language) { return language == UiLanguage::Japanese ? "ja" : "en"; }

}  // namespace kirabo

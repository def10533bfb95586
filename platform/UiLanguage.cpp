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

UiLanguage UiLanguageFromEnvironment() { return ChooseUiLanguage(std::getenv("KIRABO_LANG"), SystemUiLanguage()); }

const char* LanguageCode(UiLanguage language) { return language == UiLanguage::Japanese ? "ja" : "en"; }

}  // namespace kirabo

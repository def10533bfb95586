#pragma once

#include <string>
#include <string_view>

namespace kirabo {

// The program speaks Japanese to users whose interface language is
// Japanese, and English to everyone else.
enum class UiLanguage { Japanese, English };

// True for a language tag or locale name of Japanese: "ja", "ja-JP",
// "ja_JP.UTF-8", "ja@...".
bool IsJapaneseTag(std::string_view tag);

// A non-empty `kiraboLang` (the KIRABO_LANG variable; may be null) decides;
// otherwise the first of the user's interface languages does.
UiLanguage ChooseUiLanguage(const char* kiraboLang, std::string_view firstUiLanguage);

// The user's first interface language as the system names it: on Unix the
// first entry of LANGUAGE, else LC_ALL, LC_MESSAGES or LANG, read as Qt reads
// them; on Windows the user's UI language. Empty when none is named.
std::string SystemUiLanguage();

// By KIRABO_LANG, else by the user's first interface language.
UiLanguage UiLanguageFromEnvironment();

// "ja" or "en".
const char* LanguageCode(UiLanguage language);

}  // namespace kirabo

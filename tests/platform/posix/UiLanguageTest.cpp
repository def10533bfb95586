#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "platform/UiLanguage.h"

namespace kirabo {
namespace {

TEST(UiLanguage, FirstInterfaceLanguageFromTheEnvironment) {
  const struct {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* expected;
  } kCases[] = {
      {"", "", "", "", ""},
      {"", "", "", "ja_JP.UTF-8", "ja_JP.UTF-8"},
      {"", "", "en_GB.UTF-8", "ja_JP.UTF-8", "en_GB.UTF-8"},
      {"", "C.UTF-8", "en_GB.UTF-8", "ja_JP.UTF-8", "C.UTF-8"},
      {"fr:ja", "C.UTF-8", "", "ja_JP.UTF-8", "fr"},
      {"::ja", "", "", "en_US.UTF-8", "ja"},
  };
  for (const auto& [language, lcAll, lcMessages, lang, expected] : kCases) {
    for (const auto& [name, value] :
         {std::pair{"LANGUAGE", language}, {"LC_ALL", lcAll}, {"LC_MESSAGES", lcMessages}, {"LANG", lang}}) {
      if (*value == '\0')
        unsetenv(name);
      else
        setenv(name, value, 1);
    }
    EXPECT_EQ(SystemUiLanguage(), expected) << language << "|" << lcAll << "|" << lcMessages << "|" << lang;
  }
}

}  // namespace
}  // namespace kirabo

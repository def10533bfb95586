#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/UiLanguage.h"
#include "res/translations/TextTable.h"

namespace kirabo {
namespace {

TEST(UiLanguage, KiraboLangOverridesTheFirstInterfaceLanguage) {
  const struct {
    const char* kiraboLang;
    const char* firstUiLanguage;
    UiLanguage expected;
  } kCases[] = {
      {nullptr, "ja", UiLanguage::Japanese},
      {nullptr, "ja-JP", UiLanguage::Japanese},
      {nullptr, "ja_JP.UTF-8", UiLanguage::Japanese},
      {nullptr, "ja_JP.eucJP@x", UiLanguage::Japanese},
      {nullptr, "en-US", UiLanguage::English},
      {nullptr, "de-DE", UiLanguage::English},
      {nullptr, "jam", UiLanguage::English},  // Jamaican Creole, not Japanese
      {nullptr, "C", UiLanguage::English},
      {nullptr, "", UiLanguage::English},
      {"", "ja-JP", UiLanguage::Japanese},  // set but empty: no override
      {"en", "ja-JP", UiLanguage::English},
      {"ja", "en-US", UiLanguage::Japanese},
      {"fr", "ja-JP", UiLanguage::English},
  };
  for (const auto& [kiraboLang, first, expected] : kCases)
    EXPECT_EQ(ChooseUiLanguage(kiraboLang, first), expected) << (kiraboLang ? kiraboLang : "-") << " " << first;
}

TEST(TextTable, EverySourceTextHasOneEnglishTranslation) {
  std::set<std::pair<std::string, std::string>> seen;
  ASSERT_FALSE(EnglishTexts().empty());
  for (const TranslatedText& text : EnglishTexts()) {
    EXPECT_NE(text.english, nullptr) << text.context << ": " << text.source;
    EXPECT_TRUE(seen.insert({text.context, text.source}).second) << "twice: " << text.context << ": " << text.source;
    if (text.english == nullptr) continue;
    EXPECT_STRNE(text.english, text.source) << text.context;
    // A text with a place for a value keeps it in English.
    EXPECT_EQ(std::string(text.source).find("%1") != std::string::npos,
              std::string(text.english).find("%1") != std::string::npos)
        << text.context << ": " << text.source;
  }
}

TEST(TextTable, LooksUpByContextAndKeepsJapanese) {
  EXPECT_STREQ(TextIn(UiLanguage::English, "Cli", "中断しました"), "Stopped");
  EXPECT_STREQ(TextIn(UiLanguage::Japanese, "Cli", "中断しました"), "中断しました");
  EXPECT_STREQ(TextIn(UiLanguage::English, "Elsewhere", "中断しました"), "中断しました");
  EXPECT_EQ(WithArgument("%1\tsearching...", "/a/%1"), "/a/%1\tsearching...");
}

}  // namespace
}  // namespace kirabo

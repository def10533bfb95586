#include "res/translations/TextTable.h"

#include <cstring>
#include <iterator>

namespace kirabo {

namespace {
constexpr TranslatedText kEnglishTexts[] = {
#include "EnglishTexts.inc"
};
}  // namespace

std::span<const TranslatedText> EnglishTexts() { return kEnglishTexts; }

const char* TextIn(UiLanguage language, const char* context, const char* source) {
  if (language == UiLanguage::Japanese) return source;
  for (const TranslatedText& text : kEnglishTexts) {
    if (text.english != nullptr && std::strcmp(text.context, context) == 0 && std::strcmp(text.source, source) == 0)
      return text.english;
  }
  return source;
}

std::string WithArgument(std::string text, std::string_view value) {
  const size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace kirabo

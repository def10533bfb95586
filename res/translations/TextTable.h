#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/UiLanguage.h"

namespace kirabo {

// The program's texts are written in Japanese; kirabo_en.ts beside this file
// holds their English translations. The window loads them with Qt's own
// translator; builds without Qt read this table, made from the same file.
// The context of the words both front ends use for what became of a file.
inline constexpr char kOutcomeContext[] = "FileOutcomes";

struct TranslatedText {
  const char* context;
  const char* source;
  const char* english;  // null where the translation is missing or unfinished
};

// Every message of the translation file, in the file's order.
std::span<const TranslatedText> EnglishTexts();

// `source` of `context` as it reads in `language`: the source itself in
// Japanese, and also where no English translation exists.
const char* TextIn(UiLanguage language, const char* context, const char* source);

// `text` with its first "%1" replaced by `value`.
std::string WithArgument(std::string text, std::string_view value);

}  // namespace kirabo

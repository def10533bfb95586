#include "framework/Translate.h"

#include "framework/Application.h"
#include "res/translations/TextTable.h"

namespace kirabo {

// The English texts come from the table generated from the same translation
// file the Qt build compiles.
std::string Translate(const char* context, const char* source) {
  const Application* app = Application::Instance();
  const UiLanguage language = app != nullptr && app->Language() == "en" ? UiLanguage::English : UiLanguage::Japanese;
  return TextIn(language, context, source);
}

}  // namespace kirabo

#include "framework/Translate.h"

#include "framework/Application.h"
#include "framework/ProgramResources.h"

namespace kirabo {

// The program hands over its text table, made from the same translation
// file the Qt build compiles.
std::string Translate(const char* context, const char* source) {
  const auto text = GetProgramResources().text;
  if (text == nullptr) return source;
  const Application* app = Application::Instance();
  const UiLanguage language = app != nullptr && app->Language() == "en" ? UiLanguage::English : UiLanguage::Japanese;
  return text(language, context, source);
}

}  // namespace kirabo

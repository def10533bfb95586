#include <clocale>
#include <cstdlib>

#include "app/CommandLine.h"
#include "app/MainApp.h"
#include "framework/Application.h"
#include "platform/UiLanguage.h"
#include "res/Version.h"

namespace {
// The one application object, there from static initialisation on.
kirabo::CMainApp theApp;
}  // namespace

int main(int argc, char** argv) {
  if (std::optional<int> answered = kirabo::AnswerCommandLine(argc, argv)) return *answered;
  std::setlocale(LC_ALL, "");
  // The desktop entry is the one installed with the program.
  kirabo::SetProgramIdentity(kirabo::kProductName, kirabo::kVersion, "kirabo");
  const kirabo::UiLanguage language =
      kirabo::ChooseUiLanguage(std::getenv("KIRABO_LANG"), kirabo::FirstUserInterfaceLanguage());
  theApp.SetLanguage(kirabo::LanguageCode(language));
  return theApp.Run(argc, argv);
}

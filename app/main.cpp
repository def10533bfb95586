#include <clocale>
#include <cstdlib>
#include <string>

#include <QGuiApplication>
#include <QLocale>

#include "app/CommandLine.h"
#include "app/MainApp.h"
#include "platform/UiLanguage.h"
#include "res/Version.h"

namespace {
// The one application object, there from static initialisation on.
kirabo::CMainApp theApp;
}  // namespace

int main(int argc, char** argv) {
  if (std::optional<int> answered = kirabo::AnswerCommandLine(argc, argv)) return *answered;
  std::setlocale(LC_ALL, "");
  QCoreApplication::setApplicationName(kirabo::kProductName);
  QCoreApplication::setApplicationVersion(kirabo::kVersion);
  QGuiApplication::setDesktopFileName("kirabo");  // matches the installed .desktop entry
  const QStringList uiLanguages = QLocale::system().uiLanguages();
  const kirabo::UiLanguage language = kirabo::ChooseUiLanguage(
      std::getenv("KIRABO_LANG"), uiLanguages.isEmpty() ? std::string() : uiLanguages.first().toStdString());
  theApp.SetLanguage(kirabo::LanguageCode(language));
  return theApp.Run(argc, argv);
}

#include <clocale>

#include <QGuiApplication>

#include "app/CommandLine.h"
#include "app/MainApp.h"
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
  return theApp.Run(argc, argv);
}

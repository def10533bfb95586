#include <clocale>

#include <QCoreApplication>

#include "app/MainApp.h"
#include "res/Version.h"

namespace {
// The one application object, there from static initialisation on.
kirabo::CMainApp theApp;
}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  QCoreApplication::setApplicationVersion(kirabo::kProductVersion);
  return theApp.Run(argc, argv);
}

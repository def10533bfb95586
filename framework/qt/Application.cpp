#include "framework/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include "framework/qt/Text.h"

namespace kirabo {

int Application::Run(int& argc, char** argv) {
  QApplication gui(argc, argv);
  UseDefaultProfileName();
  if (InitInstance()) gui.exec();
  return ExitInstance();
}

void SetProgramIdentity(const char* productName, const char* version, const char* desktopEntry) {
  QCoreApplication::setApplicationName(QString::fromUtf8(productName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(version));
  QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopEntry));
}

std::string ApplicationTitle() {
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.isEmpty()) return std::string();
  return FromQString(QFileInfo(arguments.first()).completeBaseName());
}

}  // namespace kirabo

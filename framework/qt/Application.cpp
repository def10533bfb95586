#include "framework/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

int Application::Run(int& argc, char** argv) {
  QApplication gui(argc, argv);
  LoadStandardDialogTranslation();
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

bool LoadStandardDialogTranslation() {
  if (QCoreApplication::instance() == nullptr) return false;
  auto* translator = new QTranslator(QCoreApplication::instance());  // lives as long as the application
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace kirabo

#include "framework/Application.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

int Application::Run(int& argc, char** argv) {
  QApplication gui(argc, argv);
  arguments_.assign(argv + std::min(argc, 1), argv + argc);
  LoadTranslations(Language());
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

std::string FirstUserInterfaceLanguage() {
  const QStringList languages = QLocale::system().uiLanguages();
  return languages.isEmpty() ? std::string() : languages.first().toStdString();
}

bool LoadTranslations(const std::string& language) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return false;
  static std::vector<QPointer<QTranslator>> installed;  // null once the application has gone
  for (const QPointer<QTranslator>& translator : installed) {
    if (translator.isNull()) continue;
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  installed.clear();

  const QString code = QString::fromStdString(language);
  bool loaded = true;
  auto install = [&](const QString& file, const QString& folder) {
    auto* translator = new QTranslator(app);  // lives as long as the application, or until replaced
    if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator)) {
      delete translator;
      return false;
    }
    installed.push_back(translator);
    return true;
  };
  const QString program = QStringLiteral(":/i18n/program_%1.qm").arg(code);
  if (QFile::exists(program)) loaded = install(program, QString());
  const bool standard =
      install(QStringLiteral("qtbase_%1").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  // Qt's own texts are English: its English translation may well be empty.
  return loaded && (standard || code == QLatin1String("en"));
}

}  // namespace kirabo

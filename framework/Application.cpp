#include "framework/Application.h"

#include <cstdio>

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "framework/Text.h"
#include "platform/PrivateProfile.h"

namespace kirabo {

namespace {
Application* theApplication = nullptr;
// A read of text settings comes through a buffer of this many bytes, so a
// longer stored value arrives cut to one byte less.
constexpr size_t kProfileStringBuffer = 4096;
}  // namespace

Application::Application() { theApplication = this; }

Application::~Application() {
  if (theApplication == this) theApplication = nullptr;
}

Application* Application::Instance() { return theApplication; }

int Application::Run(int& argc, char** argv) {
  QApplication gui(argc, argv);
  LoadStandardDialogTranslation();
  defaultProfileName_ = ApplicationTitle() + ".INI";
  profileName_ = defaultProfileName_.c_str();
  if (InitInstance()) gui.exec();
  return ExitInstance();
}

std::string Application::GetProfileString(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) const {
  if (profileName_ == nullptr) return defaultValue;
  return GetPrivateProfileString(section, key, defaultValue, profileName_, kProfileStringBuffer);
}

int32_t Application::GetProfileInt(const std::string& section, const std::string& key, int32_t defaultValue) const {
  if (profileName_ == nullptr) return defaultValue;
  return GetPrivateProfileInt(section, key, defaultValue, profileName_);
}

bool Application::WriteProfileString(const std::string& section, const std::string& key, const std::string& value) {
  if (profileName_ == nullptr) return false;
  return WritePrivateProfileString(section, key, value, profileName_);
}

bool Application::WriteProfileInt(const std::string& section, const std::string& key, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return WriteProfileString(section, key, text);
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

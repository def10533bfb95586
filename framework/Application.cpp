#include "framework/Application.h"

#include <cstdio>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
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
  LoadTranslations(language_);
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
  const bool standard = install(QStringLiteral("qtbase_%1").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  // Qt's own texts are English: its English translation may well be empty.
  return loaded && (standard || code == QLatin1String("en"));
}

}  // namespace kirabo

#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kirabo {

class Dialog;

// The application object: one per process. Run creates the GUI, gives the
// program its start-up and exit hooks and holds the settings-file name that
// the four settings operations use.
class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application object of the process, or null.
  static Application* Instance();

  // Framework start-up: calls InitInstance, runs the event loop only when
  // that returned true, then returns ExitInstance's result. There is no
  // settings file until the program names one.
  int Run(int& argc, char** argv);

  // The command line's arguments after the program's name, in the active
  // code page, once Run has begun; the window system's own options (Qt's
  // -platform, -style...) are gone from it.
  const std::vector<std::string>& Arguments() const { return arguments_; }

  virtual bool InitInstance() = 0;
  virtual int ExitInstance() { return 0; }

  // The settings file every settings operation uses; null for none, in
  // which case reads give their defaults and writes do nothing. The text is
  // not copied: it must outlive its use or be replaced first.
  const char* ProfileName() const { return profileName_; }
  void SetProfileName(const char* name) { profileName_ = name; }

  std::string GetProfileString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  int32_t GetProfileInt(const std::string& section, const std::string& key, int32_t defaultValue) const;
  // False when nothing was written; then the system's error code (errno, or
  // GetLastError on Windows) is in `systemError` when given, unless there
  // is no settings file, which leaves it alone.
  bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                          int* systemError = nullptr);
  bool WriteProfileInt(const std::string& section, const std::string& key, int32_t value,
                       int* systemError = nullptr);

  // The language the program speaks ("ja", "en"); set before Run, which
  // loads its translations.
  void SetLanguage(std::string language) { language_ = std::move(language); }
  const std::string& Language() const { return language_; }

  // The window that owns dialogs opened without a parent.
  Dialog* MainWindow() const { return mainWindow_; }
  // The main window of the process's application object; null without either.
  static Dialog* MainWindowOfInstance() { return Instance() != nullptr ? Instance()->MainWindow() : nullptr; }
  void SetMainWindow(Dialog* window) { mainWindow_ = window; }

 private:
  std::vector<std::string> arguments_;
  std::string language_ = "ja";
  const char* profileName_ = nullptr;
  Dialog* mainWindow_ = nullptr;
};

// The program file's name without directory and extension; the caption of
// every message box.
std::string ApplicationTitle();

// Names the program to the desktop before Run: product name, version and
// the desktop entry that describes it. Platforms use what they know of.
void SetProgramIdentity(const char* productName, const char* version, const char* desktopEntry);

// The first of the user's interface languages as the platform reports it,
// e.g. "ja-JP"; empty when it reports none.
std::string FirstUserInterfaceLanguage();

}  // namespace kirabo

#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace kirabo {

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

  // Framework start-up: names the default settings file after the program,
  // calls InitInstance, runs the event loop only when that returned true,
  // then returns ExitInstance's result.
  int Run(int& argc, char** argv);

  virtual bool InitInstance() = 0;
  virtual int ExitInstance() { return 0; }

  // The settings file every settings operation uses; null for none, in
  // which case reads give their defaults and writes do nothing. The text is
  // not copied: it must outlive its use or be replaced first.
  const char* ProfileName() const { return profileName_; }
  void SetProfileName(const char* name) { profileName_ = name; }

  std::string GetProfileString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  int32_t GetProfileInt(const std::string& section, const std::string& key, int32_t defaultValue) const;
  bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteProfileInt(const std::string& section, const std::string& key, int32_t value);

  // The window that owns dialogs opened without a parent.
  QWidget* MainWindow() const { return mainWindow_; }
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }

 private:
  std::string defaultProfileName_;
  const char* profileName_ = nullptr;
  QWidget* mainWindow_ = nullptr;
};

// The program file's name without directory and extension; the caption of
// every message box.
std::string ApplicationTitle();

// Makes the standard dialogs that the framework borrows (the folder chooser,
// the buttons of message boxes) speak Japanese, the program's one language,
// whatever the user's locale. Run does it; false when the translation is not
// installed, and the standard dialogs then keep their English texts.
bool LoadStandardDialogTranslation();

}  // namespace kirabo

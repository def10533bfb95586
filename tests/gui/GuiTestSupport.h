#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QObject>
#include <QString>

#include "TempFolder.h"
#include "app/MainApp.h"
#include "app/MainDialog.h"
#include "framework/MessageBox.h"

class QLineEdit;
class QComboBox;

class QLabel;
class QPushButton;
class QWidget;

namespace kirabo::test {

// Records every message box instead of showing it; `onShow` runs inside the
// box's lifetime, while the caller still waits for it.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  std::vector<MessageBoxCall> calls;
  std::function<void(const MessageBoxCall&)> onShow;
  bool answer = true;  // to every question
  bool Contains(const std::string& text) const;
};

// Runs each test inside a fresh temporary current directory, where the
// application keeps its settings file Kirabo.INI and its journals (as
// XDG_STATE_HOME), with message boxes recorded and no folder dialog hooked.
class GuiTestCase : public QObject {
  Q_OBJECT

 protected:
  QString FolderPath(const std::string& relative = "") const;

  std::unique_ptr<TempFolder> folder_;
  std::unique_ptr<MessageLog> messages_;

 private:
  std::unique_ptr<CurrentFolder> inside_;

 private slots:
  void init();
  void cleanup();
};

// The application object with its settings in the current directory and the
// main dialog opened on screen.
struct OpenedMainDialog {
  // `folderArgument`: as if named on the command line.
  explicit OpenedMainDialog(std::optional<std::string> folderArgument = std::nullopt);
  ~OpenedMainDialog();
  CMainApp app;
  CMainDialog dialog;

  // The dialog's window and controls.
  QDialog* Window() const;
  QWidget* Item(int id) const;
  QPushButton* StartButton() const;
  QPushButton* UndoButton() const;
  QPushButton* ExitButton() const;
  QPushButton* BrowseButton() const;
  QLineEdit* FolderField() const;
  QComboBox* FormatList() const;
  QLabel* StatusText() const;
};

}  // namespace kirabo::test

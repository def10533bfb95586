#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <QString>
#include <QTemporaryDir>

#include "app/MainApp.h"
#include "app/MainDialog.h"
#include "engine/JobFileSystem.h"
#include "framework/MessageBox.h"

class QLineEdit;
class QComboBox;
class QLabel;
class QPushButton;

namespace kirabo::test {

// Runs the test inside a fresh temporary current directory.
class TempCurrentDirectory {
 public:
  TempCurrentDirectory();
  ~TempCurrentDirectory();
  QString Path() const { return dir_.path(); }
  std::string SettingsFile() const;

 private:
  QTemporaryDir dir_;
  std::string previous_;
};

// Records every message box instead of showing it; `onShow` runs inside the
// box's lifetime, while the caller still waits for it.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  std::vector<MessageBoxCall> calls;
  std::function<void(const MessageBoxCall&)> onShow;
  bool Contains(const std::string& text) const;
};

// The application object with its settings in the current directory and the
// main dialog opened on screen.
struct OpenedMainDialog {
  OpenedMainDialog();
  ~OpenedMainDialog();
  CMainApp app;
  CMainDialog dialog;

  QPushButton* StartButton() const;
  QPushButton* ExitButton() const;
  QPushButton* BrowseButton() const;
  QLineEdit* FolderField() const;
  QComboBox* FormatList() const;
  QLabel* StatusText() const;
};

// The real file system, but every rename first waits for `delay` and then
// for the gate to be open.
class GatedFileSystem : public JobFileSystem {
 public:
  explicit GatedFileSystem(int delayMs = 0, bool open = true) : delayMs_(delayMs), open_(open) {}
  bool ListFolder(const std::string& folder, FolderListing& listing) override;
  RenameOutcome Rename(const std::string& from, const std::string& to) override;
  void Open();
  bool WaitForRenameStarted(int timeoutMs);

 private:
  int delayMs_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_;
  bool renameStarted_ = false;
};

// A minimal TIFF-structured raw file taken on 2004-10-05 09:25:10.
void WriteRawFile(const QString& path);

// Names of the files directly in `folder`, sorted.
QStringList FileNames(const QString& folder);

// File names the job gives: yymmdd_hhmmss, an optional suffix, the extension.
bool IsCaptureTimeName(const QString& name);

}  // namespace kirabo::test

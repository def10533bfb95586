#include "GuiTestSupport.h"

#include <chrono>
#include <thread>

#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "res/ResourceIds.h"

namespace kirabo::test {

TempCurrentDirectory::TempCurrentDirectory() {
  char buffer[4096];
  if (getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
  if (chdir(QFile::encodeName(dir_.path()).constData()) != 0) qFatal("cannot enter the temporary folder");
}

TempCurrentDirectory::~TempCurrentDirectory() {
  if (!previous_.empty() && chdir(previous_.c_str()) != 0) qWarning("cannot return to %s", previous_.c_str());
}

std::string TempCurrentDirectory::SettingsFile() const { return (dir_.path() + "/Kirabo.INI").toStdString(); }

MessageLog::MessageLog() {
  SetMessageBoxHook([this](const MessageBoxCall& call) {
    calls.push_back(call);
    if (onShow) onShow(call);
  });
}

MessageLog::~MessageLog() { SetMessageBoxHook(nullptr); }

bool MessageLog::Contains(const std::string& text) const {
  for (const MessageBoxCall& call : calls)
    if (call.text == text) return true;
  return false;
}

OpenedMainDialog::OpenedMainDialog() {
  app.UseSettingsInCurrentDirectory();
  app.SetMainWindow(&dialog);
  dialog.Create();
}

OpenedMainDialog::~OpenedMainDialog() { app.ExitInstance(); }

QPushButton* OpenedMainDialog::StartButton() const { return qobject_cast<QPushButton*>(dialog.GetDlgItem(1)); }
QPushButton* OpenedMainDialog::ExitButton() const { return qobject_cast<QPushButton*>(dialog.GetDlgItem(kExitButton)); }
QPushButton* OpenedMainDialog::BrowseButton() const {
  return qobject_cast<QPushButton*>(dialog.GetDlgItem(kBrowseButton));
}
QLineEdit* OpenedMainDialog::FolderField() const { return qobject_cast<QLineEdit*>(dialog.GetDlgItem(kFolderField)); }
QComboBox* OpenedMainDialog::FormatList() const { return qobject_cast<QComboBox*>(dialog.GetDlgItem(kFormatList)); }
QLabel* OpenedMainDialog::StatusText() const { return qobject_cast<QLabel*>(dialog.GetDlgItem(kStatusText)); }

bool GatedFileSystem::ListFolder(const std::string& folder, FolderListing& listing) {
  return RealFileSystem().ListFolder(folder, listing);
}

RenameOutcome GatedFileSystem::Rename(const std::string& from, const std::string& to) {
  {
    std::unique_lock lock(mutex_);
    renameStarted_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_));
  return RealFileSystem().Rename(from, to);
}

void GatedFileSystem::Open() {
  std::lock_guard lock(mutex_);
  open_ = true;
  changed_.notify_all();
}

bool GatedFileSystem::WaitForRenameStarted(int timeoutMs) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return renameStarted_; });
}

void WriteRawFile(const QString& path) {
  // Little-endian TIFF header, then one directory with Make and DateTime,
  // both texts stored after the directory.
  QByteArray bytes("II\x2A\x00\x08\x00\x00\x00", 8);
  auto put16 = [&bytes](int v) { bytes.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
  auto put32 = [&](int v) { put16(v & 0xFFFF), put16((v >> 16) & 0xFFFF); };
  put16(2);                            // entry count
  put16(0x010F), put16(2), put32(6), put32(38);    // Make, ASCII, 6 bytes at 38
  put16(0x0132), put16(2), put32(20), put32(44);   // DateTime, ASCII, 20 bytes at 44
  put32(0);                            // no next directory
  bytes.append("Canon", 6);
  bytes.append("2004:10:05 09:25:10", 20);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write a raw file");
}

QStringList FileNames(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

bool IsCaptureTimeName(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^\\d{6}_\\d{6}(_\\d+)?\\.CR2$"));
  return pattern.match(name).hasMatch();
}

}  // namespace kirabo::test

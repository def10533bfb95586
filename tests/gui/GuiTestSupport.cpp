#include "GuiTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "framework/FolderDialog.h"
#include "framework/qt/QtWindow.h"
#include "res/ResourceIds.h"

namespace kirabo::test {

MessageLog::MessageLog() {
  SetMessageBoxHook([this](const MessageBoxCall& call) {
    calls.push_back(call);
    if (onShow) onShow(call);
    return answer;
  });
}

MessageLog::~MessageLog() { SetMessageBoxHook(nullptr); }

bool MessageLog::Contains(const std::string& text) const {
  for (const MessageBoxCall& call : calls)
    if (call.text == text) return true;
  return false;
}

QString GuiTestCase::FolderPath(const std::string& relative) const {
  return QString::fromStdString(folder_->Path(relative));
}

void GuiTestCase::init() {
  folder_ = std::make_unique<TempFolder>();
  inside_ = std::make_unique<CurrentFolder>(folder_->root());
  qputenv("XDG_STATE_HOME", folder_->Path("state").c_str());
  messages_ = std::make_unique<MessageLog>();
}

void GuiTestCase::cleanup() {
  SetFolderDialogHook(nullptr);
  qunsetenv("XDG_STATE_HOME");
  messages_.reset();
  inside_.reset();
  folder_.reset();
}

OpenedMainDialog::OpenedMainDialog(std::optional<std::string> folderArgument) {
  app.UseSettingsInCurrentDirectory();
  dialog.folderArgument = std::move(folderArgument);
  app.SetMainWindow(&dialog);
  dialog.Create();
}

OpenedMainDialog::~OpenedMainDialog() { app.ExitInstance(); }

QDialog* OpenedMainDialog::Window() const { return DialogWidget(dialog); }
QWidget* OpenedMainDialog::Item(int id) const { return ToWidget(dialog.GetDlgItem(id)); }

QPushButton* OpenedMainDialog::StartButton() const { return qobject_cast<QPushButton*>(Item(1)); }
QPushButton* OpenedMainDialog::UndoButton() const { return qobject_cast<QPushButton*>(Item(kUndoButton)); }
QPushButton* OpenedMainDialog::ExitButton() const { return qobject_cast<QPushButton*>(Item(kExitButton)); }
QPushButton* OpenedMainDialog::BrowseButton() const {
  return qobject_cast<QPushButton*>(Item(kBrowseButton));
}
QLineEdit* OpenedMainDialog::FolderField() const { return qobject_cast<QLineEdit*>(Item(kFolderField)); }
QComboBox* OpenedMainDialog::FormatList() const { return qobject_cast<QComboBox*>(Item(kFormatList)); }
QLabel* OpenedMainDialog::StatusText() const { return qobject_cast<QLabel*>(Item(kStatusText)); }

}  // namespace kirabo::test

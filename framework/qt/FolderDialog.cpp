#include "framework/FolderDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "framework/qt/Text.h"

namespace kirabo {

namespace {
FolderDialogHook& Hook() {
  static FolderDialogHook hook;
  return hook;
}
}  // namespace

void SetFolderDialogHook(FolderDialogHook hook) { Hook() = std::move(hook); }

std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& selection) {
  if (Hook()) return Hook()(title, selection);

  // No owner: the main window stays usable while the chooser is open.
  QFileDialog chooser(nullptr, ToQString(title));
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOption(QFileDialog::ShowDirsOnly);
  if (!selection.empty()) {
    const QFileInfo selected(QFile::decodeName(QByteArray::fromStdString(selection)));
    chooser.setDirectory(selected.absolutePath());
    chooser.selectFile(selected.fileName());
  }
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return std::nullopt;
  const QByteArray path = QFile::encodeName(chooser.selectedFiles().first());
  return path.toStdString();
}

}  // namespace kirabo

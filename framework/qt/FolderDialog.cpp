#include "framework/FolderDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "framework/qt/Text.h"

namespace kirabo {

namespace detail {

std::optional<std::string> ShowNativeFolderDialog(const std::string& title, const std::string& selection) {
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

}  // namespace detail

}  // namespace kirabo

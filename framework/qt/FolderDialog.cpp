#include "framework/FolderDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace detail {

std::optional<std::string> ShowNativeFolderDialog(const std::string& title, const std::string& selection) {
  // Owned by the main window and modal to it alone, so that it stays above
  // the window and a second one cannot be opened beside it. Qt's own chooser,
  // not the desktop's, so that it speaks the program's language.
  QFileDialog chooser(DefaultOwner(), ToQString(title));
  chooser.setWindowModality(Qt::WindowModal);
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
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

// Start-up with and without a settings file, and what Exit, Esc and the
// close box leave in it.
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <vector>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

void WriteSettings(const std::string& path, const QByteArray& content) {
  QFile file(QString::fromStdString(path));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
}

QByteArray ReadSettings(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempCurrentDirectory> cwd_;
  std::unique_ptr<MessageLog> messages_;

 private slots:
  void init() {
    cwd_ = std::make_unique<TempCurrentDirectory>();
    messages_ = std::make_unique<MessageLog>();
  }
  void cleanup() {
    messages_.reset();
    cwd_.reset();
  }

  void firstStartShowsDefaults() {
    OpenedMainDialog w;
    QCOMPARE(w.app.ProfileName(), cwd_->SettingsFile().c_str());
    QCOMPARE(w.FolderField()->text(), QString());
    QCOMPARE(w.FormatList()->count(), 2);
    QCOMPARE(w.FormatList()->itemText(0), QString("1:yymmdd_hhmmss (20041005_092510.CRW)"));
    QCOMPARE(w.FormatList()->itemText(1), QString("2:hhmmss (092510.CRW)"));
    QCOMPARE(w.FormatList()->currentIndex(), 0);
    QCOMPARE(w.StatusText()->text(), QString());
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QCOMPARE(w.dialog.job.state.load(), int32_t(Idle));
    QVERIFY(!QFile::exists(QString::fromStdString(cwd_->SettingsFile())));
  }

  void storedFormatSelectsEntry_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("selected");
    QTest::newRow("second entry") << QByteArray("1") << 1;
    QTest::newRow("no such entry") << QByteArray("5") << -1;
    QTest::newRow("none") << QByteArray("-1") << -1;
  }
  void storedFormatSelectsEntry() {
    QFETCH(QByteArray, stored);
    QFETCH(int, selected);
    WriteSettings(cwd_->SettingsFile(), "[Data]\nFolder=/photos/\nFormat=" + stored + "\n");
    OpenedMainDialog w;
    QCOMPARE(w.FolderField()->text(), QString("/photos/"));
    QCOMPARE(w.FormatList()->currentIndex(), selected);
  }

  void exitWritesFolderAndFormat_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("folder, second format") << "/photos/2004/" << 1 << QByteArray("Folder=/photos/2004/\nFormat=1\n");
    QTest::newRow("empty folder, none selected") << "" << -1 << QByteArray("Folder=\nFormat=-1\n");
    QTest::newRow("blanks kept") << "  /x  " << 0 << QByteArray("Format=0\n");
  }
  void exitWritesFolderAndFormat() {
    QFETCH(QString, folder);
    QFETCH(int, format);
    QFETCH(QByteArray, expected);
    {
      OpenedMainDialog w;
      w.FolderField()->setText(folder);
      w.FormatList()->setCurrentIndex(format);
      w.ExitButton()->click();
      QVERIFY(!w.dialog.isVisible());
    }
    const QByteArray written = ReadSettings(cwd_->SettingsFile());
    QVERIFY2(written.contains("[Data]"), written.constData());
    QVERIFY2(written.contains(expected), written.constData());
    // The next start shows what was saved (reading trims blanks).
    OpenedMainDialog again;
    QCOMPARE(again.FolderField()->text(), folder.trimmed());
    QCOMPARE(again.FormatList()->currentIndex(), format);
  }

  void cancelWritesNothing_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Esc") << false;
    QTest::newRow("close box") << true;
  }
  void cancelWritesNothing() {
    QFETCH(bool, closeBox);
    OpenedMainDialog w;
    w.FolderField()->setText("/typed/");
    if (closeBox)
      w.dialog.close();
    else
      QTest::keyClick(w.FolderField(), Qt::Key_Escape);
    QVERIFY(!w.dialog.isVisible());
    QCOMPARE(w.dialog.result(), IDCANCEL);
    QVERIFY(!QFile::exists(QString::fromStdString(cwd_->SettingsFile())));
  }

  void longFolderComesBackCut() {
    WriteSettings(cwd_->SettingsFile(), "[Data]\nFolder=" + QByteArray(5000, 'a') + "\n");
    OpenedMainDialog w;
    QCOMPARE(w.FolderField()->text().size(), 4095);
  }

  void exitKeepsOtherLinesOfWindowsFile() {
    WriteSettings(cwd_->SettingsFile(),
                  "[Other]\r\nKey=1\r\n[Data]\r\nFolder=C:\\old\\\r\nFormat=0\r\n[More]\r\nx=y\r\n");
    {
      OpenedMainDialog w;
      QCOMPARE(w.FolderField()->text(), QString("C:\\old\\"));
      w.FolderField()->setText("/new/");
      w.ExitButton()->click();
    }
    const QByteArray written = ReadSettings(cwd_->SettingsFile());
    QVERIFY2(written.contains("[Other]") && written.contains("Key=1") && written.contains("[More]") &&
                 written.contains("x=y"),
             written.constData());
    QVERIFY2(written.contains("Folder=/new/") && !written.contains("C:\\old"), written.constData());
  }

  // A current directory that is gone, or too long for the settings path:
  // the program runs on defaults and neither reads nor writes settings.
  void unusableCurrentDirectoryMeansNoSettings() {
    QVERIFY(QDir().mkdir("gone"));
    QVERIFY(chdir("gone") == 0);
    QVERIFY(rmdir("../gone") == 0);
    OpenedMainDialog w;
    QVERIFY(w.app.settingsPath == nullptr);
    QVERIFY(w.app.ProfileName() == nullptr);
    QCOMPARE(w.FormatList()->currentIndex(), 0);
    w.FolderField()->setText("/x/");
    w.ExitButton()->click();
    QVERIFY(!w.dialog.isVisible());
  }
  void tooLongCurrentDirectoryMeansNoSettings() {
    // Nest folders until the path is a few bytes short of PATH_MAX, so that
    // adding "/Kirabo.INI" would not fit.
    size_t length = cwd_->Path().toUtf8().size();
    std::vector<std::string> nest;
    while (length < PATH_MAX - 6) {
      nest.emplace_back(std::min<size_t>(200, PATH_MAX - 6 - length - 1), 'd');
      QVERIFY(mkdir(nest.back().c_str(), 0700) == 0 && chdir(nest.back().c_str()) == 0);
      length += 1 + nest.back().size();
    }
    WriteSettings("Kirabo.INI", "[Data]\nFolder=/stored/\n");
    {
      OpenedMainDialog w;
      QVERIFY(w.app.settingsPath == nullptr);
      QCOMPARE(w.FolderField()->text(), QString());
      w.ExitButton()->click();
    }
    QCOMPARE(ReadSettings("Kirabo.INI"), QByteArray("[Data]\nFolder=/stored/\n"));
    // Whole paths down here are too long to remove; go up step by step.
    QVERIFY(unlink("Kirabo.INI") == 0);
    for (auto name = nest.rbegin(); name != nest.rend(); ++name) QVERIFY(chdir("..") == 0 && rmdir(name->c_str()) == 0);
  }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"

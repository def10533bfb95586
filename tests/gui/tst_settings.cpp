// Start-up with and without a settings file, and what Exit, Esc and the
// close box leave in it.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/CommandLine.h"

using namespace kirabo;
using namespace kirabo::test;

class SettingsTest : public GuiTestCase {
  Q_OBJECT

 private:
  void WriteSettings(const QByteArray& content) const { folder_->Write("Kirabo.INI", content.toStdString()); }
  QByteArray ReadSettings() const { return QByteArray::fromStdString(folder_->Read("Kirabo.INI")); }

 private slots:
  void firstStartShowsDefaults() {
    OpenedMainDialog w;
    QCOMPARE(w.app.ProfileName(), folder_->Path("Kirabo.INI").c_str());
    QCOMPARE(w.FolderField()->text(), QString());
    QCOMPARE(w.FormatList()->count(), 2);
    QCOMPARE(w.FormatList()->itemText(0), QString("1:yymmdd_hhmmss (041005_092510.CRW)"));
    QCOMPARE(w.FormatList()->itemText(1), QString("2:hhmmss (092510.CRW)"));
    QCOMPARE(w.FormatList()->currentIndex(), 0);
    QCOMPARE(w.StatusText()->text(), QString());
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QCOMPARE(w.dialog.job.state.load(), int32_t(Idle));
    QVERIFY(!folder_->Exists("Kirabo.INI"));
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
    WriteSettings("[Data]\nFolder=/photos/\nFormat=" + stored + "\n");
    OpenedMainDialog w;
    QCOMPARE(w.FolderField()->text(), QString("/photos/"));
    QCOMPARE(w.FormatList()->currentIndex(), selected);
  }

  // `kirabo FOLDER`: which argument is the folder.
  void folderArgumentIsFirstOperand_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder");  // null: none
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("one folder") << QStringList{"/photos"} << QString("/photos");
    QTest::newRow("after an option") << QStringList{"-x", "/photos", "/other"} << QString("/photos");
    QTest::newRow("options only") << QStringList{"-x", "--y"} << QString();
    QTest::newRow("after --") << QStringList{"--", "-dash"} << QString("-dash");
    QTest::newRow("blanks kept") << QStringList{" my photos "} << QString(" my photos ");
  }
  void folderArgumentIsFirstOperand() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    std::vector<std::string> list;
    for (const QString& argument : arguments) list.push_back(argument.toStdString());
    const std::optional<std::string> found = FolderArgument(list);
    QCOMPARE(found.has_value(), !folder.isNull());
    if (found) QCOMPARE(QString::fromStdString(*found), folder);
  }

  // The folder given stands in the field instead of the stored one and is
  // what Exit stores; one that does not exist is shown as given and refused
  // by Start as today.
  void folderArgumentReplacesStoredFolder() {
    WriteSettings("[Data]\nFolder=/stored/\nFormat=1\n");
    const std::string missing = folder_->Path("no such folder");
    {
      OpenedMainDialog w(missing);
      QCOMPARE(w.FolderField()->text(), QString::fromStdString(missing));
      QCOMPARE(w.FormatList()->currentIndex(), 1);
      w.StartButton()->click();
      QVERIFY(messages_->Contains("フォルダが見つかりません"));
      w.ExitButton()->click();
    }
    QVERIFY(ReadSettings().contains("Folder=" + QByteArray::fromStdString(missing) + "\n"));
  }

  // Started in the home folder, as the desktop's menus start it, the program
  // keeps its settings in ~/.config/kirabo (or $XDG_CONFIG_HOME/kirabo).
  void homeFolderMeansUserSettingsFolder_data() {
    QTest::addColumn<bool>("inHome");
    QTest::addColumn<QString>("configHome");  // relative to the temporary folder; null: unset
    QTest::addColumn<QString>("expected");    // likewise
    QTest::newRow("elsewhere") << false << QString() << QString("Kirabo.INI");
    QTest::newRow("home") << true << QString() << QString(".config/kirabo/Kirabo.INI");
    QTest::newRow("home, XDG_CONFIG_HOME") << true << QString("cfg") << QString("cfg/kirabo/Kirabo.INI");
  }
  void homeFolderMeansUserSettingsFolder() {
    QFETCH(bool, inHome);
    QFETCH(QString, configHome);
    QFETCH(QString, expected);
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    QVERIFY(mkdir("home", 0700) == 0);
    qputenv("HOME", QByteArray::fromStdString(folder_->Path(inHome ? "" : "home")));
    if (configHome.isNull()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      QVERIFY(mkdir(configHome.toUtf8().constData(), 0700) == 0);
      qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder_->Path(configHome.toStdString())));
    }
    {
      OpenedMainDialog w;
      QCOMPARE(QString(w.app.ProfileName()), QString::fromStdString(folder_->Path(expected.toStdString())));
      w.FolderField()->setText("/saved/");
      w.ExitButton()->click();
    }
    qputenv("HOME", home);
    if (config.isNull()) qunsetenv("XDG_CONFIG_HOME"); else qputenv("XDG_CONFIG_HOME", config);
    QVERIFY(folder_->Read(expected.toStdString()).find("Folder=/saved/") != std::string::npos);
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
      QVERIFY(!w.Window()->isVisible());
    }
    const QByteArray written = ReadSettings();
    QVERIFY2(written.contains("[Data]"), written.constData());
    QVERIFY2(written.contains(expected), written.constData());
    // The next start shows what was saved (reading trims blanks).
    OpenedMainDialog again;
    QCOMPARE(again.FolderField()->text(), folder.trimmed());
    QCOMPARE(again.FormatList()->currentIndex(), format);
  }

  // A settings file that cannot be saved is said once, with the reason, and
  // the file a link leads to keeps its bytes.
  void exitThatCannotSaveSaysSoOnce() {
    folder_->Write("victim", "export PATH=/bin\n");
    QCOMPARE(::symlink("victim", folder_->Path("Kirabo.INI").c_str()), 0);
    {
      OpenedMainDialog w;
      w.FolderField()->setText("/photos/");
      w.ExitButton()->click();
      QVERIFY(!w.Window()->isVisible());
    }
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(messages_->calls[0].text, "設定を保存できません: " + std::system_category().message(ELOOP));
    QCOMPARE(messages_->calls[0].icon, MessageIcon::Exclamation);
    QCOMPARE(folder_->Read("victim"), std::string("export PATH=/bin\n"));
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
      w.Window()->close();
    else
      QTest::keyClick(w.FolderField(), Qt::Key_Escape);
    QVERIFY(!w.Window()->isVisible());
    QCOMPARE(w.Window()->result(), IDCANCEL);
    QVERIFY(!folder_->Exists("Kirabo.INI"));
  }

  void longFolderComesBackCut() {
    WriteSettings("[Data]\nFolder=" + QByteArray(5000, 'a') + "\n");
    OpenedMainDialog w;
    QCOMPARE(w.FolderField()->text().size(), 4095);
  }

  void exitKeepsOtherLinesOfWindowsFile() {
    WriteSettings("[Other]\r\nKey=1\r\n[Data]\r\nFolder=C:\\old\\\r\nFormat=0\r\n[More]\r\nx=y\r\n");
    {
      OpenedMainDialog w;
      QCOMPARE(w.FolderField()->text(), QString("C:\\old\\"));
      w.FolderField()->setText("/new/");
      w.ExitButton()->click();
    }
    const QByteArray written = ReadSettings();
    QVERIFY2(written.contains("[Other]") && written.contains("Key=1") && written.contains("[More]") &&
                 written.contains("x=y"),
             written.constData());
    QVERIFY2(written.contains("Folder=/new/") && !written.contains("C:\\old"), written.constData());
  }

  // A current directory that is gone, or too long for the settings path:
  // the program runs on defaults and neither reads nor writes settings.
  void unusableCurrentDirectoryMeansNoSettings() {
    QVERIFY(mkdir("gone", 0700) == 0);
    QVERIFY(chdir("gone") == 0);
    QVERIFY(rmdir("../gone") == 0);
    OpenedMainDialog w;
    QVERIFY(w.app.settingsPath == nullptr);
    QVERIFY(w.app.ProfileName() == nullptr);
    QCOMPARE(w.FormatList()->currentIndex(), 0);
    w.FolderField()->setText("/x/");
    w.ExitButton()->click();
    QVERIFY(!w.Window()->isVisible());
  }
  void tooLongCurrentDirectoryMeansNoSettings() {
    // Nest folders until the path is a few bytes short of PATH_MAX, so that
    // adding "/Kirabo.INI" would not fit.
    size_t length = folder_->root().size();
    std::vector<std::string> nest;
    while (length < PATH_MAX - 6) {
      nest.emplace_back(std::min<size_t>(200, PATH_MAX - 6 - length - 1), 'd');
      QVERIFY(mkdir(nest.back().c_str(), 0700) == 0 && chdir(nest.back().c_str()) == 0);
      length += 1 + nest.back().size();
    }
    // Relative to the nested current directory, whose whole path is too long.
    std::ofstream("Kirabo.INI", std::ios::binary) << "[Data]\nFolder=/stored/\n";
    {
      OpenedMainDialog w;
      QVERIFY(w.app.settingsPath == nullptr);
      QCOMPARE(w.FolderField()->text(), QString());
      w.ExitButton()->click();
    }
    std::ifstream stored("Kirabo.INI", std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(stored), {}), std::string("[Data]\nFolder=/stored/\n"));
    // Whole paths down here are too long to remove; go up step by step.
    QVERIFY(unlink("Kirabo.INI") == 0);
    for (auto name = nest.rbegin(); name != nest.rend(); ++name) QVERIFY(chdir("..") == 0 && rmdir(name->c_str()) == 0);
  }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"

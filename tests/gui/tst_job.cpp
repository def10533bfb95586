// Start, Stop, Undo, Browse and Exit around a running rename job.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "JobHarness.h"
#include "RawFileBuilder.h"
#include "framework/FolderDialog.h"

using namespace kirabo;
using namespace kirabo::test;

Q_DECLARE_METATYPE(kirabo::MessageIcon)

namespace {

// File names the job gives: yymmdd_hhmmss, an optional suffix, the extension.
bool IsCaptureTimeName(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^\\d{6}_\\d{6}(_\\d+)?\\.CR2$"));
  return pattern.match(name).hasMatch();
}

// Renames through the real file system, each waiting at a gate and then
// taking `delay`.
struct HeldRenames {
  explicit HeldRenames(bool open = false, std::chrono::milliseconds delay = {}) : gate(open) {
    fileSystem.onRename = [this, delay](const std::string&, const std::string&) -> std::optional<RenameResult> {
      gate.Enter();
      std::this_thread::sleep_for(delay);
      return std::nullopt;
    };
  }
  // Starts the dialog's job on `root` through these renames; true once the
  // first has reached the gate.
  bool Start(OpenedMainDialog& w, const QString& root) {
    w.dialog.job.fileSystem = &fileSystem;
    w.FolderField()->setText(root);
    w.StartButton()->click();
    return gate.WaitUntilEntered(std::chrono::seconds(5));
  }
  Gate gate;
  ScriptedFileSystem fileSystem;
};

}  // namespace

class JobTest : public GuiTestCase {
  Q_OBJECT

 private:
  // `count` raw files in "photos", half of them in its sub-folder; returns
  // the tree's root.
  QString MakeTree(int count) {
    const std::string raw = Cr2File("2004:10:05 09:25:10");
    folder_->MakeFolder("photos/sub");
    for (int i = 0; i < count; ++i) {
      const QString name = QString("photos/%1IMG_%2.CR2").arg(i % 2 ? "sub/" : "").arg(i, 4, 10, QChar('0'));
      folder_->Write(name.toStdString(), raw);
    }
    return FolderPath("photos");
  }

  // The names of the tree's files, the sub-folder's last.
  QStringList AllFiles() const {
    QStringList names;
    for (const char* folder : {"photos", "photos/sub"})
      for (const std::string& name : folder_->Names(folder))
        if (name != "sub") names << QString::fromStdString(name);
    return names;
  }

 private slots:
  // Fields that cannot make a job: one exclamation message, and no job.
  void startChecksFields_data() {
    QTest::addColumn<QString>("folder");  // relative to the current folder
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty field") << "" << 0 << "フォルダを指定してください";
    QTest::newRow("blanks only") << "   " << 0 << "フォルダが見つかりません";
    QTest::newRow("missing folder") << "missing/" << 0 << "フォルダが見つかりません";
    QTest::newRow("a file") << "IMG_0001.CR2" << 0 << "フォルダではありません";
    QTest::newRow("no format") << "photos" << -1 << "ファイル名形式を選択してください";
  }
  void startChecksFields() {
    QFETCH(QString, folder);
    QFETCH(int, format);
    QFETCH(QString, message);
    const QString root = MakeTree(1);
    folder_->Write("IMG_0001.CR2", Cr2File("2004:10:05 09:25:10"));
    OpenedMainDialog w;
    w.FolderField()->setText(folder);
    w.FormatList()->setCurrentIndex(format);
    w.StartButton()->click();
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(QString::fromStdString(messages_->calls[0].text), message);
    QCOMPARE(messages_->calls[0].icon, MessageIcon::Exclamation);
    QCOMPARE(messages_->calls[0].caption, std::string("tst_job"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QCOMPARE(w.dialog.job.state.load(), int32_t(Idle));
    QCOMPARE(w.dialog.job.folder, std::string());
    QCOMPARE(AllFiles(), QStringList{"IMG_0000.CR2"});
  }

  void jobRenamesTreeAndReportsProgress() {
    const QString root = MakeTree(3);
    OpenedMainDialog w;
    // Enter in the folder field presses the default button, Start.
    w.FolderField()->setText(root);
    w.FormatList()->setCurrentIndex(0);
    QTest::keyClick(w.FolderField(), Qt::Key_Return);
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QCOMPARE(messages_->calls.back().icon, MessageIcon::Information);
    QTRY_COMPARE(w.StartButton()->text(), QString("開始"));
    const QStringList names = AllFiles();
    QCOMPARE(names.size(), 3);
    for (const QString& name : names) QVERIFY2(IsCaptureTimeName(name), qPrintable(name));
    QVERIFY2(w.StatusText()->text().startsWith("3/3\n" + root), qPrintable(w.StatusText()->text()));
    QCOMPARE(w.dialog.job.format, int32_t(DateAndTime));
  }

  // Undo is on only for a folder with a job to take back and never while a
  // job runs; it asks first, then runs like a job and can itself be undone.
  void undoAsksThenRestoresTheNames() {
    const QString root = MakeTree(2);
    OpenedMainDialog w;
    QPushButton* undo = w.UndoButton();
    w.FolderField()->setText(root);
    w.FormatList()->setCurrentIndex(0);
    QVERIFY(!undo->isEnabled());
    w.StartButton()->click();
    QVERIFY(!undo->isEnabled());
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QTRY_VERIFY(undo->isEnabled());
    const QStringList renamed = AllFiles();
    w.FolderField()->setText(FolderPath("photos/sub"));
    QVERIFY(!undo->isEnabled());
    w.FolderField()->setText(root + "/");
    QVERIFY(undo->isEnabled());

    messages_->answer = false;
    undo->click();
    QCOMPARE(messages_->calls.back().text, std::string("2 件のファイル名を元に戻しますか?"));
    QCOMPARE(messages_->calls.back().icon, MessageIcon::Question);
    QCOMPARE(AllFiles(), renamed);
    messages_->answer = true;
    undo->click();
    QCOMPARE(w.StartButton()->text(), QString("中断"));
    QVERIFY(!undo->isEnabled());
    QTRY_VERIFY(messages_->Contains("元に戻しました"));
    QCOMPARE(messages_->calls.back().icon, MessageIcon::Information);
    QCOMPARE(AllFiles(), (QStringList{"IMG_0000.CR2", "IMG_0001.CR2"}));
    QTRY_COMPARE(w.StartButton()->text(), QString("開始"));
    QTRY_VERIFY(undo->isEnabled());
    QVERIFY2(w.StatusText()->text().endsWith("\n元に戻したファイル: 2 件"), qPrintable(w.StatusText()->text()));
  }

  void undoThatLeavesFilesSaysHowMany() {
    const QString root = MakeTree(2);
    OpenedMainDialog w;
    w.FolderField()->setText(root);
    w.FormatList()->setCurrentIndex(0);
    w.StartButton()->click();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    folder_->Write("photos/img_0000.cr2", "taken since");
    QTRY_VERIFY(w.UndoButton()->isEnabled());
    w.UndoButton()->click();
    // The counts, then the file that kept its new name, and why.
    const std::string expected = "元に戻しました\n\n元に戻したファイル: 1 件\n元に戻せなかったファイル: 1 件\n\n";
    QTRY_VERIFY(messages_->calls.back().text.starts_with("元に戻しました"));
    const std::string& text = messages_->calls.back().text;
    QVERIFY2(text.starts_with(expected) && text.ends_with("/041005_092510.CR2: 元に戻せません: 元の名前が使われています"),
             text.c_str());
    QCOMPARE(messages_->calls.back().icon, MessageIcon::Exclamation);
    QCOMPARE(folder_->Names("photos/sub"), std::vector<std::string>{"IMG_0001.CR2"});
  }

  void stopShowsMessageThenRestoresCaption() {
    const QString root = MakeTree(4);
    HeldRenames held;
    OpenedMainDialog w;
    QString captionWhileMessageOpen;
    messages_->onShow = [&](const MessageBoxCall&) { captionWhileMessageOpen = w.StartButton()->text(); };
    QVERIFY(held.Start(w, root));
    QCOMPARE(w.StartButton()->text(), QString("中断"));

    // The worker is stuck in a rename; the stop wait must keep timers and
    // posted texts flowing, or this never opens.
    QTimer::singleShot(50, [&] { held.gate.Open(); });
    w.StartButton()->click();
    QCOMPARE(w.dialog.job.state.load(), int32_t(Idle));
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(messages_->calls[0].text, std::string("中断しました"));
    QCOMPARE(messages_->calls[0].icon, MessageIcon::Information);
    QCOMPARE(captionWhileMessageOpen, QString("中断"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    const QStringList names = AllFiles();
    QCOMPARE(names.size(), 4);
    QVERIFY(names.filter("IMG_").size() >= 3);  // stopped after at most one rename

    // The record is free again: the next Start runs a whole job.
    w.dialog.job.fileSystem = nullptr;
    w.StartButton()->click();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QVERIFY(AllFiles().filter("IMG_").isEmpty());
  }

  // The worker finishes the rename it is in, then sees the request: the
  // job ends as stopped, and only the dialog speaks.
  void stopDuringLastRenameEndsAsStopped() {
    HeldRenames held;
    OpenedMainDialog w;
    QVERIFY(held.Start(w, MakeTree(1)));
    QTimer::singleShot(20, [&] { held.gate.Open(); });
    w.StartButton()->click();
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(messages_->calls[0].text, std::string("中断しました"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QVERIFY(AllFiles().filter("IMG_").isEmpty());
  }

  void stopDuringScanBeforeAnyFileOnlySaysStopped() {
    const QString root = MakeTree(2);
    Gate gate;
    ScriptedFileSystem fileSystem;
    fileSystem.onList = [&](const std::string&) { gate.Enter(); };
    OpenedMainDialog w;
    w.dialog.job.fileSystem = &fileSystem;
    w.FolderField()->setText(root);
    w.StartButton()->click();
    QVERIFY(gate.WaitUntilEntered(std::chrono::seconds(5)));
    QTimer::singleShot(20, [&] { gate.Open(); });
    w.StartButton()->click();
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(messages_->calls[0].text, std::string("中断しました"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    // No longer searching, and nothing to count.
    QCOMPARE(w.dialog.statusLabelCtrl.GetText(), std::string());
    QCOMPARE(AllFiles().filter("IMG_").size(), 2);
  }

  // One tree with every outcome; each row starts the job at one of its
  // folders. The label ends with the counts after the last progress text,
  // whose counter reads N/N once the job is through; the message names the
  // files left with their old names.
  void finalMessageAndLabelTellOutcomes_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("lastProgress");  // counter, old and new name below the start folder
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QStringList>("files");  // how each named file's line ends
    QTest::addColumn<bool>("plainMessage");  // "リネーム終了" alone
    QTest::addColumn<MessageIcon>("icon");
    const QString noTime = "041005_092512.cr2: 撮影日時がありません";
    const QString lateNoTime = "IMG_0007.CR2: 撮影日時がありません";
    const QString refused = "IMG_0003.CR2: リネームできません: Read-only file system (関連ファイル: IMG_0003.xmp)";
    const QString unreadable = "IMG_0005.CR2: 読み込めません: Permission denied";
    QTest::newRow("every outcome")
        << "tree" << "8/8 late/IMG_0006.CR2 late/041005_092516.CR2"
        << "リネームしたファイル: 3 件\n一緒にリネームした関連ファイル: 2 件\nすでに正しい名前のファイル: 1 件\n"
           "撮影日時のないファイル: 2 件\n"
           "リネームできなかったファイル: 1 件\n読み込めなかったファイル: 1 件"
        << QStringList{noTime, lateNoTime, refused, unreadable} << false << MessageIcon::Exclamation;
    QTest::newRow("renamed and already named")
        << "tree/good" << "2/2 IMG_0001.CR2 041005_092511.CR2"
        << "リネームしたファイル: 1 件\n一緒にリネームした関連ファイル: 1 件\nすでに正しい名前のファイル: 1 件"
        << QStringList{} << true << MessageIcon::Information;
    QTest::newRow("case clash and no capture time")
        << "tree/clash" << "2/2 IMG_0002.CR2 041005_092512_1.CR2"
        << "リネームしたファイル: 1 件\n一緒にリネームした関連ファイル: 1 件\n撮影日時のないファイル: 1 件"
        << QStringList{noTime} << false << MessageIcon::Information;
    QTest::newRow("last file without capture time")
        << "tree/late" << "2/2 IMG_0006.CR2 041005_092516.CR2"
        << "リネームしたファイル: 1 件\n撮影日時のないファイル: 1 件" << QStringList{lateNoTime} << false
        << MessageIcon::Information;
    QTest::newRow("refused") << "tree/refused" << "" << "リネームできなかったファイル: 1 件" << QStringList{refused} << false
                             << MessageIcon::Exclamation;
    QTest::newRow("unreadable") << "tree/unreadable" << "" << "読み込めなかったファイル: 1 件"
                                << QStringList{unreadable} << false << MessageIcon::Exclamation;
    QTest::newRow("no raw file") << "tree/none" << "" << "RAW ファイルが見つかりませんでした" << QStringList{}
                                 << false << MessageIcon::Information;
  }
  void finalMessageAndLabelTellOutcomes() {
    QFETCH(QString, start);
    QFETCH(QString, lastProgress);
    QFETCH(QString, counts);
    QFETCH(QStringList, files);
    QFETCH(bool, plainMessage);
    QFETCH(MessageIcon, icon);
    const TiffFile withoutTime = TiffFile().Directory({Ascii(0x010F, "Canon")});
    folder_->Write("tree/good/041005_092510.CR2", Cr2File("2004:10:05 09:25:10"));
    folder_->Write("tree/good/IMG_0001.CR2", Cr2File("2004:10:05 09:25:11"));
    folder_->Write("tree/good/IMG_0001.JPG", "twin");
    folder_->Write("tree/clash/041005_092512.cr2", withoutTime.Build());
    folder_->Write("tree/clash/IMG_0002.CR2", Cr2File("2004:10:05 09:25:12"));
    folder_->Write("tree/clash/IMG_0002.JPG", "twin");
    folder_->Write("tree/late/IMG_0006.CR2", Cr2File("2004:10:05 09:25:16"));
    folder_->Write("tree/late/IMG_0007.CR2", withoutTime.Build());
    folder_->Write("tree/refused/IMG_0003.CR2", Cr2File("2004:10:05 09:25:13"));
    folder_->Write("tree/refused/IMG_0003.xmp", "edits");
    folder_->Write("tree/unreadable/IMG_0005.CR2", Cr2File("2004:10:05 09:25:15"));
    folder_->Write("tree/none/IMG_0004.JPG", Cr2File("2004:10:05 09:25:14"));
    folder_->Write("outside/IMG_0009.CR2", Cr2File("2004:10:05 09:25:19"));
    std::filesystem::create_symlink("../outside", folder_->Path("tree/elsewhere"));
    ScriptedFileSystem fileSystem;
    fileSystem.onRename = [](const std::string& from, const std::string&) -> std::optional<RenameResult> {
      if (from.ends_with("IMG_0003.xmp")) return RenameResult(RenameOutcome::Failed, "Read-only file system");
      return std::nullopt;
    };
    fileSystem.onRead = [](const std::string& path) -> std::optional<CaptureTimeRead> {
      if (path.ends_with("IMG_0005.CR2")) return CaptureTimeRead{-1, false, "Permission denied"};
      return std::nullopt;
    };

    OpenedMainDialog w;
    w.dialog.job.fileSystem = &fileSystem;
    const std::string root = folder_->Path(start.toStdString());
    w.FolderField()->setText(QString::fromStdString(root));
    w.StartButton()->click();
    QTRY_COMPARE(messages_->calls.size(), size_t(1));

    const MessageBoxCall& message = messages_->calls[0];
    const QStringList parts = QString::fromStdString(message.text).split("\n\n");
    QCOMPARE(parts[0], QString("リネーム終了"));
    QCOMPARE(parts.value(1), plainMessage ? QString() : counts);
    const QStringList named = parts.value(2).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(named.size(), files.size());
    for (int i = 0; i < files.size(); ++i) QVERIFY2(named[i].endsWith(files[i]), qPrintable(named[i]));
    QCOMPARE(message.icon, icon);
    QString label = counts;
    if (!lastProgress.isEmpty()) {
      const QStringList progress = lastProgress.split(' ');
      const QString folder = QString::fromStdString(root) + "/";
      label = progress[0] + "\n" + folder + progress[1] + "\n" + folder + progress[2] + "\n" + counts;
    }
    QCOMPARE(QString::fromStdString(w.dialog.statusLabelCtrl.GetText()), label);
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QVERIFY(folder_->Exists("outside/IMG_0009.CR2"));
  }

  void browseCancelChangesNothing() {
    std::string askedTitle;
    std::optional<std::string> asked;
    SetFolderDialogHook([&](const std::string& title, const std::string& selection) -> std::optional<std::string> {
      askedTitle = title;
      asked = selection;
      return std::nullopt;
    });
    OpenedMainDialog w;
    w.FolderField()->setText("/photos/");
    w.FormatList()->setCurrentIndex(1);
    w.BrowseButton()->click();
    QCOMPARE(askedTitle, std::string("フォルダの選択"));
    QCOMPARE(asked, std::optional<std::string>("/photos"));
    QCOMPARE(w.FolderField()->text(), QString("/photos/"));
    QCOMPARE(w.FormatList()->currentIndex(), 1);
  }

  void browseDuringJobKeepsJobFolder() {
    const QString root = MakeTree(2);
    HeldRenames held;
    OpenedMainDialog w;
    QVERIFY(held.Start(w, root));
    SetFolderDialogHook([](const std::string&, const std::string&) { return std::optional<std::string>("/elsewhere"); });
    w.BrowseButton()->click();
    QCOMPARE(w.FolderField()->text(), QString("/elsewhere/"));
    QCOMPARE(w.dialog.job.folder, root.toStdString());
    held.gate.Open();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QVERIFY(AllFiles().filter("IMG_").isEmpty());
  }

  void exitDuringJobEndsPromptlyAndSaves() {
    const QString root = MakeTree(40);
    HeldRenames held(true);
    // The job stops before the settings are saved: no rename comes after.
    std::atomic<bool> renamedAfterSaving{false};
    held.fileSystem.onRename = [&](const std::string&, const std::string&) -> std::optional<RenameResult> {
      held.gate.Enter();
      if (folder_->Exists("Kirabo.INI")) renamedAfterSaving = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      return std::nullopt;
    };
    OpenedMainDialog w;
    QVERIFY(held.Start(w, root));
    QElapsedTimer clock;
    clock.start();
    w.ExitButton()->click();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!w.Window()->isVisible());
    QVERIFY(!messages_->Contains("リネーム終了"));
    const QStringList names = AllFiles();
    QCOMPARE(names.size(), 40);
    QVERIFY(names.filter("IMG_").size() > 0);
    for (const QString& name : names) QVERIFY2(name.startsWith("IMG_") || IsCaptureTimeName(name), qPrintable(name));
    QVERIFY(folder_->Read("Kirabo.INI").find("Folder=" + root.toStdString()) != std::string::npos);
    QVERIFY(!renamedAfterSaving);
  }

  // The worker waits for its final message; closing the dialog must release
  // it even when no box has been shown yet.
  void closingDismissesPendingFinalMessage() {
    messages_.reset();  // real message boxes
    bool boxSeen = false;
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [&] {
      for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) boxSeen = true, box->done(0);
    });
    watchdog.start(20);
    OpenedMainDialog w;
    w.FolderField()->setText(FolderPath());
    w.StartButton()->click();
    WaitUntilIdle(w.dialog.job);
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(w.FolderField(), Qt::Key_Escape);
    QVERIFY(clock.elapsed() < 1000);
    QTest::qWait(50);
    QVERIFY(!boxSeen);
  }
};

QTEST_MAIN(JobTest)
#include "tst_job.moc"

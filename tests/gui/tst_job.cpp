// Start, Stop, Browse and Exit around a running rename job.
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "framework/FolderDialog.h"

using namespace kirabo;
using namespace kirabo::test;

class JobTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempCurrentDirectory> cwd_;
  std::unique_ptr<MessageLog> messages_;

  // `count` raw files, half of them in a sub-folder; returns the tree's root.
  QString MakeTree(int count) {
    const QString root = cwd_->Path() + "/photos";
    QDir().mkpath(root + "/sub");
    for (int i = 0; i < count; ++i)
      WriteRawFile(QString("%1/%2IMG_%3.CR2").arg(root, i % 2 ? "sub/" : "").arg(i, 4, 10, QChar('0')));
    return root;
  }

  static QStringList AllFiles(const QString& root) { return FileNames(root) + FileNames(root + "/sub"); }

  static void WaitForIdleWithoutEvents(const RenameJob& job) {
    while (job.state.load() != Idle) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

 private slots:
  void init() {
    cwd_ = std::make_unique<TempCurrentDirectory>();
    messages_ = std::make_unique<MessageLog>();
  }
  void cleanup() {
    SetFolderDialogHook(nullptr);
    messages_.reset();
    cwd_.reset();
  }

  void startWithEmptyFieldAsksForFolder() {
    OpenedMainDialog w;
    w.StartButton()->click();
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(messages_->calls[0].text, std::string("フォルダを指定してください"));
    QCOMPARE(messages_->calls[0].icon, MessageIcon::Exclamation);
    QCOMPARE(messages_->calls[0].caption, std::string("tst_job"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QCOMPARE(w.dialog.job.state.load(), int32_t(Idle));
  }

  void blanksOnlyFieldStartsJob() {
    OpenedMainDialog w;
    w.FolderField()->setText("   ");
    w.StartButton()->click();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QVERIFY(!messages_->Contains("フォルダを指定してください"));
    QCOMPARE(w.dialog.job.folder, std::string("   "));
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
    const QStringList names = AllFiles(root);
    QCOMPARE(names.size(), 3);
    for (const QString& name : names) QVERIFY2(IsCaptureTimeName(name), qPrintable(name));
    QVERIFY2(w.StatusText()->text().startsWith("3/3\n" + root), qPrintable(w.StatusText()->text()));
    QCOMPARE(w.dialog.job.format, int32_t(DateAndTime));
  }

  void noFormatSelectedPassesMinusOne() {
    const QString root = MakeTree(1);
    OpenedMainDialog w;
    w.FolderField()->setText(root);
    w.FormatList()->setCurrentIndex(-1);
    w.StartButton()->click();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QCOMPARE(w.dialog.job.format, int32_t(-1));
    QCOMPARE(AllFiles(root), QStringList{"IMG_0000.CR2"});
  }

  void stopShowsMessageThenRestoresCaption() {
    const QString root = MakeTree(4);
    GatedFileSystem fileSystem(0, false);
    OpenedMainDialog w;
    w.dialog.job.fileSystem = &fileSystem;
    QString captionWhileMessageOpen;
    messages_->onShow = [&](const MessageBoxCall&) { captionWhileMessageOpen = w.StartButton()->text(); };
    w.FolderField()->setText(root);
    w.StartButton()->click();
    QCOMPARE(w.StartButton()->text(), QString("中断"));
    QVERIFY(fileSystem.WaitForRenameStarted(5000));

    // The worker is stuck in a rename; the stop wait must keep timers and
    // posted texts flowing, or this never opens.
    QTimer::singleShot(50, [&] { fileSystem.Open(); });
    w.StartButton()->click();
    QCOMPARE(w.dialog.job.state.load(), int32_t(Idle));
    QCOMPARE(messages_->calls.size(), size_t(1));
    QCOMPARE(messages_->calls[0].text, std::string("中断しました"));
    QCOMPARE(messages_->calls[0].icon, MessageIcon::Information);
    QCOMPARE(captionWhileMessageOpen, QString("中断"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    const QStringList names = AllFiles(root);
    QCOMPARE(names.size(), 4);
    QVERIFY(names.filter("IMG_").size() >= 3);  // stopped after at most one rename

    // The record is free again: the next Start runs a whole job.
    w.dialog.job.fileSystem = nullptr;
    w.StartButton()->click();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QVERIFY(AllFiles(root).filter("IMG_").isEmpty());
  }

  // The worker finishes its last rename after the request and ends
  // normally: both messages are shown and nobody waits for the other.
  void stopDuringLastRenameShowsBothMessages() {
    const QString root = MakeTree(1);
    GatedFileSystem fileSystem(0, false);
    OpenedMainDialog w;
    w.dialog.job.fileSystem = &fileSystem;
    w.FolderField()->setText(root);
    w.StartButton()->click();
    QVERIFY(fileSystem.WaitForRenameStarted(5000));
    QTimer::singleShot(20, [&] { fileSystem.Open(); });
    w.StartButton()->click();
    QVERIFY(messages_->Contains("リネーム終了"));
    QVERIFY(messages_->Contains("中断しました"));
    QCOMPARE(w.StartButton()->text(), QString("開始"));
    QVERIFY(AllFiles(root).filter("IMG_").isEmpty());
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
    GatedFileSystem fileSystem(0, false);
    OpenedMainDialog w;
    w.dialog.job.fileSystem = &fileSystem;
    w.FolderField()->setText(root);
    w.StartButton()->click();
    QVERIFY(fileSystem.WaitForRenameStarted(5000));
    SetFolderDialogHook([](const std::string&, const std::string&) { return std::optional<std::string>("/elsewhere"); });
    w.BrowseButton()->click();
    QCOMPARE(w.FolderField()->text(), QString("/elsewhere/"));
    QCOMPARE(w.dialog.job.folder, root.toStdString());
    fileSystem.Open();
    QTRY_VERIFY(messages_->Contains("リネーム終了"));
    QVERIFY(AllFiles(root).filter("IMG_").isEmpty());
  }

  void exitDuringJobEndsPromptlyAndSaves() {
    const QString root = MakeTree(40);
    GatedFileSystem fileSystem(20);
    OpenedMainDialog w;
    w.dialog.job.fileSystem = &fileSystem;
    w.FolderField()->setText(root);
    w.StartButton()->click();
    QVERIFY(fileSystem.WaitForRenameStarted(5000));
    QElapsedTimer clock;
    clock.start();
    w.ExitButton()->click();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!w.dialog.isVisible());
    QVERIFY(!messages_->Contains("リネーム終了"));
    const QStringList names = AllFiles(root);
    QCOMPARE(names.size(), 40);
    QVERIFY(names.filter("IMG_").size() > 0);
    for (const QString& name : names) QVERIFY2(name.startsWith("IMG_") || IsCaptureTimeName(name), qPrintable(name));
    QFile settings(QString::fromStdString(cwd_->SettingsFile()));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(settings.readAll().contains("Folder=" + root.toUtf8()));
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
    w.FolderField()->setText(cwd_->Path());
    w.StartButton()->click();
    WaitForIdleWithoutEvents(w.dialog.job);
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

// The window's layout from its templates, the status label's texts, the
// system menu and About box, and the folder picker.
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "app/FolderPicker.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/QtWindow.h"
#include "framework/FolderDialog.h"
#include "res/ResourceIds.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// Counts the changes posted to one window.
class PostedCalls : public QObject {
 public:
  explicit PostedCalls(QObject* window) { window->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MetaCall) ++count;
    return false;
  }
};

}  // namespace

class WindowTest : public GuiTestCase {
  Q_OBJECT

 private slots:
  void controlsSitAtTheirRectangles() {
    OpenedMainDialog w;
    const DialogBaseUnits units = BaseUnitsOf(w.dialog);
    QVERIFY(units.x > 3 && units.y > 10);
    QCOMPARE(w.Window()->size(), DialogUnitsToPixels({0, 0, 320, 169}, units).size());
    QCOMPARE(w.Window()->windowTitle(), QString("Kirabo"));
    const struct {
      int id;
      DialogRect rect;
    } expected[] = {
        {1, {7, 145, 192, 17}},          {kUndoButton, {206, 145, 50, 17}},  {kExitButton, {263, 145, 50, 17}},  {kStatusText, {7, 77, 306, 61}},
        {kFolderField, {14, 17, 262, 13}}, {kBrowseButton, {276, 17, 30, 13}},
    };
    for (const auto& control : expected)
      QCOMPARE(w.Item(control.id)->geometry(), DialogUnitsToPixels(control.rect, units));
    // Closed, the list is as tall as its font needs, not its dropped height.
    const QRect list = DialogUnitsToPixels({14, 55, 292, 35}, units);
    const QRect shown = w.Item(kFormatList)->geometry();
    QCOMPARE(shown.topLeft(), list.topLeft());
    QCOMPARE(shown.width(), list.width());
    QVERIFY(shown.height() < list.height());
  }

  void tabOrderAndFocusFollowTemplate() {
    OpenedMainDialog w;
    QApplication::setActiveWindow(w.Window());
    QTRY_COMPARE(QApplication::focusWidget(), w.Item(1));
    w.UndoButton()->setEnabled(true);  // off while there is nothing to undo, and then no tab stop
    const int order[] = {kUndoButton, kExitButton, kFolderField, kBrowseButton, kFormatList, 1};
    for (int id : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), w.Item(id));
    }
  }

  // A worker setting texts as fast as it can: a handful of changes reach the
  // window, and the last text is the one that stays.
  void workerTextsAreMergedAndLastOneStays() {
    OpenedMainDialog w;
    PostedCalls posted(w.StatusText());
    std::atomic<bool> done = false;
    int last = 0;
    std::thread worker([&] {
      const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
      while (std::chrono::steady_clock::now() < end) w.dialog.statusLabelCtrl.SetText(std::to_string(++last));
      done = true;
    });
    QTRY_VERIFY(done);
    worker.join();
    QVERIFY2(last > 1000, qPrintable(QString::number(last)));
    QTRY_COMPARE(w.StatusText()->text(), QString::number(last));
    QVERIFY2(posted.count < 30, qPrintable(QString::number(posted.count)));
  }

  // A full final label: the last progress with paths wider than the label,
  // then all four counts. Each path keeps its start and its file name, and
  // every line fits, across and down.
  void longPathsAreShortenedInTheMiddle() {
    OpenedMainDialog w;
    const std::string folder = "/media/card/" + std::string(200, 'x') + "/DCIM/100CANON/";
    const std::string text = "12/345\n" + folder + "IMG_0001.CR2\n" + folder + "041005_092510.CR2\n" +
                             "リネームしたファイル: 2 件\nすでに正しい名前のファイル: 1 件\n"
                             "撮影日時のないファイル: 1 件\nリネームできなかったファイル: 1 件";
    w.dialog.statusLabelCtrl.SetText(text);
    QCOMPARE(w.dialog.statusLabelCtrl.GetText(), text);

    QLabel* label = w.StatusText();
    const QStringList shown = label->text().split('\n');
    QCOMPARE(shown.size(), 7);
    QCOMPARE(shown[0], QString("12/345"));
    for (int i : {1, 2}) {
      QVERIFY2(shown[i].startsWith("/media/card/") && shown[i].contains("…"), qPrintable(shown[i]));
    }
    QVERIFY(shown[1].endsWith("IMG_0001.CR2"));
    QVERIFY(shown[2].endsWith("041005_092510.CR2"));
    QCOMPARE(shown[6], QString("リネームできなかったファイル: 1 件"));
    const QFontMetrics metrics(label->font());
    for (const QString& line : shown) QVERIFY(metrics.horizontalAdvance(line) <= label->contentsRect().width());
    QVERIFY(metrics.boundingRect(label->contentsRect(), Qt::AlignLeft | Qt::AlignTop, label->text()).height() <=
            label->contentsRect().height());
  }

  // The real chooser: owned by the main window and modal to it, in Japanese.
  void folderChooserIsModalToMainWindowAndJapanese() {
    QVERIFY(LoadTranslations("ja"));
    OpenedMainDialog w;
    w.FolderField()->setText(FolderPath());
    QWidget* owner = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QString title;
    QStringList captions;
    QTimer::singleShot(0, [&] {
      auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (chooser == nullptr) return;
      owner = chooser->parentWidget();
      modality = chooser->windowModality();
      title = chooser->windowTitle();
      for (QPushButton* button : chooser->findChildren<QPushButton*>()) captions << button->text();
      chooser->reject();
    });
    w.BrowseButton()->click();
    QCOMPARE(owner, static_cast<QWidget*>(w.Window()));
    QCOMPARE(modality, Qt::WindowModal);
    QCOMPARE(title, QString("フォルダの選択"));
    QVERIFY2(captions.contains("選択(&C)"), qPrintable(captions.join(", ")));
    QCOMPARE(w.FolderField()->text(), FolderPath());
  }

  void systemMenuOpensAboutBox() {
    OpenedMainDialog w;
    const QList<QAction*> items = SystemMenuWidget(w.dialog)->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->data().toInt(), kCloseCommand);
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->text(), QString("Kirabo のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    // Both open in the middle of the screen (give or take their frames); the
    // main window can be minimised.
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((w.Window()->frameGeometry().center() - middle).manhattanLength() <= 8);
    QVERIFY(w.Window()->windowFlags() & Qt::WindowMinimizeButtonHint);

    QString aboutTitle;
    bool mainDisabled = false;
    QPoint aboutMiddle;
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      QVERIFY(about != nullptr);
      aboutTitle = about->windowTitle();
      aboutMiddle = about->frameGeometry().center();
      mainDisabled = !w.Window()->isEnabled() || about->parentWidget() == w.Window();
      auto* ok = about->findChild<QPushButton*>();
      QVERIFY(ok != nullptr);
      QCOMPARE(ok->text(), QString("OK"));
      ok->click();
    });
    items[2]->trigger();
    QCOMPARE(aboutTitle, QString("Kiraboのﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY((aboutMiddle - middle).manhattanLength() <= 8);
    QVERIFY(mainDisabled);
    QVERIFY(w.Window()->isVisible());

    // Close in the same menu is the cancel command.
    items[0]->trigger();
    QVERIFY(!w.Window()->isVisible());
    QVERIFY(!folder_->Exists("Kirabo.INI"));
  }

  // F1 opens the About box, with or without a focused control; F1 with a
  // modifier, or in the About box itself, opens nothing more.
  void helpKeyOpensAboutBox() {
    OpenedMainDialog w;
    QStringList opened;
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      QVERIFY(about != nullptr);
      opened << about->windowTitle();
      QTest::keyClick(about, Qt::Key_F1);
      QCOMPARE(QApplication::activeModalWidget(), about);
      about->findChild<QPushButton*>()->click();
    });
    QTest::keyClick(w.FolderField(), Qt::Key_F1);
    QCOMPARE(opened, QStringList{"Kiraboのﾊﾞｰｼﾞｮﾝ情報"});
    QTest::keyClick(w.Window(), Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(opened.size(), 1);
    QVERIFY(w.Window()->isVisible());
  }

  void pickerSendsTrimmedFolderAndReturnsOneSeparator_data() {
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("result");
    QTest::newRow("folder") << "/photos/" << "/photos" << "/photos" << "/photos/";
    QTest::newRow("root") << "/" << "" << "/" << "/";
    QTest::newRow("two separators") << "/a//" << "/a/" << "/a/" << "/a/";
    QTest::newRow("empty") << "" << "" << "/b" << "/b/";
  }
  void pickerSendsTrimmedFolderAndReturnsOneSeparator() {
    QFETCH(QString, initial);
    QFETCH(QString, selected);
    QFETCH(QString, chosen);
    QFETCH(QString, result);
    std::string asked = "not asked";
    SetFolderDialogHook([&](const std::string&, const std::string& selection) {
      asked = selection;
      return std::optional<std::string>(chosen.toStdString());
    });
    std::string picked = "old";
    QVERIFY(CFolderPicker().PickFolder(&picked, initial.toStdString()));
    QCOMPARE(QString::fromStdString(asked), selected);
    QCOMPARE(QString::fromStdString(picked), result);
  }

  void pickerCancelEmptiesResult() {
    SetFolderDialogHook([](const std::string&, const std::string&) { return std::optional<std::string>(); });
    std::string picked = "old";
    QVERIFY(!CFolderPicker().PickFolder(&picked, "/x/"));
    QCOMPARE(picked, std::string());
    QVERIFY(!CFolderPicker().PickFolder(nullptr, "/x/"));
  }

  // CP932 bytes: 表 is 0x95 0x5C, whose second byte is a backslash; ｿ is
  // the single byte 0xBF.
  void separatorRulesOnCp932Bytes_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("trimmed");
    QTest::addColumn<QByteArray>("ensured");
    QTest::newRow("ends in 表") << QByteArray("/x/\x95\x5C") << QByteArray("/x/\x95\x5C") << QByteArray("/x/\x95\x5C/");
    QTest::newRow("表 then separator") << QByteArray("/\x95\x5C/") << QByteArray("/\x95\x5C") << QByteArray("/\x95\x5C/");
    QTest::newRow("half-width kana") << QByteArray("/\xBF/") << QByteArray("/\xBF") << QByteArray("/\xBF/");
    QTest::newRow("backslash is no separator") << QByteArray("/x\\") << QByteArray("/x\\") << QByteArray("/x\\/");
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
  }
  void separatorRulesOnCp932Bytes() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, trimmed);
    QFETCH(QByteArray, ensured);
    std::string text = path.toStdString();
    TrimFinalSeparator(text, CodePage::Cp932);
    QCOMPARE(QByteArray::fromStdString(text), trimmed);
    text = path.toStdString();
    EnsureFinalSeparator(text, CodePage::Cp932);
    QCOMPARE(QByteArray::fromStdString(text), ensured);
  }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

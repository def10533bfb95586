// The window's layout from its templates, the system menu and About box,
// and the folder picker's separator rules.
#include <optional>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
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
        {1, {7, 145, 249, 17}},          {kExitButton, {263, 145, 50, 17}},  {kStatusText, {7, 77, 306, 61}},
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
    const int order[] = {kExitButton, kFolderField, kBrowseButton, kFormatList, 1};
    for (int id : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), w.Item(id));
    }
  }

  void systemMenuOpensAboutBox() {
    OpenedMainDialog w;
    const QList<QAction*> items = SystemMenuWidget(w.dialog)->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->data().toInt(), kCloseCommand);
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->text(), QString("Kirabo のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    QString aboutTitle;
    bool mainDisabled = false;
    QTimer::singleShot(0, [&] {
      QWidget* about = QApplication::activeModalWidget();
      QVERIFY(about != nullptr);
      aboutTitle = about->windowTitle();
      mainDisabled = !w.Window()->isEnabled() || about->parentWidget() == w.Window();
      auto* ok = about->findChild<QPushButton*>();
      QVERIFY(ok != nullptr);
      QCOMPARE(ok->text(), QString("OK"));
      ok->click();
    });
    items[2]->trigger();
    QCOMPARE(aboutTitle, QString("Kiraboのﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY(mainDisabled);
    QVERIFY(w.Window()->isVisible());

    // Close in the same menu is the cancel command.
    items[0]->trigger();
    QVERIFY(!w.Window()->isVisible());
    QVERIFY(!folder_->Exists("Kirabo.INI"));
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

// The window in each language: every text a person reads, and every text
// fitting the control the one template gives it.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "app/FolderPicker.h"
#include "app/JobTexts.h"
#include "engine/UndoWorker.h"
#include "framework/Application.h"
#include "framework/FolderDialog.h"
#include "framework/Translate.h"
#include "framework/qt/QtWindow.h"
#include "res/Version.h"
#include "res/translations/TextTable.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

struct Text {
  const char* what;
  QString shown;
  std::string japanese;
  std::string english;
};

QList<QGroupBox*> FramesTopDown(QWidget* dialog) {
  QList<QGroupBox*> frames = dialog->findChildren<QGroupBox*>();
  std::sort(frames.begin(), frames.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
  return frames;
}

// Runs `inside` on the About box opened from the main dialog's system menu.
void WithAboutBox(OpenedMainDialog& w, const std::function<void(QDialog*)>& inside) {
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (about == nullptr) return;
    inside(about);
    about->reject();
  });
  SystemMenuWidget(w.dialog)->actions().last()->trigger();
}

QString MessageAfterStart(OpenedMainDialog& w, MessageLog& log, const QString& folder, int format) {
  log.calls.clear();
  w.FolderField()->setText(folder);
  w.FormatList()->setCurrentIndex(format);
  w.StartButton()->click();
  return log.calls.size() == 1 ? QString::fromStdString(log.calls[0].text)
                               : QString("(%1 messages)").arg(log.calls.size());
}

QString Shown(const std::string& text) { return QString::fromStdString(text); }

int TextWidth(const QWidget* control, QString text) {
  return control->fontMetrics().horizontalAdvance(text.remove(QLatin1Char('&')));
}

// Adds each text wider than its room to `overflows`; returns the number of
// controls checked.
int CheckFits(QWidget* dialog, QStringList& overflows) {
  int checked = 0;
  auto fits = [&](const QWidget* control, const QString& text, int room) {
    const int width = TextWidth(control, text);
    if (width > room) overflows << QString("%1: %2 > %3").arg(text).arg(width).arg(room);
  };
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    fits(button, button->text(),
         button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width());
    ++checked;
  }
  // A static text may wrap, but all its lines must show.
  for (QLabel* label : dialog->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;  // the icon, the empty status text
    const QRect room = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(room, Qt::TextWordWrap, label->text());
    if (needed.width() > room.width() || needed.height() > room.height())
      overflows << QString("%1: %2x%3 > %4x%5")
                       .arg(label->text())
                       .arg(needed.width())
                       .arg(needed.height())
                       .arg(room.width())
                       .arg(room.height());
    ++checked;
  }
  // The frame's title starts 6 pixels in, with 2 pixels on each side.
  for (QGroupBox* frame : dialog->findChildren<QGroupBox*>()) {
    fits(frame, frame->title(), frame->width() - 6 - 2 * 2);
    ++checked;
  }
  for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const int room =
        list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width();
    for (int i = 0; i < list->count(); ++i) fits(list, list->itemText(i), room);
    ++checked;
  }
  return checked;
}

}  // namespace

class LanguageTest : public GuiTestCase {
  Q_OBJECT

 private slots:
  void cleanupTestCase() { LoadTranslations("ja"); }

  void everyVisibleText_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("Japanese") << "ja";
    QTest::newRow("English") << "en";
  }
  void everyVisibleText() {
    QFETCH(QString, language);
    QVERIFY(LoadTranslations(language.toStdString()));
    const bool english = language == "en";

    OpenedMainDialog w;
    const QList<QGroupBox*> frames = FramesTopDown(w.Window());
    QCOMPARE(frames.size(), 2);
    const QList<QAction*> menu = SystemMenuWidget(w.dialog)->actions();
    QString aboutTitle, aboutButton;
    QStringList aboutLines;
    WithAboutBox(w, [&](QDialog* about) {
      aboutTitle = about->windowTitle();
      aboutButton = about->findChild<QPushButton*>()->text();
      QList<QLabel*> labels = about->findChildren<QLabel*>();
      std::sort(labels.begin(), labels.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
      for (QLabel* label : labels)
        if (!label->text().isEmpty()) aboutLines << label->text();
    });
    const std::string version = std::string(" ") + kVersion;
    std::string chooserTitle;
    SetFolderDialogHook([&](const std::string& title, const std::string&) {
      chooserTitle = title;
      return std::nullopt;
    });
    w.BrowseButton()->click();
    folder_->Write("photos/IMG_0001.CRW", "");

    JobCounts everyOutcome;
    everyOutcome.renamed = 4;
    everyOutcome.alreadyNamed = 3;
    everyOutcome.noCaptureTime = 2;
    everyOutcome.renameFailed = 1;
    JobCounts allRenamed;
    allRenamed.renamed = 2;
    JobCounts partlyRestored;
    partlyRestored.renamed = 4;
    partlyRestored.renameFailed = 1;
    LeftFiles notRestored;
    FileReport changed;
    changed.path = "/p/041005_092510.CRW";
    changed.outcome = FileOutcome::RenameFailed;
    changed.reason = kUndoChanged;
    notRestored.Add(changed, true);
    // Twelve files left with their old names, one with a path too long for
    // a line: ten are named, shortened in the middle, then how many more.
    JobCounts unreadable;
    unreadable.cannotRead = 12;
    LeftFiles left;
    auto leave = [&left](const std::string& path, FileOutcome outcome, const std::string& reason = {}) {
      FileReport report;
      report.path = path;
      report.outcome = outcome;
      report.reason = reason;
      left.Add(report);
    };
    leave("/p/IMG_0000.CRW", FileOutcome::Renamed);
    leave("/p/a.CRW", FileOutcome::NoCaptureTime);
    leave("/p/b.CR2", FileOutcome::RenameFailed, "Read-only file system");
    leave("/p/c.CR3", FileOutcome::CannotRead, "Permission denied");
    leave("/photos/2004/" + std::string(50, 'x') + "/IMG_0001.CRW", FileOutcome::CannotRead, "Input/output error");
    for (int i = 0; i < 8; ++i) leave("/p/" + std::to_string(i) + ".CRW", FileOutcome::CannotRead, "Permission denied");
    const std::string shortened = "/photos/2004/xxxxxx..." + std::string(25, 'x') + "/IMG_0001.CRW";
    auto sixMore = [](const std::string& cannotRead) {
      std::string lines;
      for (int i = 0; i < 6; ++i) lines += "\n/p/" + std::to_string(i) + ".CRW: " + cannotRead + ": Permission denied";
      return lines;
    };

    const Text texts[] = {
        {"title", w.Window()->windowTitle(), "Kirabo", "Kirabo"},
        {"folder frame", frames[0]->title(), "フォルダ", "Folder"},
        {"browse", w.BrowseButton()->text(), "参照", "Browse..."},
        {"format frame", frames[1]->title(), "ファイル名形式(撮影日が 2004/10/5 9:25:10 の場合)",
         "File name format (for a picture taken 2004/10/5 9:25:10)"},
        {"format 1", w.FormatList()->itemText(0), "1:yymmdd_hhmmss (041005_092510.CRW)",
         "1:yymmdd_hhmmss (041005_092510.CRW)"},
        {"format 2", w.FormatList()->itemText(1), "2:hhmmss (092510.CRW)", "2:hhmmss (092510.CRW)"},
        {"status", w.StatusText()->text(), "", ""},
        {"start", w.StartButton()->text(), "開始", "Start"},
        {"undo", w.UndoButton()->text(), "元に戻す", "Undo"},
        {"exit", w.ExitButton()->text(), "終了", "Exit"},
        {"menu close", menu.value(0)->text(), "閉じる(&C)", "&Close"},
        {"menu about", menu.value(2)->text(), "Kirabo のﾊﾞｰｼﾞｮﾝ情報(&A)...", "&About Kirabo..."},
        {"about title", aboutTitle, "Kiraboのﾊﾞｰｼﾞｮﾝ情報", "About Kirabo"},
        {"about button", aboutButton, "OK", "OK"},
        {"about name", aboutLines.value(0), "Kirabo バージョン" + version, "Kirabo version" + version},
        {"about what", aboutLines.value(1), "RAW 写真を撮影した日時の名前にリネームします。",
         "Renames raw photographs after the moment they were taken."},
        {"about copyright and licence", aboutLines.value(2), "© The Kirabo authors・MIT ライセンス",
         "© The Kirabo authors · MIT License"},
        {"chooser title", Shown(chooserTitle), "フォルダの選択", "Choose a folder"},
        {"no folder", MessageAfterStart(w, *messages_, "", 0), "フォルダを指定してください", "Please choose a folder"},
        {"missing folder", MessageAfterStart(w, *messages_, "missing", 0), "フォルダが見つかりません",
         "Folder not found"},
        {"no format", MessageAfterStart(w, *messages_, "photos", -1), "ファイル名形式を選択してください",
         "Please choose a file name format"},
        {"stop button", Shown(Translate("MainDialog", "中断")), "中断", "Stop"},
        {"stopped", Shown(Translate("MainDialog", "中断しました")), "中断しました", "Stopped"},
        {"out of memory", Shown(Translate("MainApp", "メモリ不足エラーです。")), "メモリ不足エラーです。",
         "Out of memory."},
        {"undo question", Shown(WithArgument(Translate("MainDialog", "%1 件のファイル名を元に戻しますか?"), "3")),
         "3 件のファイル名を元に戻しますか?", "Restore the names of 3 files?"},
        {"yes", Shown(Translate("MessageBox", "はい(&Y)")), "はい(&Y)", "&Yes"},
        {"no", Shown(Translate("MessageBox", "いいえ(&N)")), "いいえ(&N)", "&No"},
        {"restored", Shown(UndoFinalMessageOf(allRenamed).text), "元に戻しました", "Names restored"},
        {"restored with counts", Shown(UndoFinalMessageOf(partlyRestored).text),
         "元に戻しました\n\n元に戻したファイル: 4 件\n元に戻せなかったファイル: 1 件",
         "Names restored\n\nFiles restored: 4\nFiles that could not be restored: 1"},
        {"restored with files", Shown(UndoFinalMessageOf(partlyRestored, notRestored).text),
         "元に戻しました\n\n元に戻したファイル: 4 件\n元に戻せなかったファイル: 1 件\n\n"
         "/p/041005_092510.CRW: 元に戻せません: 変更されています",
         "Names restored\n\nFiles restored: 4\nFiles that could not be restored: 1\n\n"
         "/p/041005_092510.CRW: cannot undo: changed since"},
        {"no journal", Shown(JournalFailedText("Permission denied")), "取り消し用の記録を書き込めません:\nPermission denied",
         "Cannot write the undo journal:\nPermission denied"},
        {"searching", Shown(SearchingText("/photos/2004")), "/photos/2004\nを検索中・・・", "Searching\n/photos/2004"},
        {"finished", Shown(FinalMessageOf(allRenamed).text), "リネーム終了", "Renaming finished"},
        {"finished with counts", Shown(FinalMessageOf(everyOutcome).text),
         "リネーム終了\n\nリネームしたファイル: 4 件\nすでに正しい名前のファイル: 3 件\n"
         "撮影日時のないファイル: 2 件\nリネームできなかったファイル: 1 件",
         "Renaming finished\n\nRenamed: 4\nAlready named: 3\nWithout capture time: 2\nCould not be renamed: 1"},
        {"files named", Shown(FinalMessageOf(unreadable, left).text),
         "リネーム終了\n\n読み込めなかったファイル: 12 件\n\n/p/a.CRW: 撮影日時がありません\n"
         "/p/b.CR2: リネームできません: Read-only file system\n/p/c.CR3: 読み込めません: Permission denied\n" +
             shortened + ": 読み込めません: Input/output error" + sixMore("読み込めません") +
             "\n他 2 件",
         "Renaming finished\n\nFiles that could not be read: 12\n\n/p/a.CRW: no capture time\n"
         "/p/b.CR2: cannot rename: Read-only file system\n/p/c.CR3: cannot read: Permission denied\n" +
             shortened + ": cannot read: Input/output error" + sixMore("cannot read") + "\nand 2 more"},
        {"nothing found", Shown(FinalMessageOf(JobCounts{}).text), "リネーム終了\n\nRAW ファイルが見つかりませんでした",
         "Renaming finished\n\nNo raw files found"},
    };
    for (const Text& text : texts)
      QVERIFY2(text.shown == QString::fromStdString(english ? text.english : text.japanese),
               qPrintable(QString("%1: \"%2\"").arg(text.what, text.shown)));
  }

  // One template serves both languages: each text must fit the rectangle
  // the template gives its control, in the dialog's own font.
  void everyTextFitsItsControl_data() { everyVisibleText_data(); }
  void everyTextFitsItsControl() {
    QFETCH(QString, language);
    QVERIFY(LoadTranslations(language.toStdString()));
    OpenedMainDialog w;
    QStringList overflows;
    QCOMPARE(CheckFits(w.Window(), overflows), 7);  // four buttons, two frames, the list
    int aboutChecked = 0;
    WithAboutBox(w, [&](QDialog* about) { aboutChecked = CheckFits(about, overflows); });
    QCOMPARE(aboutChecked, 4);  // OK and three lines
    QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join("; ")));
  }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"

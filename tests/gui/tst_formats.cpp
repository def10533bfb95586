// Every row of the name-format table is offered wherever a format is
// chosen: the window's list, kirabo-cli's -f and its help, the completion.
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include <QComboBox>
#include <QTest>

#include "GuiTestSupport.h"
#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "engine/NameFormats.h"

using namespace kirabo;
using namespace kirabo::test;

namespace {

// The words the completion offers after -f.
std::set<std::string> CompletedFormats() {
  std::ifstream file(KIRABO_COMPLETION, std::ios::binary);
  const std::string script(std::istreambuf_iterator<char>(file), {});
  const std::string start = "local formats='";
  const size_t from = script.find(start);
  if (from == std::string::npos) return {};
  std::istringstream words(script.substr(from + start.size(), script.find('\'', from + start.size()) - from - start.size()));
  return {std::istream_iterator<std::string>(words), {}};
}

}  // namespace

class FormatsTest : public GuiTestCase {
  Q_OBJECT

 private slots:
  void everyFormatIsOfferedEverywhere() {
    OpenedMainDialog w;
    const auto rows = NameFormats();
    QCOMPARE(w.FormatList()->count(), int(rows.size()));
    const std::set<std::string> completed = CompletedFormats();
    QCOMPARE(completed.size(), 2 * rows.size());
    const std::string usage = cli::UsageText(UiLanguage::English);
    for (size_t i = 0; i < rows.size(); ++i) {
      const NameFormatRow& row = rows[i];
      // The example of the window's format frame, "撮影日が 2004/10/5 9:25:10".
      const std::string example = StemFromPattern(row.pattern, {2004, 10, 5, 9, 25, 10}) + ".CRW";
      const QString entry = w.FormatList()->itemText(int(i));
      // kirabo-cli's number of a format is the one the window shows.
      QVERIFY2(entry == QString::fromStdString(std::string(row.cliNumber) + ":" + ShownPattern(row.pattern) + " (" +
                                                example + ")"),
               qPrintable(entry));
      QVERIFY2(usage.find(example) != std::string::npos, example.c_str());
      for (const std::string_view view : {row.cliNumber, row.cliName}) {
        const std::string spelling(view);
        const char* argv[] = {"kirabo-cli", "-f", spelling.c_str(), "pics"};
        QCOMPARE(cli::ParseCommandLine(4, argv).format, int32_t(row.format));
        QVERIFY2(completed.count(spelling) == 1, spelling.c_str());
      }
    }
  }
};

QTEST_MAIN(FormatsTest)
#include "tst_formats.moc"

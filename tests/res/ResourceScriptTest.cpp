#include "res/ResourceScript.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace kirabo {
namespace {

// A dialog with one list whose entries follow as raw records.
constexpr char kListDialog[] = R"(
7 DIALOGEX 0, 0, 100, 50
CAPTION "T"
FONT 9, "F"
BEGIN
    COMBOBOX        5, 1, 2, 3, 4, CBS_DROPDOWNLIST | CBS_SORT
END
)";

std::vector<std::string> ListEntries(const std::string& script) {
  const ResourceScript parsed = ParseResourceScript(script);
  const auto dialog = parsed.dialogs.find(7);
  if (dialog == parsed.dialogs.end() || dialog->second.controls.empty()) return {};
  return dialog->second.controls[0].items;
}

TEST(ResourceScript, ListEntryRecordsAreReadWithinTheirBounds) {
  const struct {
    const char* name;
    std::string records;
    std::vector<std::string> expected;
  } cases[] = {
      {"two entries", R"(5, 0x0403, 2L, "a\0", 5, 0x0403, 3L, "bc\0", 0)", {"a", "bc"}},
      {"other controls and messages skipped", R"(6, 0x0403, 2L, "x\0", 5, 0x0401, 2L, "y\0", 0)", {}},
      {"length past the end", R"(5, 0x0403, 2L, "a\0", 5, 0x0403, 99L, "b\0")", {"a"}},
      {"record cut short", R"(5, 0x0403, 2L, "a\0", 5, 0x0403)", {"a"}},
      {"no end marker", R"(5, 0x0403, 2L, "a\0")", {"a"}},
  };
  for (const auto& c : cases) {
    const std::string entries = "7 DLGINIT\nBEGIN\n" + c.records + "\nEND\n";
    EXPECT_EQ(ListEntries(kListDialog + entries), c.expected) << c.name << ", after the dialog";
    EXPECT_EQ(ListEntries(entries + kListDialog), c.expected) << c.name << ", before the dialog";
  }
}

TEST(ResourceScript, TextsCommentsAndUnreadableStatements) {
  const ResourceScript parsed = ParseResourceScript(R"(#include <windows.h>
/* a "block" comment */ // 1 "not a string"
#define X 2
STRINGTABLE
BEGIN
    1 "say ""hi"""
    2, "tab\there"
END
1 VERSIONINFO
FILEVERSION 1, 2
BEGIN
    BLOCK "a"
    BEGIN
        VALUE "b", "c"
    END
END
3 ICON "x.ico"
STRINGTABLE BEGIN 4 "kept" END
9 UNKNOWN 1 2
STRINGTABLE BEGIN 5 "lost" END
)");
  const std::map<int, std::string> expected{{1, "say \"hi\""}, {2, "tab\there"}, {4, "kept"}};
  EXPECT_EQ(parsed.strings, expected);
}

// The program's own script: what the windows are built from.
TEST(ResourceScript, ProgramScriptHoldsBothDialogsAndTheMenuText) {
  std::ifstream file(KIRABO_RESOURCE_SCRIPT, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const ResourceScript parsed = ParseResourceScript(text.str());
  ASSERT_EQ(parsed.dialogs.count(100), 1u);
  ASSERT_EQ(parsed.dialogs.count(102), 1u);
  EXPECT_EQ(parsed.strings.at(101), "Kirabo のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  const DialogTemplate& main = parsed.dialogs.at(102);
  EXPECT_EQ(main.controls.size(), 9u);
  EXPECT_EQ(main.controls[7].items,
            (std::vector<std::string>{"1:yymmdd_hhmmss (041005_092510.CRW)", "2:hhmmss (092510.CRW)"}));
  EXPECT_EQ(parsed.dialogs.at(100).title, "Kiraboのﾊﾞｰｼﾞｮﾝ情報");
}

}  // namespace
}  // namespace kirabo

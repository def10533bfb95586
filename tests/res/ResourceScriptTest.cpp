#include "framework/qt/ResourceScript.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace kirabo {
namespace {

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

// Ids named by a header's #define lines, the way the program's script names
// its dialogs, controls and strings.
TEST(ResourceScript, IdsNamedByDefines) {
  const ResourceSymbols symbols = ReadDefines(
      "#pragma once\n#define IDD_X 7 // a dialog\n  #define IDC_Y 0x10\n#define MACRO(x) x\n#define EMPTY\n"
      "int kNotADefine = 3;\n");
  EXPECT_EQ(symbols, (ResourceSymbols{{"IDD_X", 7}, {"IDC_Y", 16}}));
  const ResourceScript parsed = ParseResourceScript(R"(IDD_X DIALOGEX 0, 0, 10, 10
BEGIN
    EDITTEXT IDC_Y, 1, 2, 3, 4
END
STRINGTABLE BEGIN IDD_X "seven" END
UNKNOWN_ID DIALOGEX 0, 0, 10, 10
)",
                                                    symbols);
  ASSERT_EQ(parsed.dialogs.count(7), 1u);
  EXPECT_EQ(parsed.dialogs.at(7).controls.at(0).id, 16);
  EXPECT_EQ(parsed.strings, (std::map<int, std::string>{{7, "seven"}}));
}

// The program's own script: what the windows are built from.
TEST(ResourceScript, ProgramScriptHoldsBothDialogsAndTheMenuText) {
  auto read = [](const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  };
  const ResourceScript parsed = ParseResourceScript(read(KIRABO_RESOURCE_SCRIPT), ReadDefines(read(KIRABO_RESOURCE_IDS)));
  ASSERT_EQ(parsed.dialogs.count(100), 1u);
  ASSERT_EQ(parsed.dialogs.count(102), 1u);
  EXPECT_EQ(parsed.strings.at(101), "Kirabo のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  const DialogTemplate& main = parsed.dialogs.at(102);
  EXPECT_EQ(main.controls.size(), 9u);
  EXPECT_EQ(parsed.strings.at(200), "1:yymmdd_hhmmss (041005_092510.CRW)");
  EXPECT_EQ(parsed.strings.at(201), "2:hhmmss (092510.CRW)");
  EXPECT_EQ(parsed.dialogs.at(100).title, "Kiraboのﾊﾞｰｼﾞｮﾝ情報");
}

}  // namespace
}  // namespace kirabo

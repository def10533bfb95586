// kirabo-cli built without the UTF-8 manifest and run in ANSI code page 932,
// as on a Japanese Windows that keeps its code page: its paths are in 932,
// and its own texts must be too, whether the lines go to the console (set to
// that code page) or, as here, to a pipe and a file.

#include <gtest/gtest.h>

#include <string>

#include "CliRunner.h"
#include "RawFileBuilder.h"
#include "TempFolder.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo::test {
namespace {

// `bytes` read as code page 932, in UTF-8; "(not 932)" when they do not decode.
std::string Utf8From932(const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length == 0) return "(not 932)";
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
  const int utf8Length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(utf8Length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), utf8Length, nullptr, nullptr);
  return utf8;
}

TEST(Cp932Cli, OwnTextsInCodePage932BesideThePaths) {
  ASSERT_EQ(::GetACP(), 932u);
  TempFolder tree;
  const std::string omote = "\x95\x5C";  // 表, whose second byte is that of '\\'
  tree.Write(omote + "/a.CRW", CrwFile(kOctober2004));
  tree.Write(omote + "/b.CRW", "not a raw file");
  const std::string folder = tree.Path(omote);
  CliSetting japanese;
  japanese.environment = {{"KIRABO_LANG", "ja"}};

  CliResult result = RunCli({"--dry-run", folder}, japanese);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "1/2\t" + folder + "\\a.CRW\t" + folder + "\\041005_092510.CRW\n");
  const std::string shown = Utf8From932(folder);
  EXPECT_EQ(Utf8From932(result.err), shown + "\tを検索中・・・\nkirabo-cli: " + shown +
                                         "\\b.CRW: 撮影日時がありません\n"
                                         "リネーム予定 1 件、正しい名前 0 件、撮影日時なし 1 件、失敗予定 0 件\n");
  EXPECT_TRUE(Utf8From932(RunCli({"/?"}, japanese).out).starts_with("使い方: kirabo-cli [-f 形式]"));
}

}  // namespace
}  // namespace kirabo::test

#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "TempFolder.h"

namespace kirabo {
namespace {

using test::TempFolder;

struct TextCase {
  const char* name;
  std::string ini;
  std::string expected;  // "Folder" of section "Data", default "default"
};

void PrintTo(const TextCase& textCase, std::ostream* out) { *out << textCase.name; }

class ReadTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ReadTextTest, ReadsTheStoredValue) {
  TempFolder temp;
  temp.Write("Kirabo.INI", GetParam().ini);
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "default", temp.Path("Kirabo.INI")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadTextTest,
    testing::Values(
        TextCase{"Plain", "[Data]\nFolder=/photos\n", "/photos"},
        TextCase{"AnyLetterCase", "[dATA]\nfOLDER=x\n", "x"},
        TextCase{"Blanks", " [ Data ] \n\t Folder \t=  /a b \t\n", "/a b"},
        TextCase{"DoubleQuotes", "[Data]\nFolder=\" x \"\n", " x "},
        TextCase{"SingleQuotes", "[Data]\nFolder='x'\n", "x"},
        TextCase{"OneQuoteOnly", "[Data]\nFolder=\"x\n", "\"x"},
        TextCase{"WindowsFile", "[Data]\r\nFolder=C:\\\x95\x5C\\\r\nFormat=1\r\n", "C:\\\x95\x5C\\"},
        TextCase{"ByteOrderMark", "\xEF\xBB\xBF[Data]\nFolder=x\n", "x"},
        TextCase{"NoFinalLineEnd", "[Data]\nFolder=x", "x"},
        TextCase{"EmptyValue", "[Data]\nFolder=\n", ""},
        TextCase{"FirstOfTwoKeys", "[Data]\nFolder=1\nFolder=2\n", "1"},
        TextCase{"OtherSection", "[Other]\nFolder=x\n[Data]\nFormat=1\n", "default"},
        TextCase{"BeforeAnySection", "Folder=x\n[Data]\n", "default"},
        TextCase{"Comment", "[Data]\n;Folder=x\n", "default"},
        TextCase{"NoSection", "; nothing\n", "default"},
        TextCase{"EmptyFile", "", "default"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(PrivateProfile, ReadsIntegersWithSignsAndClamps) {
  TempFolder temp;
  const std::string path = temp.Path("Kirabo.INI");
  const std::pair<std::string, int32_t> cases[] = {
      {"1", 1},           {"-1", -1},          {"+7", 7},   {" 42 ", 42},  {"\"3\"", 3},
      {"12abc", 12},      {"abc", 99},         {"", 99},    {"-", 99},     {"- 1", 99},
      {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
  for (const auto& [stored, expected] : cases) {
    temp.Write("Kirabo.INI", "[Data]\nFormat=" + stored + "\n");
    EXPECT_EQ(GetPrivateProfileInt("Data", "Format", 99, path), expected) << stored;
  }
  EXPECT_EQ(GetPrivateProfileInt("Data", "Format", 99, temp.Path("missing.INI")), 99);
}

TEST(PrivateProfile, CutsValuesToTheBuffer) {
  TempFolder temp;
  const std::string path = temp.Path("Kirabo.INI");
  temp.Write("Kirabo.INI", "[Data]\nFolder=" + std::string(5000, 'f') + "\n");
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", path), std::string(4095, 'f'));
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", path, 4), "fff");
  EXPECT_EQ(GetPrivateProfileString("Data", "Missing", "default", path, 4), "def");
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", temp.Path("missing.INI")), "");
}

struct WriteCase {
  const char* name;
  std::string before;  // empty: no file
  std::string key;
  std::string value;
  std::string after;
};

void PrintTo(const WriteCase& writeCase, std::ostream* out) { *out << writeCase.name; }

class WriteTextTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTextTest, ChangesOnlyTheKeysLine) {
  TempFolder temp;
  if (!GetParam().before.empty()) temp.Write("Kirabo.INI", GetParam().before);
  ASSERT_TRUE(WritePrivateProfileString("Data", GetParam().key, GetParam().value, temp.Path("Kirabo.INI")));
  EXPECT_EQ(temp.Read("Kirabo.INI"), GetParam().after);
  // Nothing else is left behind in the folder, such as the temporary file.
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"Kirabo.INI"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, WriteTextTest,
    testing::Values(
        WriteCase{"CreatesTheFile", "", "Folder", "/photos/", "[Data]\nFolder=/photos/\n"},
        WriteCase{"AppendsAtTheEndOfTheSection", "[Data]\nFolder=x\n\n[Other]\nk=v\n", "Format", "1",
                  "[Data]\nFolder=x\nFormat=1\n\n[Other]\nk=v\n"},
        WriteCase{"ReplacesKeepingEveryOtherByte",
                  "; top\r\nloose=1\r\n[Data]\r\nFolder=\x95\x5C\r\n; note\r\nformat = 0\r\n[Other]\r\nFormat=5\r\n",
                  "Format", "-1",
                  "; top\r\nloose=1\r\n[Data]\r\nFolder=\x95\x5C\r\n; note\r\nFormat=-1\r\n[Other]\r\nFormat=5\r\n"},
        WriteCase{"AddsTheSectionWithTheFilesLineEnds", "[Other]\r\nk=v", "Folder", "x",
                  "[Other]\r\nk=v\r\n[Data]\r\nFolder=x\r\n"},
        WriteCase{"EndsAnUnterminatedHeader", "[Data]", "Folder", "x", "[Data]\nFolder=x\n"},
        WriteCase{"KeepsLineBreaksOutOfTheFile", "[Data]\nFormat=0\n", "Folder", "a\r\nb\nc",
                  "[Data]\nFormat=0\nFolder=a  b c\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(PrivateProfile, WrittenValuesReadBack) {
  TempFolder temp;
  const std::string path = temp.Path("Kirabo.INI");
  ASSERT_TRUE(WritePrivateProfileString("Data", "Format", "-1", path));
  ASSERT_TRUE(WritePrivateProfileString("Data", "Folder", "/写真/", path));
  EXPECT_EQ(GetPrivateProfileInt("Data", "Format", 0, path), -1);
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", path), "/写真/");
}

TEST(PrivateProfile, KeepsTheFilesMode) {
  TempFolder temp;
  temp.Write("Kirabo.INI", "[Data]\n");
  ASSERT_EQ(::chmod(temp.Path("Kirabo.INI").c_str(), 0640), 0);
  ASSERT_TRUE(WritePrivateProfileString("Data", "Folder", "x", temp.Path("Kirabo.INI")));
  struct stat st {};
  ASSERT_EQ(::stat(temp.Path("Kirabo.INI").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(temp.Read("Kirabo.INI"), "[Data]\nFolder=x\n");
}

constexpr off_t kHugeSize = off_t{1} << 30;

// A 1 GB file with holes: its settings at the start, then nothing.
void MakeHugeSparseFile(const TempFolder& temp) {
  temp.Write("Kirabo.INI", "[Data]\nFolder=kept\n");
  ASSERT_EQ(::truncate(temp.Path("Kirabo.INI").c_str(), kHugeSize), 0);
}

struct RefusalCase {
  const char* name;
  void (*make)(const TempFolder&);
  std::string path;  // relative to the folder
  int error;
};

void PrintTo(const RefusalCase& refusalCase, std::ostream* out) { *out << refusalCase.name; }

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, WritesNothingAndSaysWhy) {
  TempFolder temp;
  temp.Write("victim", "export PATH=/bin\n");
  GetParam().make(temp);
  const std::vector<std::string> names = temp.Names();
  struct stat before {};
  ::lstat(temp.Path("Kirabo.INI").c_str(), &before);

  int error = 0;
  EXPECT_FALSE(WritePrivateProfileString("Data", "Folder", "x", temp.Path(GetParam().path), &error));
  EXPECT_EQ(error, GetParam().error) << std::strerror(error);
  EXPECT_EQ(temp.Read("victim"), "export PATH=/bin\n");
  EXPECT_EQ(temp.Names(), names);  // no temporary file left behind
  struct stat after {};
  ::lstat(temp.Path("Kirabo.INI").c_str(), &after);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_size, before.st_size);
  EXPECT_EQ(after.st_blocks, before.st_blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusalTest,
    testing::Values(
        RefusalCase{"Link", [](const TempFolder& t) { EXPECT_EQ(::symlink("victim", t.Path("Kirabo.INI").c_str()), 0); },
                    "Kirabo.INI", ELOOP},
        RefusalCase{"Folder", [](const TempFolder& t) { t.MakeFolder("Kirabo.INI"); }, "Kirabo.INI", EISDIR},
        RefusalCase{"ReadOnly",
                    [](const TempFolder& t) {
                      t.Write("Kirabo.INI", "[Data]\n");
                      EXPECT_EQ(::chmod(t.Path("Kirabo.INI").c_str(), 0444), 0);
                    },
                    "Kirabo.INI", EACCES},
        RefusalCase{"HugeSparse", MakeHugeSparseFile, "Kirabo.INI", EFBIG},
        RefusalCase{"MissingFolder", [](const TempFolder&) {}, "missing/Kirabo.INI", ENOENT}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(PrivateProfile, ReadsOnlyTheStartOfAHugeFile) {
  TempFolder temp;
  MakeHugeSparseFile(temp);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", temp.Path("Kirabo.INI")), "kept");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(PrivateProfile, ALineCutByTheReadingLimitIsNotRead) {
  TempFolder temp;
  const std::string head = "[Data]\n;" + std::string((1 << 20) - 20, ';') + "\n";
  temp.Write("Kirabo.INI", head + "Folder=" + std::string(100, 'f') + "\n");
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "default", temp.Path("Kirabo.INI")), "default");
}

}  // namespace
}  // namespace kirabo

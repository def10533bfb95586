#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace kirabo {
namespace {

using test::CurrentFolder;
using test::TempFolder;

// The native reader: what it shares with the one of the Linux build.
TEST(PrivateProfile, NativeReadingOfTheSettingsFile) {
  TempFolder temp;
  const std::string path = temp.Path("Kirabo.INI");
  struct Case {
    std::string ini;
    std::string folder;  // default "default"
    int32_t format;      // default 99
  };
  const Case cases[] = {
      {"[Data]\r\nFolder=C:\\写真\\\r\nFormat=1\r\n", "C:\\写真\\", 1},
      {"[dATA]\nfOLDER=x\nfORMAT=-1\n", "x", -1},
      {" [Data]\n Folder = a b \n", "a b", 99},
      {"[Data]\nFolder=\" x \"\n", " x ", 99},
      {"[Other]\nFolder=x\nFormat=1\n", "default", 99},
      {"[Data]\n;Folder=x\n", "default", 99},
      {"", "default", 99},
  };
  for (const Case& c : cases) {
    temp.Write("Kirabo.INI", c.ini);
    EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "default", path), c.folder) << c.ini;
    EXPECT_EQ(GetPrivateProfileInt("Data", "Format", 99, path), c.format) << c.ini;
  }
  temp.Write("Kirabo.INI", "[Data]\nFolder=" + std::string(5000, 'f') + "\n");
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", path), std::string(4095, 'f'));
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", temp.Path("missing.INI")), "");
}

TEST(PrivateProfile, ALineBreakInAValueStartsNoKeyOfItsOwn) {
  TempFolder temp;
  const std::string path = temp.Path("Kirabo.INI");
  ASSERT_TRUE(WritePrivateProfileString("Data", "Folder", "C:\\a\r\n[Data]\r\nFormat=7\nb", path));
  ASSERT_TRUE(WritePrivateProfileString("Data", "Format", "-1", path));
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", path), "C:\\a  [Data]  Format=7 b");
  EXPECT_EQ(GetPrivateProfileInt("Data", "Format", 0, path), -1);
}

TEST(PrivateProfile, ARelativePathNamesTheCurrentFolder) {
  TempFolder temp;
  CurrentFolder inside(temp.root());
  ASSERT_TRUE(WritePrivateProfileString("Data", "Folder", "x", "Kirabo.INI"));
  EXPECT_TRUE(temp.Exists("Kirabo.INI"));
  EXPECT_EQ(GetPrivateProfileString("Data", "Folder", "", "Kirabo.INI"), "x");
}

}  // namespace
}  // namespace kirabo

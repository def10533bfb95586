#include "platform/PrivateProfile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/win32/WindowsApi.h"

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

TEST(PrivateProfile, AFolderOrAReadOnlyFileIsNotWritten) {
  TempFolder temp;
  temp.MakeFolder("folder.INI");
  temp.Write("readonly.INI", "[Data]\r\n");
  ASSERT_TRUE(::SetFileAttributesA(temp.Path("readonly.INI").c_str(), FILE_ATTRIBUTE_READONLY));
  for (const char* name : {"folder.INI", "readonly.INI"}) {
    int error = 0;
    EXPECT_FALSE(WritePrivateProfileString("Data", "Folder", "x", temp.Path(name), &error)) << name;
    EXPECT_EQ(error, ERROR_ACCESS_DENIED) << name;
  }
  EXPECT_EQ(temp.Read("readonly.INI"), "[Data]\r\n");
  ASSERT_TRUE(::SetFileAttributesA(temp.Path("readonly.INI").c_str(), FILE_ATTRIBUTE_NORMAL));
}

}  // namespace
}  // namespace kirabo

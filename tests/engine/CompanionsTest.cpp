#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Companions.h"

namespace kirabo {
namespace {

// Each raw file's companions as "folder|tail", then the names left alone.
std::vector<std::string> Described(const FolderCompanions& found) {
  std::vector<std::string> lines;
  for (size_t raw = 0; raw < found.ofRaw.size(); ++raw) {
    for (const Companion& c : found.ofRaw[raw]) lines.push_back(std::to_string(raw) + ":" + c.folder + "|" + c.tail);
  }
  for (const std::string& name : found.shared) lines.push_back("shared:" + name);
  return lines;
}

TEST(Companions, EveryFormOfOneFolder) {
  const struct {
    const char* what;
    std::vector<std::string> raws;
    std::vector<std::string> files;
    std::vector<SettingsFolder> settings;
    std::vector<std::string> expected;
  } cases[] = {
      {"twin, thumbnail, memo and sidecars keep their own case",
       {"IMG_1234.CR2"},
       {"IMG_1234.JPG", "img_1234.thm", "IMG_1234.Wav", "IMG_1234.xmp", "IMG_1234.CR2.xmp", "IMG_1234.cr2.PP3",
        "IMG_1234.CR2.dop", "IMG_1234.on1", "IMG_1234.HEIC", "IMG_1234.txt", "IMG_12345.JPG"},
       {},
       {"0:|.JPG", "0:|.thm", "0:|.Wav", "0:|.xmp", "0:|.CR2.xmp", "0:|.cr2.PP3", "0:|.CR2.dop", "0:|.on1",
        "0:|.HEIC"}},
      {"a stem two raw files share: whole-name sidecars still belong",
       {"IMG_1234.CR2", "IMG_1234.CR3"},
       {"IMG_1234.JPG", "IMG_1234.CR3.xmp"},
       {},
       {"1:|.CR3.xmp", "shared:IMG_1234.JPG"}},
      {"darktable's versions, unless a raw file has that name",
       {"IMG_1234.CR2", "IMG_1234_02.CR2"},
       {"IMG_1234_01.CR2.xmp", "IMG_1234_02.CR2.xmp", "IMG_1234_1.CR2.xmp", "IMG_1234_01.CR3.xmp"},
       {},
       {"0:|_01.CR2.xmp", "1:|.CR2.xmp"}},
      {"raw files are never companions, of any case",
       {"a.cr2", "A.JPG.CR2"},
       {"a.CR2", "A.jpg"},
       {},
       {"0:|.jpg"}},
      {"Capture One's settings and masks",
       {"IMG_1234.CR2"},
       {},
       {{"CaptureOne/Settings153/", {"IMG_1234.CR2.cos", "img_1234.cr2.COMASK", "IMG_1234.cos", "IMG_9.CR2.cos"}}},
       {"0:CaptureOne/Settings153/|.CR2.cos", "0:CaptureOne/Settings153/|.cr2.COMASK"}},
      {"names without a dot or a stem of their own", {"IMG", ".CR2"}, {"IMG.JPG", "README", ".JPG"}, {}, {"0:|.JPG", "1:|.JPG"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Described(FindCompanions(c.raws, c.files, c.settings, CodePage::Utf8)), c.expected) << c.what;
  }
}

// A Shift_JIS trail byte may be an ASCII letter: 0x83 0x61 is not "A".
TEST(Companions, LetterCaseIsFoldedOnlyOutsideDoubleByteCharacters) {
  const FolderCompanions found =
      FindCompanions({"\x83\x61.CR2"}, {"\x83\x41.JPG", "\x83\x61.jpg"}, {}, CodePage::Cp932);
  EXPECT_EQ(Described(found), std::vector<std::string>{"0:|.jpg"});
}

}  // namespace
}  // namespace kirabo

// Real camera files and damaged files from other projects' security reports,
// each with the value it must give (EXPECTED.tsv beside them).

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/CaptureTimeReader.h"
#include "platform/File.h"
#include "platform/UtcTime.h"

namespace kirabo {
namespace {

struct Expected {
  std::string file;
  std::string value;  // "YYYY-MM-DD HH:MM:SS", "none" or "any"
};

std::vector<Expected> LoadExpected() {
  std::vector<Expected> rows;
  std::ifstream in(std::string(KIRABO_CORPUS_DIR) + "/EXPECTED.tsv");
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    rows.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  return rows;
}

std::string Format(CaptureTime time) {
  if (time < 0) return "none";
  UtcDateTime t = BreakDownUtc(time);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

TEST(Corpus, EveryFileGivesItsExpectedValue) {
  std::vector<Expected> rows = LoadExpected();
  ASSERT_EQ(rows.size(), 24u) << "corpus not found at " << KIRABO_CORPUS_DIR;
  for (const Expected& row : rows) {
    CCaptureTimeReader reader;
    bool none = reader.Load(std::string(KIRABO_CORPUS_DIR) + "/" + row.file);
    if (row.value == "any") continue;  // read safely is all that is asked
    EXPECT_EQ(Format(reader.GetCaptureTime()), row.value) << row.file;
    EXPECT_EQ(none, row.value == "none") << row.file;
  }
}

TEST(Corpus, ReadingOneFileCostsAtMostEightReads) {
  for (const Expected& row : LoadExpected()) {
    uint64_t before = CFile::SystemReadCount();
    CCaptureTimeReader reader;
    reader.Load(std::string(KIRABO_CORPUS_DIR) + "/" + row.file);
    EXPECT_LE(CFile::SystemReadCount() - before, 8u) << row.file;
  }
}

}  // namespace
}  // namespace kirabo

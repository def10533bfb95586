// Real camera files and damaged files from other projects' security reports.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Corpus.h"
#include "engine/CaptureTimeReader.h"
#include "platform/File.h"
#include "platform/UtcTime.h"

namespace kirabo {
namespace {

using test::CorpusFile;
using test::CorpusFiles;
using test::kCorpusFolder;

std::string Format(CaptureTime time) {
  if (time < 0) return "none";
  UtcDateTime t = BreakDownUtc(time);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

TEST(Corpus, EveryFileGivesItsExpectedValue) {
  std::vector<CorpusFile> rows = CorpusFiles();
  ASSERT_EQ(rows.size(), 31u) << "corpus not found at " << kCorpusFolder;
  for (const CorpusFile& row : rows) {
    CCaptureTimeReader reader;
    bool none = reader.Load(kCorpusFolder + "/" + row.file);
    if (row.value == "any") continue;  // read safely is all that is asked
    EXPECT_EQ(Format(reader.GetCaptureTime()), row.value) << row.file;
    EXPECT_EQ(none, row.value == "none") << row.file;
  }
}

TEST(Corpus, ReadingOneFileCostsAtMostEightReads) {
  for (const CorpusFile& row : CorpusFiles()) {
    uint64_t before = CFile::SystemReadCount();
    CCaptureTimeReader reader;
    reader.Load(kCorpusFolder + "/" + row.file);
    EXPECT_LE(CFile::SystemReadCount() - before, 8u) << row.file;
  }
}

}  // namespace
}  // namespace kirabo

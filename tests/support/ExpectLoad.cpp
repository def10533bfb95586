#include "ExpectLoad.h"

#include <gtest/gtest.h>

#include "platform/File.h"

namespace kirabo::test {

void ExpectLoad(const std::string& path, CaptureTime expected, uint64_t maxReads, const std::string& what) {
  const uint64_t before = CFile::SystemReadCount();
  CCaptureTimeReader reader;
  const bool none = reader.Load(path);
  EXPECT_EQ(reader.GetCaptureTime(), expected) << what;
  EXPECT_EQ(none, expected == -1) << what;
  EXPECT_LE(CFile::SystemReadCount() - before, maxReads) << what;
}

}  // namespace kirabo::test

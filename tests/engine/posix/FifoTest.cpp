#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"
#include "engine/RawFile.h"

namespace kirabo {
namespace {

TEST(File, RefusesAFifoWithoutBlocking) {
  test::TempFolder temp;
  ASSERT_EQ(mkfifo(temp.Path("FIFO.CRW").c_str(), 0600), 0);
  CFile file;
  EXPECT_FALSE(file.Open(temp.Path("FIFO.CRW")));
  // Not a raw file rather than one that could not be read.
  EXPECT_EQ(file.Error(), 0);
}

}  // namespace
}  // namespace kirabo

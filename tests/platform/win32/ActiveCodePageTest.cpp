#include <gtest/gtest.h>

#include "platform/Multibyte.h"

namespace kirabo {
namespace {

// The test programs carry the same manifest as the program.
TEST(Multibyte, ManifestMakesUtf8TheActiveCodePage) { EXPECT_EQ(ActiveCodePage(), CodePage::Utf8); }

}  // namespace
}  // namespace kirabo

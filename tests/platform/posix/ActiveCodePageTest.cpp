#include <gtest/gtest.h>

#include <clocale>

#include "platform/Multibyte.h"

namespace kirabo {
namespace {

TEST(Multibyte, ActiveCodePageFollowsTheLocale) {
  ASSERT_NE(setlocale(LC_ALL, "C"), nullptr);
  EXPECT_EQ(ActiveCodePage(), CodePage::SingleByte);
  if (setlocale(LC_ALL, "C.UTF-8") != nullptr) {
    EXPECT_EQ(ActiveCodePage(), CodePage::Utf8);
  }
  setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace kirabo

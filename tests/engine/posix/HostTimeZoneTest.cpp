#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "engine/TiffDateTime.h"

namespace kirabo {
namespace {

TEST(TiffDateTime, DoesNotDependOnTheHostTimeZone) {
  const char* old = std::getenv("TZ");
  std::string saved = old ? old : "";
  for (const char* zone : {"America/New_York", "Asia/Tokyo", "UTC"}) {
    setenv("TZ", zone, 1);
    tzset();
    EXPECT_EQ(ParseTiffDateTime("2004:07:05 09:25:10"), 1089019510) << zone;
  }
  if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
  tzset();
}

}  // namespace
}  // namespace kirabo

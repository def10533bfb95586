#include <gtest/gtest.h>

#include <optional>

#include "engine/TiffDateTime.h"

namespace kirabo {
namespace {

struct Case {
  const char* text;
  std::optional<CaptureTime> expected;
};

TEST(TiffDateTime, ParsesWithUtcRulesOrGivesNothing) {
  const Case cases[] = {
      {"2004:10:05 09:25:10", 1096968310},
      {"1970:01:01 00:00:00", 0},
      {"2038:01:19 03:14:07", 2147483647},
      {"2000:02:29 23:59:59", 951868799},
      {" 2004:10:05   09:25:10", 1096968310},  // blanks as a conversion skips them
      {"2004:10:0509:25:10", 1096968310},      // the blank matches an empty run too
      {"2004:10:05 09:25:10xyz", 1096968310},
      {"0000:00:00 00:00:00", std::nullopt},  // cameras with an unset clock
      {"1969:12:31 23:59:59", std::nullopt},
      {"2038:01:19 03:14:08", 2147483648},
      {"2099:12:31 23:59:59", 4102444799},
      {"2100:01:01 00:00:00", std::nullopt},  // names show two digits of the year
      {"2004:13:05 09:25:10", std::nullopt},
      {"2003:02:29 09:25:10", std::nullopt},
      {"2004:10:05 24:00:00", std::nullopt},
      {"2004:10:05 09:60:10", std::nullopt},
      {"2004:10:05 09:25:60", std::nullopt},
      {"2004:10:05", std::nullopt},
      {"2004-10-05 09:25:10", std::nullopt},
      {"20041:0:05 09:25:10", std::nullopt},  // a year has at most four characters
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTiffDateTime(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace kirabo

#pragma once

#include <cstdint>
#include <optional>

namespace kirabo {

// A calendar date and time read with UTC rules: no time zone, no daylight
// saving.
struct UtcDateTime {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Breaks a count of seconds since 1970-01-01 00:00:00 down with UTC rules.
UtcDateTime BreakDownUtc(int64_t seconds);

// The inverse: seconds since 1970-01-01 00:00:00 for a date-time whose every
// field is in range (month 1-12, a day the month has, hour 0-23, minute and
// second 0-59); nothing otherwise.
std::optional<int64_t> SecondsFromUtc(const UtcDateTime& dateTime);

}  // namespace kirabo

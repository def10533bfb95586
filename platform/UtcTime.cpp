#include "UtcTime.h"

#include <chrono>

namespace kirabo {

namespace chr = std::chrono;

UtcDateTime BreakDownUtc(int64_t seconds) {
  chr::sys_seconds moment{chr::seconds{seconds}};
  auto day = chr::floor<chr::days>(moment);
  chr::year_month_day date{day};
  chr::hh_mm_ss time{moment - day};
  return UtcDateTime{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                     static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
                     static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count())};
}

std::optional<int64_t> SecondsFromUtc(const UtcDateTime& t) {
  if (t.year < -32767 || t.year > 32767 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return {};
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) return {};
  chr::year_month_day date{chr::year{t.year}, chr::month{static_cast<unsigned>(t.month)},
                           chr::day{static_cast<unsigned>(t.day)}};
  if (!date.ok()) return {};
  chr::sys_seconds moment = chr::sys_days{date} + chr::hours{t.hour} + chr::minutes{t.minute} + chr::seconds{t.second};
  return moment.time_since_epoch().count();
}

}  // namespace kirabo

#include "engine/NameFormats.h"

#include <algorithm>
#include <cstdio>

namespace kirabo {

namespace {

constexpr NameFormatRow kRows[] = {
    {DateAndTime, "1", "datetime", "%y%m%d_%H%M%S", 200},
    {TimeOnly, "2", "time", "%H%M%S", 201},
};

// What a pattern's %-fields stand for: two digits each.
struct Field {
  char code;
  const char* shown;
  int (*value)(const UtcDateTime&);
};
constexpr Field kFields[] = {
    {'y', "yy", [](const UtcDateTime& t) { return t.year % 100; }},
    {'m', "mm", [](const UtcDateTime& t) { return t.month; }},
    {'d', "dd", [](const UtcDateTime& t) { return t.day; }},
    {'H', "hh", [](const UtcDateTime& t) { return t.hour; }},
    {'M', "mm", [](const UtcDateTime& t) { return t.minute; }},
    {'S', "ss", [](const UtcDateTime& t) { return t.second; }},
};

// Copies `pattern` with each field replaced by what `expand` makes of it.
template <typename Expand>
std::string ExpandFields(std::string_view pattern, Expand expand) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const Field* field = nullptr;
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      for (const Field& f : kFields) {
        if (f.code == pattern[i + 1]) field = &f;
      }
    }
    if (field == nullptr) {
      out += pattern[i];
    } else {
      out += expand(*field);
      ++i;
    }
  }
  return out;
}

}  // namespace

std::span<const NameFormatRow> NameFormats() { return kRows; }

const NameFormatRow* FindNameFormat(int32_t format) {
  const auto* row = std::find_if(std::begin(kRows), std::end(kRows),
                                 [format](const NameFormatRow& r) { return r.format == format; });
  return row == std::end(kRows) ? nullptr : row;
}

std::string StemFromPattern(std::string_view pattern, const UtcDateTime& time) {
  return ExpandFields(pattern, [&time](const Field& field) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", field.value(time));
    return std::string(digits);
  });
}

std::string ShownPattern(std::string_view pattern) {
  return ExpandFields(pattern, [](const Field& field) { return std::string(field.shown); });
}

}  // namespace kirabo

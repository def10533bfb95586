#include "TiffDateTime.h"

#include <cstdint>

#include "platform/UtcTime.h"

namespace kirabo {

namespace {

constexpr int kLastYear = 2099;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

void SkipBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
}

// A decimal number of at most `width` characters after blanks, a sign
// counting as one character: the way a "%0Nd" conversion reads it.
bool ScanNumber(std::string_view text, size_t& pos, int width, int& value) {
  SkipBlanks(text, pos);
  int used = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
    ++used;
  }
  int digits = 0;
  int number = 0;
  while (used < width && pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    number = number * 10 + (text[pos] - '0');
    ++pos;
    ++used;
    ++digits;
  }
  if (digits == 0) return false;
  value = negative ? -number : number;
  return true;
}

bool ScanChar(std::string_view text, size_t& pos, char expected) {
  if (pos >= text.size() || text[pos] != expected) return false;
  ++pos;
  return true;
}

}  // namespace

std::optional<CaptureTime> ParseTiffDateTime(std::string_view text) {
  UtcDateTime t;
  size_t pos = 0;
  bool parsed = ScanNumber(text, pos, 4, t.year) && ScanChar(text, pos, ':') &&
                ScanNumber(text, pos, 2, t.month) && ScanChar(text, pos, ':') &&
                ScanNumber(text, pos, 2, t.day) && (SkipBlanks(text, pos), true) &&
                ScanNumber(text, pos, 2, t.hour) && ScanChar(text, pos, ':') &&
                ScanNumber(text, pos, 2, t.minute) && ScanChar(text, pos, ':') &&
                ScanNumber(text, pos, 2, t.second);
  if (!parsed) return {};
  if (t.year > kLastYear) return {};
  std::optional<int64_t> seconds = SecondsFromUtc(t);
  if (!seconds || *seconds < 0) return {};
  return *seconds;
}

}  // namespace kirabo

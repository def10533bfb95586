#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/RenameJob.h"
#include "platform/UtcTime.h"

namespace kirabo {

// One way of naming a file after its capture time. Every part of the program
// that offers, reads or stores a format takes it from this table: the job,
// the window's list, the setting, kirabo-cli's -f and its bash completion.
struct NameFormatRow {
  NameFormat format;  // the job's value; the window stores it in the settings
  // The two spellings kirabo-cli's -f takes; the number is the one the
  // window's list shows before the format.
  std::string_view cliNumber;
  std::string_view cliName;
  // The new name's stem: %y %m %d %H %M %S stand for the two digits of the
  // year (its last two), month, day, hour, minute and second; any other
  // character stands for itself.
  std::string_view pattern;
  int listTextId;  // the string resource the window lists the format by
};

// In the order the window lists them; the first is kirabo-cli's default.
std::span<const NameFormatRow> NameFormats();

// The row of `format`; null when no row has it (-1: none chosen).
const NameFormatRow* FindNameFormat(int32_t format);

// The stem a pattern gives for `time`: 041005_092510 for %y%m%d_%H%M%S.
std::string StemFromPattern(std::string_view pattern, const UtcDateTime& time);

// The pattern as people read it: yymmdd_hhmmss for %y%m%d_%H%M%S.
std::string ShownPattern(std::string_view pattern);

}  // namespace kirabo

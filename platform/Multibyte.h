#pragma once

#include <string>
#include <string_view>

namespace kirabo {

// The character set that paths and texts are encoded in. Double-byte sets
// matter because a trail byte can equal '\\' (0x5C) or other ASCII bytes.
enum class CodePage { Utf8, Cp932, SingleByte };

// The code page that paths and texts are in: that of the current C locale
// (call after setlocale), or on Windows the ANSI code page (GetACP).
CodePage ActiveCodePage();

// Byte length of the character starting at `index` (at least 1, never past
// the end of `text`).
size_t CharLength(std::string_view text, size_t index, CodePage codePage);

// Index of the last character equal to the single-byte `ch`, stepping over
// multibyte characters; npos when there is none.
size_t FindLastChar(std::string_view text, char ch, CodePage codePage);

// True when the last character (not merely the last byte) is `ch`.
bool LastCharIs(std::string_view text, char ch, CodePage codePage);

// ASCII letters upper-cased; bytes of multibyte characters left untouched.
std::string UpperAscii(std::string_view text, CodePage codePage);

}  // namespace kirabo

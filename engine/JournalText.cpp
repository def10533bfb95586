#include "engine/JournalText.h"

#include <cstdint>
#include <cstdio>

namespace kirabo {

namespace {

// The length of the well-formed UTF-8 character at `i` (no overlong forms,
// no surrogates, nothing above U+10FFFF); 0 when there is none.
size_t Utf8Length(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  uint8_t lead = byte(i);
  if (lead < 0x80) return 1;
  size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  uint8_t second = byte(i + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string EscapeJournalField(std::string_view bytes) {
  std::string field;
  field.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    size_t length = Utf8Length(bytes, i);
    auto byte = static_cast<uint8_t>(bytes[i]);
    if (length > 1 || (length == 1 && byte >= 0x20 && byte != 0x7F && byte != '\\')) {
      field.append(bytes.substr(i, length));
      i += length;
    } else if (byte == '\\') {
      field += "\\\\";
      ++i;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      field += hex;
      ++i;
    }
  }
  return field;
}

std::optional<std::string> UnescapeJournalField(std::string_view field) {
  std::string bytes;
  bytes.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      bytes += field[i];
    } else if (i + 1 < field.size() && field[i + 1] == '\\') {
      bytes += '\\';
      ++i;
    } else if (i + 3 < field.size() && field[i + 1] == 'x' && HexDigit(field[i + 2]) >= 0 &&
               HexDigit(field[i + 3]) >= 0) {
      bytes += static_cast<char>(HexDigit(field[i + 2]) * 16 + HexDigit(field[i + 3]));
      i += 3;
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

}  // namespace kirabo

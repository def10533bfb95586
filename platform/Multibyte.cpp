#include "Multibyte.h"

namespace kirabo {

namespace {

bool IsCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// '\\' (0x5C) is among them, so it never separates inside a character.
bool IsCp932TrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

size_t Utf8SequenceLength(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
  if (b >= 0xC2) return 2;
  return 1;  // ASCII, a stray continuation byte or an invalid lead byte
}

}  // namespace

size_t CharLength(std::string_view text, size_t index, CodePage codePage) {
  if (index >= text.size()) return 1;
  auto lead = static_cast<unsigned char>(text[index]);
  size_t length = 1;
  switch (codePage) {
    case CodePage::Cp932:
      // A lead byte before a byte that cannot follow it ('/', NUL, the end)
      // stands alone, so no separator is ever swallowed.
      if (IsCp932LeadByte(lead) && index + 1 < text.size() &&
          IsCp932TrailByte(static_cast<unsigned char>(text[index + 1])))
        length = 2;
      break;
    case CodePage::Utf8:
      length = Utf8SequenceLength(lead);
      for (size_t i = 1; i < length; ++i) {
        // A broken sequence counts byte by byte, so no ASCII byte is ever
        // swallowed into it.
        if (index + i >= text.size() || (static_cast<unsigned char>(text[index + i]) & 0xC0) != 0x80) {
          length = 1;
          break;
        }
      }
      break;
    case CodePage::SingleByte:
      break;
  }
  return index + length <= text.size() ? length : text.size() - index;
}

size_t FindLastChar(std::string_view text, char ch, CodePage codePage) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i, codePage)) {
    if (text[i] == ch && CharLength(text, i, codePage) == 1) found = i;
  }
  return found;
}

bool LastCharIs(std::string_view text, char ch, CodePage codePage) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i, codePage)) last = i;
  return last != std::string_view::npos && last == text.size() - 1 && text[last] == ch;
}

std::string UpperAscii(std::string_view text, CodePage codePage) {
  std::string upper(text);
  for (size_t i = 0; i < upper.size();) {
    size_t length = CharLength(upper, i, codePage);
    if (length == 1 && upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
    i += length;
  }
  return upper;
}

}  // namespace kirabo

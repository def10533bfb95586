#include "framework/win32/DialogFont.h"

#include <cstring>

namespace kirabo {

namespace {

constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT: the header ends with a font

// Reads the header field by field; every step checks what is left.
class HeaderReader {
 public:
  HeaderReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Word(uint16_t& value) {
    if (size_ - pos_ < 2) return false;
    value = uint16_t(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return true;
  }
  bool Skip(size_t count) {
    if (size_ - pos_ < count) return false;
    pos_ += count;
    return true;
  }
  // A NUL-terminated UTF-16 text.
  bool Text() {
    uint16_t c = 0;
    do {
      if (!Word(c)) return false;
    } while (c != 0);
    return true;
  }
  // A menu or class: none (0), an ordinal (0xFFFF and a number) or a name.
  bool NameOrOrdinal() {
    uint16_t first = 0;
    if (!Word(first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) return Skip(2);
    pos_ -= 2;
    return Text();
  }
  size_t Position() const { return pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

size_t AlignToDword(size_t offset) { return (offset + 3) & ~size_t(3); }

}  // namespace

std::vector<uint8_t> ReplaceDialogFont(const uint8_t* data, size_t size, std::u16string_view faceName, uint8_t charset) {
  HeaderReader header(data, size);
  uint16_t version = 0, signature = 0;
  if (!header.Word(version) || !header.Word(signature) || version != 1 || signature != 0xFFFF) return {};
  // Help id and extended style, then the style itself.
  if (!header.Skip(8)) return {};
  const size_t styleAt = header.Position();
  if (!header.Skip(4)) return {};
  const uint32_t style = uint32_t(data[styleAt]) | uint32_t(data[styleAt + 1]) << 8;
  if ((style & kSetFont) == 0) return {};
  // Item count and rectangle, menu, class, title, then size, weight and italic.
  if (!header.Skip(10) || !header.NameOrOrdinal() || !header.NameOrOrdinal() || !header.Text() || !header.Skip(5))
    return {};
  const size_t charsetAt = header.Position();
  if (!header.Skip(1)) return {};
  const size_t faceAt = header.Position();
  if (!header.Text()) return {};
  const size_t itemsAt = AlignToDword(header.Position());
  if (itemsAt > size) return {};

  // The controls start on a DWORD boundary, as they must in the copy.
  std::vector<uint8_t> copy(data, data + faceAt);
  copy[charsetAt] = charset;
  for (char16_t c : faceName) {
    copy.push_back(uint8_t(c & 0xFF));
    copy.push_back(uint8_t(c >> 8));
  }
  copy.insert(copy.end(), {0, 0});
  copy.resize(AlignToDword(copy.size()), 0);
  copy.insert(copy.end(), data + itemsAt, data + size);
  return copy;
}

}  // namespace kirabo

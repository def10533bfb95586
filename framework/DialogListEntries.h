#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kirabo {

// One initial entry of a dialog's list.
struct DialogListEntry {
  int controlId = 0;
  std::string text;
};

// The entries a dialog template's initialisation data adds to its combo
// boxes. The data is a run of little-endian records: control id (16 bits),
// message (16 bits), text length with its NUL (32 bits) and the text, ending
// at control id 0. Records with another message are passed over; a record
// that runs past the end ends the walk.
inline std::vector<DialogListEntry> ReadDialogListEntries(const uint8_t* data, size_t size) {
  constexpr uint32_t kAddComboEntry = 0x0403;
  constexpr size_t kRecordHead = 8;
  auto word = [data](size_t at) { return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8; };
  std::vector<DialogListEntry> entries;
  size_t at = 0;
  while (at + kRecordHead <= size && word(at) != 0) {
    const int controlId = int(word(at));
    const uint32_t message = word(at + 2);
    const uint32_t length = word(at + 4) | word(at + 6) << 16;
    at += kRecordHead;
    if (length > size - at) break;
    std::string text(reinterpret_cast<const char*>(data + at), length);
    at += length;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    if (message == kAddComboEntry) entries.push_back({controlId, std::move(text)});
  }
  return entries;
}

}  // namespace kirabo

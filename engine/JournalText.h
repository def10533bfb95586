#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kirabo {

// A field of a journal line as UTF-8 text without tabs or line breaks.
// Bytes that are not valid UTF-8 (a Linux name in no encoding, a name in
// code page 932) and control bytes become "\xHH", and '\\' becomes "\\\\",
// so every name comes back byte for byte.
std::string EscapeJournalField(std::string_view bytes);

// The bytes of an escaped field; nothing for a broken escape.
std::optional<std::string> UnescapeJournalField(std::string_view field);

}  // namespace kirabo

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kirabo {

// A private-profile (INI) file: "[Section]" lines and "key=value" lines.
// Sections and keys match case-insensitively (ASCII); a missing file, section
// or key gives the default.

// The value, trimmed of blanks and one pair of enclosing quotes, cut to
// bufferSize - 1 bytes.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path,
                                    size_t bufferSize = 4096);

// An optional sign and decimal digits; the default when the key is missing.
int32_t GetPrivateProfileInt(const std::string& section, const std::string& key, int32_t defaultValue,
                             const std::string& path);

// Replaces or appends the key, creating the section and the file when
// missing, keeping every other line as it was; the file is replaced
// atomically. False when the file could not be written.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path);

}  // namespace kirabo

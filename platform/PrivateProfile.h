#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kirabo {

// A private-profile (INI) file: "[Section]" lines and "key=value" lines, with
// LF or CRLF line ends. Sections and keys match case-insensitively (ASCII);
// lines starting with ';' are comments. When a section appears more than
// once, only its first appearance is read and written. A missing file, section
// or key gives the default. Section and key names are the caller's own plain
// names, without line breaks, brackets or '='.
//
// On Windows these are the system's own GetPrivateProfileStringA,
// GetPrivateProfileIntA and WritePrivateProfileStringA, given the path made
// absolute; where their reading and writing differ in detail (duplicate
// sections, a byte order mark, the file's line ends, an atomic replacement),
// the system's rules hold. Line breaks in a written value become spaces on
// both systems.

// The value, trimmed of blanks and one pair of enclosing quotes (" or '), cut
// to bufferSize - 1 bytes. On Linux only the first 1 MB of the file is read.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path,
                                    size_t bufferSize = 4096);

// An optional sign and decimal digits, read from the start of the value; what
// follows the digits is ignored and out-of-range numbers are clamped. The
// default when the key is missing or its value starts without a digit.
int32_t GetPrivateProfileInt(const std::string& section, const std::string& key, int32_t defaultValue,
                             const std::string& path);

// Replaces the key's line, or appends the key at the end of its section,
// creating the section and the file when missing; every other line stays as
// it was, byte for byte. Line breaks in `value` are written as spaces, so a
// value always stays on its own line. The file is replaced atomically (a
// temporary file beside it, then a rename). Nothing is written when the path
// names a symbolic link (or a reparse point), a folder, a file marked
// read-only or, on Linux, a file larger than the 1 MB that is read of it.
// False when the file was not written, with the system's error code (errno,
// or GetLastError on Windows) in `systemError` when given.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& path, int* systemError = nullptr);

}  // namespace kirabo

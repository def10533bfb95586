#pragma once

#include <string>
#include <string_view>

namespace kirabo {

// Texts between the active code page, in which the program keeps its paths,
// and the UTF-16 of the system's wide functions.
std::wstring WidenPath(std::string_view path);
std::string NarrowPath(std::wstring_view path);

// `path` made absolute, for the wide file functions: from MAX_PATH
// characters on with the "\\?\" prefix ("\\?\UNC\" for a network path),
// which lifts the limit to the system's 32,767; shorter paths keep their
// plain form. Empty when the path cannot be made absolute.
std::wstring ExtendedPath(std::string_view path);

// The longest path the wide functions take.
constexpr size_t kLongestPath = 32767;

}  // namespace kirabo

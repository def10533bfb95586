#include "cli/OutputCharset.h"

#include "platform/win32/WindowsApi.h"

namespace kirabo::cli {

// Under the UTF-8 manifest nothing changes; a system that keeps its own ANSI
// code page (932 on a Japanese one) runs the program in it, paths included.
std::string InOutputCharset(std::string_view utf8) {
  if (::GetACP() == CP_UTF8 || utf8.empty()) return std::string(utf8);
  const int size = static_cast<int>(utf8.size());
  const int wideLength = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wideLength);
  // No best fit: a character the code page lacks shows as '?', never as a
  // look-alike that reads as something else.
  const int length =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, "?", nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, narrow.data(), length, "?", nullptr);
  return narrow;
}

}  // namespace kirabo::cli

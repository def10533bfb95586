#include "platform/win32/WidePath.h"

#include "platform/win32/WindowsApi.h"

namespace kirabo {

std::wstring WidenPath(std::string_view path) {
  if (path.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), int(path.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(size_t(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, path.data(), int(path.size()), wide.data(), length);
  return wide;
}

std::string NarrowPath(std::wstring_view path) {
  if (path.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_ACP, 0, path.data(), int(path.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(size_t(length), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, path.data(), int(path.size()), narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::wstring ExtendedPath(std::string_view path) {
  const std::wstring wide = WidenPath(path);
  if (wide.empty()) return {};
  constexpr std::wstring_view kPrefix = L"\\\\?\\";
  if (wide.starts_with(kPrefix)) return wide;
  // The first call tells the size needed, NUL included; GetFullPathNameW
  // takes any length and also removes "." and ".." steps, which the prefix
  // would keep as names.
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return {};
  full.resize(length);
  if (full.size() < MAX_PATH - 12) return full;  // room for a 8.3 name, as CreateDirectory needs
  if (full.starts_with(L"\\\\")) return std::wstring(kPrefix) + L"UNC" + full.substr(1);
  return std::wstring(kPrefix) + full;
}

}  // namespace kirabo

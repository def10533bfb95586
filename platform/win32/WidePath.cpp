#include "platform/win32/WidePath.h"

#include "platform/win32/WindowsApi.h"

namespace kirabo {

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  int size = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string narrow(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::wstring EntryPath(const CFolder& folder, std::string_view name) {
  std::wstring path = folder.WidePath();
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + Widen(name);
}

}  // namespace kirabo

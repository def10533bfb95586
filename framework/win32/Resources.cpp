#include "framework/Resources.h"

#include "framework/win32/WindowsApi.h"

namespace kirabo {

namespace {
// The longest string the program keeps among its resources, with room to spare.
constexpr int kStringBuffer = 512;
}  // namespace

std::string LoadResourceString(int id) {
  char text[kStringBuffer];
  const int length = LoadStringA(GetModuleHandleA(nullptr), UINT(id), text, kStringBuffer);
  return length > 0 ? std::string(text, size_t(length)) : std::string();
}

// Icons loaded from resources are shared by the system and never destroyed.
Icon LoadResourceIcon(int id) {
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
  return icon != nullptr ? Icon(std::make_shared<const NativeIcon>(NativeIcon{icon})) : Icon();
}

}  // namespace kirabo

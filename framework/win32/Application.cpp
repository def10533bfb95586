#include "framework/Application.h"

#include <algorithm>
#include <vector>

#include "framework/win32/WindowsApi.h"
#include "platform/Multibyte.h"
#include "platform/UiLanguage.h"

#include <commctrl.h>
#include <objbase.h>

namespace kirabo {

int Application::Run(int& argc, char** argv) {
  arguments_.assign(argv + std::min(argc, 1), argv + argc);
  // Quoted as "C:\", a root's final backslash escapes the closing quote,
  // which then ends the argument; no Windows path holds a quote.
  for (std::string& argument : arguments_) {
    if (argument.size() > 1 && argument.back() == '"') argument.back() = '\\';
  }

  // Common controls in the look the manifest asks for, and a single-threaded
  // apartment for the shell's folder dialog.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  if (InitInstance()) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  const int result = ExitInstance();
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

std::string FirstUserInterfaceLanguage() { return SystemUiLanguage(); }

// Windows takes the names from the version block of the program's resources.
void SetProgramIdentity(const char*, const char*, const char*) {}

std::string ApplicationTitle() {
  std::vector<char> path(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()))) == path.size() && path.size() < 0x10000)
    path.resize(path.size() * 2);
  std::string name(path.data(), length);
  const CodePage codePage = ActiveCodePage();
  const size_t separator = FindLastChar(name, '\\', codePage);
  if (separator != std::string::npos) name.erase(0, separator + 1);
  const size_t dot = FindLastChar(name, '.', codePage);
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace kirabo

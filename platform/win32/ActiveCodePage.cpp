#include "platform/Multibyte.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

// The manifest asks for UTF-8; systems before Windows 10 1903, and those set
// to keep their own code page, run the program in their ANSI code page.
CodePage ActiveCodePage() {
  switch (::GetACP()) {
    case CP_UTF8:
      return CodePage::Utf8;
    case 932:
      return CodePage::Cp932;
    default:
      return CodePage::SingleByte;
  }
}

}  // namespace kirabo

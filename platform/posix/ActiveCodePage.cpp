#include <langinfo.h>
#include <strings.h>

#include "platform/Multibyte.h"

namespace kirabo {

CodePage ActiveCodePage() {
  const char* codeset = nl_langinfo(CODESET);
  if (codeset == nullptr) return CodePage::SingleByte;
  if (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "UTF8") == 0) return CodePage::Utf8;
  if (strcasecmp(codeset, "SHIFT_JIS") == 0 || strcasecmp(codeset, "SJIS") == 0 ||
      strcasecmp(codeset, "CP932") == 0 || strcasecmp(codeset, "WINDOWS-31J") == 0)
    return CodePage::Cp932;
  return CodePage::SingleByte;
}

}  // namespace kirabo

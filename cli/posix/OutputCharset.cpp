#include "cli/OutputCharset.h"

#include <iconv.h>
#include <langinfo.h>
#include <strings.h>

#include <cerrno>
#include <mutex>

#include "platform/Multibyte.h"

namespace kirabo::cli {

namespace {

bool PassesAsItIs(const char* codeset) {
  for (const char* name : {"UTF-8", "UTF8", "ANSI_X3.4-1968", "ASCII", "US-ASCII"}) {
    if (strcasecmp(codeset, name) == 0) return true;
  }
  return false;
}

// One descriptor for the process; iconv keeps state while it converts, so
// one text at a time goes through it.
class Converter {
 public:
  Converter() {
    const char* codeset = nl_langinfo(CODESET);
    if (codeset != nullptr && !PassesAsItIs(codeset)) descriptor = iconv_open(codeset, "UTF-8");
  }
  ~Converter() {
    if (Converts()) iconv_close(descriptor);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Converts() const { return descriptor != reinterpret_cast<iconv_t>(-1); }

  std::string operator()(std::string_view utf8) {
    std::lock_guard lock(mutex);
    std::string out;
    // Japanese takes two bytes where UTF-8 takes three: one pass is the rule.
    std::string buffer(utf8.size() + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    while (inLeft > 0) {
      char* next = buffer.data();
      size_t room = buffer.size();
      const size_t done = iconv(descriptor, &in, &inLeft, &next, &room);
      out.append(buffer.data(), next);
      if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
      // A character the set lacks, or (never in our own texts) a broken
      // sequence: one '?' for it, and on with the next.
      out += '?';
      const size_t skipped = CharLength(std::string_view(in, inLeft), 0, CodePage::Utf8);
      in += skipped;
      inLeft -= skipped;
    }
    // Back to the initial shift state, which the next text starts from.
    char* next = buffer.data();
    size_t room = buffer.size();
    iconv(descriptor, nullptr, nullptr, &next, &room);
    out.append(buffer.data(), next);
    return out;
  }

 private:
  iconv_t descriptor = reinterpret_cast<iconv_t>(-1);
  std::mutex mutex;
};

}  // namespace

std::string InOutputCharset(std::string_view utf8) {
  static Converter converter;
  if (!converter.Converts()) return std::string(utf8);
  return converter(utf8);
}

}  // namespace kirabo::cli

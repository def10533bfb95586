// Build step: writes kirabo-cli's bash completion from its template, with
// the values -f takes put in from the name-format table.
//   kirabo-completion-writer TEMPLATE OUTPUT

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/CliOptions.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: kirabo-completion-writer TEMPLATE OUTPUT\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string script(std::istreambuf_iterator<char>(in), {});
  const std::string placeholder = "@KIRABO_FORMAT_WORDS@";
  const size_t at = script.find(placeholder);
  if (!in || at == std::string::npos) {
    std::fprintf(stderr, "kirabo-completion-writer: %s: no %s\n", argv[1], placeholder.c_str());
    return 1;
  }
  std::string words;
  for (const std::string& word : kirabo::cli::FormatWords()) words += (words.empty() ? "" : " ") + word;
  script.replace(at, placeholder.size(), words);
  std::ofstream out(argv[2], std::ios::binary);
  if (!out.write(script.data(), static_cast<std::streamsize>(script.size()))) {
    std::fprintf(stderr, "kirabo-completion-writer: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

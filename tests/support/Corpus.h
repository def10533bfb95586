#pragma once

// The real camera files and damaged files kept with the tests, each with the
// value it must give (EXPECTED.tsv beside them; the CR3 files and the other
// makers' files have their own in cr3/ and formats/).

#include <string>
#include <vector>

namespace kirabo::test {

struct CorpusFile {
  std::string file;   // relative to the corpus folder
  std::string value;  // "YYYY-MM-DD HH:MM:SS" (UTC rules), "none" or "any"
};

// The sample folder; the build sets it.
inline const std::string kCorpusFolder = KIRABO_CORPUS_DIR;

// The rows of the expectations tables; empty when there is no corpus.
std::vector<CorpusFile> CorpusFiles();

}  // namespace kirabo::test

#include "Corpus.h"

#include <fstream>

namespace kirabo::test {

std::vector<CorpusFile> CorpusFiles() {
  std::vector<CorpusFile> rows;
  std::ifstream in(kCorpusFolder + "/EXPECTED.tsv");
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    size_t tab = line.find('\t');
    if (line.starts_with("#") || tab == std::string::npos) continue;
    rows.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  return rows;
}

}  // namespace kirabo::test

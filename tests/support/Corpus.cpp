#include "Corpus.h"

#include <fstream>

namespace kirabo::test {

namespace {

// The rows of the table in `folder` ("" or ending in "/"), their files named
// relative to the corpus folder.
void ReadTable(const std::string& folder, std::vector<CorpusFile>& rows) {
  std::ifstream in(kCorpusFolder + "/" + folder + "EXPECTED.tsv");
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    size_t tab = line.find('\t');
    if (line.starts_with("#") || tab == std::string::npos) continue;
    rows.push_back({folder + line.substr(0, tab), line.substr(tab + 1)});
  }
}

}  // namespace

std::vector<CorpusFile> CorpusFiles() {
  std::vector<CorpusFile> rows;
  for (const char* folder : {"", "cr3/", "formats/"}) ReadTable(folder, rows);
  return rows;
}

}  // namespace kirabo::test

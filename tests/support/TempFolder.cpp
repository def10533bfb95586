#include "TempFolder.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kirabo::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "kirabo-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  root_ = fs::canonical(pattern).string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string TempFolder::Path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + "/" + relative;
}

void TempFolder::MakeFolder(const std::string& relative) const { fs::create_directories(Path(relative)); }

std::string TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  std::string path = Path(relative);
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw std::runtime_error("cannot write " + path);
  }
  return path;
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(Path(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TempFolder::Exists(const std::string& relative) const {
  struct stat st {};
  return ::lstat(Path(relative).c_str(), &st) == 0;
}

std::vector<std::string> TempFolder::Names(const std::string& relative) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Path(relative))) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolder::CurrentFolder(const std::string& folder) : previous_(fs::current_path()) { fs::current_path(folder); }

CurrentFolder::~CurrentFolder() {
  std::error_code error;
  fs::current_path(previous_, error);
  if (error) std::fprintf(stderr, "cannot return to %s: %s\n", previous_.c_str(), error.message().c_str());
}

}  // namespace kirabo::test

#include "TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "NativePath.h"
#include "platform/Path.h"

namespace kirabo::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
    fs::path candidate = base / ("kirabo-test-" + std::to_string(random() % 1000000000));
    // Fails when the name is taken, so two tests never share a folder.
    if (fs::create_directory(candidate)) root_ = ProgramPath(fs::canonical(candidate));
  }
  if (root_.empty()) throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // A test may have taken a folder's write permission away; the folder goes
  // only once its owner may change it again. Each folder is mended before
  // the walk enters it.
  std::error_code walkError;
  fs::recursive_directory_iterator walk(NativePath(root_), walkError);
  for (; !walkError && walk != fs::recursive_directory_iterator(); walk.increment(walkError)) {
    if (walk->symlink_status(ignored).type() == fs::file_type::directory)
      fs::permissions(walk->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(NativePath(root_), ignored);
}

std::string TempFolder::Path(const std::string& relative) const {
  if (relative.empty()) return root_;
  // Tests name entries with '/'; the program itself writes the system's separator.
  std::string path = root_ + kPathSeparator + relative;
  std::replace(path.begin() + static_cast<std::ptrdiff_t>(root_.size()), path.end(), '/', kPathSeparator);
  return path;
}

void TempFolder::MakeFolder(const std::string& relative) const { fs::create_directories(NativePath(Path(relative))); }

std::string TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  std::string path = Path(relative);
  fs::create_directories(NativePath(path).parent_path());
  std::ofstream out(NativePath(path), std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw std::runtime_error("cannot write " + path);
  }
  return path;
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(NativePath(Path(relative)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TempFolder::Exists(const std::string& relative) const {
  std::error_code ignored;
  return fs::symlink_status(NativePath(Path(relative)), ignored).type() != fs::file_type::not_found;
}

std::vector<std::string> TempFolder::Names(const std::string& relative) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(NativePath(Path(relative))))
    names.push_back(ProgramPath(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolder::CurrentFolder(const std::string& folder) : previous_(fs::current_path()) {
  fs::current_path(NativePath(folder));
}

CurrentFolder::~CurrentFolder() {
  std::error_code error;
  fs::current_path(previous_, error);
  if (error) std::fprintf(stderr, "cannot return to %s: %s\n", ProgramPath(previous_).c_str(), error.message().c_str());
}

}  // namespace kirabo::test

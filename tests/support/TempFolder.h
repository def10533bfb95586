#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kirabo::test {

// A fresh folder for one test, removed with everything in it afterwards. Its
// path has symbolic links resolved, so it compares equal to getcwd() inside
// it. Relative paths name entries below it; "" names the folder itself.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const;

  void MakeFolder(const std::string& relative) const;
  // Writes a file, making its parent folders; returns its path.
  std::string Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  // Whether an entry stands there, a dangling link included.
  bool Exists(const std::string& relative) const;
  // The names in a folder, sorted by bytes.
  std::vector<std::string> Names(const std::string& relative = "") const;

 private:
  std::string root_;
};

// Changes the current directory for one scope and restores it afterwards.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace kirabo::test

#include "platform/FileFind.h"

#include <algorithm>
#include <new>

#include "platform/Path.h"

namespace kirabo {

namespace {

bool IsDotsName(std::string_view name) { return name == "." || name == ".."; }

const std::string kNoEntry;

}  // namespace

bool CFileFind::FindFile(const std::string& pattern) {
  Close();
  try {
    // Windows accepts '/' as well; neither byte is ever part of a multibyte
    // character, but the search must still step over them.
    CodePage codePage = ActiveCodePage();
    size_t separator = FindLastChar(pattern, kPathSeparator, codePage);
    if (kPathSeparator != '/') {
      size_t slash = FindLastChar(pattern, '/', codePage);
      if (slash != std::string::npos && (separator == std::string::npos || slash > separator)) separator = slash;
    }
    std::string_view whole = pattern;
    std::string_view wildcard = separator == std::string::npos ? whole : whole.substr(separator + 1);
    std::string_view folder = separator == std::string::npos ? std::string_view() : whole.substr(0, separator + 1);
    // The program asks for every entry; other wildcards are not supported.
    if (wildcard != "*.*" && wildcard != "*") return false;
    if (!ReadFolder(folder, wildcard) || !SortEntries()) {
      Close();
      return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    Close();
    return false;
  }
}

void CFileFind::AddEntry(std::string_view name, bool isDirectory, CodePage codePage) {
  Entry entry;
  entry.path = root_;
  if (!LastCharIs(entry.path, kPathSeparator, codePage)) entry.path += kPathSeparator;
  entry.nameStart = entry.path.size();
  entry.path += name;
  entry.isDots = IsDotsName(name);
  entry.isDirectory = isDirectory;
  entry.sortKey = UpperAscii(name, codePage);
  entries_.push_back(std::move(entry));
}

bool CFileFind::SortEntries() {
  if (entries_.empty()) return false;
  // The same order on every system and file system (NTFS, FAT and network
  // shares list in orders of their own), so that one job gives the same
  // names everywhere. Upper-case keys, as NTFS orders names, so "A_" sorts
  // after "AB".
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    if (a.isDots != b.isDots) return a.isDots;
    if (a.sortKey != b.sortKey) return a.sortKey < b.sortKey;
    return a.path < b.path;
  });
  for (Entry& entry : entries_) entry.sortKey = {};
  return true;
}

bool CFileFind::FindNextFile() {
  if (fetched_ >= entries_.size()) return false;
  ++fetched_;
  return fetched_ < entries_.size();
}

const CFileFind::Entry* CFileFind::Current() const { return fetched_ == 0 ? nullptr : &entries_[fetched_ - 1]; }

bool CFileFind::IsDots() const {
  const Entry* entry = Current();
  return entry != nullptr && entry->isDots;
}

bool CFileFind::IsDirectory() const {
  const Entry* entry = Current();
  return entry != nullptr && entry->isDirectory;
}

std::string_view CFileFind::GetFileName() const {
  const Entry* entry = Current();
  if (entry == nullptr) return {};
  return std::string_view(entry->path).substr(entry->nameStart);
}

const std::string& CFileFind::GetFilePath() const {
  const Entry* entry = Current();
  return entry == nullptr ? kNoEntry : entry->path;
}

void CFileFind::Close() {
  root_.clear();
  folderDevice_ = 0;
  folderInode_ = 0;
  entries_ = {};
  fetched_ = 0;
}

}  // namespace kirabo

#include "engine/Companions.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace kirabo {

namespace {

// How a companion's name relates to its raw file's, for IMG_1234.CR2:
enum class Form {
  StemOfOneRaw,  // IMG_1234.JPG: only while no other raw file has the stem
  WholeName,     // IMG_1234.CR2.xmp
  Version,       // IMG_1234_01.CR2.xmp: while no raw file IMG_1234_01.CR2 exists
  CaptureOne,    // CaptureOne/Settings153/IMG_1234.CR2.cos
};

constexpr size_t kMostExtensions = 9;

struct CompanionRule {
  Form form;
  std::array<std::string_view, kMostExtensions> extensions;  // upper case; the rest empty
};

// The one table of what belongs to a raw file.
constexpr CompanionRule kRules[] = {
    {Form::StemOfOneRaw, {".JPG", ".JPEG", ".HIF", ".HEIC", ".HEIF", ".THM", ".WAV", ".XMP", ".ON1"}},
    {Form::WholeName, {".XMP", ".PP3", ".DOP"}},
    {Form::Version, {".XMP"}},
    {Form::CaptureOne, {".COS", ".COMASK"}},
};

bool HasExtension(Form form, std::string_view upperExtension) {
  for (const CompanionRule& rule : kRules) {
    if (rule.form == form &&
        std::find(rule.extensions.begin(), rule.extensions.end(), upperExtension) != rule.extensions.end())
      return true;
  }
  return false;
}

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr size_t kSeveral = static_cast<size_t>(-2);

// Upper-cased raw names and stems, each to the raw file that has it (or
// kSeveral when names differ only in case or share a stem).
class RawIndex {
 public:
  RawIndex(const std::vector<std::string>& rawNames, CodePage codePage) {
    for (size_t i = 0; i < rawNames.size(); ++i) {
      const std::string upper = UpperAscii(rawNames[i], codePage);
      const size_t dot = FindLastChar(upper, '.', codePage);
      Add(byName_, upper, i);
      Add(byStem_, upper.substr(0, dot == std::string::npos ? upper.size() : dot), i);
    }
  }

  size_t ByName(const std::string& upper) const { return Find(byName_, upper); }
  size_t ByStem(const std::string& upper) const { return Find(byStem_, upper); }

 private:
  static void Add(std::unordered_map<std::string, size_t>& map, const std::string& key, size_t raw) {
    auto [at, added] = map.emplace(key, raw);
    if (!added) at->second = kSeveral;
  }
  static size_t Find(const std::unordered_map<std::string, size_t>& map, const std::string& key) {
    const auto found = map.find(key);
    return found == map.end() ? kNone : found->second;
  }

  std::unordered_map<std::string, size_t> byName_;
  std::unordered_map<std::string, size_t> byStem_;
};

size_t StemLength(const std::string& rawName, CodePage codePage) {
  const size_t dot = FindLastChar(rawName, '.', codePage);
  return dot == std::string::npos ? rawName.size() : dot;
}

// "IMG_1234_01.CR2" of IMG_1234.CR2: the raw's name ("IMG_1234.CR2") and the
// version's own ("IMG_1234_01.CR2"), or nothing.
bool SplitVersion(const std::string& upperBase, CodePage codePage, std::string& rawName) {
  const size_t dot = FindLastChar(upperBase, '.', codePage);
  if (dot == std::string::npos) return false;
  size_t digits = dot;
  while (digits > 0 && upperBase[digits - 1] >= '0' && upperBase[digits - 1] <= '9') --digits;
  if (dot - digits < 2 || digits == 0 || upperBase[digits - 1] != '_') return false;
  rawName = upperBase.substr(0, digits - 1) + upperBase.substr(dot);
  return true;
}

}  // namespace

FolderCompanions FindCompanions(const std::vector<std::string>& rawNames, const std::vector<std::string>& fileNames,
                                const std::vector<SettingsFolder>& settings, CodePage codePage) {
  FolderCompanions found;
  found.ofRaw.resize(rawNames.size());
  const RawIndex raws(rawNames, codePage);
  auto join = [&](size_t raw, const std::string& folder, const std::string& name) {
    found.ofRaw[raw].push_back({folder, name, name.substr(StemLength(rawNames[raw], codePage))});
  };

  for (const std::string& name : fileNames) {
    const std::string upper = UpperAscii(name, codePage);
    if (raws.ByName(upper) != kNone) continue;  // a raw file is never a companion
    const size_t dot = FindLastChar(upper, '.', codePage);
    if (dot == std::string::npos) continue;
    const std::string base = upper.substr(0, dot);
    const std::string_view extension = std::string_view(upper).substr(dot);
    std::string versionOf;
    if (HasExtension(Form::WholeName, extension) && raws.ByName(base) != kNone) {
      const size_t raw = raws.ByName(base);
      if (raw == kSeveral) {
        found.shared.push_back(name);
      } else {
        join(raw, "", name);
      }
    } else if (HasExtension(Form::Version, extension) && SplitVersion(base, codePage, versionOf) &&
               raws.ByName(versionOf) < kSeveral && raws.ByName(base) == kNone) {
      join(raws.ByName(versionOf), "", name);
    } else if (HasExtension(Form::StemOfOneRaw, extension) && raws.ByStem(base) != kNone) {
      const size_t raw = raws.ByStem(base);
      if (raw == kSeveral) {
        found.shared.push_back(name);
      } else {
        join(raw, "", name);
      }
    }
  }

  for (const SettingsFolder& folder : settings) {
    for (const std::string& name : folder.names) {
      const std::string upper = UpperAscii(name, codePage);
      const size_t dot = FindLastChar(upper, '.', codePage);
      if (dot == std::string::npos || !HasExtension(Form::CaptureOne, std::string_view(upper).substr(dot))) continue;
      const size_t raw = raws.ByName(upper.substr(0, dot));
      if (raw < kSeveral) join(raw, folder.path, name);
    }
  }
  return found;
}

}  // namespace kirabo

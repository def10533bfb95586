#include "engine/Journal.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>

#include "engine/JournalText.h"
#include "platform/File.h"

namespace kirabo {

namespace {

constexpr char kMagic[] = "kirabo-journal";
// Bounds what one read takes in: a journal of a million renames is far below it.
constexpr int64_t kMaxJournalBytes = int64_t{1} << 30;
constexpr size_t kHeaderBytes = 64 * 1024;

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Four fields from `first` on.
bool ParseIdentity(const std::vector<std::string_view>& fields, size_t first, FileIdentity& id) {
  return fields.size() >= first + 4 && ParseNumber(fields[first], id.device) &&
         ParseNumber(fields[first + 1], id.index) && ParseNumber(fields[first + 2], id.size) &&
         ParseNumber(fields[first + 3], id.modified);
}

std::string IdentityFields(const FileIdentity& identity) {
  return std::to_string(identity.device) + "\t" + std::to_string(identity.index) + "\t" +
         std::to_string(identity.size) + "\t" + std::to_string(identity.modified);
}

bool ParseRename(const std::vector<std::string_view>& fields, JournalRename& rename) {
  if (fields.size() < 7) return false;
  std::optional<std::string> from = UnescapeJournalField(fields[1]);
  std::optional<std::string> to = UnescapeJournalField(fields[2]);
  if (!from || !to) return false;
  rename.from = std::move(*from);
  rename.to = std::move(*to);
  return ParseIdentity(fields, 3, rename.identity);
}

// Fills in one header field; false for a broken one.
bool ParseText(const std::vector<std::string_view>& fields, std::string& value) {
  if (fields.size() < 2) return false;
  std::optional<std::string> text = UnescapeJournalField(fields[1]);
  if (!text) return false;
  value = std::move(*text);
  return true;
}

// What the lines read so far leave open, lane by lane.
class LaneState {
 public:
  // The last rename of the current lane, when it has one.
  JournalRename* LastRename(Journal& journal) {
    auto last = lastRename.find(journal.lastLane);
    return last == lastRename.end() ? nullptr : &journal.renames[last->second];
  }
  void Renamed(const Journal& journal) { lastRename[journal.lastLane] = journal.renames.size() - 1; }
  void GroupBegins(const Journal& journal) { openGroup[journal.lastLane] = journal.renames.size(); }
  void GroupEnds(const Journal& journal) { openGroup.erase(journal.lastLane); }
  std::vector<size_t> LastRenames() const {
    std::vector<size_t> renames;
    for (const auto& [lane, index] : lastRename) renames.push_back(index);
    return renames;
  }
  // The groups whose end never came, in the order they began.
  std::vector<CutShortGroup> OpenGroups() const {
    std::vector<CutShortGroup> groups;
    for (const auto& [lane, first] : openGroup) groups.push_back({lane, first});
    std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return groups;
  }

 private:
  std::map<uint32_t, size_t> lastRename;
  std::map<uint32_t, size_t> openGroup;
};

bool ParseLine(std::string_view line, Journal& journal, LaneState& lanes) {
  std::vector<std::string_view> fields = SplitFields(line);
  std::string_view kind = fields[0];
  if (kind == "program") return ParseText(fields, journal.program);
  if (kind == "folder") return ParseText(fields, journal.folder);
  if (kind == "started") return ParseText(fields, journal.started);
  if (kind == "tree") return ParseText(fields, journal.tree);
  if (kind == "undoes") return ParseText(fields, journal.undoes);
  if (kind == "lane") return fields.size() >= 2 && ParseNumber(fields[1], journal.lastLane);
  if (kind == "rename") {
    JournalRename rename;
    if (!ParseRename(fields, rename)) return false;
    rename.lane = journal.lastLane;
    journal.renames.push_back(std::move(rename));
    lanes.Renamed(journal);
    return true;
  }
  if (kind == "reserved") {
    JournalRename* rename = lanes.LastRename(journal);
    if (rename == nullptr) return true;
    rename->reserved = ParseIdentity(fields, 1, rename->reservation);
    return rename->reserved;
  }
  if (kind == "not-made") {
    if (JournalRename* rename = lanes.LastRename(journal)) rename->made = false;
    return true;
  }
  if (kind == "group") {
    lanes.GroupBegins(journal);
    return true;
  }
  if (kind == "group-end") {
    lanes.GroupEnds(journal);
    return true;
  }
  if (kind == "end") {
    if (fields.size() < 3 || !ParseNumber(fields[2], journal.failures)) return false;
    journal.end = fields[1];
    return true;
  }
  if (kind == "taken-back") journal.takenBack = true;
  if (kind == "repaired") journal.repaired = true;
  return true;
}

}  // namespace

size_t Journal::MadeRenames() const {
  size_t made = 0;
  for (const JournalRename& rename : renames) made += rename.made ? 1 : 0;
  return made;
}

std::string JournalHeaderLines(const Journal& journal) {
  std::string lines = std::string(kMagic) + "\t" + std::to_string(journal.version) + "\n";
  lines += "program\t" + EscapeJournalField(journal.program) + "\n";
  lines += "folder\t" + EscapeJournalField(journal.folder) + "\n";
  lines += "started\t" + EscapeJournalField(journal.started) + "\n";
  if (!journal.tree.empty()) lines += "tree\t" + EscapeJournalField(journal.tree) + "\n";
  if (!journal.undoes.empty()) lines += "undoes\t" + EscapeJournalField(journal.undoes) + "\n";
  return lines;
}

std::string JournalRenameLine(const std::string& from, const std::string& to, const FileIdentity& identity) {
  return "rename\t" + EscapeJournalField(from) + "\t" + EscapeJournalField(to) + "\t" + IdentityFields(identity) +
         "\n";
}

std::string JournalReservedLine(const FileIdentity& reservation) {
  return "reserved\t" + IdentityFields(reservation) + "\n";
}

std::string JournalNotMadeLine() { return "not-made\n"; }

std::string JournalGroupLine(size_t members) { return "group\t" + std::to_string(members) + "\n"; }

std::string JournalGroupEndLine() { return "group-end\n"; }

std::string JournalEndLine(std::string_view end, size_t failures) {
  return "end\t" + std::string(end) + "\t" + std::to_string(failures) + "\n";
}

std::string JournalTakenBackLine(std::string_view time, std::string_view byJournal) {
  return "taken-back\t" + EscapeJournalField(time) + "\t" + EscapeJournalField(byJournal) + "\n";
}

std::string JournalRepairedLine(std::string_view time) { return "repaired\t" + EscapeJournalField(time) + "\n"; }

std::string JournalLaneLine(uint32_t lane) { return "lane\t" + std::to_string(lane) + "\n"; }

std::string JournalLinesInLane(uint32_t lane, uint32_t lastLane, const std::string& lines) {
  return lane == lastLane ? lines : JournalLaneLine(lane) + lines;
}

bool ParseJournal(std::string_view text, Journal& journal, bool headerOnly) {
  journal = Journal{};
  LaneState lanes;
  size_t start = 0;
  bool first = true;
  // A last line without its line feed was cut short: it is not there.
  for (size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (first) {
      std::vector<std::string_view> fields = SplitFields(line);
      if (fields.size() != 2 || fields[0] != kMagic || !ParseNumber(fields[1], journal.version) ||
          journal.version < 1 || journal.version > kJournalVersion) {
        return false;
      }
      first = false;
      continue;
    }
    if (headerOnly && line.starts_with("rename\t")) return !journal.folder.empty();
    if (!ParseLine(line, journal, lanes)) return false;
  }
  journal.lastLineCut = start < text.size();
  journal.lastRenames = lanes.LastRenames();
  journal.cutShortGroups = lanes.OpenGroups();
  return !first && !journal.folder.empty();
}

namespace {

bool ReadText(const std::string& path, size_t limit, std::string& text) {
  CFile file;
  if (!file.Open(path) || file.GetLength() > kMaxJournalBytes) return false;
  size_t wanted = static_cast<size_t>(file.GetLength());
  text.assign(wanted < limit ? wanted : limit, '\0');
  text.resize(file.Read(text.data(), text.size()));
  return true;
}

}  // namespace

bool ReadJournalFile(const std::string& path, Journal& journal, bool headerOnly) {
  std::string text;
  return ReadText(path, headerOnly ? kHeaderBytes : SIZE_MAX, text) && ParseJournal(text, journal, headerOnly);
}

bool ReadJournalText(const std::string& path, std::string& text) { return ReadText(path, SIZE_MAX, text); }

}  // namespace kirabo

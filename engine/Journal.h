#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileIdentity.h"

namespace kirabo {

// A job's journal: plain UTF-8 text, one record a line, fields split by tabs
// and escaped by EscapeJournalField:
//   kirabo-journal<TAB>VERSION
//   program<TAB>kirabo VERSION
//   folder<TAB>the chosen folder, every link resolved
//   started<TAB>2026-12-09T17:38:11Z                (UTC)
//   tree<TAB>the chosen folder as every path below begins, links kept
//   undoes<TAB>JOURNAL FILE NAME                     (only in an undo's journal)
//   rename<TAB>OLD PATH<TAB>NEW PATH<TAB>DEVICE<TAB>INDEX<TAB>SIZE<TAB>MODIFIED
//   reserved<TAB>DEVICE<TAB>INDEX<TAB>SIZE<TAB>MODIFIED  (the empty file that holds
//                                                    the new name of the rename above)
//   not-made                                         (the rename above was refused)
//   group<TAB>MEMBERS                                (renames of one raw file's group follow)
//   group-end                                        (that group was renamed whole or put back)
//   lane<TAB>LANE                                    (the lines below, up to the next lane line,
//                                                    are those of renames made on LANE)
//   end<TAB>completed|stopped|failed|journal-failed<TAB>FILES NOT DEALT WITH
//   repaired<TAB>TIME                                (a later job dealt with what
//                                                    this one left when killed)
//   taken-back<TAB>TIME<TAB>JOURNAL FILE NAME OF THE UNDO
// A rename line is written before the rename is tried; a line without its
// line feed (cut by a crash) counts as not written. A group's companions are
// renamed first and its raw file last; a job that puts a group back after a
// refusal records those renames too, before the group-end line. Readers skip kinds of
// line they do not know; a newer version they refuse.
//
// A job whose renames overlap on several threads writes each thread's lines
// in a lane of its own (lane 0 until the first lane line): "the rename above"
// and a group are those of the line's lane, so each lane reads as a job of
// its own, and the lanes' lines together keep the order of the renames within
// each folder. Such a journal is version 2, which earlier versions, blind to
// lanes, refuse rather than misread; a job of one reader writes version 1.
inline constexpr int kJournalVersion = 2;
inline constexpr int kSingleLaneJournalVersion = 1;

struct JournalRename {
  std::string from;
  std::string to;
  FileIdentity identity;  // of the file before the rename
  bool made = true;       // false when a not-made line follows
  uint32_t lane = 0;
  // The empty file made to hold `to` while the file is moved onto it, on
  // file systems that cannot rename without replacing.
  bool reserved = false;
  FileIdentity reservation;
};

// A group of renames cut short: those of `lane` from `first` in the
// journal's renames on.
struct CutShortGroup {
  uint32_t lane = 0;
  size_t first = 0;
};

struct Journal {
  int version = kJournalVersion;
  std::string program;
  std::string folder;
  std::string started;
  std::string tree;    // empty in journals of earlier versions
  std::string undoes;  // empty for a rename job
  std::vector<JournalRename> renames;
  std::string end;  // empty while the job runs, or when it never ended (killed)
  size_t failures = 0;
  bool takenBack = false;
  bool repaired = false;
  bool lastLineCut = false;  // the text ends inside a line: nothing can be added after it
  uint32_t lastLane = 0;     // the lane of the last line
  // The index in `renames` of each lane's last rename: the only ones a kill
  // can have cut short.
  std::vector<size_t> lastRenames;
  // The groups whose group-end line never came (the job was killed within
  // them), in the order they began.
  std::vector<CutShortGroup> cutShortGroups;

  size_t MadeRenames() const;
  // An undo that did not take everything back is never offered for undoing:
  // the job it undid is offered again instead.
  bool IsCleanUndo() const { return !undoes.empty() && end == "completed" && failures == 0; }
};

std::string JournalHeaderLines(const Journal& journal);
std::string JournalRenameLine(const std::string& from, const std::string& to, const FileIdentity& identity);
std::string JournalReservedLine(const FileIdentity& reservation);
std::string JournalNotMadeLine();
std::string JournalGroupLine(size_t members);
std::string JournalGroupEndLine();
std::string JournalEndLine(std::string_view end, size_t failures);
std::string JournalTakenBackLine(std::string_view time, std::string_view byJournal);
std::string JournalRepairedLine(std::string_view time);
std::string JournalLaneLine(uint32_t lane);
// `lines` of lane `lane` as they follow a line of lane `lastLane`: after a
// lane line where the two differ.
std::string JournalLinesInLane(uint32_t lane, uint32_t lastLane, const std::string& lines);

// Reads a journal's text; false when it is not a journal this program can
// read. With `headerOnly`, stops before the first rename line.
bool ParseJournal(std::string_view text, Journal& journal, bool headerOnly = false);

// The same from a file; the header alone reads only the file's beginning.
bool ReadJournalFile(const std::string& path, Journal& journal, bool headerOnly = false);

// The whole text of a journal file; false when it cannot be read or is
// larger than any journal.
bool ReadJournalText(const std::string& path, std::string& text);

}  // namespace kirabo

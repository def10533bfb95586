#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/JobObserver.h"
#include "framework/MessageBox.h"

namespace kirabo {

// What the main window says about a rename job, from the job's events.

// The status label while `folder` is searched.
std::string SearchingText(const std::string& folder);

// The status label once a file has its name: the counter, the old path, the
// new path, each on a line of its own, and an empty last line.
std::string ProgressText(const FileReport& report);

// The files a job left with their old names, as its final message names
// them: one line for each of the first ten, "PATH: what happened" with the
// path shortened in the middle, and how many more there were. Of an undo,
// the files that could not be restored.
struct LeftFiles {
  static constexpr size_t kNamed = 10;
  std::vector<std::string> lines;
  size_t more = 0;
  // Counts a file that kept its old name; a renamed or named file is no concern.
  void Add(const FileReport& report, bool undo = false);
};

// One line for each kind of outcome the job met, without a final line feed.
// A job that ran to its end without finding any raw file says so instead;
// a stopped job only tells what it did.
std::string CountLines(const JobCounts& counts, JobEnd end);

struct FinalMessage {
  std::string text;
  MessageIcon icon = MessageIcon::Information;
};

// The message at a job's normal end: "リネーム終了" alone when every file
// found now has its name; otherwise followed by a blank line, the counts,
// another blank line and the files left with their old names, with the
// exclamation icon when a file could not be read or renamed.
FinalMessage FinalMessageOf(const JobCounts& counts, const LeftFiles& left = {});

// Of an undo, whose restored files are counted as renamed and the others as
// failed: one line for each kind met.
std::string UndoCountLines(const JobCounts& counts);

// The message at an undo's normal end: "元に戻しました" alone when every file
// was restored; otherwise followed by a blank line, the counts, another blank
// line and the files that could not be restored, with the exclamation icon.
FinalMessage UndoFinalMessageOf(const JobCounts& counts, const LeftFiles& left = {});

// The message when the job's journal cannot be written, with the system's reason.
std::string JournalFailedText(const std::string& reason);

}  // namespace kirabo

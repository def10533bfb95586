#pragma once

#include <string>

#include "engine/JobObserver.h"
#include "framework/MessageBox.h"

namespace kirabo {

// What the main window says about a rename job, from the job's events.

// The status label while `folder` is searched.
std::string SearchingText(const std::string& folder);

// The status label once a file has its name: the counter, the old path, the
// new path, each on a line of its own, and an empty last line.
std::string ProgressText(const FileReport& report);

// One line for each kind of outcome the job met, without a final line feed.
// A job that ran to its end without finding any raw file says so instead;
// a stopped job only tells what it did.
std::string CountLines(const JobCounts& counts, JobEnd end);

struct FinalMessage {
  std::string text;
  MessageIcon icon = MessageIcon::Information;
};

// The message at a job's normal end: "リネーム終了" alone when every file
// found now has its name; otherwise followed by a blank line and the counts,
// with the exclamation icon when a rename failed.
FinalMessage FinalMessageOf(const JobCounts& counts);

// Of an undo, whose restored files are counted as renamed and the others as
// failed: one line for each kind met.
std::string UndoCountLines(const JobCounts& counts);

// The message at an undo's normal end: "元に戻しました" alone when every file
// was restored; otherwise followed by a blank line and the counts, with the
// exclamation icon.
FinalMessage UndoFinalMessageOf(const JobCounts& counts);

// The message when the job's journal cannot be written, with the system's reason.
std::string JournalFailedText(const std::string& reason);

}  // namespace kirabo

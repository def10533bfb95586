#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/JobTexts.h"
#include "engine/JobObserver.h"
#include "framework/Controls.h"
#include "framework/PostedMessageBox.h"

namespace kirabo {

// Shows a job's events in the main window, from the worker thread: the
// searching and progress texts in the status label, and at the end the
// counts after the last progress text, whose counter then reads N/N when
// the job got through its list. At the normal end it also restores the
// Start caption and shows the final message, which names the files left
// with their old names (of an undo: with their new ones), waiting until it
// is closed. A stopped job is left to the dialog, which is waiting for the
// worker and says so itself: nothing here waits for it then.
class WindowJobObserver : public JobObserver {
 public:
  // `ended` runs on the window's thread once the job has ended, before its
  // final message.
  WindowJobObserver(StaticText& statusLabel, PushButton& startButton, PostedMessageBox& messages,
                    std::function<void()> ended)
      : statusLabel_(statusLabel), startButton_(startButton), messages_(messages), ended_(std::move(ended)) {}

  // Window thread, before the worker starts: whether the next job is an undo.
  void SetUndo(bool undo) { undo_ = undo; }

  void OnSearching(const std::string& folder) override;
  // Counted at the end; the searching text has named the folder already.
  void OnFolderNotListed(const std::string&, const std::string&) override {}
  void OnFile(const FileReport& report) override;
  void OnJobEnd(JobEnd end, const JobCounts& counts) override;
  void OnJournalFailed(const std::string& reason) override { journalError_ = reason; }

 private:
  StaticText& statusLabel_;
  PushButton& startButton_;
  PostedMessageBox& messages_;
  std::function<void()> ended_;
  bool undo_ = false;
  // Worker thread only; each job starts without them.
  std::optional<FileReport> lastShown_;  // the last file renamed or found named
  LeftFiles left_;
  std::string journalError_;  // worker thread only
};

}  // namespace kirabo

#include "app/WindowJobObserver.h"

#include "app/JobTexts.h"
#include "framework/Translate.h"
#include "framework/Window.h"

namespace kirabo {

void WindowJobObserver::OnSearching(const std::string& folder) { statusLabel_.SetText(SearchingText(folder)); }

void WindowJobObserver::OnFile(const FileReport& report) {
  if (report.outcome != FileOutcome::Renamed && report.outcome != FileOutcome::AlreadyNamed) return;
  lastProgress_ = ProgressText(report);
  statusLabel_.SetText(lastProgress_);
}

void WindowJobObserver::OnJobEnd(JobEnd end, const JobCounts& counts) {
  std::string progress;
  progress.swap(lastProgress_);  // the next job starts without one
  statusLabel_.SetText(progress + (undo_ ? UndoCountLines(counts) : CountLines(counts, end)));
  // Up before whatever follows: the final message, or the dialog's own.
  statusLabel_.Flush();
  PostToWindowThread(startButton_.Window(), ended_);
  if (end == JobEnd::Stopped) return;
  startButton_.SetText(Translate("MainDialog", "開始"));
  startButton_.Flush();
  if (end == JobEnd::Completed) {
    const FinalMessage message = undo_ ? UndoFinalMessageOf(counts) : FinalMessageOf(counts);
    messages_.Show(message.text, message.icon);
  } else if (end == JobEnd::JournalFailed) {
    messages_.Show(JournalFailedText(journalError_), MessageIcon::Exclamation);
  }
}

}  // namespace kirabo

#include "app/WindowJobObserver.h"

#include "app/JobTexts.h"

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
  statusLabel_.SetText(progress + CountLines(counts, end));
  // Up before whatever follows: the final message, or the dialog's own.
  statusLabel_.Flush();
  if (end == JobEnd::Stopped) return;
  startButton_.SetText("開始");
  startButton_.Flush();
  if (end == JobEnd::Completed) {
    const FinalMessage message = FinalMessageOf(counts);
    messages_.Show(message.text, message.icon);
  }
}

}  // namespace kirabo

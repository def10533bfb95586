#include "app/WindowJobObserver.h"

#include <utility>

#include "framework/Translate.h"
#include "framework/Window.h"

namespace kirabo {

void WindowJobObserver::OnSearching(const std::string& folder) { statusLabel_.SetText(SearchingText(folder)); }

void WindowJobObserver::OnFile(const FileReport& report) {
  if (report.outcome != FileOutcome::Renamed && report.outcome != FileOutcome::AlreadyNamed) {
    left_.Add(report, undo_);
    return;
  }
  lastShown_ = report;
  statusLabel_.SetText(ProgressText(report));
}

void WindowJobObserver::OnJobEnd(JobEnd end, const JobCounts& counts) {
  std::optional<FileReport> last = std::exchange(lastShown_, std::nullopt);
  const LeftFiles left = std::exchange(left_, {});
  std::string progress;
  if (last) {
    // The files after the last one shown were dealt with too.
    if (end == JobEnd::Completed) last->number = last->count;
    progress = ProgressText(*last);
  }
  statusLabel_.SetText(progress + (undo_ ? UndoCountLines(counts) : CountLines(counts, end)));
  // Up before whatever follows: the final message, or the dialog's own.
  statusLabel_.Flush();
  PostToWindowThread(startButton_.Window(), ended_);
  if (end == JobEnd::Stopped) return;
  startButton_.SetText(Translate("MainDialog", "開始"));
  startButton_.Flush();
  if (end == JobEnd::Completed) {
    const FinalMessage message = undo_ ? UndoFinalMessageOf(counts, left) : FinalMessageOf(counts, left);
    messages_.Show(message.text, message.icon);
  } else if (end == JobEnd::JournalFailed) {
    messages_.Show(JournalFailedText(journalError_), MessageIcon::Exclamation);
  }
}

}  // namespace kirabo

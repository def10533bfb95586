#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/JobFileSystem.h"
#include "engine/JobObserver.h"
#include "engine/JournalWriter.h"
#include "engine/RenameJob.h"
#include "platform/MoveFile.h"

namespace kirabo {

// A running job's journal, or nothing at all when the job keeps none (a dry
// run, or no journal folder given): then every step succeeds. The renames
// tell it of the names they reserve. Renames made on several threads at once
// each record theirs through a lane of their own (see LaneOf), one after
// another within the lane.
class JobJournal : public MoveReservation {
 public:
  explicit JobJournal(const RenameJob& job)
      : on_(!job.pretend && !job.journalFolder.empty()), job_(job), writer_(std::make_shared<JournalWriter>()) {}

  bool IsOn() const { return on_; }
  // Opens the journal of a job on `realFolder`, whose paths begin with
  // `tree`, for renames in lanes or one after another; an undo names the
  // journal it takes back, which pruning spares.
  bool Start(const std::string& realFolder, const std::string& tree, bool inLanes,
             const std::string& undoesPath = {});
  // The same journal for the renames of lane `lane` (1 and up; this one is
  // lane 0).
  JobJournal LaneOf(uint32_t lane) const;
  // The line of a rename about to be tried.
  bool Before(const std::string& from, const std::string& to, const FileIdentity& identity);
  // The rename just recorded was not made. A failure here shows at the next
  // line or at the end.
  void NotMade();
  // The line of the reservation of the rename just recorded; false when the
  // rename must not go on.
  bool Reserved(const FileIdentity& reservation) override;
  // Around the renames of a raw file with its companions, so that a job
  // killed within a group can be told from the journal.
  bool BeginGroup(size_t members);
  bool EndGroup();
  // The end line; a job that ends otherwise well ends JournalFailed when
  // it cannot be written.
  JobEnd Finish(JobEnd end, size_t failures);

  const std::string& Path() const { return writer_->Path(); }
  bool HasFailed() const { return writer_->HasFailed(); }
  std::string Error() const { return writer_->Error(); }

 private:
  bool Write(const std::string& line) { return !on_ || writer_->Write(lane_, line); }

  bool on_;
  const RenameJob& job_;
  std::shared_ptr<JournalWriter> writer_;
  uint32_t lane_ = 0;
};

}  // namespace kirabo

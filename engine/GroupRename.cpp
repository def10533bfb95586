#include "engine/GroupRename.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "engine/NewName.h"
#include "engine/RenameJob.h"

namespace kirabo {

namespace {

class GroupRun {
 public:
  GroupRun(const std::vector<GroupMember>& members, const std::string& stem, JobJournal& journal,
           const std::atomic<int32_t>& state)
      : members(members), stem(stem), journal(journal), state(state), current(members.size()) {
    for (size_t i = 0; i < members.size(); ++i) current[i] = members[i].name;
  }

  GroupResult Run() {
    // A member's own name is free for the member itself.
    for (const GroupMember& member : members) member.names->Release(member.name);
    GroupResult result = Rename();
    for (size_t i = 0; i < members.size(); ++i) members[i].names->Take(current[i]);
    if (result.outcome == GroupOutcome::Renamed) result.newNames = current;
    return result;
  }

 private:
  GroupResult Rename() {
    const GroupMember& raw = members.back();
    for (;;) {
      if (state.load() == StopRequested) return Ended(GroupOutcome::Interrupted);
      const int32_t attempt = FirstAttemptFreeForAll();
      if (attempt < 0) return Failure(members.size() - 1, std::strerror(EEXIST));
      if (CandidateName(stem, raw.tail, attempt) == raw.name) return Ended(GroupOutcome::AlreadyNamed);
      std::optional<GroupResult> done = RenameAll(attempt);
      if (done) return std::move(*done);
    }
  }

  // The lowest attempt whose names no entry of the members' folders holds.
  int32_t FirstAttemptFreeForAll() const {
    const GroupMember& raw = members.back();
    for (int32_t attempt = raw.names->FirstFreeAttempt(stem, raw.tail); attempt >= 0; ++attempt) {
      bool free = true;
      for (const GroupMember& member : members) free = free && !member.names->IsTaken(CandidateName(stem, member.tail, attempt));
      if (free) return attempt;
      if (attempt == std::numeric_limits<int32_t>::max()) break;
    }
    return -1;
  }

  // Every member under `attempt`'s names; nothing when a name was taken
  // meanwhile and the group, put back, must try the next attempt.
  std::optional<GroupResult> RenameAll(int32_t attempt) {
    const bool grouped = members.size() > 1;
    if (grouped && !journal.BeginGroup(members.size())) return JournalFailure();
    for (size_t i = 0; i < members.size(); ++i) {
      const GroupMember& member = members[i];
      const std::string name = CandidateName(stem, member.tail, attempt);
      if (!journal.Before(member.folderPath + current[i], member.folderPath + name, member.identity)) {
        return JournalFailure();
      }
      RenameResult renamed = member.folder->Rename(current[i], name, &journal);
      // The reservation of the new name could not be recorded: given up.
      if (renamed.outcome == RenameOutcome::Failed && journal.HasFailed()) return JournalFailure();
      if (renamed.outcome != RenameOutcome::Renamed) journal.NotMade();
      if (renamed.outcome == RenameOutcome::NameTaken) {
        member.names->Take(name);
        PutBack(true);
        if (grouped && !journal.EndGroup()) return JournalFailure();
        return std::nullopt;
      }
      if (renamed.outcome == RenameOutcome::Failed) {
        PutBack(true);
        if (grouped) journal.EndGroup();
        return Failure(i, std::move(renamed.reason));
      }
      current[i] = name;
    }
    if (grouped && !journal.EndGroup()) return JournalFailure();
    return Ended(GroupOutcome::Renamed);
  }

  // The members renamed so far take their old names back, the last first. A
  // member whose old name was taken meanwhile keeps its new one.
  void PutBack(bool record) {
    for (size_t i = members.size(); i-- > 0;) {
      const GroupMember& member = members[i];
      if (current[i] == member.name) continue;
      record = record && journal.Before(member.folderPath + current[i], member.folderPath + member.name, member.identity);
      RenameResult back = member.folder->Rename(current[i], member.name, record ? &journal : nullptr);
      if (back.outcome != RenameOutcome::Renamed) {
        if (record) journal.NotMade();
        continue;
      }
      current[i] = member.name;
    }
  }

  // The journal could not hold the next line: the renames it holds are put
  // back unrecorded, and the job ends.
  GroupResult JournalFailure() {
    PutBack(false);
    GroupResult result = Ended(GroupOutcome::Interrupted);
    result.journalFailed = true;
    return result;
  }

  static GroupResult Ended(GroupOutcome outcome) {
    GroupResult result;
    result.outcome = outcome;
    return result;
  }

  static GroupResult Failure(size_t member, std::string reason) {
    GroupResult result = Ended(GroupOutcome::Failed);
    result.failedMember = member;
    result.reason = std::move(reason);
    return result;
  }

  const std::vector<GroupMember>& members;
  const std::string& stem;
  JobJournal& journal;
  const std::atomic<int32_t>& state;
  std::vector<std::string> current;  // each member's name at this moment
};

}  // namespace

GroupResult RenameGroup(const std::vector<GroupMember>& members, const std::string& stem, JobJournal& journal,
                        const std::atomic<int32_t>& state) {
  return GroupRun(members, stem, journal, state).Run();
}

}  // namespace kirabo

#include "engine/JobJournal.h"

#include "engine/JournalFolder.h"

namespace kirabo {

bool JobJournal::Start(const std::string& realFolder, const std::string& tree, bool inLanes,
                       const std::string& undoesPath) {
  if (!on_) return true;
  Journal header;
  header.version = inLanes ? kJournalVersion : kSingleLaneJournalVersion;
  header.folder = realFolder;
  header.tree = tree;
  if (!undoesPath.empty()) header.undoes = JournalName(undoesPath);
  return writer_->Start(job_.journalFolder, std::move(header), undoesPath);
}

JobJournal JobJournal::LaneOf(uint32_t lane) const {
  JobJournal other(*this);
  other.lane_ = lane;
  return other;
}

bool JobJournal::Before(const std::string& from, const std::string& to, const FileIdentity& identity) {
  return Write(JournalRenameLine(from, to, identity));
}

bool JobJournal::Reserved(const FileIdentity& reservation) { return Write(JournalReservedLine(reservation)); }

void JobJournal::NotMade() { Write(JournalNotMadeLine()); }

bool JobJournal::BeginGroup(size_t members) { return Write(JournalGroupLine(members)); }

bool JobJournal::EndGroup() { return Write(JournalGroupEndLine()); }

JobEnd JobJournal::Finish(JobEnd end, size_t failures) {
  if (!on_ || end == JobEnd::JournalFailed) return end;
  const char* name = end == JobEnd::Completed ? "completed" : end == JobEnd::Stopped ? "stopped" : "failed";
  if (!writer_->Finish(name, failures) && end != JobEnd::Failed) return JobEnd::JournalFailed;
  return end;
}

}  // namespace kirabo

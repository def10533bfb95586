#include "engine/JobJournal.h"

#include "engine/JournalFolder.h"

namespace kirabo {

bool JobJournal::Start(const std::string& realFolder, const std::string& tree, const std::string& undoesPath) {
  if (!on_) return true;
  Journal header;
  header.folder = realFolder;
  header.tree = tree;
  if (!undoesPath.empty()) header.undoes = JournalName(undoesPath);
  return writer_.Start(job_.journalFolder, std::move(header), undoesPath);
}

bool JobJournal::Before(const std::string& from, const std::string& to, const FileIdentity& identity) {
  return !on_ || writer_.Record(from, to, identity);
}

bool JobJournal::Reserved(const FileIdentity& reservation) { return !on_ || writer_.Reserved(reservation); }

void JobJournal::NotMade() {
  if (on_) writer_.NotMade();
}

bool JobJournal::BeginGroup(size_t members) { return !on_ || writer_.BeginGroup(members); }

bool JobJournal::EndGroup() { return !on_ || writer_.EndGroup(); }

JobEnd JobJournal::Finish(JobEnd end, size_t failures) {
  if (!on_ || end == JobEnd::JournalFailed) return end;
  const char* name = end == JobEnd::Completed ? "completed" : end == JobEnd::Stopped ? "stopped" : "failed";
  if (!writer_.Finish(name, failures) && end != JobEnd::Failed) return JobEnd::JournalFailed;
  return end;
}

}  // namespace kirabo

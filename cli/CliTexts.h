#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "engine/JobObserver.h"
#include "platform/UiLanguage.h"

namespace kirabo::cli {

// kirabo-cli's texts in the user's language, from the program's translation
// file (Japanese sources, English translations), in the output's character
// set (InOutputCharset). Arguments are put in after that: they are paths and
// the system's words, already in that set.

// `source`, one of kirabo-cli's texts, in `language`.
std::string CliText(UiLanguage language, const char* source);

// `source`, one of the words both front ends use for what became of a file.
std::string OutcomeWord(UiLanguage language, const char* source);

// The --help text; its list of formats comes from the name-format table.
std::string UsageText(UiLanguage language);

// The usage error of `options` (a UsageError), its arguments put in.
std::string UsageErrorText(const CliOptions& options, UiLanguage language);

// What became of a file left with its old name, after "kirabo-cli: PATH: ":
// "no capture time", "cannot rename: REASON" or "cannot read: REASON"; of
// an undo, "cannot undo: REASON".
std::string OutcomeText(const FileReport& report, bool undo, UiLanguage language);

// The job's counts in one line: "N renamed, N already named, N without
// capture time, N failed" (a dry run: "N would be renamed, ...", "N would
// fail"), then ", N could not be read" when some could not; or "no raw files
// found"; either then ", N folders not listed" when some were not. Of an
// undo: "N restored, N could not be restored" (a dry run: "N would be
// restored, N would not be restored").
std::string SummaryLine(const JobCounts& counts, bool dryRun, bool undo, UiLanguage language);

}  // namespace kirabo::cli

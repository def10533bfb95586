#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kirabo::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

struct CliSetting {
  std::string workingFolder;  // empty: the test's own
  // Run as "nobody" when the test runs as root, so that folder permissions
  // hold.
  bool unprivileged = false;
  // Nobody reads stdout: every write to it fails (EPIPE).
  bool outputClosed = false;
  // Stdout has no room (on Linux it starts full of "#\n" lines): the
  // program waits in its first stdout line until the test reads, and goes on
  // no further.
  bool outputFull = false;
  // Set in the program's environment; an empty value unsets the variable.
  // On Linux every run also gets an XDG_STATE_HOME of the test program's
  // own, so that no test touches the user's journals.
  std::vector<std::pair<std::string, std::string>> environment{{"KIRABO_LANG", "en"}};
};

// Runs the built kirabo-cli with `args` and waits for it.
CliResult RunCli(const std::vector<std::string>& args, const CliSetting& setting = {});

// A kirabo-cli still running: its stdout is a pipe, its stderr a file.
class RunningCli {
 public:
  explicit RunningCli(const std::vector<std::string>& args, const CliSetting& setting = {});
  ~RunningCli();
  RunningCli(const RunningCli&) = delete;
  RunningCli& operator=(const RunningCli&) = delete;

  long pid() const;
  // Reads stdout up to and including the next line feed; empty at the end.
  std::string ReadLine();
  // Reads the rest of stdout and waits for the process.
  CliResult Finish();

 private:
  struct Process;  // each system's own handles
  // Appends what stdout holds next to pending_; false at its end.
  bool ReadMore();
  static std::string ReadWholeFile(const std::string& path);

  std::unique_ptr<Process> process_;
  std::string errPath_;
  std::string pending_;
};

}  // namespace kirabo::test

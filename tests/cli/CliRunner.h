#pragma once

#include <sys/types.h>

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
  // Set in the program's environment; an empty value unsets the variable.
  std::vector<std::pair<std::string, std::string>> environment{{"KIRABO_LANG", "ja"}};
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

  pid_t pid() const { return pid_; }
  // Reads stdout up to and including the next line feed; empty at the end.
  std::string ReadLine();
  // Reads the rest of stdout and waits for the process.
  CliResult Finish();

 private:
  pid_t pid_ = -1;
  int outFd_ = -1;
  std::string errPath_;
  std::string pending_;
};

}  // namespace kirabo::test

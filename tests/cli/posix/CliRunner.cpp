#include "CliRunner.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TempFolder.h"

namespace kirabo::test {

namespace {

// Anyone may write to it, so that unprivileged runs keep journals too.
const std::string& TestStateHome() {
  static TempFolder folder;
  static const bool shared = ::chmod(folder.root().c_str(), 01777) == 0;
  (void)shared;
  return folder.root();
}

// The build folder may lie where only its owner may enter; "nobody" runs a
// copy in a folder anyone may enter, removed when the tests end.
const std::string& ProgramForAnyone() {
  namespace fs = std::filesystem;
  static const TempFolder folder;
  static const std::string copy = [] {
    fs::copy_file(KIRABO_CLI_PATH, folder.Path("kirabo-cli"));
    fs::permissions(folder.root(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    return folder.Path("kirabo-cli");
  }();
  return copy;
}

}  // namespace

struct RunningCli::Process {
  pid_t pid = -1;
  int outFd = -1;
};

RunningCli::RunningCli(const std::vector<std::string>& args, const CliSetting& setting)
    : process_(std::make_unique<Process>()) {
  char errTemplate[] = "/tmp/kirabo-cli-err-XXXXXX";
  int errFd = mkstemp(errTemplate);
  errPath_ = errTemplate;
  int pipeFds[2];
  if (errFd < 0 || pipe(pipeFds) != 0) return;
  if (setting.outputClosed) {
    close(pipeFds[0]);
    pipeFds[0] = -1;
  }
  // Made by "nobody" itself on its first run.
  const std::string stateHome = TestStateHome() + (setting.unprivileged ? "/nobody" : "");
  const uid_t kNobody = 65534;
  const bool asNobody = setting.unprivileged && geteuid() == 0;
  const char* program = asNobody ? ProgramForAnyone().c_str() : KIRABO_CLI_PATH;
  process_->pid = fork();
  if (process_->pid == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    if (pipeFds[0] >= 0) close(pipeFds[0]);
    close(pipeFds[1]);
    close(errFd);
    if (!setting.workingFolder.empty() && chdir(setting.workingFolder.c_str()) != 0) _exit(126);
    if (asNobody && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(126);
    }
    setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
    for (const auto& [name, value] : setting.environment) {
      if (value.empty())
        unsetenv(name.c_str());
      else
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program, argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  close(errFd);
  process_->outFd = pipeFds[0];
}

RunningCli::~RunningCli() {
  if (process_->pid > 0) Finish();
  if (!errPath_.empty()) unlink(errPath_.c_str());
}

long RunningCli::pid() const { return process_->pid; }

bool RunningCli::ReadMore() {
  char buffer[4096];
  ssize_t got = process_->outFd >= 0 ? read(process_->outFd, buffer, sizeof buffer) : 0;
  if (got <= 0) return false;
  pending_.append(buffer, static_cast<size_t>(got));
  return true;
}

CliResult RunningCli::Finish() {
  CliResult result;
  for (std::string line = ReadLine(); !line.empty(); line = ReadLine()) result.out += line;
  if (process_->outFd >= 0) close(process_->outFd);
  process_->outFd = -1;
  int status = 0;
  if (process_->pid > 0 && waitpid(process_->pid, &status, 0) == process_->pid) {
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  process_->pid = -1;
  result.err = ReadWholeFile(errPath_);
  return result;
}

}  // namespace kirabo::test

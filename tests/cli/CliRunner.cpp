#include "CliRunner.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kirabo::test {

RunningCli::RunningCli(const std::vector<std::string>& args, const CliSetting& setting) {
  char errTemplate[] = "/tmp/kirabo-cli-err-XXXXXX";
  int errFd = mkstemp(errTemplate);
  errPath_ = errTemplate;
  int pipeFds[2];
  if (errFd < 0 || pipe(pipeFds) != 0) return;
  if (setting.outputClosed) {
    close(pipeFds[0]);
    pipeFds[0] = -1;
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    if (pipeFds[0] >= 0) close(pipeFds[0]);
    close(pipeFds[1]);
    close(errFd);
    if (!setting.workingFolder.empty() && chdir(setting.workingFolder.c_str()) != 0) _exit(126);
    const uid_t kNobody = 65534;
    if (setting.unprivileged && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(126);
    }
    for (const auto& [name, value] : setting.environment) {
      if (value.empty())
        unsetenv(name.c_str());
      else
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> argv{const_cast<char*>(KIRABO_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(KIRABO_CLI_PATH, argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  close(errFd);
  outFd_ = pipeFds[0];
}

RunningCli::~RunningCli() {
  if (pid_ > 0) Finish();
  if (!errPath_.empty()) unlink(errPath_.c_str());
}

std::string RunningCli::ReadLine() {
  char buffer[4096];
  while (pending_.find('\n') == std::string::npos) {
    ssize_t got = outFd_ >= 0 ? read(outFd_, buffer, sizeof buffer) : 0;
    if (got <= 0) break;
    pending_.append(buffer, static_cast<size_t>(got));
  }
  size_t end = pending_.find('\n');
  std::string line = pending_.substr(0, end == std::string::npos ? pending_.size() : end + 1);
  pending_.erase(0, line.size());
  return line;
}

CliResult RunningCli::Finish() {
  CliResult result;
  for (std::string line = ReadLine(); !line.empty(); line = ReadLine()) result.out += line;
  if (outFd_ >= 0) close(outFd_);
  outFd_ = -1;
  int status = 0;
  if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) {
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  pid_ = -1;
  std::ostringstream err;
  err << std::ifstream(errPath_).rdbuf();
  result.err = err.str();
  return result;
}

CliResult RunCli(const std::vector<std::string>& args, const CliSetting& setting) {
  return RunningCli(args, setting).Finish();
}

}  // namespace kirabo::test

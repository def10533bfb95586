#include "CliRunner.h"

#include <cstdio>
#include <filesystem>

#include "platform/win32/WindowsApi.h"

namespace kirabo::test {

namespace {

// One argument as the C runtime splits a command line: quoted when it holds
// blanks or quotes, with the backslashes before a quote doubled.
std::string Quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

}  // namespace

struct RunningCli::Process {
  HANDLE process = nullptr;
  DWORD id = 0;
  HANDLE out = nullptr;
};

// Windows has no "nobody" to run as: `unprivileged` changes nothing there.
RunningCli::RunningCli(const std::vector<std::string>& args, const CliSetting& setting)
    : process_(std::make_unique<Process>()) {
  char errPath[MAX_PATH];
  char tempFolder[MAX_PATH];
  if (!::GetTempPathA(MAX_PATH, tempFolder) || !::GetTempFileNameA(tempFolder, "kct", 0, errPath)) return;
  errPath_ = errPath;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE err = ::CreateFileA(errPath, GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
  HANDLE outRead = nullptr, outWrite = nullptr;
  if (err == INVALID_HANDLE_VALUE) return;
  // A pipe with no room to speak of holds the program in its first write.
  if (!::CreatePipe(&outRead, &outWrite, &inherited, setting.outputFull ? 1 : 0)) {
    ::CloseHandle(err);
    return;
  }
  ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  if (setting.outputClosed) {
    ::CloseHandle(outRead);
    outRead = nullptr;
  }

  std::string program = std::filesystem::path(KIRABO_CLI_PATH).make_preferred().string();
  std::string commandLine = Quoted(program);
  for (const std::string& arg : args) commandLine += " " + Quoted(arg);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = err;
  // The child inherits this process's environment.
  for (const auto& [name, value] : setting.environment)
    ::SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
  PROCESS_INFORMATION started{};
  const char* workingFolder = setting.workingFolder.empty() ? nullptr : setting.workingFolder.c_str();
  if (::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, workingFolder,
                       &startup, &started)) {
    ::CloseHandle(started.hThread);
    process_->process = started.hProcess;
    process_->id = started.dwProcessId;
    process_->out = outRead;
  } else if (outRead != nullptr) {
    ::CloseHandle(outRead);
  }
  ::CloseHandle(outWrite);
  ::CloseHandle(err);
}

RunningCli::~RunningCli() {
  if (process_->process != nullptr) Finish();
  if (!errPath_.empty()) std::remove(errPath_.c_str());
}

long RunningCli::pid() const { return static_cast<long>(process_->id); }

bool RunningCli::ReadMore() {
  char buffer[4096];
  DWORD got = 0;
  if (process_->out == nullptr || !::ReadFile(process_->out, buffer, sizeof buffer, &got, nullptr) || got == 0)
    return false;
  pending_.append(buffer, got);
  return true;
}

CliResult RunningCli::Finish() {
  CliResult result;
  for (std::string line = ReadLine(); !line.empty(); line = ReadLine()) result.out += line;
  if (process_->out != nullptr) ::CloseHandle(process_->out);
  process_->out = nullptr;
  if (process_->process != nullptr) {
    DWORD status = 0;
    if (::WaitForSingleObject(process_->process, INFINITE) == WAIT_OBJECT_0 &&
        ::GetExitCodeProcess(process_->process, &status))
      result.exitCode = static_cast<int>(status);
    ::CloseHandle(process_->process);
    process_->process = nullptr;
  }
  result.err = ReadWholeFile(errPath_);
  return result;
}

}  // namespace kirabo::test

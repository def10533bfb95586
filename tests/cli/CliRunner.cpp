#include "CliRunner.h"

#include <fstream>
#include <sstream>

namespace kirabo::test {

std::string RunningCli::ReadLine() {
  while (pending_.find('\n') == std::string::npos && ReadMore()) {
  }
  size_t end = pending_.find('\n');
  std::string line = pending_.substr(0, end == std::string::npos ? pending_.size() : end + 1);
  pending_.erase(0, line.size());
  return line;
}

std::string RunningCli::ReadWholeFile(const std::string& path) {
  std::ostringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  return content.str();
}

CliResult RunCli(const std::vector<std::string>& args, const CliSetting& setting) {
  return RunningCli(args, setting).Finish();
}

}  // namespace kirabo::test

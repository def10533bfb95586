// kirabo-gui-bench: times one rename job run from the main window against
// the same job run by the engine alone, on two identical trees of synthetic
// raw files, to show what the window's progress display costs.
//
//   kirabo-gui-bench [--files=N] [--rounds=R] [--cli=PATH] [--dir=PARENT]
//
// Each round builds fresh identical trees and runs each job on its own tree,
// taking turns at going first; the medians are reported. With --cli, the
// command-line program at PATH runs the same job as a third contender, its
// output going to /dev/null. Runs without a display (offscreen)
// unless QT_QPA_PLATFORM says otherwise.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "SyntheticTree.h"
#include "app/MainApp.h"
#include "app/MainDialog.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "framework/MessageBox.h"
#include "framework/qt/QtWindow.h"
#include "res/ResourceIds.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Listens to the engine and does nothing with what it hears.
class QuietObserver : public kirabo::JobObserver {
 public:
  void OnSearching(const std::string&) override {}
  void OnFolderNotListed(const std::string&, const std::string&) override {}
  void OnFile(const kirabo::FileReport&) override {}
  void OnJobEnd(kirabo::JobEnd, const kirabo::JobCounts& counts) override { renamed = counts.renamed; }
  size_t renamed = 0;
};

bool MakeTree(const std::string& parent, const kirabo::bench::TreeShape& shape, std::string& root) {
  std::string pattern = parent + "/kirabo-gui-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return false;
  root = pattern;
  kirabo::bench::BuiltTree built;
  return kirabo::bench::BuildSyntheticTree(root, shape, built);
}

double EngineJob(const std::string& root, size_t& renamed) {
  QuietObserver observer;
  kirabo::RenameJob job;
  job.folder = root;
  job.observer = &observer;
  const Clock::time_point start = Clock::now();
  kirabo::RenameWorkerProc(&job);
  const double seconds = Seconds(Clock::now() - start);
  renamed = observer.renamed;
  return seconds;
}

// From the press of Start until the final message and the label's last text
// have both reached the window.
double WindowJob(const std::string& root, std::string& finalMessage) {
  kirabo::CMainDialog dialog;
  dialog.Create();
  qobject_cast<QLineEdit*>(kirabo::ToWidget(dialog.GetDlgItem(kirabo::kFolderField)))->setText(QString::fromStdString(root));
  qobject_cast<QComboBox*>(kirabo::ToWidget(dialog.GetDlgItem(kirabo::kFormatList)))->setCurrentIndex(0);
  bool ended = false;
  kirabo::SetMessageBoxHook([&](const kirabo::MessageBoxCall& call) {
    finalMessage = call.text;
    ended = true;
    return true;
  });
  const Clock::time_point start = Clock::now();
  dialog.OnStartStop();
  while (!ended) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double seconds = Seconds(Clock::now() - start);
  kirabo::SetMessageBoxHook(nullptr);
  return seconds;
}

// The whole run of `cli ROOT`, process start included; negative when it
// could not run or failed.
double CliJob(const std::string& cli, const std::string& root) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  char* arguments[] = {const_cast<char*>(cli.c_str()), const_cast<char*>(root.c_str()), nullptr};
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  int status = -1;
  const bool ran = posix_spawn(&child, cli.c_str(), &actions, nullptr, arguments, environ) == 0 &&
                   waitpid(child, &status, 0) == child;
  const double seconds = Seconds(Clock::now() - start);
  posix_spawn_file_actions_destroy(&actions);
  return ran && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1.0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication gui(argc, argv);
  kirabo::CMainApp app;  // hands the dialog templates to the framework; its settings stay unused

  kirabo::bench::TreeShape shape;
  shape.files = 5000;
  int rounds = 5;
  std::string cli;
  std::string parent = std::filesystem::temp_directory_path().string();
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--files=")) {
      shape.files = std::strtoull(argv[i] + 8, nullptr, 10);
    } else if (arg.starts_with("--rounds=")) {
      rounds = std::atoi(argv[i] + 9);
    } else if (arg.starts_with("--cli=")) {
      cli = argv[i] + 6;
    } else if (arg.starts_with("--dir=")) {
      parent = argv[i] + 6;
    } else {
      std::fprintf(stderr, "Usage: kirabo-gui-bench [--files=N] [--rounds=R] [--cli=PATH] [--dir=PARENT]\n");
      return 2;
    }
  }
  if (shape.files == 0) shape.files = 1;
  if (rounds < 1) rounds = 1;

  std::vector<double> engineTimes;
  std::vector<double> windowTimes;
  std::vector<double> cliTimes;
  bool allRenamed = true;
  std::string finalMessage;
  for (int round = 0; round < rounds; ++round) {
    std::string engineRoot;
    std::string windowRoot;
    std::string cliRoot;
    if (!MakeTree(parent, shape, engineRoot) || !MakeTree(parent, shape, windowRoot) ||
        (!cli.empty() && !MakeTree(parent, shape, cliRoot))) {
      std::fprintf(stderr, "kirabo-gui-bench: cannot build the trees in %s: %s\n", parent.c_str(),
                   std::strerror(errno));
      return 1;
    }
    size_t renamed = 0;
    if (round % 2 == 0) {
      engineTimes.push_back(EngineJob(engineRoot, renamed));
      windowTimes.push_back(WindowJob(windowRoot, finalMessage));
      if (!cli.empty()) cliTimes.push_back(CliJob(cli, cliRoot));
    } else {
      if (!cli.empty()) cliTimes.push_back(CliJob(cli, cliRoot));
      windowTimes.push_back(WindowJob(windowRoot, finalMessage));
      engineTimes.push_back(EngineJob(engineRoot, renamed));
    }
    allRenamed = allRenamed && renamed == shape.files && (cli.empty() || cliTimes.back() >= 0);
    std::printf("round %d: engine alone %.3f s, from the window %.3f s", round + 1, engineTimes.back(),
                windowTimes.back());
    if (!cli.empty()) std::printf(", command line %.3f s", cliTimes.back());
    std::printf("\n");
    std::error_code ignored;
    for (const std::string& root : {engineRoot, windowRoot, cliRoot})
      if (!root.empty()) std::filesystem::remove_all(root, ignored);
  }

  // Rounds share the machine's load, so each round's own ratio says more
  // than the ratio of the medians.
  std::vector<double> overEngine;
  std::vector<double> overCli;
  for (size_t i = 0; i < windowTimes.size(); ++i) {
    overEngine.push_back(windowTimes[i] / engineTimes[i] - 1.0);
    if (!cli.empty()) overCli.push_back(windowTimes[i] / cliTimes[i] - 1.0);
  }
  std::printf("%zu files, medians of %d rounds: engine alone %.3f s, from the window %.3f s", shape.files, rounds,
              Median(engineTimes), Median(windowTimes));
  if (!cli.empty()) std::printf(", command line %.3f s", Median(cliTimes));
  std::printf("\nthe window against the engine alone: %+.1f%% (median of the rounds' ratios)\n",
              100.0 * Median(overEngine));
  if (!cli.empty())
    std::printf("the window against the command line: %+.1f%% (median of the rounds' ratios)\n", 100.0 * Median(overCli));
  std::printf("final message: %s\n", finalMessage.c_str());
  return allRenamed ? 0 : 1;
}

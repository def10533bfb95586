// kirabo-gui-bench: times one rename job run from the main window against
// the same job run by the engine alone, on two identical trees of synthetic
// raw files, to show what the window's progress display costs.
//
//   kirabo-gui-bench [--files=N] [--dir=PARENT]
//
// Runs without a display (offscreen) unless QT_QPA_PLATFORM says otherwise.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "SyntheticTree.h"
#include "app/MainDialog.h"
#include "engine/JobObserver.h"
#include "engine/RenameJob.h"
#include "engine/RenameWorker.h"
#include "framework/MessageBox.h"
#include "res/ResourceIds.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Listens to the engine and does nothing with what it hears.
class QuietObserver : public kirabo::JobObserver {
 public:
  void OnSearching(const std::string&) override {}
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
  qobject_cast<QLineEdit*>(dialog.GetDlgItem(kirabo::kFolderField))->setText(QString::fromStdString(root));
  qobject_cast<QComboBox*>(dialog.GetDlgItem(kirabo::kFormatList))->setCurrentIndex(0);
  bool ended = false;
  kirabo::SetMessageBoxHook([&](const kirabo::MessageBoxCall& call) {
    finalMessage = call.text;
    ended = true;
  });
  const Clock::time_point start = Clock::now();
  dialog.OnStartStop();
  while (!ended) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double seconds = Seconds(Clock::now() - start);
  kirabo::SetMessageBoxHook(nullptr);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication gui(argc, argv);

  kirabo::bench::TreeShape shape;
  shape.files = 5000;
  std::string parent = std::filesystem::temp_directory_path().string();
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--files=")) {
      shape.files = std::strtoull(argv[i] + 8, nullptr, 10);
    } else if (arg.starts_with("--dir=")) {
      parent = argv[i] + 6;
    } else {
      std::fprintf(stderr, "Usage: kirabo-gui-bench [--files=N] [--dir=PARENT]\n");
      return 2;
    }
  }
  if (shape.files == 0) shape.files = 1;

  std::string engineRoot;
  std::string windowRoot;
  if (!MakeTree(parent, shape, engineRoot) || !MakeTree(parent, shape, windowRoot)) {
    std::fprintf(stderr, "kirabo-gui-bench: cannot build the trees in %s: %s\n", parent.c_str(), std::strerror(errno));
    return 1;
  }

  size_t renamed = 0;
  const double engine = EngineJob(engineRoot, renamed);
  std::string finalMessage;
  const double window = WindowJob(windowRoot, finalMessage);
  std::printf("%zu files: engine alone %.3f s (%zu renamed), from the window %.3f s (%+.1f%%)\n", shape.files, engine,
              renamed, window, 100.0 * (window - engine) / engine);
  std::printf("final message: %s\n", finalMessage.c_str());

  std::error_code ignored;
  std::filesystem::remove_all(engineRoot, ignored);
  std::filesystem::remove_all(windowRoot, ignored);
  return renamed == shape.files ? 0 : 1;
}

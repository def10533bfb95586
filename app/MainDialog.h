#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/WindowJobObserver.h"
#include "engine/JournalFolder.h"
#include "engine/RenameJob.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Icon.h"
#include "framework/PostedMessageBox.h"
#include "framework/WorkerThread.h"

namespace kirabo {

// The main window: folder field, format list, Start/Stop, Undo, Browse and
// Exit.
// It owns the job record and the one worker thread that runs it.
class CMainDialog : public Dialog {
 public:
  CMainDialog();
  ~CMainDialog() override;

  PushButton startButtonCtrl;
  PushButton undoButtonCtrl;
  StaticText statusLabelCtrl;
  std::string folderText;
  // The folder named on the command line, shown instead of the stored one.
  std::optional<std::string> folderArgument;
  int32_t formatIndex = -1;  // of the entry chosen in the format list
  Icon appIcon;
  RenameJob job;

  void OnStartStop();
  void OnUndo();
  void OnBrowse();
  void OnExit();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnCommand(int id) override;
  void OnEditChange(int id) override;
  void OnSysCommand(int commandId) override;
  void OnPaint() override;
  void OnHelp() override;

 private:
  void ShowAbout();
  const char* StartProblem() const;
  bool PrepareJournal();
  void StartWorker(uint32_t (*proc)(void*));
  void JobEnded();
  // The job that Undo would take back on `folder`, if any.
  std::optional<KeptJournal> UndoableJob(const std::string& folder) const;
  void RefreshUndoButton(const std::string& folder);
  void WaitForStopAcknowledged();
  void EndJobBeforeClosing();

  PostedMessageBox workerMessages_{this};
  WindowJobObserver jobView_{statusLabelCtrl, startButtonCtrl, workerMessages_, [this] { JobEnded(); }};
  WorkerThread worker_;
  bool closing_ = false;
  bool jobActive_ = false;    // from Start or Undo until the window hears of the end
  std::string journalFolder_;  // empty until known
};

}  // namespace kirabo

#include "app/MainDialog.h"

#include <chrono>
#include <thread>

#include <QCoreApplication>
#include <QPainter>
#include <QStyle>

#include "app/AboutDialog.h"
#include "app/FolderPicker.h"
#include "engine/RenameWorker.h"
#include "framework/Application.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "platform/FolderExists.h"
#include "res/ResourceIds.h"

namespace kirabo {

namespace {
constexpr char kSection[] = "Data";
constexpr char kFolderKey[] = "Folder";
constexpr char kFormatKey[] = "Format";
constexpr auto kPollInterval = std::chrono::milliseconds(1);
}  // namespace

CMainDialog::CMainDialog() : Dialog(kMainDialogTemplate), appIcon(LoadResourceIcon(kAppIcon)) {}

CMainDialog::~CMainDialog() { EndJobBeforeClosing(); }

void CMainDialog::DoDataExchange(DataExchange& exchange) {
  ExchangeControl(exchange, IDOK, startButtonCtrl);
  ExchangeControl(exchange, kStatusText, statusLabelCtrl);
  ExchangeText(exchange, kFolderField, folderText);
  ExchangeListIndex(exchange, kFormatList, formatIndex);
}

bool CMainDialog::OnInitDialog() {
  Dialog::OnInitDialog();

  if (SystemMenu* menu = GetSystemMenu()) {
    const std::string aboutText = LoadResourceString(kAboutMenuString);
    if (!aboutText.empty()) {
      menu->AppendSeparator();
      menu->AppendItem(kAboutCommand, aboutText);
    }
  }
  setWindowIcon(appIcon);

  if (Application* app = Application::Instance()) {
    folderText = app->GetProfileString(kSection, kFolderKey, "");
    formatIndex = app->GetProfileInt(kSection, kFormatKey, 0);
  }
  job.state.store(Idle);
  UpdateData(false);
  return true;
}

void CMainDialog::OnOK() { OnStartStop(); }

void CMainDialog::OnCommand(int id) {
  if (id == kBrowseButton)
    OnBrowse();
  else if (id == kExitButton)
    OnExit();
  else
    Dialog::OnCommand(id);
}

void CMainDialog::OnStartStop() {
  UpdateData(true);

  // One step against the worker's final write of Idle: a press just after
  // the job ended must not wait for an acknowledgement nobody will give.
  int32_t running = Running;
  if (job.state.compare_exchange_strong(running, StopRequested)) {
    WaitForStopAcknowledged();
    if (closing_) return;
    ShowMessageBox(this, "中断しました", MessageIcon::Information);
    startButtonCtrl.SetText("開始");
    return;
  }

  // A worker that has not yet written Running, or is showing its final
  // message, still owns the record.
  if (worker_.IsRunning()) return;

  if (const char* problem = StartProblem()) {
    ShowMessageBox(this, problem, MessageIcon::Exclamation);
    return;
  }

  job.folder = folderText;
  job.format = formatIndex;
  job.observer = &jobView_;
  if (worker_.Start(RenameWorkerProc, &job)) startButtonCtrl.SetText("中断");
}

// What keeps the fields from making a job, or null. A job on a folder that
// is not there, or without a format, would rename nothing and only seem to
// have run.
const char* CMainDialog::StartProblem() const {
  if (folderText.empty()) return "フォルダを指定してください";
  if (!FolderExists(folderText)) return "フォルダが見つかりません";
  if (formatIndex != DateAndTime && formatIndex != TimeOnly) return "ファイル名形式を選択してください";
  return nullptr;
}

// Waits until the worker has written Idle and returned. Meanwhile it keeps
// delivering what the worker posts (its texts) and the timers that are due,
// so the worker never waits on this thread; the user's input stays queued.
void CMainDialog::WaitForStopAcknowledged() {
  while (job.state.load() != Idle || worker_.IsRunning()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    std::this_thread::sleep_for(kPollInterval);
  }
  worker_.Join();
  // The worker's last text may have come after the last round; the label
  // is final before the stop message.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CMainDialog::OnBrowse() {
  UpdateData(true);
  CFolderPicker picker;
  std::string picked;
  if (picker.PickFolder(&picked, folderText)) folderText = picked;
  UpdateData(false);
}

void CMainDialog::OnExit() {
  UpdateData(true);
  if (Application* app = Application::Instance()) {
    app->WriteProfileString(kSection, kFolderKey, folderText);
    app->WriteProfileInt(kSection, kFormatKey, formatIndex);
  }
  EndJobBeforeClosing();
  EndDialog(IDCANCEL);
}

void CMainDialog::OnCancel() {
  EndJobBeforeClosing();
  EndDialog(IDCANCEL);
}

// The record and the controls it points at must outlive the worker: ask it
// to stop, release it from any message it waits on, and join it. It stops
// at its next check point, before the next file or rename attempt, so every
// file keeps its old or its new name.
void CMainDialog::EndJobBeforeClosing() {
  closing_ = true;
  workerMessages_.Dismiss();
  while (worker_.IsRunning()) {
    // Retried until the worker ends: a worker that has not yet written
    // Running would overwrite a request made before it.
    int32_t running = Running;
    job.state.compare_exchange_strong(running, StopRequested);
    std::this_thread::sleep_for(kPollInterval);
  }
  worker_.Join();
}

void CMainDialog::OnSysCommand(int commandId) {
  if ((commandId & 0xFFF0) == kAboutCommand) {
    CAboutDialog about;
    about.DoModal();
    return;
  }
  Dialog::OnSysCommand(commandId);
}

void CMainDialog::OnPaint(QPaintEvent* event) {
  if (!isMinimized()) {
    Dialog::OnPaint(event);
    return;
  }
  QPainter painter(this);
  const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
  const int x = (width() - iconSize + 1) / 2;
  const int y = (height() - iconSize + 1) / 2;
  appIcon.paint(&painter, x, y, iconSize, iconSize);
}

}  // namespace kirabo

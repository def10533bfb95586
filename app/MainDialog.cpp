#include "app/MainDialog.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "app/AboutDialog.h"
#include "app/FolderPicker.h"
#include "app/JobTexts.h"
#include "engine/NameFormats.h"
#include "engine/RenameWorker.h"
#include "engine/UndoWorker.h"
#include "framework/Application.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/Paint.h"
#include "framework/Resources.h"
#include "framework/Translate.h"
#include "framework/Window.h"
#include "res/translations/TextTable.h"
#include "platform/FolderExists.h"
#include "platform/HomeFolder.h"
#include "platform/RealPath.h"
#include "platform/StateFolder.h"
#include "res/ResourceIds.h"

namespace kirabo {

namespace {
constexpr char kContext[] = "MainDialog";  // of the texts translated
constexpr char kSection[] = "Data";
constexpr char kFolderKey[] = "Folder";
constexpr char kFormatKey[] = "Format";
constexpr auto kPollInterval = std::chrono::milliseconds(1);

// The list shows the name-format table's rows in its order; -1 stands for
// no entry and for no format.
int32_t FormatAt(int32_t index) {
  const auto rows = NameFormats();
  return index >= 0 && size_t(index) < rows.size() ? int32_t(rows[size_t(index)].format) : -1;
}

int32_t IndexOf(int32_t format) {
  const auto rows = NameFormats();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].format == format) return int32_t(i);
  }
  return -1;
}
}  // namespace

CMainDialog::CMainDialog() : Dialog(kMainDialogTemplate), appIcon(LoadResourceIcon(kAppIcon)) {}

CMainDialog::~CMainDialog() { EndJobBeforeClosing(); }

void CMainDialog::DoDataExchange(DataExchange& exchange) {
  ExchangeControl(exchange, IDOK, startButtonCtrl);
  ExchangeControl(exchange, kUndoButton, undoButtonCtrl);
  ExchangeControl(exchange, kStatusText, statusLabelCtrl);
  ExchangeText(exchange, kFolderField, folderText);
  ExchangeListIndex(exchange, kFormatList, formatIndex);
}

bool CMainDialog::OnInitDialog() {
  Dialog::OnInitDialog();

  if (SystemMenu* menu = GetSystemMenu()) {
    const std::string aboutText = Translate("StringTable", LoadResourceString(kAboutMenuString).c_str());
    if (!aboutText.empty()) {
      menu->AppendSeparator();
      menu->AppendItem(kAboutCommand, aboutText);
    }
  }
  SetIcon(appIcon);

  ComboBox formatList(GetDlgItem(kFormatList));
  for (const NameFormatRow& row : NameFormats()) formatList.AddString(LoadResourceString(row.listTextId));
  if (Application* app = Application::Instance()) {
    folderText = app->GetProfileString(kSection, kFolderKey, "");
    formatIndex = IndexOf(app->GetProfileInt(kSection, kFormatKey, NameFormats()[0].format));
  }
  if (folderArgument) folderText = *folderArgument;
  job.state.store(Idle);
  if (JobJournalFolder(journalFolder_) != 0) journalFolder_.clear();
  UpdateData(false);
  RefreshUndoButton(folderText);
  return true;
}

void CMainDialog::OnOK() { OnStartStop(); }

void CMainDialog::OnCommand(int id) {
  if (id == kBrowseButton)
    OnBrowse();
  else if (id == kUndoButton)
    OnUndo();
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
    ShowMessageBox(this, Translate(kContext, "中断しました"), MessageIcon::Information);
    startButtonCtrl.SetText(Translate(kContext, "開始"));
    JobEnded();
    return;
  }

  // A worker that has not yet written Running, or is showing its final
  // message, still owns the record.
  if (worker_.IsRunning()) return;

  if (const char* problem = StartProblem()) {
    ShowMessageBox(this, Translate(kContext, problem), MessageIcon::Exclamation);
    return;
  }

  if (!PrepareJournal()) return;
  job.folder = WithHomeFolder(folderText);
  job.format = FormatAt(formatIndex);
  job.undoJournal.clear();
  jobView_.SetUndo(false);
  StartWorker(RenameWorkerProc);
}

void CMainDialog::OnUndo() {
  UpdateData(true);
  if (jobActive_ || worker_.IsRunning()) return;
  std::optional<KeptJournal> undoable = UndoableJob(folderText);
  if (!undoable) {
    RefreshUndoButton(folderText);
    return;
  }
  const std::string count = std::to_string(undoable->journal.MadeRenames());
  if (!AskYesNo(this, WithArgument(Translate(kContext, "%1 件のファイル名を元に戻しますか?"), count))) return;
  if (!PrepareJournal()) return;
  job.folder = WithHomeFolder(folderText);
  job.undoJournal = undoable->path;
  jobView_.SetUndo(true);
  StartWorker(UndoWorkerProc);
}

// The folder of the journal the job writes before any rename; a job that
// could not keep one does not start.
bool CMainDialog::PrepareJournal() {
  if (int error = JobJournalFolder(journalFolder_)) {
    ShowMessageBox(this, JournalFailedText(std::system_category().message(error)), MessageIcon::Exclamation);
    return false;
  }
  job.journalFolder = journalFolder_;
  job.observer = &jobView_;
  return true;
}

void CMainDialog::StartWorker(uint32_t (*proc)(void*)) {
  if (!worker_.Start(proc, &job)) return;
  jobActive_ = true;
  undoButtonCtrl.Enable(false);
  startButtonCtrl.SetText(Translate(kContext, "中断"));
}

// Window thread, once the worker has told of the end of a job or an undo.
void CMainDialog::JobEnded() {
  jobActive_ = false;
  EditField field(GetDlgItem(kFolderField));
  RefreshUndoButton(field.GetText());
}

void CMainDialog::OnEditChange(int id) {
  if (id != kFolderField) return;
  EditField field(GetDlgItem(kFolderField));
  RefreshUndoButton(field.GetText());
}

std::optional<KeptJournal> CMainDialog::UndoableJob(const std::string& folder) const {
  std::string realFolder;
  if (journalFolder_.empty() || folder.empty() || !ResolveRealPath(WithHomeFolder(folder), realFolder))
    return std::nullopt;
  return LatestUndoable(journalFolder_, realFolder);
}

void CMainDialog::RefreshUndoButton(const std::string& folder) {
  undoButtonCtrl.Enable(!jobActive_ && UndoableJob(folder).has_value());
}

// What keeps the fields from making a job, or null. A job on a folder that
// is not there, or without a format, would rename nothing and only seem to
// have run.
const char* CMainDialog::StartProblem() const {
  if (folderText.empty()) return "フォルダを指定してください";
  const std::string folder = WithHomeFolder(folderText);
  if (!FolderExists(folder)) return PathExists(folder) ? "フォルダではありません" : "フォルダが見つかりません";
  if (FormatAt(formatIndex) == -1) return "ファイル名形式を選択してください";
  return nullptr;
}

// Waits until the worker has written Idle and returned. Meanwhile it keeps
// delivering what the worker posts (its texts) and the timers that are due,
// so the worker never waits on this thread; the user's input stays queued.
void CMainDialog::WaitForStopAcknowledged() {
  while (job.state.load() != Idle || worker_.IsRunning()) {
    DeliverPostedCalls();
    std::this_thread::sleep_for(kPollInterval);
  }
  worker_.Join();
  // The worker's last text may have come after the last round; the label
  // is final before the stop message.
  DeliverPostedCalls();
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
  // The job stops first: saving can take long enough for it to rename many
  // more files after the user asked to end.
  EndJobBeforeClosing();
  if (Application* app = Application::Instance(); app != nullptr && app->ProfileName() != nullptr) {
    // Once per save: the second key would fail for the same reason.
    int error = 0;
    if (!app->WriteProfileString(kSection, kFolderKey, folderText, &error) ||
        !app->WriteProfileInt(kSection, kFormatKey, FormatAt(formatIndex), &error)) {
      const std::string reason = std::system_category().message(error);
      ShowMessageBox(this, WithArgument(Translate(kContext, "設定を保存できません: %1"), reason),
                     MessageIcon::Exclamation);
    }
  }
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
    ShowAbout();
    return;
  }
  Dialog::OnSysCommand(commandId);
}

// No help file belongs to the program: F1 says what it is instead, and is
// the way to the About box where no system menu shows.
void CMainDialog::OnHelp() { ShowAbout(); }

void CMainDialog::ShowAbout() {
  CAboutDialog about;
  about.DoModal();
}

void CMainDialog::OnPaint() {
  if (!IsIconic()) {
    Dialog::OnPaint();
    return;
  }
  PaintContext paint(*this);
  paint.EraseIconBackground();
  const Size icon = SystemIconSize();
  const Size client = ClientSize();
  paint.DrawIcon((client.width - icon.width + 1) / 2, (client.height - icon.height + 1) / 2, appIcon);
}

}  // namespace kirabo

#pragma once

#include <memory>

#include "framework/DataExchange.h"
#include "framework/Icon.h"
#include "framework/Paint.h"
#include "framework/SystemMenu.h"
#include "framework/Window.h"

namespace kirabo {

// Results a dialog ends with, and the command ids of its OK and Cancel.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// A dialog window built from a resource template. Subclasses override the
// hooks: data exchange, window initialisation, OK and Cancel, commands of
// other buttons, system-menu commands, painting and the help key.
class Dialog {
 public:
  explicit Dialog(int templateId, Dialog* parent = nullptr);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Builds and initialises the window, then runs it modally until
  // EndDialog; returns the result. -1 when the template does not exist.
  int DoModal();
  // Builds, initialises and shows the window without waiting.
  bool Create();

  void EndDialog(int result);
  // Runs DoDataExchange in one direction.
  void UpdateData(bool saveAndValidate);

  // The dialog's own window; null before it is built.
  NativeWindow* Window() const;
  // The control with that id; null when there is none.
  NativeWindow* GetDlgItem(int id) const;
  // Null before the window is built.
  SystemMenu* GetSystemMenu() const;

  bool IsIconic() const;
  Size ClientSize() const;
  // The window's icon in the title bar, the task bar and while minimised.
  void SetIcon(const Icon& icon);

  struct Impl;
  Impl& Internals() const { return *impl_; }

 protected:
  virtual void DoDataExchange(DataExchange&) {}
  // Called once the controls exist and lists hold their initial entries;
  // true gives the focus to the first tab stop.
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // A push button was clicked. IDOK and IDCANCEL go to OnOK and OnCancel.
  virtual void OnCommand(int id);
  // The text of an edit field changed, by the user or by the program.
  virtual void OnEditChange(int id);
  // A system-menu item was chosen; the platform handles its own items.
  virtual void OnSysCommand(int commandId);
  // The window needs painting; the default paints the dialog as usual.
  virtual void OnPaint();
  // F1 was pressed, with neither Shift, Ctrl nor Alt; the default does nothing.
  virtual void OnHelp() {}

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace kirabo

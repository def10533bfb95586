#pragma once

#include <map>
#include <memory>

#include <QDialog>
#include <QIcon>

#include "framework/DataExchange.h"
#include "framework/DialogTemplate.h"
#include "framework/DialogUnits.h"
#include "framework/SystemMenu.h"

namespace kirabo {

// Results a dialog ends with, and the command ids of its OK and Cancel.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// A dialog window built from a resource template. Subclasses override the
// hooks: data exchange, window initialisation, OK and Cancel, commands of
// other buttons, system-menu commands and painting.
class Dialog : public QDialog {
 public:
  explicit Dialog(int templateId, QWidget* parent = nullptr);
  ~Dialog() override;

  // Builds and initialises the window, then runs it modally until
  // EndDialog; returns the result. -1 when the template does not exist.
  int DoModal();
  // Builds, initialises and shows the window without waiting.
  bool Create();

  void EndDialog(int result);
  // Runs DoDataExchange in one direction.
  void UpdateData(bool saveAndValidate);

  // The control with that id; null when there is none.
  QWidget* GetDlgItem(int id) const;
  SystemMenu* GetSystemMenu() const { return systemMenu_.get(); }
  DialogBaseUnits BaseUnits() const { return baseUnits_; }

 protected:
  virtual void DoDataExchange(DataExchange&) {}
  // Called once the controls exist and lists hold their initial entries;
  // true gives the focus to the first tab stop.
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // A push button was clicked. IDOK and IDCANCEL go to OnOK and OnCancel.
  virtual void OnCommand(int id);
  // A system-menu item was chosen; Close gives the Cancel command.
  virtual void OnSysCommand(int commandId);
  virtual void OnPaint(QPaintEvent* event);

  void accept() override;
  void reject() override;
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool Build();
  QWidget* CreateControl(const ControlTemplate& control);
  void Initialise();

  const DialogTemplate* template_;
  DialogBaseUnits baseUnits_;
  std::map<int, QWidget*> items_;
  std::unique_ptr<SystemMenu> systemMenu_;
  bool initialised_ = false;
};

}  // namespace kirabo

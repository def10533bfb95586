#pragma once

#include <map>
#include <memory>

#include <QDialog>
#include <QPointer>

#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/SystemMenu.h"

namespace kirabo {

// The Qt window of a Dialog: hands Qt's events to the dialog's hooks.
class DialogWindow : public QDialog {
 public:
  DialogWindow(Dialog& owner, QWidget* parent) : QDialog(parent), owner_(owner) {}

  void accept() override;
  void reject() override;
  void PaintAsUsual(QPaintEvent* event) { QDialog::paintEvent(event); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // F1 reaches the dialog from whichever control has the focus.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Dialog& owner_;
};

struct Dialog::Impl {
  Impl(Dialog& owner, int templateId, Dialog* parent);
  ~Impl();

  bool Build();
  QWidget* CreateControl(const ControlTemplate& control);
  void Initialise();
  void PlaceOnScreen();

  // The hooks, for the window.
  void Ok() { owner.OnOK(); }
  void Cancel() { owner.OnCancel(); }
  void Command(int id) { owner.OnCommand(id); }
  void EditChange(int id) { owner.OnEditChange(id); }
  void SysCommand(int id) { owner.OnSysCommand(id); }
  void Help() { owner.OnHelp(); }
  void Paint(QPaintEvent* event);
  void DefaultPaint();

  Dialog& owner;
  Dialog* parent;
  const DialogTemplate* dialogTemplate;
  QPointer<DialogWindow> window;
  DialogBaseUnits baseUnits;
  std::map<int, QWidget*> items;
  std::unique_ptr<QtSystemMenu> systemMenu;
  bool initialised = false;
  QPaintEvent* paintEvent = nullptr;  // while OnPaint runs
};

}  // namespace kirabo

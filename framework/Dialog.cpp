#include "framework/Dialog.h"

// What every front end's dialog does alike.

namespace kirabo {

void Dialog::UpdateData(bool saveAndValidate) {
  DataExchange exchange{*this, saveAndValidate};
  DoDataExchange(exchange);
}

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnCommand(int id) {
  if (id == IDOK)
    OnOK();
  else if (id == IDCANCEL)
    OnCancel();
}

void Dialog::OnEditChange(int) {}

}  // namespace kirabo

#include "app/AboutDialog.h"

#include "framework/Controls.h"
#include "framework/Translate.h"
#include "res/ResourceIds.h"
#include "res/Version.h"
#include "res/translations/TextTable.h"

namespace kirabo {

CAboutDialog::CAboutDialog() : Dialog(kAboutDialogTemplate) {}

bool CAboutDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  StaticText name;
  name.Attach(GetDlgItem(kAboutNameText));
  name.SetText(WithArgument(Translate("AboutDialog", "Kirabo バージョン %1"), kVersion));
  return true;
}

}  // namespace kirabo

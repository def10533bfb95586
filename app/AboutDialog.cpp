#include "app/AboutDialog.h"

#include "res/ResourceIds.h"

namespace kirabo {

CAboutDialog::CAboutDialog() : Dialog(kAboutDialogTemplate) {}

}  // namespace kirabo

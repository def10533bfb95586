#pragma once

#include "framework/Dialog.h"

namespace kirabo {

// The About box: the program icon and OK. OK, Esc and the close box close it.
class CAboutDialog : public Dialog {
 public:
  CAboutDialog();
};

}  // namespace kirabo

#pragma once

#include "framework/Dialog.h"

namespace kirabo {

// The About box: the program's icon, name and version, what it does, its
// copyright and licence, and OK. OK, Esc and the close box close it.
class CAboutDialog : public Dialog {
 public:
  CAboutDialog();

 protected:
  bool OnInitDialog() override;
};

}  // namespace kirabo

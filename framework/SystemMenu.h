#pragma once

#include <string>

namespace kirabo {

// Command id of the Close item.
constexpr int kCloseCommand = 0xF060;

// The window menu of a dialog. Choosing an item hands its command id to the
// dialog's OnSysCommand.
class SystemMenu {
 public:
  virtual ~SystemMenu() = default;
  virtual void AppendSeparator() = 0;
  virtual void AppendItem(int commandId, const std::string& text) = 0;
};

}  // namespace kirabo

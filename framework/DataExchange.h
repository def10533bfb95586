#pragma once

#include <cstdint>
#include <string>

namespace kirabo {

class Dialog;
class Control;

// One exchange between a dialog's members and its controls: to the controls
// (saveAndValidate false) or from them (true).
struct DataExchange {
  Dialog& dialog;
  bool saveAndValidate;
};

// Binds `control` to the dialog's control `id` at the first exchange.
void ExchangeControl(DataExchange& exchange, int id, Control& control);

// The whole text of an edit field, unchanged.
void ExchangeText(DataExchange& exchange, int id, std::string& value);

// The selected index of a list; -1 for none. An index that names no entry
// leaves no entry selected.
void ExchangeListIndex(DataExchange& exchange, int id, int32_t& index);

}  // namespace kirabo

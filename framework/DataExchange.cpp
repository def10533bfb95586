#include "framework/DataExchange.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"

namespace kirabo {

void ExchangeControl(DataExchange& exchange, int id, Control& control) {
  if (control.Window() == nullptr) control.Attach(exchange.dialog.GetDlgItem(id));
}

void ExchangeText(DataExchange& exchange, int id, std::string& value) {
  EditField field(exchange.dialog.GetDlgItem(id));
  if (exchange.saveAndValidate)
    value = field.GetText();
  else
    field.SetText(value);
}

void ExchangeListIndex(DataExchange& exchange, int id, int32_t& index) {
  ComboBox list(exchange.dialog.GetDlgItem(id));
  if (exchange.saveAndValidate)
    index = list.GetCurSel();
  else
    list.SetCurSel(index);
}

}  // namespace kirabo

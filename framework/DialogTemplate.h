#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kirabo {

// A rectangle in dialog units: x, y, width, height.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class ControlKind { PushButton, StaticText, GroupBox, EditField, ComboBox, Icon };

// Control styles a template may carry; combine with |.
namespace ControlStyle {
constexpr uint32_t TabStop = 1u << 0;
constexpr uint32_t DefaultButton = 1u << 1;  // Enter presses it
constexpr uint32_t LeftWordWrap = 1u << 2;   // static text, left-aligned, wrapped
constexpr uint32_t Border = 1u << 3;
constexpr uint32_t DropDownList = 1u << 4;  // combo box without typing
constexpr uint32_t PathEllipsis = 1u << 5;  // static text: too-wide lines shortened in the middle
}  // namespace ControlStyle

// Window styles of a dialog template.
namespace DialogStyle {
constexpr uint32_t Caption = 1u << 0;
constexpr uint32_t SystemMenu = 1u << 1;
constexpr uint32_t AppWindow = 1u << 2;  // shown in the task bar
constexpr uint32_t Centred = 1u << 3;    // opens in the middle of its screen
constexpr uint32_t MinimizeBox = 1u << 4;
}  // namespace DialogStyle

// Controls without an id of their own (labels, frames) carry this one.
constexpr int NoControlId = -1;

struct ControlTemplate {
  int id = NoControlId;
  ControlKind kind = ControlKind::StaticText;
  uint32_t style = 0;
  std::string text;               // UTF-8
  DialogRect rect;
  int iconId = 0;                  // icon controls: the icon resource shown
};

// Everything needed to build a dialog window; controls are in tab order.
struct DialogTemplate {
  int id = 0;
  std::string title;  // UTF-8
  int width = 0;      // dialog units
  int height = 0;
  std::string fontName;
  int pointSize = 9;
  uint32_t style = 0;
  std::vector<ControlTemplate> controls;
};

// The program's template with that id, for front ends that build dialogs
// themselves rather than from a resource section; null when there is none.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace kirabo

#pragma once

#include <string>

#include "engine/RenameJob.h"
#include "framework/Window.h"

namespace kirabo {

// A dialog control reached through its window. The control object does not
// own the window; the dialog does.
class Control {
 public:
  Control() = default;
  explicit Control(NativeWindow* window) : window_(window) {}
  virtual ~Control() = default;

  void Attach(NativeWindow* window) { window_ = window; }
  NativeWindow* Window() const { return window_; }

 protected:
  NativeWindow* window_ = nullptr;
};

// A control whose window text any thread may set. On the window's thread the
// text changes at once; from another thread the change is posted to it and
// the caller goes on without waiting. Whoever owns the window must stop such
// threads before the window goes.
class TextControl : public Control, public TextTarget {
 public:
  void SetText(const std::string& text) override;
  std::string GetText() const;  // window thread only
};

class PushButton : public TextControl {};

class StaticText : public TextControl {};

class EditField : public Control {
 public:
  using Control::Control;
  std::string GetText() const;
  void SetText(const std::string& text);
};

// A drop-down list. Index -1 means no entry is selected.
class ComboBox : public Control {
 public:
  using Control::Control;
  // Appends, or inserts in sorted order when the list sorts; returns the index.
  int AddString(const std::string& text);
  int GetCount() const;
  std::string GetItemText(int index) const;
  int GetCurSel() const;
  // An index that names no entry leaves no entry selected.
  void SetCurSel(int index);
};

}  // namespace kirabo

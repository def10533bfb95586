#pragma once

#include <memory>
#include <string>

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
  // Window thread: whether the user can use the control.
  void Enable(bool enabled);
  bool IsEnabled() const;

 protected:
  NativeWindow* window_ = nullptr;
};

struct PendingText;

// A control whose window text any thread may set. On the window's thread the
// text changes at once. From another thread the change is posted to the
// window's thread and the caller goes on without waiting; texts set in quick
// succession are merged, so that the window shows a new text at most every
// few hundredths of a second and always ends with the latest one. Whoever
// owns the window must stop such threads before the window goes.
class TextControl : public Control {
 public:
  TextControl();
  void SetText(const std::string& text);
  // Any thread: a text still waiting to be shown is shown before anything
  // the calling thread posts to the window's thread afterwards.
  void Flush();
  std::string GetText() const;  // window thread only

 private:
  void Post(bool promptly);

  std::shared_ptr<PendingText> pending_;  // shared with the posted changes
};

class PushButton : public TextControl {};

// A static text. With the path-ellipsis style its text is the whole text
// set, while each line too wide for the control is shown shortened in the
// middle, so that both ends of a long path stay visible.
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
  // Appends; returns the new entry's index.
  int AddString(const std::string& text);
  int GetCount() const;
  int GetCurSel() const;
  // An index that names no entry leaves no entry selected.
  void SetCurSel(int index);
};

}  // namespace kirabo

#pragma once

// What the Qt front end (and its tests) need to reach the widgets behind the
// shared framework classes.

#include <QDialog>
#include <QIcon>

#include "framework/Dialog.h"
#include "framework/Icon.h"
#include "framework/Window.h"
#include "framework/qt/DialogUnits.h"

class QMenu;

namespace kirabo {

struct NativeIcon {
  QIcon icon;
};

inline QWidget* ToWidget(NativeWindow* window) { return reinterpret_cast<QWidget*>(window); }
inline const QWidget* ToWidget(const NativeWindow* window) { return reinterpret_cast<const QWidget*>(window); }
inline NativeWindow* ToNative(QWidget* widget) { return reinterpret_cast<NativeWindow*>(widget); }

inline Icon MakeIcon(const QIcon& icon) { return Icon(std::make_shared<const NativeIcon>(NativeIcon{icon})); }

// Makes the program and the standard dialogs that the framework borrows (the
// folder chooser, the buttons of message boxes) speak `language`, in place of
// any translations loaded before. The program's own translation is the Qt
// resource :/i18n/program_<language>.qm, where it has one (its source
// language needs none); Qt's is qtbase_<language>. Run does it. False when
// either is there but cannot be loaded, or Qt's is not installed for a
// language other than English; the standard dialogs then keep their
// English texts.
bool LoadTranslations(const std::string& language);

// The dialog's window; null before it is built.
QDialog* DialogWidget(const Dialog& dialog);
// What owns a window opened without a parent: the main window, else the
// active window; null for neither.
QWidget* DefaultOwner();
DialogBaseUnits BaseUnitsOf(const Dialog& dialog);
// The widget behind the dialog's system menu.
QMenu* SystemMenuWidget(const Dialog& dialog);

}  // namespace kirabo

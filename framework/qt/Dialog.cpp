#include "framework/Dialog.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Resources.h"
#include "framework/Translate.h"
#include "framework/qt/DialogImpl.h"
#include "framework/qt/ElidedLabel.h"
#include "framework/qt/QtWindow.h"
#include "framework/qt/Text.h"

namespace kirabo {

namespace {

// A template text in the application's language; one template serves every
// language, so each text is looked up when the dialog is built.
QString TemplateText(const std::string& context, const std::string& text) {
  if (text.empty()) return QString();
  return QCoreApplication::translate(context.c_str(), text.c_str());
}

// A control's window has an icon image's size, not its template rectangle.
constexpr int kIconSize = 32;

bool Has(uint32_t style, uint32_t flag) { return (style & flag) != 0; }

QPixmap IconPixmap(int iconId) {
  const Icon icon = LoadResourceIcon(iconId);
  return icon.IsNull() ? QPixmap() : icon.Native()->icon.pixmap(kIconSize, kIconSize);
}

}  // namespace

void DialogWindow::accept() { owner_.Internals().Ok(); }

void DialogWindow::reject() { owner_.Internals().Cancel(); }

void DialogWindow::paintEvent(QPaintEvent* event) { owner_.Internals().Paint(event); }

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    owner_.Internals().Help();
    return;
  }
  QDialog::keyPressEvent(event);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (childAt(event->pos()) != nullptr) return;
  owner_.Internals().systemMenu->Popup(event->globalPos());
}

Dialog::Impl::Impl(Dialog& owner, int templateId, Dialog* parent)
    : owner(owner), parent(parent), dialogTemplate(FindDialogTemplate(templateId)) {}

Dialog::Impl::~Impl() { delete window.data(); }

void Dialog::Impl::Paint(QPaintEvent* event) {
  paintEvent = event;
  owner.OnPaint();
  paintEvent = nullptr;
}

void Dialog::Impl::DefaultPaint() {
  if (paintEvent != nullptr) window->PaintAsUsual(paintEvent);
}

Dialog::Dialog(int templateId, Dialog* parent) : impl_(std::make_unique<Impl>(*this, templateId, parent)) {}

Dialog::~Dialog() = default;

int Dialog::DoModal() {
  if (!impl_->Build()) return -1;
  QDialog* window = impl_->window;
  if (impl_->parent == nullptr) {
    // A dialog opened without a parent belongs to the main window, which
    // stays disabled while it is open.
    QWidget* owner = DefaultOwner();
    if (owner != nullptr && owner != window) window->setParent(owner, window->windowFlags());
  }
  if (!impl_->initialised) impl_->Initialise();
  impl_->PlaceOnScreen();
  return window->exec();
}

bool Dialog::Create() {
  if (!impl_->Build()) return false;
  if (!impl_->initialised) impl_->Initialise();
  impl_->PlaceOnScreen();
  impl_->window->show();
  return true;
}

void Dialog::EndDialog(int result) {
  if (impl_->window) impl_->window->done(result);
}

NativeWindow* Dialog::Window() const { return ToNative(impl_->window.data()); }

NativeWindow* Dialog::GetDlgItem(int id) const {
  const auto found = impl_->items.find(id);
  return found != impl_->items.end() ? ToNative(found->second) : nullptr;
}

SystemMenu* Dialog::GetSystemMenu() const { return impl_->systemMenu.get(); }

bool Dialog::IsIconic() const { return impl_->window && impl_->window->isMinimized(); }

Size Dialog::ClientSize() const {
  if (!impl_->window) return {};
  return {impl_->window->width(), impl_->window->height()};
}

void Dialog::SetIcon(const Icon& icon) {
  if (impl_->window && !icon.IsNull()) impl_->window->setWindowIcon(icon.Native()->icon);
}

QDialog* DialogWidget(const Dialog& dialog) { return dialog.Internals().window.data(); }

QWidget* DefaultOwner() {
  Dialog* mainWindow = Application::MainWindowOfInstance();
  QWidget* owner = mainWindow != nullptr ? DialogWidget(*mainWindow) : nullptr;
  return owner != nullptr ? owner : QApplication::activeWindow();
}

DialogBaseUnits BaseUnitsOf(const Dialog& dialog) { return dialog.Internals().baseUnits; }

QMenu* SystemMenuWidget(const Dialog& dialog) {
  return dialog.Internals().systemMenu ? dialog.Internals().systemMenu->Menu() : nullptr;
}

// A centred dialog opens in the middle of the free area of its owner's
// screen (the primary screen without an owner), as Windows places it.
void Dialog::Impl::PlaceOnScreen() {
  if (!Has(dialogTemplate->style, DialogStyle::Centred) || window->isVisible()) return;
  const QWidget* owner = window->parentWidget();
  QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), screen->availableGeometry()).topLeft());
}

bool Dialog::Impl::Build() {
  if (dialogTemplate == nullptr) return false;
  if (systemMenu) return true;

  QWidget* parentWindow = parent != nullptr ? DialogWidget(*parent) : nullptr;
  window = new DialogWindow(owner, parentWindow);
  const uint32_t style = dialogTemplate->style;
  Qt::WindowFlags flags = (Has(style, DialogStyle::AppWindow) ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint;
  if (Has(style, DialogStyle::Caption)) flags |= Qt::WindowTitleHint;
  if (Has(style, DialogStyle::SystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (Has(style, DialogStyle::MinimizeBox)) flags |= Qt::WindowMinimizeButtonHint;
  window->setWindowFlags(flags);
  window->setWindowTitle(TemplateText(DialogTextContext(dialogTemplate->id), dialogTemplate->title));

  const QFont font = DialogFont(dialogTemplate->fontName, dialogTemplate->pointSize);
  window->setFont(font);
  baseUnits = BaseUnitsOf(font);
  window->setFixedSize(DialogUnitsToPixels({0, 0, dialogTemplate->width, dialogTemplate->height}, baseUnits).size());

  QWidget* previousTabStop = nullptr;
  for (const ControlTemplate& control : dialogTemplate->controls) {
    QWidget* item = CreateControl(control);
    if (!Has(control.style, ControlStyle::TabStop)) continue;
    if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, item);
    previousTabStop = item;
  }
  // Frames sit behind the controls they surround, whatever their place in
  // the tab order, and never take the mouse.
  for (QGroupBox* frame : window->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) frame->lower();

  systemMenu = std::make_unique<QtSystemMenu>(window, [this](int commandId) { SysCommand(commandId); });
  auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window);
  QObject::connect(menuKey, &QShortcut::activated, window,
                   [this] { systemMenu->Popup(window->mapToGlobal(QPoint(0, 0))); });
  return true;
}

QWidget* Dialog::Impl::CreateControl(const ControlTemplate& control) {
  const QString text = TemplateText(DialogTextContext(dialogTemplate->id), control.text);
  QWidget* item = nullptr;
  switch (control.kind) {
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, window);
      button->setDefault(Has(control.style, ControlStyle::DefaultButton));
      const int id = control.id;
      QObject::connect(button, &QPushButton::clicked, window, [this, id] { Command(id); });
      item = button;
      break;
    }
    case ControlKind::StaticText: {
      QLabel* label = nullptr;
      if (Has(control.style, ControlStyle::PathEllipsis)) {
        auto* elided = new ElidedLabel(window);
        elided->SetFullText(text);
        label = elided;
      } else {
        label = new QLabel(text, window);
      }
      label->setTextFormat(Qt::PlainText);  // paths may hold markup characters
      label->setWordWrap(Has(control.style, ControlStyle::LeftWordWrap));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setAttribute(Qt::WA_TransparentForMouseEvents);
      item = label;
      break;
    }
    case ControlKind::GroupBox: {
      auto* frame = new QGroupBox(text, window);
      // The title sits on the frame's top line, and the frame fills the
      // template rectangle, as the layout was drawn for.
      frame->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
          "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"));
      frame->setAttribute(Qt::WA_TransparentForMouseEvents);
      item = frame;
      break;
    }
    case ControlKind::EditField: {
      auto* edit = new QLineEdit(window);
      edit->setFrame(Has(control.style, ControlStyle::Border));
      const int id = control.id;
      QObject::connect(edit, &QLineEdit::textChanged, window, [this, id] { EditChange(id); });
      item = edit;
      break;
    }
    case ControlKind::ComboBox: {
      auto* list = new QComboBox(window);
      list->setEditable(!Has(control.style, ControlStyle::DropDownList));
      item = list;
      break;
    }
    case ControlKind::Icon: {
      auto* image = new QLabel(window);
      image->setPixmap(IconPixmap(control.iconId));
      image->setAttribute(Qt::WA_TransparentForMouseEvents);
      item = image;
      break;
    }
  }

  QRect geometry = DialogUnitsToPixels(control.rect, baseUnits);
  if (control.kind == ControlKind::Icon) geometry.setSize({kIconSize, kIconSize});
  // A drop-down list's template height includes the dropped list; closed, it
  // is as tall as its font needs.
  if (control.kind == ControlKind::ComboBox) geometry.setHeight(std::min(geometry.height(), item->sizeHint().height()));
  item->setGeometry(geometry);
  const bool focusable = control.kind == ControlKind::PushButton || control.kind == ControlKind::EditField ||
                         control.kind == ControlKind::ComboBox;
  if (focusable) item->setFocusPolicy(Has(control.style, ControlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  if (control.id != NoControlId) items[control.id] = item;
  return item;
}

void Dialog::Impl::Initialise() {
  initialised = true;
  if (owner.OnInitDialog()) {
    for (const ControlTemplate& control : dialogTemplate->controls) {
      QWidget* item = ToWidget(owner.GetDlgItem(control.id));
      if (item != nullptr && Has(control.style, ControlStyle::TabStop)) {
        item->setFocus();
        break;
      }
    }
  }
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnSysCommand(int commandId) {
  if (commandId == kCloseCommand && impl_->window) impl_->window->close();
}

void Dialog::OnPaint() { impl_->DefaultPaint(); }

}  // namespace kirabo

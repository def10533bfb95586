#include "framework/Dialog.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/ElidedLabel.h"
#include "framework/Resources.h"

namespace kirabo {

namespace {

// A control's window has an icon image's size, not its template rectangle.
constexpr int kIconSize = 32;

bool Has(uint32_t style, uint32_t flag) { return (style & flag) != 0; }

}  // namespace

Dialog::Dialog(int templateId, QWidget* parent) : QDialog(parent), template_(FindDialogTemplate(templateId)) {}

Dialog::~Dialog() = default;

int Dialog::DoModal() {
  if (!Build()) return -1;
  if (parentWidget() == nullptr) {
    // A dialog opened without a parent belongs to the main window, which
    // stays disabled while it is open.
    QWidget* owner = Application::Instance() != nullptr ? Application::Instance()->MainWindow() : nullptr;
    if (owner == nullptr) owner = QApplication::activeWindow();
    if (owner != nullptr && owner != this) setParent(owner, windowFlags());
  }
  if (!initialised_) Initialise();
  return exec();
}

bool Dialog::Create() {
  if (!Build()) return false;
  if (!initialised_) Initialise();
  show();
  return true;
}

void Dialog::EndDialog(int result) { done(result); }

void Dialog::UpdateData(bool saveAndValidate) {
  DataExchange exchange{*this, saveAndValidate};
  DoDataExchange(exchange);
}

QWidget* Dialog::GetDlgItem(int id) const {
  const auto found = items_.find(id);
  return found != items_.end() ? found->second : nullptr;
}

bool Dialog::Build() {
  if (template_ == nullptr) return false;
  if (systemMenu_) return true;

  const uint32_t style = template_->style;
  Qt::WindowFlags flags = (Has(style, DialogStyle::AppWindow) ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint;
  if (Has(style, DialogStyle::Caption)) flags |= Qt::WindowTitleHint;
  if (Has(style, DialogStyle::SystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  setWindowFlags(flags);
  setWindowTitle(QString::fromUtf8(template_->title.c_str()));

  const QFont font = DialogFont(template_->fontName, template_->pointSize);
  setFont(font);
  baseUnits_ = BaseUnitsOf(font);
  setFixedSize(DialogUnitsToPixels({0, 0, template_->width, template_->height}, baseUnits_).size());

  QWidget* previousTabStop = nullptr;
  for (const ControlTemplate& control : template_->controls) {
    QWidget* window = CreateControl(control);
    if (!Has(control.style, ControlStyle::TabStop)) continue;
    if (previousTabStop != nullptr) setTabOrder(previousTabStop, window);
    previousTabStop = window;
  }
  // Frames sit behind the controls they surround, whatever their place in
  // the tab order, and never take the mouse.
  for (QGroupBox* frame : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) frame->lower();

  systemMenu_ = std::make_unique<SystemMenu>(this, [this](int commandId) { OnSysCommand(commandId); });
  auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(menuKey, &QShortcut::activated, this, [this] { systemMenu_->Popup(mapToGlobal(QPoint(0, 0))); });
  return true;
}

QWidget* Dialog::CreateControl(const ControlTemplate& control) {
  const QString text = QString::fromUtf8(control.text.c_str());
  QWidget* window = nullptr;
  switch (control.kind) {
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, this);
      button->setDefault(Has(control.style, ControlStyle::DefaultButton));
      const int id = control.id;
      connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
      window = button;
      break;
    }
    case ControlKind::StaticText: {
      QLabel* label = nullptr;
      if (Has(control.style, ControlStyle::PathEllipsis)) {
        auto* elided = new ElidedLabel(this);
        elided->SetFullText(text);
        label = elided;
      } else {
        label = new QLabel(text, this);
      }
      label->setTextFormat(Qt::PlainText);  // paths may hold markup characters
      label->setWordWrap(Has(control.style, ControlStyle::LeftWordWrap));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setAttribute(Qt::WA_TransparentForMouseEvents);
      window = label;
      break;
    }
    case ControlKind::GroupBox: {
      auto* frame = new QGroupBox(text, this);
      // The title sits on the frame's top line, and the frame fills the
      // template rectangle, as the layout was drawn for.
      frame->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
          "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"));
      frame->setAttribute(Qt::WA_TransparentForMouseEvents);
      window = frame;
      break;
    }
    case ControlKind::EditField: {
      auto* edit = new QLineEdit(this);
      edit->setFrame(Has(control.style, ControlStyle::Border));
      window = edit;
      break;
    }
    case ControlKind::ComboBox: {
      auto* list = new QComboBox(this);
      list->setEditable(!Has(control.style, ControlStyle::DropDownList));
      ComboBox(list).SetSorted(Has(control.style, ControlStyle::Sort));
      window = list;
      break;
    }
    case ControlKind::Icon: {
      auto* image = new QLabel(this);
      image->setPixmap(LoadResourceIcon(control.iconId).pixmap(kIconSize, kIconSize));
      image->setAttribute(Qt::WA_TransparentForMouseEvents);
      window = image;
      break;
    }
  }

  QRect geometry = DialogUnitsToPixels(control.rect, baseUnits_);
  if (control.kind == ControlKind::Icon) geometry.setSize({kIconSize, kIconSize});
  // A drop-down list's template height includes the dropped list; closed, it
  // is as tall as its font needs.
  if (control.kind == ControlKind::ComboBox) geometry.setHeight(std::min(geometry.height(), window->sizeHint().height()));
  window->setGeometry(geometry);
  const bool focusable = control.kind == ControlKind::PushButton || control.kind == ControlKind::EditField ||
                         control.kind == ControlKind::ComboBox;
  if (focusable) window->setFocusPolicy(Has(control.style, ControlStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  if (control.id != NoControlId) items_[control.id] = window;
  return window;
}

void Dialog::Initialise() {
  initialised_ = true;
  if (OnInitDialog()) {
    for (const ControlTemplate& control : template_->controls) {
      QWidget* window = GetDlgItem(control.id);
      if (window != nullptr && Has(control.style, ControlStyle::TabStop)) {
        window->setFocus();
        break;
      }
    }
  }
}

bool Dialog::OnInitDialog() {
  for (const ControlTemplate& control : template_->controls) {
    if (control.items.empty()) continue;
    ComboBox list(GetDlgItem(control.id));
    for (const std::string& item : control.items) list.AddString(item);
  }
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnCommand(int id) {
  if (id == IDOK)
    OnOK();
  else if (id == IDCANCEL)
    OnCancel();
}

void Dialog::OnSysCommand(int commandId) {
  if (commandId == kCloseCommand) close();
}

void Dialog::OnPaint(QPaintEvent* event) { QDialog::paintEvent(event); }

void Dialog::accept() { OnOK(); }

void Dialog::reject() { OnCancel(); }

void Dialog::paintEvent(QPaintEvent* event) { OnPaint(event); }

void Dialog::contextMenuEvent(QContextMenuEvent* event) {
  if (childAt(event->pos()) != nullptr) return;
  systemMenu_->Popup(event->globalPos());
}

}  // namespace kirabo

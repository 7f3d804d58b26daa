#include "platform/headless/headless_ui.h"

#include <algorithm>

namespace lumi::platform::headless {
namespace {

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
    case ControlKind::Edit:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::ComboBox:
    case ControlKind::Memo:
    case ControlKind::DatePicker: return true;
    default: return false;
  }
}

// The Windows virtual key of the key that types the character on a US keyboard; 0 for
// characters without a key of their own there.
int32_t VirtualKeyOf(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  switch (c) {
    case ' ': return 0x20;
    case '\r':
    case '\n': return 0x0D;
    case '\b': return 0x08;
    case '\t': return 0x09;
    case ',': return 0xBC;
    case '-': return 0xBD;
    case '.': return 0xBE;
    default: return 0;
  }
}

}  // namespace

HeadlessUi::~HeadlessUi() {
  // Controls that outlive the window system keep their state but report nothing more.
  for (HeadlessControl* c : controls_) c->ui_ = nullptr;
}

std::unique_ptr<Control> HeadlessUi::Create(ControlKind kind, Control* parent, ControlEvents* events) {
  return std::make_unique<HeadlessControl>(this, kind, Mirror(parent), events);
}

void HeadlessUi::MessageBox(const std::string& text, const std::string& caption) {
  messages_.push_back({text, caption});
}

void HeadlessUi::ShowTrayIcon(const Picture& icon, const std::string& tip, TrayEvents* events) {
  if (!has_tray_ || events == nullptr) return;
  tray_icon_ = icon;
  tray_tip_ = tip;
  tray_events_ = events;
}

void HeadlessUi::HideTrayIcon() {
  tray_events_ = nullptr;
  tray_icon_ = {};
  tray_tip_.clear();
}

int32_t HeadlessUi::PopupMenu(const std::vector<MenuItem>& items) {
  menus_.push_back(items);
  if (menu_answers_.empty()) return -1;
  const int32_t answer = menu_answers_.front();
  menu_answers_.pop_front();
  if (answer < 0 || answer >= static_cast<int32_t>(items.size())) return -1;
  if (items[static_cast<size_t>(answer)].separator) return -1;
  return answer;
}

// ---- Registry ----------------------------------------------------------------------

void HeadlessUi::Register(HeadlessControl* control) { controls_.push_back(control); }

void HeadlessUi::Unregister(HeadlessControl* control) {
  std::erase(controls_, control);
  // Children destroyed after their parent must not reach it any more.
  for (HeadlessControl* c : controls_) {
    if (c->parent_ == control) c->parent_ = nullptr;
  }
  if (active_form_ == control) active_form_ = nullptr;
  if (focused_ == control) focused_ = nullptr;
  if (pressed_ == control) pressed_ = nullptr;
}

bool HeadlessUi::Alive(const HeadlessControl* control) const {
  return control != nullptr && std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

HeadlessControl* HeadlessUi::Mirror(const Control* control) const {
  for (HeadlessControl* c : controls_) {
    if (c == control) return c;
  }
  return nullptr;
}

std::vector<HeadlessControl*> HeadlessUi::FindAll(ControlKind kind) const {
  std::vector<HeadlessControl*> found;
  for (HeadlessControl* c : controls_) {
    if (c->kind_ == kind) found.push_back(c);
  }
  return found;
}

std::vector<HeadlessControl*> HeadlessUi::ChildrenOf(const Control* parent) const {
  std::vector<HeadlessControl*> found;
  for (HeadlessControl* c : controls_) {
    if (c->parent_ != nullptr && c->parent_ == parent) found.push_back(c);
  }
  return found;
}

HeadlessControl* HeadlessUi::FindByText(const std::string& text) const {
  for (HeadlessControl* c : controls_) {
    if (c->state_.text == text) return c;
  }
  return nullptr;
}

HeadlessControl* HeadlessUi::FindByHint(const std::string& hint) const {
  for (HeadlessControl* c : controls_) {
    if (c->state_.hint == hint) return c;
  }
  return nullptr;
}

void HeadlessUi::MakeActive(HeadlessControl* form) { active_form_ = form; }

void HeadlessUi::Blur(HeadlessControl* control) {
  if (active_form_ == control) active_form_ = nullptr;
}

// ---- The user ----------------------------------------------------------------------

HeadlessControl* HeadlessUi::Usable(Control* control) const {
  HeadlessControl* c = Mirror(control);
  return c != nullptr && c->IsUsable() ? c : nullptr;
}

HeadlessControl* HeadlessUi::UsableOfKind(Control* control, ControlKind kind) const {
  HeadlessControl* c = Usable(control);
  return c != nullptr && c->kind_ == kind ? c : nullptr;
}

void HeadlessUi::MoveFocus(HeadlessControl* control) {
  if (control == focused_ || !TakesFocus(control->kind_)) return;
  HeadlessControl* old = focused_;
  focused_ = control;
  if (Alive(old) && old->events_ != nullptr) old->events_->FocusOut();
  if (Alive(control) && focused_ == control && control->events_ != nullptr) control->events_->FocusIn();
}

bool HeadlessUi::Focus(Control* control) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr || !TakesFocus(c->kind_)) return false;
  MoveFocus(c);
  return true;
}

bool HeadlessUi::PressMouse(Control* control, MouseButton button, Point at) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr) return false;
  MoveFocus(c);
  if (!Alive(c)) return true;
  if (button == MouseButton::Left) pressed_ = c;
  if (c->events_ != nullptr) c->events_->MouseDown(button, at);
  return true;
}

bool HeadlessUi::ReleaseMouse(Control* control, MouseButton button, Point at) {
  HeadlessControl* c = Mirror(control);
  if (c == nullptr) return false;
  const bool captured = button == MouseButton::Left && pressed_ == c;
  if (button == MouseButton::Left) pressed_ = nullptr;
  // The press captured the pointer: its release comes back even when the control was
  // disabled in between.
  if (!captured && !c->IsUsable()) return false;
  if (c->events_ != nullptr) c->events_->MouseUp(button, at);
  if (captured && Alive(c) && c->IsUsable() && c->Contains(at)) ReportClick(c);
  return true;
}

void HeadlessUi::ReportClick(HeadlessControl* c) {
  switch (c->kind_) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
      if (c->events_ != nullptr) c->events_->Clicked();
      break;
    case ControlKind::CheckBox:
      c->state_.checked = !c->state_.checked;
      if (c->events_ != nullptr) c->events_->CheckChanged(c->state_.checked);
      break;
    case ControlKind::RadioButton:
      // Only this button: whether its siblings go off is the element's business.
      c->state_.checked = true;
      if (c->events_ != nullptr) c->events_->RadioSelected();
      break;
    default: break;
  }
}

bool HeadlessUi::MoveMouse(Control* control, Point at, int32_t held) {
  HeadlessControl* c = Mirror(control);
  if (c == nullptr || (pressed_ != c && !c->IsUsable())) return false;
  if (c->events_ != nullptr) c->events_->MouseMove(held, at);
  return true;
}

bool HeadlessUi::TurnWheel(Control* control, int32_t delta) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr) return false;
  if (c->events_ != nullptr) c->events_->Wheel(delta);
  return true;
}

bool HeadlessUi::LeaveMouse(Control* control) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr) return false;
  if (c->events_ != nullptr) c->events_->MouseLeave();
  return true;
}

bool HeadlessUi::Click(Control* control) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr) return false;
  const Point middle{c->state_.geometry.width / 2, c->state_.geometry.height / 2};
  PressMouse(c, MouseButton::Left, middle);
  if (Alive(c)) ReleaseMouse(c, MouseButton::Left, middle);
  return true;
}

bool HeadlessUi::ToggleCheck(Control* check_box) {
  HeadlessControl* c = UsableOfKind(check_box, ControlKind::CheckBox);
  return c != nullptr && Click(c);
}

bool HeadlessUi::SelectRadio(Control* radio) {
  HeadlessControl* c = UsableOfKind(radio, ControlKind::RadioButton);
  return c != nullptr && Click(c);
}

bool HeadlessUi::PressKey(Control* control, int32_t virtual_key) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr) return false;
  MoveFocus(c);
  if (Alive(c) && c->events_ != nullptr) c->events_->KeyDown(virtual_key);
  if (Alive(c) && c->events_ != nullptr) c->events_->KeyUp(virtual_key);
  return true;
}

bool HeadlessUi::Type(Control* control, const std::string& text) {
  HeadlessControl* c = Usable(control);
  if (c == nullptr) return false;
  MoveFocus(c);
  for (char ch : text) {
    if (!Alive(c)) break;
    const int32_t key = VirtualKeyOf(ch);
    if (c->events_ != nullptr) c->events_->KeyDown(key);
    if (!Alive(c)) break;
    if (c->events_ != nullptr) c->events_->Char(std::string(1, ch));
    if (!Alive(c)) break;
    if (c->kind_ == ControlKind::Edit) {
      std::string& value = c->state_.text;
      bool changed = false;
      if (ch == '\b') {
        changed = !value.empty();
        if (changed) value.pop_back();
      } else if (ch != '\r' && ch != '\n' && ch != '\t') {
        value.push_back(ch);
        changed = true;
      }
      if (changed && c->events_ != nullptr) c->events_->TextChanged(value);
      if (!Alive(c)) break;
    }
    if (c->events_ != nullptr) c->events_->KeyUp(key);
  }
  return true;
}

bool HeadlessUi::PickItem(Control* combo, int32_t index) {
  HeadlessControl* c = UsableOfKind(combo, ControlKind::ComboBox);
  if (c == nullptr || index < 0 || index >= static_cast<int32_t>(c->state_.items.size())) return false;
  MoveFocus(c);
  if (!Alive(c)) return true;
  c->state_.selection = index;
  if (c->events_ != nullptr) c->events_->SelectionChanged(index);
  return true;
}

bool HeadlessUi::OpenList(Control* combo) {
  HeadlessControl* c = UsableOfKind(combo, ControlKind::ComboBox);
  if (c == nullptr) return false;
  MoveFocus(c);
  if (Alive(c) && c->events_ != nullptr) c->events_->DropDown();
  return true;
}

bool HeadlessUi::ChangeDate(Control* picker, const CalendarTime& value) {
  HeadlessControl* c = UsableOfKind(picker, ControlKind::DatePicker);
  if (c == nullptr) return false;
  MoveFocus(c);
  if (!Alive(c)) return true;
  c->state_.date_time = value;
  if (c->events_ != nullptr) c->events_->DateTimeChanged(value);
  return true;
}

bool HeadlessUi::RequestClose(Control* form) {
  HeadlessControl* c = Mirror(form);
  if (c == nullptr || c->kind_ != ControlKind::Form || !c->state_.visible) return false;
  if (c->events_ != nullptr) c->events_->CloseRequested();
  return true;
}

bool HeadlessUi::Minimize(Control* form) {
  HeadlessControl* c = Mirror(form);
  if (c == nullptr || c->kind_ != ControlKind::Form || !c->state_.visible) return false;
  if (c->events_ != nullptr) c->events_->MinimizeRequested();
  return true;
}

bool HeadlessUi::Activate(Control* form) {
  HeadlessControl* c = Mirror(form);
  if (c == nullptr || c->kind_ != ControlKind::Form || !c->state_.visible) return false;
  c->state_.minimized = false;
  if (active_form_ == c) return true;
  HeadlessControl* old = active_form_;
  active_form_ = c;
  if (Alive(old) && old->events_ != nullptr) old->events_->Activated(false);
  if (Alive(c) && active_form_ == c && c->events_ != nullptr) c->events_->Activated(true);
  return true;
}

bool HeadlessUi::TrayMessage(TrayMouse message) {
  if (tray_events_ == nullptr) return false;
  tray_events_->TrayMouseMessage(message);
  return true;
}

bool HeadlessUi::ClickTray(MouseButton button) {
  if (tray_events_ == nullptr || button == MouseButton::Middle) return false;
  const bool left = button == MouseButton::Left;
  TrayMessage(left ? TrayMouse::LeftDown : TrayMouse::RightDown);
  // The icon may be gone after the press; nothing more comes from it then.
  TrayMessage(left ? TrayMouse::LeftUp : TrayMouse::RightUp);
  return true;
}

bool HeadlessUi::DoubleClickTray(MouseButton button) {
  if (tray_events_ == nullptr || button == MouseButton::Middle) return false;
  const bool left = button == MouseButton::Left;
  TrayMessage(left ? TrayMouse::LeftDown : TrayMouse::RightDown);
  TrayMessage(left ? TrayMouse::LeftUp : TrayMouse::RightUp);
  TrayMessage(left ? TrayMouse::LeftDouble : TrayMouse::RightDouble);
  TrayMessage(left ? TrayMouse::LeftUp : TrayMouse::RightUp);
  return true;
}

}  // namespace lumi::platform::headless

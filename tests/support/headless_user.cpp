#include "tests/support/headless_user.h"

namespace lumi::test {

using platform::Control;
using platform::ControlKind;
using platform::MouseButton;
using platform::Point;
using platform::TrayMouse;
using platform::headless::HeadlessControl;

namespace {

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

HeadlessControl* HeadlessUser::UsableOfKind(Control* control, ControlKind kind) const {
  HeadlessControl* c = ui_.Usable(control);
  return c != nullptr && c->Kind() == kind ? c : nullptr;
}

bool HeadlessUser::Focus(Control* control) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  ui_.MoveFocus(c);
  return ui_.Focused() == c;
}

bool HeadlessUser::PressMouse(Control* control, MouseButton button, Point at) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  ui_.MoveFocus(c);
  if (!ui_.Alive(c)) return true;
  if (button == MouseButton::Left) ui_.Capture(c);
  if (c->Events() != nullptr) c->Events()->MouseDown(button, at);
  return true;
}

bool HeadlessUser::ReleaseMouse(Control* control, MouseButton button, Point at) {
  HeadlessControl* c = ui_.Mirror(control);
  if (c == nullptr) return false;
  const bool captured = button == MouseButton::Left && ui_.Captured() == c;
  if (button == MouseButton::Left) ui_.Capture(nullptr);
  // The press captured the pointer: its release comes back even when the control was
  // disabled in between.
  if (!captured && !c->IsUsable()) return false;
  if (c->Events() != nullptr) c->Events()->MouseUp(button, at);
  if (captured && ui_.Alive(c) && c->IsUsable() && c->Contains(at)) ReportClick(c);
  return true;
}

void HeadlessUser::ReportClick(HeadlessControl* c) {
  switch (c->Kind()) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
      if (c->Events() != nullptr) c->Events()->Clicked();
      break;
    case ControlKind::CheckBox:
      c->UserState().checked = !c->UserState().checked;
      if (c->Events() != nullptr) c->Events()->CheckChanged(c->UserState().checked);
      break;
    case ControlKind::RadioButton:
      // Only this button: whether its siblings go off is the element's business.
      c->UserState().checked = true;
      if (c->Events() != nullptr) c->Events()->RadioSelected();
      break;
    default: break;
  }
}

bool HeadlessUser::MoveMouse(Control* control, Point at, int32_t held) {
  HeadlessControl* c = ui_.Mirror(control);
  if (c == nullptr || (ui_.Captured() != c && !c->IsUsable())) return false;
  if (c->Events() != nullptr) c->Events()->MouseMove(held, at);
  return true;
}

bool HeadlessUser::TurnWheel(Control* control, int32_t delta) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  if (c->Events() != nullptr) c->Events()->Wheel(delta);
  return true;
}

bool HeadlessUser::LeaveMouse(Control* control) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  if (c->Events() != nullptr) c->Events()->MouseLeave();
  return true;
}

bool HeadlessUser::Click(Control* control) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  const Point middle{c->UserState().geometry.width / 2, c->UserState().geometry.height / 2};
  PressMouse(c, MouseButton::Left, middle);
  if (ui_.Alive(c)) ReleaseMouse(c, MouseButton::Left, middle);
  return true;
}

bool HeadlessUser::ToggleCheck(Control* check_box) {
  HeadlessControl* c = UsableOfKind(check_box, ControlKind::CheckBox);
  return c != nullptr && Click(c);
}

bool HeadlessUser::SelectRadio(Control* radio) {
  HeadlessControl* c = UsableOfKind(radio, ControlKind::RadioButton);
  return c != nullptr && Click(c);
}

bool HeadlessUser::PressKey(Control* control, int32_t virtual_key) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  ui_.MoveFocus(c);
  if (ui_.Alive(c) && c->Events() != nullptr) c->Events()->KeyDown(virtual_key);
  if (ui_.Alive(c) && c->Events() != nullptr) c->Events()->KeyUp(virtual_key);
  return true;
}

bool HeadlessUser::Type(Control* control, const std::string& text) {
  HeadlessControl* c = ui_.Usable(control);
  if (c == nullptr) return false;
  ui_.MoveFocus(c);
  for (char ch : text) {
    if (!ui_.Alive(c)) break;
    const int32_t key = VirtualKeyOf(ch);
    if (c->Events() != nullptr) c->Events()->KeyDown(key);
    if (!ui_.Alive(c)) break;
    if (c->Events() != nullptr) c->Events()->Char(std::string(1, ch));
    if (!ui_.Alive(c)) break;
    if (c->Kind() == ControlKind::Edit) {
      std::string& value = c->UserState().text;
      bool changed = false;
      if (ch == '\b') {
        changed = !value.empty();
        if (changed) value.pop_back();
      } else if (ch != '\r' && ch != '\n' && ch != '\t') {
        value.push_back(ch);
        changed = true;
      }
      if (changed && c->Events() != nullptr) c->Events()->TextChanged(value);
      if (!ui_.Alive(c)) break;
    }
    if (c->Events() != nullptr) c->Events()->KeyUp(key);
  }
  return true;
}

bool HeadlessUser::PickItem(Control* combo, int32_t index) {
  HeadlessControl* c = UsableOfKind(combo, ControlKind::ComboBox);
  if (c == nullptr || index < 0 || index >= static_cast<int32_t>(c->UserState().items.size())) return false;
  ui_.MoveFocus(c);
  if (!ui_.Alive(c)) return true;
  c->UserState().selection = index;
  if (c->Events() != nullptr) c->Events()->SelectionChanged(index);
  return true;
}

bool HeadlessUser::OpenList(Control* combo) {
  HeadlessControl* c = UsableOfKind(combo, ControlKind::ComboBox);
  if (c == nullptr) return false;
  ui_.MoveFocus(c);
  if (ui_.Alive(c) && c->Events() != nullptr) c->Events()->DropDown();
  return true;
}

bool HeadlessUser::ChangeDate(Control* picker, const CalendarTime& value) {
  HeadlessControl* c = UsableOfKind(picker, ControlKind::DatePicker);
  if (c == nullptr) return false;
  ui_.MoveFocus(c);
  if (!ui_.Alive(c)) return true;
  c->UserState().date_time = value;
  if (c->Events() != nullptr) c->Events()->DateTimeChanged(value);
  return true;
}

bool HeadlessUser::RequestClose(Control* form) {
  HeadlessControl* c = ui_.Mirror(form);
  if (c == nullptr || c->Kind() != ControlKind::Form || !c->UserState().visible) return false;
  if (c->Events() != nullptr) c->Events()->CloseRequested();
  return true;
}

bool HeadlessUser::Minimize(Control* form) {
  HeadlessControl* c = ui_.Mirror(form);
  if (c == nullptr || c->Kind() != ControlKind::Form || !c->UserState().visible) return false;
  if (c->Events() != nullptr) c->Events()->MinimizeRequested();
  return true;
}

bool HeadlessUser::Activate(Control* form) {
  HeadlessControl* c = ui_.Mirror(form);
  if (c == nullptr || c->Kind() != ControlKind::Form || !c->UserState().visible) return false;
  c->UserState().minimized = false;
  ui_.ActivateForm(c);
  return true;
}

bool HeadlessUser::TrayMessage(TrayMouse message) {
  if (ui_.TrayListener() == nullptr) return false;
  ui_.TrayListener()->TrayMouseMessage(message);
  return true;
}

bool HeadlessUser::ClickTray(MouseButton button) {
  if (ui_.TrayListener() == nullptr || button == MouseButton::Middle) return false;
  const bool left = button == MouseButton::Left;
  TrayMessage(left ? TrayMouse::LeftDown : TrayMouse::RightDown);
  // The icon may be gone after the press; nothing more comes from it then.
  TrayMessage(left ? TrayMouse::LeftUp : TrayMouse::RightUp);
  return true;
}

bool HeadlessUser::DoubleClickTray(MouseButton button) {
  if (ui_.TrayListener() == nullptr || button == MouseButton::Middle) return false;
  const bool left = button == MouseButton::Left;
  TrayMessage(left ? TrayMouse::LeftDown : TrayMouse::RightDown);
  TrayMessage(left ? TrayMouse::LeftUp : TrayMouse::RightUp);
  TrayMessage(left ? TrayMouse::LeftDouble : TrayMouse::RightDouble);
  TrayMessage(left ? TrayMouse::LeftUp : TrayMouse::RightUp);
  return true;
}

}  // namespace lumi::test

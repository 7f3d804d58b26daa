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

// ---- For a driver ----------------------------------------------------------------

HeadlessControl* HeadlessUi::Usable(Control* control) const {
  HeadlessControl* c = Mirror(control);
  return c != nullptr && c->IsUsable() ? c : nullptr;
}

void HeadlessUi::MoveFocus(HeadlessControl* control) {
  if (control == focused_ || !TakesFocus(control->kind_)) return;
  HeadlessControl* old = focused_;
  focused_ = control;
  if (Alive(old) && old->events_ != nullptr) old->events_->FocusOut();
  if (Alive(control) && focused_ == control && control->events_ != nullptr) control->events_->FocusIn();
}

void HeadlessUi::ActivateForm(HeadlessControl* form) {
  if (active_form_ == form) return;
  HeadlessControl* old = active_form_;
  active_form_ = form;
  if (Alive(old) && old->events_ != nullptr) old->events_->Activated(false);
  if (Alive(form) && active_form_ == form && form->events_ != nullptr) form->events_->Activated(true);
}

}  // namespace lumi::platform::headless

#include "platform/headless/headless_control.h"

#include "platform/headless/headless_ui.h"

namespace lumi::platform::headless {

HeadlessControl::HeadlessControl(HeadlessUi* ui, ControlKind kind, HeadlessControl* parent,
                                 ControlEvents* events)
    : ui_(ui), kind_(kind), parent_(parent), events_(events) {
  if (ui_ != nullptr) ui_->Register(this);
}

HeadlessControl::~HeadlessControl() {
  if (ui_ != nullptr) ui_->Unregister(this);
}

void HeadlessControl::SetVisible(bool visible) {
  const bool was = state_.visible;
  state_.visible = visible;
  if (ui_ == nullptr || kind_ != ControlKind::Form || was == visible) return;
  if (visible) {
    // A window that appears comes to the front; toolkits send the show notice from
    // within the show call itself.
    ui_->MakeActive(this);
    if (events_ != nullptr) events_->Shown();
  } else {
    ui_->Blur(this);
  }
}

void HeadlessControl::Repaint() {
  ++state_.repaint_count;
  PaintNow();
}

void HeadlessControl::PaintNow() {
  if (kind_ != ControlKind::Canvas && kind_ != ControlKind::PictureButton) return;
  painter_.Clear();
  ++state_.paint_count;
  if (events_ != nullptr) events_->Paint(painter_);
}

void HeadlessControl::SetItems(const std::vector<std::string>& items) {
  state_.items = items;
  if (state_.selection >= static_cast<int32_t>(items.size())) state_.selection = -1;
}

void HeadlessControl::SetSelection(int32_t index) {
  // A list cannot select what it does not hold.
  state_.selection = index >= 0 && index < static_cast<int32_t>(state_.items.size()) ? index : -1;
}

void HeadlessControl::SetClientSize(Size size) {
  state_.geometry.width = size.width;
  state_.geometry.height = size.height;
}

void HeadlessControl::Activate() {
  ++state_.activate_count;
  state_.minimized = false;
  if (ui_ != nullptr && kind_ == ControlKind::Form && state_.visible) ui_->MakeActive(this);
}

bool HeadlessControl::IsShowing() const {
  for (const HeadlessControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->state_.visible) return false;
    if (c->kind_ == ControlKind::Form) break;  // an owner form is not a container
  }
  return true;
}

bool HeadlessControl::IsUsable() const {
  if (!IsShowing()) return false;
  for (const HeadlessControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->state_.enabled) return false;
    if (c->kind_ == ControlKind::Form) break;
  }
  return true;
}

bool HeadlessControl::Contains(Point p) const {
  return p.x >= 0 && p.y >= 0 && p.x < state_.geometry.width && p.y < state_.geometry.height;
}

}  // namespace lumi::platform::headless

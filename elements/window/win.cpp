#include "elements/window/win.h"

#include <algorithm>

#include "platform/services.h"

namespace lumi {

TElWin::TElWin(platform::ControlKind kind, TElWin* parent) : kind_(kind), parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

TElWin::~TElWin() {
  // Toolkits may report a focus loss while a control goes away; by now the links of
  // this element may point at elements already destroyed.
  destroying_ = true;
  control_.reset();
  if (parent_ != nullptr) std::erase(parent_->children_, this);
  for (TElWin* child : children_) child->parent_ = nullptr;
}

const platform::FontSpec& TElWin::ShownFont() const {
  if (ParentFont && parent_ != nullptr) return parent_->ShownFont();
  return Font;
}

void TElWin::Init() {
  if (control_) return;
  CreateControl();
  ApplyCommon();
  Show(Visible);
  ApplyOwn();
}

void TElWin::CreateControl() {
  if (control_) return;
  platform::Control* parent = parent_ != nullptr ? parent_->control_.get() : nullptr;
  control_ = platform::Current().ui->Create(kind_, parent, this);
}

void TElWin::ApplyCommon() {
  if (!control_) return;
  control_->SetColor(Color);
  control_->SetGeometry({Left, Top, Width, Height});
  control_->SetEnabled(Enabled);
  control_->SetFont(ShownFont());
  control_->SetTabOrder(TabOrder > 0 ? TabOrder : 0);
  control_->SetHint(Hint);
  control_->RaiseToTop();
  control_->SetVisible(false);
}

void TElWin::Show(bool visible) {
  if (control_) control_->SetVisible(visible);
}

void TElWin::SetEnabled(TData& data, uint16_t) {
  Enabled = data.IsTrue();
  if (control_) control_->SetEnabled(Enabled);
}

void TElWin::SetVisible(TData& data, uint16_t) {
  Visible = data.IsTrue();
  Show(Visible);
}

void TElWin::SetWidth(TData& data, uint16_t) {
  Width = data.AsInteger();
  if (!control_) return;
  platform::Rect place = control_->Geometry();
  place.width = Width;
  control_->SetGeometry(place);
}

void TElWin::SetHeight(TData& data, uint16_t) {
  Height = data.AsInteger();
  if (!control_) return;
  platform::Rect place = control_->Geometry();
  place.height = Height;
  control_->SetGeometry(place);
}

void TElWin::SetHint(TData& data, uint16_t) {
  Hint = data.AsString();
  if (control_ != nullptr) control_->SetHint(Hint);
}

void TElWin::KeyDown(int32_t virtual_key) {
  if (destroying_) return;
  FireInteger(OnKeyDown, virtual_key);
  if (kind_ == platform::ControlKind::Form) return;
  TElWin* form = parent_;
  while (form != nullptr && form->kind_ != platform::ControlKind::Form) form = form->parent_;
  if (form != nullptr) form->PreviewKeyDown(virtual_key);
}

void TElWin::KeyUp(int32_t virtual_key) {
  if (!destroying_) FireInteger(OnKeyUp, virtual_key);
}

void TElWin::Char(const std::string& one_character) {
  if (!destroying_) FireString(OnChar, one_character);
}

void TElWin::MouseDown(platform::MouseButton button, platform::Point) {
  if (!destroying_) FireInteger(OnMouseDown, static_cast<int32_t>(button));
}

void TElWin::MouseMove(int32_t held, platform::Point) {
  if (!destroying_) FireInteger(OnMouseMove, held);
}

void TElWin::MouseUp(platform::MouseButton button, platform::Point) {
  if (!destroying_) FireInteger(OnMouseUp, static_cast<int32_t>(button));
}

void TElWin::Wheel(int32_t delta) {
  if (!destroying_) FireInteger(OnMouseWheel, delta);
}

void TElWin::FocusIn() {
  if (!destroying_) FireNull(OnEnter);
}

void TElWin::FocusOut() {
  if (!destroying_) FireNull(OnExit);
}

}  // namespace lumi

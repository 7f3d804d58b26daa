#include "elements/window/radio_button.h"

namespace lumi {

void TElRadioButton::ApplyOwn() {
  if (PlatformControl() == nullptr) return;
  PlatformControl()->SetText(Caption);
  PlatformControl()->SetChecked(Checked);
}

void TElRadioButton::SetCheck(bool checked) {
  Checked = checked;
  if (PlatformControl() != nullptr) PlatformControl()->SetChecked(checked);
}

void TElRadioButton::TakeCheck() {
  SetCheck(true);
  if (Parent() == nullptr) return;
  for (TElWin* sibling : Parent()->Children()) {
    auto* radio = dynamic_cast<TElRadioButton*>(sibling);
    if (radio != nullptr && radio != this) radio->SetCheck(false);
  }
}

void TElRadioButton::Select(TData& data, uint16_t) {
  if (!data.IsTrue()) {
    SetCheck(false);
    return;
  }
  TakeCheck();
  TailNull(data, OnSelect);
}

void TElRadioButton::RadioSelected() {
  if (Destroying()) return;
  TakeCheck();
  FireNull(OnSelect);
}

}  // namespace lumi

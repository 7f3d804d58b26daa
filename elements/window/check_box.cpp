#include "elements/window/check_box.h"

namespace lumi {

void TElCheckBox::ApplyOwn() {
  if (PlatformControl() == nullptr) return;
  PlatformControl()->SetText(Caption);
  PlatformControl()->SetChecked(Checked);
}

void TElCheckBox::Check(TData& data, uint16_t) {
  Checked = data.IsTrue();
  if (PlatformControl() != nullptr) PlatformControl()->SetChecked(Checked);
  TailInteger(data, OnCheck, Checked ? 1 : 0);
}

void TElCheckBox::CheckChanged(bool checked) {
  if (Destroying()) return;
  Checked = checked;
  FireInteger(OnCheck, Checked ? 1 : 0);
  FireInteger(OnClick, Checked ? 1 : 0);
}

}  // namespace lumi

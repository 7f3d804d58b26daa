#include "elements/window/button.h"

namespace lumi {

void TElButton::ApplyOwn() {
  if (PlatformControl() != nullptr) PlatformControl()->SetText(Caption);
}

void TElButton::Clicked() {
  if (!Destroying()) FireNull(OnClick);
}

}  // namespace lumi

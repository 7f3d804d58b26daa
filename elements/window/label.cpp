#include "elements/window/label.h"

namespace lumi {

void TElLabel::ApplyOwn() {
  if (PlatformControl() != nullptr) PlatformControl()->SetText(Caption);
}

void TElLabel::SetText(TData& data, uint16_t) {
  Caption = PullString(data, InText, Text());
  ApplyOwn();
}

}  // namespace lumi

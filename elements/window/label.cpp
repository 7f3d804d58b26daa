#include "elements/window/label.h"

namespace lumi {

void TElLabel::ApplyOwn() {
  if (PlatformControl() != nullptr) PlatformControl()->SetText(Caption);
}

void TElLabel::SetText(TData& data, uint16_t) {
  Text text = PullString(data, InText, Text());
  // The work cycle sets every row's text on every frame, mostly to what it already
  // shows; laying the same text out again is most of what an idle window would cost.
  if (text == Caption && PlatformControl() != nullptr) return;
  Caption = std::move(text);
  ApplyOwn();
}

}  // namespace lumi

#include "elements/window/edit.h"

namespace lumi {

void TElEdit::ApplyOwn() {
  if (PlatformControl() != nullptr) PlatformControl()->SetText(Text);
}

void TElEdit::SetText(TData& data, uint16_t) {
  Text = PullString(data, InText, lumi::Text());
  ApplyOwn();
}

void TElEdit::OutText(TData& result, uint16_t) { result.SetString(Text); }

void TElEdit::TextChanged(const std::string& text) { Text = text; }

}  // namespace lumi

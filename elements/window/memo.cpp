#include "elements/window/memo.h"

namespace lumi {

void TElMemo::ApplyOwn() {
  std::vector<lumi::Text> given = SplitLines(Text);
  items_.insert(items_.begin(), given.begin(), given.end());
  if (PlatformControl() != nullptr) PlatformControl()->SetScrollBars(ScrollBars);
  ShowItems();
}

void TElMemo::ShowItems() {
  // Before Init, Text still holds the given lines that Init takes over.
  if (PlatformControl() == nullptr) return;
  Text.clear();
  for (size_t i = 0; i < items_.size(); ++i) {
    if (i > 0) Text += "\r\n";
    Text += items_[i];
  }
  PlatformControl()->SetText(Text);
}

}  // namespace lumi

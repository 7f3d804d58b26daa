#pragma once

#include <cstdint>

#include "elements/window/win_list.h"

namespace lumi {

// Multi-line, read-only text with scroll bars; its lines are the list's items.
class TElMemo : public TElWinList {
 public:
  explicit TElMemo(TElWin* parent) : TElWinList(platform::ControlKind::Memo, parent) {}

  lumi::Text Text;         // lines separated by CR LF
  int32_t ScrollBars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both

 protected:
  void ApplyOwn() override;
  void ShowItems() override;
};

}  // namespace lumi

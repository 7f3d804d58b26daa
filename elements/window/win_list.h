#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "elements/window/win.h"

namespace lumi {

// The base of the list controls: the element keeps the items, the control only
// shows them.
class TElWinList : public TElWin {
 public:
  TEl_Event InItem;

  // Adds the text read from InItem (the incoming value when unlinked) as an item.
  void Add(TData& data, uint16_t index);

  const std::vector<Text>& Items() const { return items_; }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }

  // Lines end at CR LF, or at a lone CR or LF as Windows string lists take them; a
  // line break at the end closes the last line instead of starting an empty one.
  static std::vector<Text> SplitLines(std::string_view text);
  // Windows-1251 texts compared as Windows lists compare them, Latin and Cyrillic
  // letters without regard to case.
  static bool SameText(std::string_view a, std::string_view b);
  static bool StartsWithText(std::string_view text, std::string_view prefix);

 protected:
  using TElWin::TElWin;

  // Shows items_ on the control (nothing before Init).
  virtual void ShowItems() = 0;

  std::vector<Text> items_;
};

}  // namespace lumi

#pragma once

#include "elements/window/win.h"

namespace lumi {

// Single-line edit. Text follows what the user types.
class TElEdit : public TElWin {
 public:
  explicit TElEdit(TElWin* parent) : TElWin(platform::ControlKind::Edit, parent) {}

  lumi::Text Text;
  TEl_Event InText;

  // The text read from InText (the incoming value when unlinked) becomes the edit's.
  void SetText(TData& data, uint16_t index);
  // What the field shows now, typed or set.
  void OutText(TData& result, uint16_t index);

 protected:
  void ApplyOwn() override;
  void TextChanged(const std::string& text) override;
};

}  // namespace lumi

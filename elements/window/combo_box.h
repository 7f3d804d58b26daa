#pragma once

#include <cstdint>

#include "elements/window/win_list.h"

namespace lumi {

// Drop-down list. The element keeps the items and the selection and does the
// look-ups itself; the control shows them and reports the user's pick.
class TElComboBox : public TElWinList {
 public:
  explicit TElComboBox(TElWin* parent) : TElWinList(platform::ControlKind::ComboBox, parent) {}

  lumi::Text Strings;         // the items, one per CR LF line
  lumi::Text Text;            // initial text: the item equal to it is selected
  uint8_t ChangeReturns = 0;  // OnChange carries 0: the index, 1: the item text
  TEl_Event OnChange;
  TEl_Event OnDropDown;  // the user opens the list, before it shows its items

  // Selects the item matching AsString of the value: with a "*", the first item that
  // begins with the part before it; without, the first item equal to the whole text;
  // letter case ignored. No match leaves no item selected; an empty text does nothing.
  void SelectText(TData& data, uint16_t index);
  // Selects item AsInteger of the value; an index past the items selects none.
  void SelectIndex(TData& data, uint16_t index);
  // Removes every item; none is selected. For lists the program fills itself.
  void Clear(TData& data, uint16_t index);
  void OutText(TData& result, uint16_t index);   // the selected item, empty when none
  void OutIndex(TData& result, uint16_t index);  // -1 when none

  int32_t Selected() const { return selected_; }
  // The index SelectText would select for `text`, -1 when none.
  int32_t Find(std::string_view text) const;

 protected:
  void ApplyOwn() override;
  void ShowItems() override;
  void SelectionChanged(int32_t index) override;
  void DropDown() override;

 private:
  void Choose(int32_t index);

  int32_t selected_ = -1;
};

}  // namespace lumi

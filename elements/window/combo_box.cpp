#include "elements/window/combo_box.h"

namespace lumi {

int32_t TElComboBox::Find(std::string_view text) const {
  const size_t star = text.find('*');
  for (size_t i = 0; i < items_.size(); ++i) {
    const bool match = star == std::string_view::npos ? SameText(items_[i], text)
                                                      : StartsWithText(items_[i], text.substr(0, star));
    if (match) return static_cast<int32_t>(i);
  }
  return -1;
}

void TElComboBox::Choose(int32_t index) {
  selected_ = index >= 0 && index < Count() ? index : -1;
  if (PlatformControl() != nullptr) PlatformControl()->SetSelection(selected_);
}

void TElComboBox::ApplyOwn() {
  // Items added before the control existed stay behind the given ones.
  std::vector<lumi::Text> given = SplitLines(Strings);
  items_.insert(items_.begin(), given.begin(), given.end());
  if (!Text.empty()) {
    for (size_t i = 0; i < items_.size(); ++i) {
      if (SameText(items_[i], Text)) {
        selected_ = static_cast<int32_t>(i);
        break;
      }
    }
  }
  ShowItems();
}

void TElComboBox::ShowItems() {
  if (PlatformControl() == nullptr) return;
  PlatformControl()->SetItems(items_);
  PlatformControl()->SetSelection(selected_);
}

void TElComboBox::SelectText(TData& data, uint16_t) {
  const lumi::Text text = data.AsString();
  if (text.empty()) return;
  Choose(Find(text));
}

void TElComboBox::SelectIndex(TData& data, uint16_t) { Choose(data.AsInteger()); }

void TElComboBox::OutText(TData& result, uint16_t) {
  result.SetString(selected_ >= 0 ? items_[static_cast<size_t>(selected_)] : lumi::Text());
}

void TElComboBox::OutIndex(TData& result, uint16_t) { result.SetInteger(selected_); }

void TElComboBox::SelectionChanged(int32_t index) {
  if (Destroying() || index < 0 || index >= Count()) return;
  selected_ = index;
  if (ChangeReturns == 1) {
    FireString(OnChange, items_[static_cast<size_t>(index)]);
  } else {
    FireInteger(OnChange, index);
  }
}

void TElComboBox::Clear(TData&, uint16_t index) {
  TData none = TData::Integer(-1);
  SelectIndex(none, index);
  items_.clear();
  ShowItems();
}

void TElComboBox::DropDown() {
  if (!Destroying()) FireNull(OnDropDown);
}

}  // namespace lumi

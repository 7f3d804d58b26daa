#include "scheme/byte_display.h"

#include <memory>
#include <string>

#include "scheme/building.h"
#include "scheme/texts.h"

namespace lumi {

ByteDisplay::ByteDisplay(TElement* parent, const ByteDisplayLook& look) {
  box = Place(Create<TElGroupBox>(static_cast<TElWin*>(parent)), look.left, 2, 82, 55);
  box->Caption = W(look.caption);
  box->Init();

  edit = CreateEditMulti(1, 0);

  // Seven pixels apart: each number stands over its digit of the field below.
  for (int i = 0; i < kBits; ++i) {
    const int bit = kBits - 1 - i;
    TElLabel* label = Place(Create<TElLabel>(box), 12 + 7 * i, 15, 10, 17);
    label->Caption = std::to_string(bit);
    label->Init();
    bit_labels[static_cast<size_t>(i)] = label;
  }

  field = Place(Create<TElEdit>(box), 9, 28, 63, 20);
  field->Text = "00000000";
  field->Hint = W(look.hint);
  field->Init();

  edit->OnWork[0] = Link<&TElEdit::SetText>(field);
}

Creator ByteDisplay::CreatorFor(const ByteDisplayLook& look) {
  return [look](TElement* parent) -> std::unique_ptr<Container> {
    return std::make_unique<ByteDisplay>(parent, look);
  };
}

}  // namespace lumi

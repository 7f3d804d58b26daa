#include "elements/window/bitmap_array.h"

namespace lumi {

void TElBitmapArray::Array(TData& result, uint16_t) { result.SetArray(&access_); }

platform::Picture* TElBitmapArray::Access::At(const TData& index) {
  const int32_t i = index.AsIndex();
  if (i < 0 || i >= Count()) return nullptr;
  return &owner_.Items[static_cast<size_t>(i)];
}

void TElBitmapArray::Access::Set(const TData& index, const TData& item) {
  platform::Picture* slot = At(index);
  const auto* picture =
      item.type == DataType::Bitmap ? static_cast<const platform::Picture*>(item.object) : nullptr;
  // Only pictures go in; anything else leaves the item as it was.
  if (slot != nullptr && picture != nullptr && picture != slot) *slot = *picture;
}

bool TElBitmapArray::Access::Get(const TData& index, TData& item) {
  platform::Picture* slot = At(index);
  if (slot == nullptr) return false;
  item.SetBitmap(slot);
  return true;
}

}  // namespace lumi

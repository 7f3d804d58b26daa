#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// An indexed list of pictures, read through the Array interface: Get lends the
// array's own picture as a Bitmap value, Set stores a copy, Count counts.
class TElBitmapArray : public TElement {
 public:
  std::vector<platform::Picture> Items;  // given at creation; owned copies

  // Value point: the Array interface of this element.
  void Array(TData& result, uint16_t index);

 private:
  class Access final : public ArrayInterface {
   public:
    explicit Access(TElBitmapArray& owner) : owner_(owner) {}
    void Set(const TData& index, const TData& item) override;
    bool Get(const TData& index, TData& item) override;
    int32_t Count() override { return static_cast<int32_t>(owner_.Items.size()); }

   private:
    platform::Picture* At(const TData& index);
    TElBitmapArray& owner_;
  };

  Access access_{*this};
};

}  // namespace lumi

#pragma once

namespace lumi {

// What every element shares: being owned by a container and destroyed through it.
// Elements are otherwise plain classes with public property fields and non-virtual
// handlers; they start zero-filled and the container assigns what differs.
class TElement {
 public:
  TElement() = default;
  TElement(const TElement&) = delete;
  TElement& operator=(const TElement&) = delete;
  virtual ~TElement() = default;
};

}  // namespace lumi

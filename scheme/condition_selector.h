#pragma once

#include "runtime/container.h"

namespace lumi {

// Tells each of the eleven condition panels whether it is the one to show.
//   Work[0]     event type k
//   OnEvent[j]  j = 0..10 in ascending order: 1 when j = k, else 0
class ConditionSelector : public Container {
 public:
  static constexpr int kEventTypes = 11;

  explicit ConditionSelector(TElement* parent);
};

}  // namespace lumi

#pragma once

#include "runtime/container.h"

namespace lumi {

// Turns a parameter change of any condition panel into the keys to write: OnEvent[0]
// with key index 0 ("Signal"), then with 1 ("Var1") or 2 ("Var2"), then OnEvent[1]
// once both are written.
//   Work[0, 2, 4, 6, 7, 8, 9]   a threshold changed: keys 0, 1
//   Work[1, 3, 5, 10, 11, 12]   a drive letter, moment, state or language changed:
//                               keys 0, 2
class ChangeCollector : public Container {
 public:
  static constexpr int kChangePoints = 13;

  explicit ChangeCollector(TElement* parent);
};

}  // namespace lumi

#pragma once

#include <array>

#include "elements/compute/int_to_bits.h"
#include "elements/window/group_box.h"
#include "runtime/container.h"
#include "runtime/multi_element.h"
#include "scheme/indicator_row.h"

namespace lumi {

// The fourteen indicator rows, fed by the work cycle.
//
// Work[0]: first frame byte, bits 0..6 -> lamps of rows 1..7.
// Work[1..7]: labels of rows 1..7.
// Work[8]: second frame byte, bits 0..6 -> lamps of rows 8..14.
// Work[9..15]: labels of rows 8..14.
class LampGroup : public Container {
 public:
  static constexpr int kRowsPerByte = 7;

  explicit LampGroup(TElement* parent);

  TElGroupBox* box;
  TElEditMulti* edit;
  std::array<TElMultiElement*, IndicatorRow::kRows> rows;  // row n at [n - 1]
  TElIntToBits* low_bits;
  TElIntToBits* high_bits;
};

}  // namespace lumi

#pragma once

#include <array>
#include <cstdint>

#include "elements/window/edit.h"
#include "elements/window/group_box.h"
#include "elements/window/label.h"
#include "runtime/container.h"

namespace lumi {

// Where a byte display sits in the debug window and how it names its byte.
struct ByteDisplayLook {
  int32_t left;
  const char* caption;  // UTF-8
  const char* hint;     // UTF-8
};

// One byte of the last frame as binary text, under the numbers of its bits, bit 7
// leftmost. The debug window holds two: the second byte on the left and the first on
// the right, so the window reads like the row of lamps from №14 down to №01.
//
// Work[0]: the text the field shows.
class ByteDisplay : public Container {
 public:
  static constexpr int kBits = 8;
  static constexpr ByteDisplayLook kFirstByte{87, "Первый байт", "Значение первого байта"};
  static constexpr ByteDisplayLook kSecondByte{2, "Второй байт", "Значение второго байта"};

  ByteDisplay(TElement* parent, const ByteDisplayLook& look);

  static Creator CreatorFor(const ByteDisplayLook& look);

  TElGroupBox* box;
  TElEditMulti* edit;
  std::array<TElLabel*, kBits> bit_labels;  // "7" first
  TElEdit* field;
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Lists the drive letters present and reports the free, total and used space of one
// drive in kilobytes (or a larger unit).
class TElHardDisk : public TElement {
 public:
  TEl_Event InDrive;
  Text Drive;        // used when InDrive is not linked
  int32_t Unit = 0;  // applied to kilobytes: 0 kilobytes, 1 megabytes, 2 gigabytes
  TEl_Event OnDrive;

  // One OnDrive per present drive, A to Z: the letter (one upper-case character)
  // followed in the same chain by its drive type as an Integer.
  void Enum(TData& data, uint16_t index);

  // Every read asks the system again. A single letter gets a colon ("C" -> "C:"); any
  // other text goes as it is. A drive that cannot be queried reads 0 in all three.
  // Sizes are computed in 64 bits from bytes and come as a Real holding the exact
  // count when they do not fit an Integer (volumes of 2 TB and more in kilobytes).
  void OutFree(TData& data, uint16_t index);
  void OutTotal(TData& data, uint16_t index);
  void OutUsed(TData& data, uint16_t index);

 private:
  enum class Amount { Free, Total, Used };
  void Deliver(TData& data, Amount amount);
};

}  // namespace lumi

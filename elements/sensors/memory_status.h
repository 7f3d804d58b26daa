#pragma once

#include <cstdint>

#include "platform/sensors.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Offers the physical memory and swap amounts of the last Refresh in a chosen unit.
// A value too large for an Integer (bytes of a machine with more than 2 GB) comes as a
// Real holding the exact count; an undefined Unit gives 0.
class TElMemoryStatus : public TElement {
 public:
  uint8_t Unit = 0;  // 0 bytes, 1 kilobytes, 2 megabytes

  void Refresh(TData& data, uint16_t index);

  void OutTotalPhys(TData& data, uint16_t index);
  void OutAvailPhys(TData& data, uint16_t index);
  void OutTotalPageFile(TData& data, uint16_t index);
  void OutAvailPageFile(TData& data, uint16_t index);

 private:
  void Deliver(TData& data, uint64_t bytes) const;

  platform::MemoryStatus status_;  // all 0 until the first Refresh
};

}  // namespace lumi

#include "elements/sensors/memory_status.h"

#include "elements/sensors/count_value.h"
#include "platform/services.h"

namespace lumi {

void TElMemoryStatus::Refresh(TData&, uint16_t) { status_ = platform::Current().memory->Read(); }

void TElMemoryStatus::Deliver(TData& data, uint64_t bytes) const {
  uint64_t divisor = UnitDivisor(Unit);
  SetCount(data, divisor == 0 ? 0 : bytes / divisor);
}

void TElMemoryStatus::OutTotalPhys(TData& data, uint16_t) { Deliver(data, status_.total_physical); }
void TElMemoryStatus::OutAvailPhys(TData& data, uint16_t) { Deliver(data, status_.available_physical); }
void TElMemoryStatus::OutTotalPageFile(TData& data, uint16_t) { Deliver(data, status_.total_swap); }
void TElMemoryStatus::OutAvailPageFile(TData& data, uint16_t) { Deliver(data, status_.available_swap); }

}  // namespace lumi

#pragma once

#include <cstdint>
#include <limits>

#include "runtime/data.h"

namespace lumi {

// A size count as a value: an Integer while it fits one, otherwise a Real holding the
// count itself. Memory and disks outgrow 32 bits, and a wrapped Integer would turn a
// percentage computed from it into nonsense; AsReal reads either form right.
inline void SetCount(TData& data, uint64_t count) {
  if (count <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
    data.SetInteger(static_cast<int32_t>(count));
  } else {
    data.SetReal(static_cast<double>(count));
  }
}

// The divisor of a unit index (0: 1, 1: 1024, 2: 1048576), 0 for an undefined index.
inline uint64_t UnitDivisor(int64_t unit) {
  switch (unit) {
    case 0: return 1;
    case 1: return 1024;
    case 2: return 1024 * 1024;
    default: return 0;
  }
}

}  // namespace lumi

#include "elements/compute/get_data.h"

namespace lumi {

void TElGetData::OutData(TData& result, uint16_t) { PullRaw(result, InData); }

}  // namespace lumi

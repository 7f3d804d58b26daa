#pragma once

#include "platform/linux/linux_registry.h"

namespace lumi::platform::linux_backend {

// Points the platform services at the Linux implementations; `look` is how the
// program's autostart entry presents it.
void Install(const AutostartLook& look = {});

}  // namespace lumi::platform::linux_backend

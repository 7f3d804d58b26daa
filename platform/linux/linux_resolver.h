#pragma once

#include "platform/background_resolver.h"

namespace lumi::platform::linux_backend {

// The system resolver, asked in the background (shared with the Windows program).
using LinuxResolver = BackgroundResolver;

}  // namespace lumi::platform::linux_backend

#pragma once

namespace lumi::platform::linux_backend {

// Points the platform services at the Linux implementations.
void Install();

}  // namespace lumi::platform::linux_backend

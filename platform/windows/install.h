#pragma once

namespace lumi::platform::windows_backend {

// Points the platform services at the Windows implementations.
void Install();

}  // namespace lumi::platform::windows_backend

#pragma once

namespace lumi::platform::windows_backend {

// A program started with a standard handle that is not open (closed by whoever started
// it, or never given) would write its message lines to whatever file or port later gets
// that handle's number. Such handles are pointed at NUL first; all three are looked at
// before NUL is opened, since NUL itself may get a stale number.
void OpenMissingStandardHandles();

}  // namespace lumi::platform::windows_backend

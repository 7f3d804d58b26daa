#pragma once

namespace lumi::platform::windows_backend {

// How a later start finds a running copy's loop and asks it to show its window: the
// loop's message-only window has this class, and the request is this registered
// message, posted to it.
inline constexpr const char* kLoopWindowClass = "LumiscopeMessageLoop";
inline constexpr const char* kShowRequestMessage = "Lumiscope: show your window";

}  // namespace lumi::platform::windows_backend

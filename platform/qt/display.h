#pragma once

namespace lumi::platform::qt_backend {

// Where Qt could show windows. Qt ends the process when its platform cannot connect,
// so the program asks here first and runs headless when the answer is None.
enum class DisplayKind {
  None,
  X11,
  Wayland,
  Virtual,  // a platform that needs no display: QT_QPA_PLATFORM=offscreen and the like
};

// Honours QT_QPA_PLATFORM (its entries in order) when set; otherwise tries the X
// display named by DISPLAY, then the Wayland socket named by WAYLAND_DISPLAY (when
// Qt's Wayland platform is installed). Opens and closes a connection to be sure.
DisplayKind FindDisplay();

inline bool CanOpenDisplay() { return FindDisplay() != DisplayKind::None; }

// FindDisplay, and when QT_QPA_PLATFORM is not set, sets it to the platform that was
// found, so that Qt does not pick another that cannot connect (say Wayland named by
// the session while only X answers). Returns whether a display was found.
bool PrepareDisplay();

}  // namespace lumi::platform::qt_backend

#pragma once

namespace lumi::platform::qt_backend {

// Whether the X display named by DISPLAY accepts a connection (which is closed again).
// Kept apart because the X headers' macros clash with Qt's names.
bool XDisplayOpens();

// Asks the window manager to leave an unmapped window out of the taskbar and the
// pager (an owned window, as Windows shows none for it): adds the two states to the
// window's _NET_WM_STATE, which the window manager reads when the window is mapped
// and clears when it is withdrawn. `display` is the toolkit's Xlib Display; the
// request is flushed, so it reaches the server before the toolkit maps the window.
void SkipTaskbar(void* display, unsigned long window);

}  // namespace lumi::platform::qt_backend

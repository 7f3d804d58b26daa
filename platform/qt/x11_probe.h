#pragma once

namespace lumi::platform::qt_backend {

// Whether the X display named by DISPLAY accepts a connection (which is closed again).
// Kept apart because the X headers' macros clash with Qt's names.
bool XDisplayOpens();

}  // namespace lumi::platform::qt_backend

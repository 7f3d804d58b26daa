#pragma once

#include <QtGlobal>
#include <cstdint>

namespace lumi::platform::qt_backend {

// The Windows virtual-key code of a key, 0 when Windows has none for it.
//
// Latin letters and digits follow the layout, as on Windows. Keys that give other
// characters (a Cyrillic layout, punctuation) are named by their place on the US
// keyboard, again as Windows names them: first by the X/evdev key code when the
// platform reports one, then by the character on the standard Russian and US layouts.
// Keypad keys take the keypad codes while `keypad` is set.
int32_t VirtualKeyOf(int qt_key, bool keypad, quint32 native_scan_code);

}  // namespace lumi::platform::qt_backend

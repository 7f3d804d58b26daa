#pragma once

namespace lumi::app {

// The Windows program with its window: the Win32 window system on the program's
// message loop (or, for `info_only`, the "made with" note in a message box). False
// when no window can be made (Wine without a display); nothing has been shown then.
bool RunWin32Window(bool info_only, int& exit_code);

}  // namespace lumi::app

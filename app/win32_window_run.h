#pragma once

namespace lumi::app {

// The Windows program with its window: the Win32 window system on the program's
// message loop (or, for `info_only`, the "made with" note in a message box). False
// when no window can be made (Wine without a display); nothing has been shown then.
bool RunWin32Window(bool info_only, int& exit_code);

// A GUI program has no console, and without one Ctrl-C, closing the console and logging
// off never reach it: the run without a window takes a console of its own, keeping
// the standard handles it was started with.
void TakeConsoleForSignals();

}  // namespace lumi::app

#pragma once

#include <string_view>

namespace lumi::app {

// The two ways the program runs. Each installs its window system, loop and message
// boxes, then runs the program (or, for `info_only`, shows the "made with" note and
// ends). The Linux services are installed before either is called. A headless run
// says in one line why it has no window (`why_no_window`).
int RunHeadless(bool info_only, std::string_view why_no_window);

// The window run lives in a module of its own beside the executable, so that a run
// without a display never loads the toolkit (a third of the memory it would take).
// The module resolves the program's own functions from the executable.
inline constexpr const char* kWindowModule = "lumiscope-window.so";
inline constexpr const char* kWindowEntry = "lumiscope_run_windowed";
// False when no display could be opened after all; nothing has been shown then.
using WindowEntry = bool (*)(int argc, char** argv, bool info_only, int* exit_code);

}  // namespace lumi::app

#pragma once

namespace lumi::app {

// The two ways the program runs. Each installs its window system, loop and message
// boxes, then runs the program (or, for `info_only`, shows the "made with" note and
// ends). The Linux services are installed before either is called.
int RunHeadless(bool info_only);
// Only in builds with the window backend; false when no display could be opened after
// all, and nothing has been shown then.
bool RunWindowed(int argc, char** argv, bool info_only, int& exit_code);

}  // namespace lumi::app

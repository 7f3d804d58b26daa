#pragma once

#include <string>
#include <vector>

#include "tests/e2e/program_runner.h"

namespace lumi::gui {

// The copies' file name; Wine gives their X windows this class.
inline constexpr const char* kWineProgramName = "lumiscope-gui.exe";

// Wine for the test program, on the test session's display: a prefix of its own in the
// build tree, made at the first run (about half a minute) and kept, with the Russian
// locale, a stand-in for the dialog font and COM1 on the link `com1` in the prefix
// that each copy points at its own port. Its server stays up between the cases, so a
// copy starts in seconds. False, with the reason, when Wine could not be set up.
bool StartWine(std::string& error);
void StopWine();

// How a copy of the Windows program runs: through tests/win32gui/run-under-wine, so that
// Stop ends it as Windows ends a session.
e2e::RunOptions WineOptions(std::vector<std::string> arguments);

// Wine ends the session: every window of the prefix is asked and then told, as Windows
// does at log-off and shut-down. False when wineboot failed.
bool EndWineSession();

}  // namespace lumi::gui

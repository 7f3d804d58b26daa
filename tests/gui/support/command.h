#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace lumi::gui {

struct CommandResult {
  int status = -1;     // exit status; -1 when it could not run or was killed
  std::string output;  // what it wrote to stdout
};

// Runs a tool of the desktop (xdotool, xprop, xwininfo, import) on the test's display
// and waits for it; stderr goes nowhere.
CommandResult Run(const std::vector<std::string>& argv, const std::string& display);

// Starts a program in the background on the display; stdout and stderr go nowhere.
// `keep_fd` stays open in the child as descriptor 3 when it is not -1.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& display, int keep_fd = -1);

// SIGTERM, then SIGKILL when it is still there after a second.
void End(pid_t pid);

// Whether a program of that name can be found on PATH.
bool Installed(const std::string& program);

}  // namespace lumi::gui

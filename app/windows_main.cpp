// The program entry on Windows: the "made with" note for "/ih", otherwise the program.
// This is the one place the Windows program chooses its window system: its own window
// when windows can be made, otherwise the run without a window, as a console program.
#include <cstring>

#include "app/backends.h"
#include "app/entry_note.h"
#include "app/win32_window_run.h"
#include "platform/services.h"
#include "platform/windows/install.h"
#include "platform/windows/standard_handles.h"

int main(int argc, char** argv) {
  lumi::platform::windows_backend::OpenMissingStandardHandles();
  const bool info_only = argc > 1 && std::strcmp(argv[1], lumi::app::kInfoArgument) == 0;
  lumi::platform::windows_backend::Install();
  int exit_code = 0;
  if (!lumi::app::RunWin32Window(info_only, exit_code)) {
    lumi::app::TakeConsoleForSignals();
    exit_code = lumi::app::RunHeadless(info_only, "no display");
  }
  lumi::platform::ResetServices();
  return exit_code;
}

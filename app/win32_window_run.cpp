#include "app/win32_window_run.h"

#include "app/entry_note.h"
#include "app/program.h"
#include "platform/win32ui/win32_ui.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/win32.h"

namespace lumi::app {

bool RunWin32Window(bool info_only, int& exit_code) {
  if (!platform::win32ui::Win32Ui::DisplayAvailable()) return false;
  // The loop first: the window system's windows are served by its dispatching.
  platform::windows_backend::MessageLoop loop;
  platform::win32ui::Win32Ui ui;
  if (info_only) {
    ui.MessageBox(NoteText(), NoteCaption());
    exit_code = 0;
    return true;
  }
  RunAttended(loop, ui);
  exit_code = 0;
  return true;
}

void TakeConsoleForSignals() {
  if (GetConsoleWindow() != nullptr) return;
  constexpr DWORD kStandard[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
  HANDLE handles[3] = {};
  for (int i = 0; i < 3; ++i) handles[i] = GetStdHandle(kStandard[i]);
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && !AllocConsole()) return;
  for (int i = 0; i < 3; ++i) SetStdHandle(kStandard[i], handles[i]);
}

}  // namespace lumi::app

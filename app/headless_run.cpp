#include <cstdio>
#include <string>

#include "app/backends.h"
#include "app/console_message_box.h"
#include "app/entry_note.h"
#include "app/program.h"
#include "app/system_loop.h"
#include "platform/headless/headless_ui.h"
#include "platform/message_line.h"
#include "platform/services.h"
#include "runtime/cp1251.h"

namespace lumi::app {

int RunHeadless(bool info_only, std::string_view why_no_window) {
  if (info_only) {
    std::printf("%s\n", cp1251::ToUtf8(NoteText()).c_str());
    return 0;
  }
  platform::WriteMessageLine("lumiscope: " + std::string(why_no_window) +
                             ", running without a window; Ctrl-C ends");

  // The loop and the window mirror outlive the scheme: its elements stop their timers
  // and controls as they go.
  SystemLoop loop;
  loop.QuitOnSignals();
  platform::headless::HeadlessUi ui;
  ConsoleMessageBox boxes;
  auto& services = platform::Current();
  services.loop = &loop;
  services.ui = &ui;
  services.message_box = &boxes;

  RunProgram(loop, /*unattended=*/true);
  return 0;
}

}  // namespace lumi::app

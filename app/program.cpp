#include "app/program.h"

#include <memory>
#include <string>
#include <utility>

#include "platform/message_line.h"
#include "platform/services.h"
#include "platform/single_message_box.h"
#include "runtime/event.h"
#include "scheme/main_scheme.h"

namespace lumi::app {

void RunProgram(platform::EventLoop& loop, bool unattended) {
  auto scheme = std::make_unique<MainScheme>();
  scheme->Start();
  // A second copy closes during Start; there is nothing left to set up then.
  if (unattended && scheme->InSetupMode()) scheme->EnterWorkMode();
  // The end of the session may run this before Run has returned, and the process may
  // go right after it: it has to leave the unit dark and the port closed by itself.
  bool ended = false;
  const auto end = [&] {
    if (std::exchange(ended, true)) return;
    // No element may answer a late call while the scheme goes.
    DisableDispatchers();
    scheme->SwitchUnitOff();
  };
  loop.SetEndingHandler(end);
  loop.Run();
  loop.SetEndingHandler(nullptr);
  end();
  if (const int32_t running = scheme->RunningCopy(); running > 0 && unattended) {
    platform::WriteMessageLine("lumiscope: already running as process " + std::to_string(running) +
                               "; this start ends");
  }
  scheme.reset();
}

void RunAttended(platform::EventLoop& loop, platform::Ui& ui) {
  loop.QuitOnSignals();
  platform::SingleMessageBox boxes(ui);
  auto& services = platform::Current();
  services.loop = &loop;
  services.ui = &ui;
  services.message_box = &boxes;
  RunProgram(loop, /*unattended=*/false);
}

}  // namespace lumi::app

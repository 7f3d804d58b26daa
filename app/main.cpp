// The program entry: the "made with" note for "/ih", otherwise the program, in a window
// when a display can be opened and without one when not.
#include <cstring>

#include "app/backends.h"
#include "app/entry_note.h"
#include "app/window_loader.h"
#include "platform/linux/install.h"
#include "platform/linux/standard_streams.h"
#include "platform/loop_signals.h"
#include "platform/services.h"
#include "resources/pictures.h"

int main(int argc, char** argv) {
  lumi::platform::linux_backend::OpenMissingStandardStreams();
  lumi::platform::LoopSignals::IgnoreShowRequests();
  const bool info_only = argc > 1 && std::strcmp(argv[1], lumi::app::kInfoArgument) == 0;
  lumi::platform::linux_backend::Install({.name = "Lumiscope",
                                          .comment = "Светодиодный индикатор состояния компьютера",
                                          .icon_name = "lumiscope",
                                          .icon = lumi::resources::Picture("ICON0")});
  int exit_code = 0;
  if (const lumi::app::WindowChoice window = lumi::app::LoadWindowEntry();
      window.entry == nullptr || !window.entry(argc, argv, info_only, &exit_code)) {
    exit_code = lumi::app::RunHeadless(info_only, window.why_none);
  }
  lumi::platform::ResetServices();
  return exit_code;
}

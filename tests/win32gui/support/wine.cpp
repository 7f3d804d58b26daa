#include "tests/win32gui/support/wine.h"

#include <cstdlib>
#include <filesystem>

#include "tests/gui/support/command.h"
#include "tests/gui/support/x_session.h"

namespace lumi::gui {
namespace {

namespace fs = std::filesystem;

// The server of the prefix in WINEPREFIX, with ARGUMENTS.
bool WineServer(const std::string& arguments) {
  const std::string command =
      "(wineserver " + arguments + " || /usr/lib/wine/wineserver " + arguments + ") >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace

bool StartWine(std::string& error) {
  const fs::path prefix = LUMISCOPE_WIN32GUI_PREFIX;
  setenv("WINEPREFIX", prefix.c_str(), 1);
  unsetenv("LUMISCOPE_WINE_DISPLAY");  // the prefix is made without a display
  if (!fs::exists(prefix / "system.reg")) {
    const CommandResult font =
        Run({LUMISCOPE_WINE_RUN, "reg", "add", "HKCU\\Software\\Wine\\Fonts\\Replacements", "/v",
             "MS Sans Serif", "/d", "Nimbus Sans", "/f"},
            "");
    // Wine makes dosdevices/com1 from this entry when its server starts.
    const CommandResult port = Run({LUMISCOPE_WINE_RUN, "--com1", (prefix / "com1").string()}, "");
    if (font.status != 0 || port.status != 0) {
      error = "the Wine prefix " + prefix.string() + " could not be made";
      fs::remove_all(prefix);
      return false;
    }
  }
  // A server left from an earlier run would serve the prefix without this display.
  WineServer("-k");
  setenv("LUMISCOPE_WINE_DISPLAY", Display().c_str(), 1);
  if (!WineServer("-p")) {
    error = "wineserver did not start";
    return false;
  }
  return true;
}

void StopWine() { WineServer("-k"); }

e2e::RunOptions WineOptions(std::vector<std::string> arguments) {
  e2e::RunOptions options;
  options.program = LUMISCOPE_WINDOWS_BINARY;
  options.program_name = kWineProgramName;
  options.launcher = {LUMISCOPE_RUN_UNDER_WINE};
  options.arguments = std::move(arguments);
  return options;
}

bool EndWineSession() {
  return Run({LUMISCOPE_WINE_RUN, "wineboot", "--end-session"}, Display()).status == 0;
}

}  // namespace lumi::gui

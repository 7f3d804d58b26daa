#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/program_runner.h"
#include "tests/gui/support/windows.h"

namespace lumi::gui {

// The copies' file name, which Qt also gives their windows as class: a name of their
// own, so that copies the end-to-end tests run meanwhile never meet them.
inline constexpr const char* kProgramName = "lumiscope-gui";
inline constexpr const char* kMainTitle = "Lumiscope 1.0.0.0";
inline constexpr const char* kAboutTitle = "О программе";
inline constexpr const char* kDebugTitle = "Окно отладки";
// How long a window may take to come or go: a poll, so only a failing case waits it out.
// Wine on a busy machine once took longer than 15 s for a first start's window.
inline constexpr std::chrono::seconds kPatience{30};

// What the cases run, and how its windows are found: the test program's main says.
struct ProgramUnderTest {
  // How a copy runs with these arguments.
  std::function<e2e::RunOptions(std::vector<std::string> arguments)> options;
  // The X classes of its windows and of its tray icon. Qt names both after the
  // executable; under Wine the windows have the executable's file name, and the tray
  // icon is explorer's, which docks it.
  std::string window_class = kProgramName;
  std::string tray_icon_class = kProgramName;
};
ProgramUnderTest& UnderTest();

// The program under test, copied into a folder of the test's own with its serial port
// on a pseudo-terminal, run on the test session's display. Its stderr goes to NAME.log
// beside the screenshots (build/gui-screens/), for a look when a case fails.
class GuiProgram {
 public:
  enum class Start { FirstStart, WithSettings };

  // WithSettings writes a settings file first (every channel on processor load, a
  // cycle every 0.2 s): the program opens in work mode and hides to the tray. The
  // program runs in the C locale, where Qt's own texts would be English.
  GuiProgram(const std::string& name, Start start, std::vector<std::string> arguments = {});

  e2e::ProgramRunner& runner() { return *runner_; }
  bool Running() { return runner_->Running(); }
  // Frames that arrive on the port within `duration`.
  size_t Frames(std::chrono::milliseconds duration);
  // Whether the program runs and its frames keep coming (a cycle every 0.2 s: at least
  // three in a second and a half, counted after what waited on the line).
  bool CyclesOn();
  std::string Settings();
  // One value of the settings file ("" when it is not there).
  std::string Setting(const std::string& section, const std::string& key);

  // The main window once it is on the screen (nullopt when it did not come).
  std::optional<WindowId> WaitForWindow(const std::string& title);
  // Whether no window of that title is on the screen any more.
  bool WaitWhileShown(const std::string& title);

 private:
  std::unique_ptr<e2e::ProgramRunner> runner_;
  std::string name_;
  std::filesystem::path log_;
};

}  // namespace lumi::gui

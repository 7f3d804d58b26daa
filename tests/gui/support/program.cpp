#include "tests/gui/support/program.h"

#include <algorithm>
#include <iostream>
#include <sstream>

#include "tests/gui/support/poll.h"
#include "tests/gui/support/screenshot.h"
#include "tests/gui/support/x_session.h"

namespace lumi::gui {

ProgramUnderTest& UnderTest() {
  static ProgramUnderTest under_test;
  return under_test;
}

GuiProgram::GuiProgram(const std::string& name, Start start, std::vector<std::string> arguments)
    : name_(name) {
  e2e::RunOptions options = UnderTest().options(std::move(arguments));
  std::error_code ignored;
  std::filesystem::create_directories(LUMISCOPE_GUI_SCREENS, ignored);
  options.stderr_file = std::filesystem::path(LUMISCOPE_GUI_SCREENS) / (name + ".log");
  std::filesystem::remove(options.stderr_file, ignored);
  log_ = options.stderr_file;
  runner_ = std::make_unique<e2e::ProgramRunner>(e2e::FolderFor("gui-" + name), std::move(options));
  if (start == Start::WithSettings) {
    std::vector<e2e::Channel> channels(14, e2e::Channel{0, "50", "C"});
    e2e::WriteSettings(runner_->SettingsPath(), channels);
  }
}

size_t GuiProgram::Frames(std::chrono::milliseconds duration) {
  const std::vector<unit::Event> events = runner_->Collect(duration);
  return static_cast<size_t>(std::count_if(events.begin(), events.end(), [](const unit::Event& event) {
    return event.kind == unit::EventKind::frame;
  }));
}

bool GuiProgram::CyclesOn() {
  using namespace std::chrono_literals;
  Frames(200ms);
  return Frames(1500ms) >= 3 && Running();
}

std::string GuiProgram::Settings() { return e2e::ReadFile(runner_->SettingsPath()); }

std::string GuiProgram::Setting(const std::string& section, const std::string& key) {
  std::istringstream lines(Settings());
  std::string line;
  bool inside = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      inside = line == "[" + section + "]";
      continue;
    }
    if (inside && line.starts_with(key + "=")) return line.substr(key.size() + 1);
  }
  return {};
}

std::optional<WindowId> GuiProgram::WaitForWindow(const std::string& title) {
  std::optional<WindowId> window;
  if (WaitUntil([&] { return (window = ShownWindow(title)).has_value(); }, kPatience)) return window;
  // What the screen and the program said, for a case that fails only now and then.
  std::cerr << "no window \"" << title << "\": the program " << (Running() ? "runs" : "has ended")
            << "; the screen: " << Screenshot(name_ + "-no-window").string() << "; its output:\n"
            << e2e::ReadFile(log_) << std::endl;
  return window;
}

bool GuiProgram::WaitWhileShown(const std::string& title) {
  return WaitUntil([&] { return !ShownWindow(title); }, kPatience);
}

}  // namespace lumi::gui

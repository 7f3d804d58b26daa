#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/unit/frame_decoder.h"

namespace lumi::e2e {

// A folder of its own for one test's copy of the program.
std::filesystem::path FolderFor(const std::string& name);
std::string ReadFile(const std::filesystem::path& path);

// One channel's section of the settings file.
struct Channel {
  int signal;
  std::string var1;
  std::string var2;
};
// A settings file of these channels, on port COM 1, a cycle every `pause` seconds.
void WriteSettings(const std::filesystem::path& path, const std::vector<Channel>& channels,
                   const std::string& pause = "0.2");

// How a copy runs: by default without a display, so that nothing waits for a person.
struct RunOptions {
  // The window module to copy beside the program (none: the copy cannot open a window).
  std::filesystem::path window_module;
  // NAME=VALUE entries added to the environment, a DISPLAY for instance.
  std::vector<std::string> environment;
  // Where the program's stderr goes (none: nowhere).
  std::filesystem::path stderr_file;
  // Command-line arguments after the program's name.
  std::vector<std::string> arguments;
  // The copy's file name: copies of one name meet in the single-instance check.
  std::string program_name = "lumiscope-e2e";
};

// A copy of the built program in a folder of its own (its settings file lands beside
// it) with ports/COM1 linked to a pseudo-terminal the test reads, run without a
// display unless the options give one. The copy has a name of its own: the
// single-instance check compares names, so a lumiscope someone runs meanwhile does not
// close it, while two copies of a test still meet.
class ProgramRunner {
 public:
  explicit ProgramRunner(const std::filesystem::path& folder, RunOptions options = {});
  ~ProgramRunner();
  ProgramRunner(const ProgramRunner&) = delete;
  ProgramRunner& operator=(const ProgramRunner&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path SettingsPath() const { return folder_ / "Settings.ini"; }

  bool Start();
  // SIGTERM, then the exit status (-1 when it had to be killed).
  int Stop();
  bool Running();
  // Waits for the program to end by itself: its exit status, 128 + the signal that
  // ended it, or -1 when it still runs after `limit` (or was never started).
  int WaitForExit(std::chrono::milliseconds limit);
  // Starts one more copy of the same file with the same environment and waits for it
  // to end: its status as above (one still running after `limit` is killed: -1).
  int RunAnother(std::chrono::milliseconds limit);

  // Reads the port for the given time and decodes what arrived since the last call.
  std::vector<unit::Event> Collect(std::chrono::milliseconds duration);
  // Waits until the file exists and stops growing, at most `limit`.
  bool WaitForFile(const std::filesystem::path& path, std::chrono::milliseconds limit);

 private:
  pid_t Spawn();

  std::filesystem::path folder_;
  RunOptions options_;
  int master_ = -1;
  int slave_ = -1;  // held open so that the program closing the port never hangs the line up
  pid_t pid_ = -1;
  int exit_status_ = -1;  // of the program once it has ended
  unit::FrameDecoder decoder_;
};

}  // namespace lumi::e2e

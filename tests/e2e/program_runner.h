#pragma once

#include <sys/types.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
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
// Every channel on processor load; even channels above -1 (always on), odd ones above
// 100 (never on): the frame 55 AA.
std::vector<Channel> AlternatingChannels();

// How a copy runs: by default without a display, so that nothing waits for a person.
struct RunOptions {
  // The window module to copy beside the program (none: the copy cannot open a window).
  std::filesystem::path window_module;
  // NAME=VALUE entries added to the environment, a DISPLAY for instance.
  std::vector<std::string> environment;
  // Where the program's stderr goes (none: the error log in its folder).
  std::filesystem::path stderr_file;
  // Command-line arguments after the program's name.
  std::vector<std::string> arguments;
  // The copy's file name: copies of one name meet in the single-instance check.
  std::string program_name = "lumiscope-e2e";
  // The program to copy (none: the Linux program of this build).
  std::filesystem::path program;
  // A command the copy is started through, its path appended (Wine, say).
  std::vector<std::string> launcher;
  // What Stop sends: Wine ends a Windows program at once on SIGTERM, but turns SIGINT
  // into the Ctrl-C it can answer.
  int stop_signal = SIGTERM;
};

// A copy of the built program in a folder of its own (its settings file lands beside
// it) with ports/COM1 linked to a pseudo-terminal the test reads, run without a
// display unless the options give one. The copy has a name of its own: the
// single-instance check compares names, so a lumiscope someone runs meanwhile does not
// close it, while two copies of a test still meet.
class ProgramRunner {
 public:
  static constexpr const char* kErrorLog = "stderr.log";

  explicit ProgramRunner(const std::filesystem::path& folder, RunOptions options = {});
  ~ProgramRunner();
  ProgramRunner(const ProgramRunner&) = delete;
  ProgramRunner& operator=(const ProgramRunner&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path SettingsPath() const { return folder_ / "Settings.ini"; }

  // How a start sets up the program's standard streams and terminal; the default is
  // stdout to /dev/null and stderr to the error log.
  struct StartOptions {
    int error_output = -1;                // stderr goes to this descriptor instead
    bool close_standard_streams = false;  // descriptors 0, 1 and 2 closed
    int controlling_terminal = -1;        // a terminal the program gets as its own, in a session of its own
  };
  bool Start() { return Start(StartOptions{}); }
  bool Start(const StartOptions& options);
  // Later starts run as this user (the test must be root): the folder and the port
  // are given to them.
  bool RunAs(uid_t user);
  pid_t Pid() const { return pid_; }
  // ports/COM1 goes, or comes back: the unit unplugged or plugged in.
  void UnlinkPort();
  void LinkPort();
  // What the program wrote to stderr, over all its starts.
  std::string ErrorOutput() const { return ReadFile(folder_ / kErrorLog); }
  // The stop signal, then the exit status (-1 when it had to be killed).
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
  // Reads the port for the given time: the bytes as they came.
  std::vector<std::uint8_t> Read(std::chrono::milliseconds duration);
  // Waits until the file exists and stops growing, at most `limit`.
  bool WaitForFile(const std::filesystem::path& path, std::chrono::milliseconds limit);

 private:
  pid_t Spawn(const StartOptions& options);

  std::filesystem::path folder_;
  RunOptions options_;
  std::optional<uid_t> run_as_;
  int master_ = -1;
  int slave_ = -1;  // held open so that the program closing the port never hangs the line up
  std::string slave_name_;
  pid_t pid_ = -1;
  int exit_status_ = -1;  // of the program once it has ended
  unit::FrameDecoder decoder_;
};

}  // namespace lumi::e2e

#include "tests/e2e/program_runner.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <thread>

namespace lumi::e2e {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

int StatusOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Waits for `pid` at most `limit`; -1 when it still runs.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > end) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return StatusOf(status);
}

}  // namespace

fs::path FolderFor(const std::string& name) {
  return fs::path(::testing::TempDir()) / ("lumiscope-e2e-" + name + "-" + std::to_string(getpid()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteSettings(const fs::path& path, const std::vector<Channel>& channels, const std::string& pause) {
  std::string text;
  for (size_t i = 0; i < channels.size(); ++i) {
    text += "[" + std::to_string(i) + "]\r\nSignal=" + std::to_string(channels[i].signal) +
            "\r\nVar1=" + channels[i].var1 + "\r\nVar2=" + channels[i].var2 + "\r\n\r\n";
  }
  text += "[Main]\r\nPort=COM 1\r\nBaudRade=9600\r\nPause=" + pause + "\r\n";
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<Channel> AlternatingChannels() {
  std::vector<Channel> channels;
  for (int channel = 0; channel < 14; ++channel)
    channels.push_back({0, channel % 2 == 0 ? "-1" : "100", "C"});
  return channels;
}

ProgramRunner::ProgramRunner(const fs::path& folder, RunOptions options)
    : folder_(folder), options_(std::move(options)) {
  fs::remove_all(folder_);
  fs::create_directories(folder_ / "ports");
  fs::copy_file(options_.program.empty() ? fs::path(LUMISCOPE_BINARY) : options_.program,
                folder_ / options_.program_name);
  if (!options_.window_module.empty()) {
    fs::copy_file(options_.window_module, folder_ / options_.window_module.filename());
  }

  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
  const char* slave_name = ptsname(master_);
  if (slave_name == nullptr) return;
  slave_ = open(slave_name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  if (slave_ >= 0 && tcgetattr(slave_, &raw) == 0) {
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
  }
  slave_name_ = slave_name;
  LinkPort();
}

void ProgramRunner::UnlinkPort() {
  std::error_code ignored;
  fs::remove(folder_ / "ports" / "COM1", ignored);
}

void ProgramRunner::LinkPort() {
  std::error_code ignored;
  fs::create_symlink(slave_name_, folder_ / "ports" / "COM1", ignored);
}

ProgramRunner::~ProgramRunner() {
  if (pid_ > 0) Stop();
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

bool ProgramRunner::Start(const StartOptions& options) {
  if (slave_ < 0) return false;
  pid_ = Spawn(options);
  return pid_ > 0;
}

bool ProgramRunner::RunAs(uid_t user) {
  // The other user must own what the program touches: its folder and its port.
  std::error_code error;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder_, error))
    if (lchown(entry.path().c_str(), user, user) != 0) return false;
  if (chown(folder_.c_str(), user, user) != 0) return false;
  if (fchown(slave_, user, user) != 0) return false;
  run_as_ = user;
  return true;
}

pid_t ProgramRunner::Spawn(const StartOptions& options) {
  // Without a display, whatever the session running the tests has, unless the options
  // name one.
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    if (text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
        text.starts_with("QT_QPA_PLATFORM=")) {
      continue;
    }
    environment.push_back(text);
  }
  environment.insert(environment.end(), options_.environment.begin(), options_.environment.end());
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);

  std::string program = (folder_ / options_.program_name).string();
  std::vector<std::string> arguments = options_.launcher;
  arguments.push_back(program);
  arguments.insert(arguments.end(), options_.arguments.begin(), options_.arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string errors =
      options_.stderr_file.empty() ? (folder_ / kErrorLog).string() : options_.stderr_file.string();

  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (options.close_standard_streams) {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) close(fd);
  } else {
    const int null = open("/dev/null", O_WRONLY);
    const int log = options.error_output >= 0 ? options.error_output
                                              : open(errors.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (null < 0 || log < 0 || dup2(null, STDOUT_FILENO) < 0 || dup2(log, STDERR_FILENO) < 0) _exit(126);
  }
  if (options.controlling_terminal >= 0 &&
      (setsid() < 0 || ioctl(options.controlling_terminal, TIOCSCTTY, 0) != 0))
    _exit(126);
  if (run_as_ && (setgroups(0, nullptr) != 0 || setgid(*run_as_) != 0 || setuid(*run_as_) != 0)) _exit(126);
  execve(argv[0], argv.data(), envp.data());
  _exit(127);
}

int ProgramRunner::WaitForExit(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return exit_status_;
  const int status = WaitFor(pid_, limit);
  if (status >= 0) {
    pid_ = -1;
    exit_status_ = status;
  }
  return status;
}

int ProgramRunner::RunAnother(std::chrono::milliseconds limit) {
  const pid_t other = Spawn(StartOptions{});
  if (other <= 0) return -1;
  const int status = WaitFor(other, limit);
  if (status < 0) {
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
  }
  return status;
}

bool ProgramRunner::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == pid_) {
    pid_ = -1;
    exit_status_ = StatusOf(status);
    return false;
  }
  return true;
}

int ProgramRunner::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, options_.stop_signal);
  const auto limit = Clock::now() + std::chrono::seconds(10);
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (Clock::now() > limit) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      pid_ = -1;
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<unit::Event> ProgramRunner::Collect(std::chrono::milliseconds duration) {
  std::vector<unit::Event> events;
  decoder_.feed(Read(duration), events);
  return events;
}

std::vector<std::uint8_t> ProgramRunner::Read(std::chrono::milliseconds duration) {
  std::vector<std::uint8_t> bytes;
  const auto end = Clock::now() + duration;
  for (auto now = Clock::now(); now < end; now = Clock::now()) {
    pollfd ready{master_, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    if (poll(&ready, 1, static_cast<int>(left) + 1) <= 0) continue;
    uint8_t buffer[256];
    ssize_t got = read(master_, buffer, sizeof buffer);
    if (got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  }
  return bytes;
}

bool ProgramRunner::WaitForFile(const fs::path& path, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  std::uintmax_t last_size = 0;
  int stable = 0;
  while (Clock::now() < end) {
    std::error_code error;
    std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > 0 && size == last_size) {
      if (++stable >= 3) return true;
    } else {
      stable = 0;
    }
    last_size = error ? 0 : size;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace lumi::e2e

#include "tests/gui/support/command.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace lumi::gui {
namespace {

// The session's environment with the display replaced: the program under test and the
// tools all talk to the test's X server, never to a desktop the tests were started in.
std::vector<std::string> EnvironmentFor(const std::string& display) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
        text.starts_with("QT_QPA_PLATFORM=")) {
      continue;
    }
    environment.push_back(text);
  }
  if (!display.empty()) environment.push_back("DISPLAY=" + display);
  return environment;
}

pid_t SpawnWith(const std::vector<std::string>& argv, const std::string& display, int stdout_fd,
                int keep_fd) {
  std::vector<std::string> environment = EnvironmentFor(display);
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (std::string& arg : args) argp.push_back(arg.data());
  argp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (stdout_fd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, stdout_fd, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  if (keep_fd >= 0) posix_spawn_file_actions_adddup2(&actions, keep_fd, 3);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

}  // namespace

CommandResult Run(const std::vector<std::string>& argv, const std::string& display) {
  CommandResult result;
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return result;
  const pid_t pid = SpawnWith(argv, display, pipe_fds[1], -1);
  close(pipe_fds[1]);
  if (pid <= 0) {
    close(pipe_fds[0]);
    return result;
  }
  // Bounded: a tool that hangs (an X server gone) must not hang the tests.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  char buffer[4096];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    if (left <= 0) break;
    pollfd ready{pipe_fds[0], POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left)) <= 0) break;
    const ssize_t got = read(pipe_fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    result.output.append(buffer, static_cast<size_t>(got));
  }
  close(pipe_fds[0]);
  // Its output closed, it is on its way out.
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= end) {
      End(pid);
      return result;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

pid_t Spawn(const std::vector<std::string>& argv, const std::string& display, int keep_fd) {
  return SpawnWith(argv, display, -1, keep_fd);
}

void End(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int wait = 0; wait < 50; ++wait) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool Installed(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && access((std::filesystem::path(folder) / program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace lumi::gui

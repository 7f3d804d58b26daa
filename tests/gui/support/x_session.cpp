#include "tests/gui/support/x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "tests/gui/support/command.h"
#include "tests/gui/support/poll.h"

namespace lumi::gui {
namespace {

using namespace std::chrono_literals;

// The number Xvfb writes to -displayfd once it accepts connections.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (std::chrono::steady_clock::now() < end) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 200) <= 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return number;
    number += c;
  }
  return {};
}

}  // namespace

bool XSession::Start(std::string& error) {
  for (const char* tool : {"Xvfb", "openbox", "trayer", "xdotool", "xprop", "xwininfo", "xwd", "import"}) {
    if (!Installed(tool)) {
      error = std::string(tool) + " is not installed (scripts/setup installs it)";
      return false;
    }
  }
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) {
    error = "no pipe";
    return false;
  }
  server_ =
      Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, "", pipe_fds[1]);
  close(pipe_fds[1]);
  const std::string number = ReadDisplayNumber(pipe_fds[0]);
  close(pipe_fds[0]);
  if (server_ <= 0 || number.empty()) {
    error = "Xvfb did not start";
    return false;
  }
  display_ = ":" + number;

  window_manager_ = Spawn({"openbox", "--sm-disable"}, display_);
  const bool managed = WaitUntil(
      [&] {
        return Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, display_).output.find("window id") !=
               std::string::npos;
      },
      20s);
  if (!managed) {
    error = "openbox did not start";
    return false;
  }
  // A panel of a fixed width: one that grew as an icon docks would move the icon under
  // Wine's feet, and Wine would go on placing the icon, and taking its clicks, where the
  // panel was.
  tray_ = Spawn({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "48",
                 "--height", "24", "--SetDockType", "true", "--transparent", "false", "--expand", "true"},
                display_);
  const bool tray = WaitUntil(
      [&] {
        return Run({"xwininfo", "-root", "-tree"}, display_)
                   .output.find("\"panel\": (\"panel\" \"trayer\")") != std::string::npos;
      },
      20s);
  if (!tray) {
    error = "trayer did not start";
    return false;
  }
  return true;
}

void XSession::Stop() {
  End(tray_);
  End(window_manager_);
  End(server_);
  tray_ = window_manager_ = server_ = -1;
}

XSession& Session() {
  static XSession session;
  return session;
}

const std::string& Display() { return Session().display(); }

}  // namespace lumi::gui

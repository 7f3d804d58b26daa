#pragma once

#include <sys/types.h>

#include <string>

namespace lumi::gui {

// A desktop of its own for the test program: Xvfb on a display number it picks for
// itself (so it never meets a display in use), openbox as the window manager and
// trayer as the notification area. Started once for all the cases of the program.
class XSession {
 public:
  XSession() = default;
  ~XSession() { Stop(); }
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // False, with the reason in `error`, when a piece is missing or did not come up.
  bool Start(std::string& error);
  void Stop();

  const std::string& display() const { return display_; }

 private:
  std::string display_;
  pid_t server_ = -1;
  pid_t window_manager_ = -1;
  pid_t tray_ = -1;
};

// The session of the running test program.
XSession& Session();
const std::string& Display();

}  // namespace lumi::gui

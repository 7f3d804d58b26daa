#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/sensors.h"

struct _XDisplay;

namespace lumi::platform::linux_backend {

struct XlibFunctions;

// The keyboard layout as X11 keeps it. XKB has one active group per display, not one
// layout per window, so LayoutOf answers the same for every window: the language of
// the active group, read through the layout list of the root window's
// _XKB_RULES_NAMES ("us,ru" with group 1 active is Russian, 0x04190419). A layout
// whose language is unknown reads as 0, which matches no language.
//
// Without X (no DISPLAY, no server, the connection lost, or a server that publishes no
// layout names) the layout is taken from the locale instead: the language of the first
// non-empty of LC_ALL, LC_CTYPE and LANG (ru_RU.UTF-8 is Russian), US English when
// none names a known language. The foreground window is then 0.
//
// The display connection is the keyboard's own, opened at the first question. A
// failed attempt is repeated at most every 30 s, so a session whose X server starts
// later is still found without slowing every reading down.
class LinuxKeyboard final : public Keyboard {
 public:
  // An empty name means the DISPLAY of the environment.
  explicit LinuxKeyboard(std::string display_name = {});
  ~LinuxKeyboard() override;
  LinuxKeyboard(const LinuxKeyboard&) = delete;
  LinuxKeyboard& operator=(const LinuxKeyboard&) = delete;

  // _NET_ACTIVE_WINDOW of the root window; 0 when there is none (no window manager
  // that publishes it, nothing focused, no X).
  int32_t ForegroundWindow() override;
  int32_t LayoutOf(int32_t window) override;

  // Whether the X connection is open right now (after a question has been asked).
  bool Connected() const { return display_ != nullptr; }

 private:
  bool Connect();
  void Disconnect();
  int32_t FallbackLayout() const;
  static void OnConnectionLost(_XDisplay* display, void* self);

  std::string display_name_;
  const XlibFunctions* xlib_ = nullptr;  // loaded with the first connection attempt
  _XDisplay* display_ = nullptr;
  bool xkb_ = false;
  bool lost_ = false;
  bool tried_ = false;
  std::chrono::steady_clock::time_point last_attempt_{};
};

}  // namespace lumi::platform::linux_backend

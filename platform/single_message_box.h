#pragma once

#include <cstdint>
#include <string>

#include "platform/message_box.h"
#include "platform/ui.h"

namespace lumi::platform {

// The program's message box: modal, through the window system, but never more than
// one at a time. While a box is open its modal loop keeps the program running, so a
// condition that fails on every cycle would otherwise pile box upon box; such
// messages are dropped and counted instead.
class SingleMessageBox final : public MessageBox {
 public:
  explicit SingleMessageBox(Ui& ui) : ui_(ui) {}

  void Show(const std::string& text, const std::string& caption) override;

  bool IsOpen() const { return open_; }
  // Messages dropped so far because a box was open.
  int64_t Dropped() const { return dropped_; }

 private:
  Ui& ui_;
  bool open_ = false;
  int64_t dropped_ = 0;
};

}  // namespace lumi::platform

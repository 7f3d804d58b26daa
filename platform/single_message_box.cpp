#include "platform/single_message_box.h"

namespace lumi::platform {

void SingleMessageBox::Show(const std::string& text, const std::string& caption) {
  if (open_) {
    ++dropped_;
    return;
  }
  // Cleared on every way out, an exception from the window system included, so one
  // failure cannot silence the program for good.
  struct OpenFlag {
    bool& open;
    explicit OpenFlag(bool& flag) : open(flag) { open = true; }
    ~OpenFlag() { open = false; }
    OpenFlag(const OpenFlag&) = delete;
    OpenFlag& operator=(const OpenFlag&) = delete;
  } flag(open_);
  ui_.MessageBox(text, caption);
  // What was dropped meanwhile is not shown afterwards either: the user has just
  // closed a box, and the failure that sent the others will report again on its next
  // cycle if it still holds.
}

}  // namespace lumi::platform

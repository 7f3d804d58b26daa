#pragma once

#include <set>
#include <string>

#include "platform/message_box.h"

namespace lumi::app {

// Message boxes of a run without a display: one line on stderr each. A condition
// that fails on every cycle would repeat its box once a second for as long as the
// program runs, so a message that is the same as the one before is not written again.
class ConsoleMessageBox final : public platform::MessageBox {
 public:
  void Show(const std::string& text, const std::string& caption) override;
  void Notice(const std::string& text) override;

 private:
  std::string last_;
  std::set<std::string> noticed_;
};

}  // namespace lumi::app

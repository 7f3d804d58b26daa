#include "app/console_message_box.h"

#include "platform/message_line.h"
#include "runtime/cp1251.h"

namespace lumi::app {

void ConsoleMessageBox::Show(const std::string& text, const std::string& caption) {
  std::string line = cp1251::ToUtf8(caption) + ": " + cp1251::ToUtf8(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (line == last_) return;
  platform::WriteMessageLine("lumiscope: " + line);
  last_ = std::move(line);
}

void ConsoleMessageBox::Notice(const std::string& text) {
  if (!noticed_.insert(text).second) return;
  std::string line = cp1251::ToUtf8(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::fprintf(stderr, "lumiscope: %s\n", line.c_str());
}

}  // namespace lumi::app

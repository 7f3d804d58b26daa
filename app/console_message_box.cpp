#include "app/console_message_box.h"

#include "platform/message_line.h"
#include "runtime/cp1251.h"

namespace lumi::app {

namespace {

// One line on stderr: the program's own texts are Windows-1251 and may hold line breaks.
std::string LineOf(const std::string& text) {
  std::string line = cp1251::ToUtf8(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

}  // namespace

void ConsoleMessageBox::Show(const std::string& text, const std::string& caption) {
  std::string line = LineOf(caption) + ": " + LineOf(text);
  if (line == last_) return;
  platform::WriteMessageLine("lumiscope: " + line);
  last_ = std::move(line);
}

void ConsoleMessageBox::Notice(const std::string& text) {
  if (!noticed_.insert(text).second) return;
  platform::WriteMessageLine("lumiscope: " + LineOf(text));
}

}  // namespace lumi::app

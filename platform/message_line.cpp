#include "platform/message_line.h"

#include <limits.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace lumi::platform {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void WriteMessageLine(std::string_view line) {
  // Up to PIPE_BUF bytes a write to a pipe with room is whole and does not wait;
  // O_NONBLOCK is no way out, as the descriptor is shared with whoever started us.
  constexpr size_t kLongest = PIPE_BUF - 1;
  if (line.size() > kLongest) {
    size_t cut = kLongest;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    line = line.substr(0, cut);
  }
  std::string text(line);
  text += '\n';
  for (;;) {
    pollfd room{STDERR_FILENO, POLLOUT, 0};
    const int ready = poll(&room, 1, 0);
    if (ready < 0 && errno == EINTR) continue;
    if (ready != 1 || (room.revents & POLLOUT) == 0) return;
    const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    return;
  }
}

}  // namespace lumi::platform

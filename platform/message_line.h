#pragma once

#include <string_view>

namespace lumi::platform {

// Writes one line (UTF-8, without its line end) to stderr, the one way the program
// writes there. It never waits: stderr may be a pipe nobody reads or a stopped
// terminal, and the program must go on working, so a line that cannot go at once is
// dropped. A line is cut to what one write delivers whole (PIPE_BUF bytes with its
// line end), at a character boundary.
void WriteMessageLine(std::string_view line);

}  // namespace lumi::platform

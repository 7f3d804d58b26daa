#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

#include "tools/unit/frame_decoder.h"

namespace lumi::unit {

enum class Layout { one_line, two_rows };

// The fourteen LEDs in a terminal. Interactive (stdout is a terminal): a block with the
// indicator numbers, the LEDs (lit red, unlit dim) and a status line is redrawn in place
// with ANSI cursor movements; probes and dropped bytes scroll by above it as log lines.
// Otherwise one plain line per event, so a log or a pipe reads well.
class LedDisplay {
 public:
  using Clock = std::chrono::steady_clock;

  LedDisplay(std::ostream& out, bool interactive, Layout layout);

  void show(const Event& event, Clock::time_point now);
  // Redraws the status line so the time since the last frame keeps counting.
  void refresh(Clock::time_point now);
  // Leaves the block on the screen and the cursor below it.
  void finish();

  std::uint64_t frames() const { return frames_; }

 private:
  void log_line(const std::string& line, Clock::time_point now);
  void erase();
  void draw(Clock::time_point now);

  std::ostream& out_;
  bool interactive_;
  Layout layout_;
  LedStates leds_{};
  std::uint64_t frames_ = 0;
  std::uint64_t probes_ = 0;
  std::uint64_t dropped_bytes_ = 0;
  Clock::time_point last_frame_{};
  int drawn_lines_ = 0;
};

// "0.4 s", "12.0 s", "3 min 07 s", "2 h 05 min".
std::string format_elapsed(std::chrono::nanoseconds elapsed);

// "55 AA"
std::string hex_bytes(const std::vector<std::uint8_t>& bytes);

}  // namespace lumi::unit

#include "tools/unit/led_display.h"

#include <cstdio>

namespace lumi::unit {

namespace {

constexpr const char* kLit = "\x1b[1;31m\u25cf\x1b[0m";  // red ●
constexpr const char* kUnlit = "\x1b[2m\u25cb\x1b[0m";   // dim ○
constexpr const char* kPlainLit = "\u25cf";
constexpr const char* kPlainUnlit = "\u25cb";

std::string two_digits(std::size_t number) {
  char text[8];
  std::snprintf(text, sizeof text, "%02zu", number);
  return text;
}

// Numbers and LEDs of channels [from, to), each cell three columns wide; a wider gap
// between the two bytes of the frame.
void append_rows(std::string& numbers, std::string& lamps, const LedStates& leds, std::size_t from,
                 std::size_t to) {
  for (std::size_t channel = from; channel < to; ++channel) {
    if (channel == 7 && from == 0) {
      numbers += "  ";
      lamps += "  ";
    }
    numbers += ' ' + two_digits(channel + 1);
    lamps += "  ";
    lamps += leds[channel] ? kLit : kUnlit;
  }
}

}  // namespace

std::string format_elapsed(std::chrono::nanoseconds elapsed) {
  using namespace std::chrono;
  if (elapsed < nanoseconds::zero()) elapsed = nanoseconds::zero();
  char text[48];
  auto tenths = duration_cast<milliseconds>(elapsed).count() / 100;
  if (tenths < 600) {
    std::snprintf(text, sizeof text, "%lld.%lld s", static_cast<long long>(tenths / 10),
                  static_cast<long long>(tenths % 10));
  } else if (auto secs = duration_cast<seconds>(elapsed).count(); secs < 3600) {
    std::snprintf(text, sizeof text, "%lld min %02lld s", static_cast<long long>(secs / 60),
                  static_cast<long long>(secs % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld h %02lld min", static_cast<long long>(secs / 3600),
                  static_cast<long long>(secs / 60 % 60));
  }
  return text;
}

std::string hex_bytes(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  for (std::uint8_t byte : bytes) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(byte));
    if (!out.empty()) out += ' ';
    out += text;
  }
  return out;
}

LedDisplay::LedDisplay(std::ostream& out, bool interactive, Layout layout)
    : out_(out), interactive_(interactive), layout_(layout) {}

void LedDisplay::show(const Event& event, Clock::time_point now) {
  switch (event.kind) {
    case EventKind::frame: {
      leds_ = event.leds;
      ++frames_;
      last_frame_ = now;
      if (interactive_) {
        erase();
        draw(now);
        break;
      }
      std::string line = "frame " + std::to_string(frames_) + ": " + hex_bytes(event.bytes) + " ";
      for (std::size_t channel = 0; channel < kChannels; ++channel) {
        if (channel == 0 || channel == 7) line += channel == 0 ? " 01-07 " : " 08-14 ";
        line += event.leds[channel] ? kPlainLit : kPlainUnlit;
      }
      out_ << line << '\n';
      break;
    }
    case EventKind::probe:
      ++probes_;
      log_line("probe: AT", now);
      break;
    case EventKind::dropped:
      dropped_bytes_ += event.bytes.size();
      log_line("dropped: " + hex_bytes(event.bytes), now);
      break;
  }
  out_.flush();
}

void LedDisplay::refresh(Clock::time_point now) {
  if (!interactive_) return;
  erase();
  draw(now);
  out_.flush();
}

void LedDisplay::finish() {
  if (interactive_ && drawn_lines_ == 0) draw(Clock::now());
  drawn_lines_ = 0;
  out_.flush();
}

void LedDisplay::log_line(const std::string& line, Clock::time_point now) {
  if (!interactive_) {
    out_ << line << '\n';
    return;
  }
  erase();
  out_ << line << '\n';
  draw(now);
}

void LedDisplay::erase() {
  if (drawn_lines_ == 0) return;
  // Up to the block's first line, then clear to the end of the screen.
  out_ << "\x1b[" << drawn_lines_ << "A\r\x1b[J";
  drawn_lines_ = 0;
}

void LedDisplay::draw(Clock::time_point now) {
  std::string block;
  auto add_rows = [&](std::size_t from, std::size_t to) {
    std::string numbers;
    std::string lamps;
    append_rows(numbers, lamps, leds_, from, to);
    block += numbers + '\n' + lamps + '\n';
    drawn_lines_ += 2;
  };
  if (layout_ == Layout::one_line) {
    add_rows(0, kChannels);
  } else {
    add_rows(0, 7);
    add_rows(7, kChannels);
  }
  // Two short status lines rather than one long one: a line that wraps would throw off
  // the count of lines to go back up.
  block += " frames " + std::to_string(frames_) + "  last ";
  block += frames_ == 0 ? std::string("none yet") : format_elapsed(now - last_frame_) + " ago";
  block += "\x1b[K\n probes " + std::to_string(probes_) + "  dropped " + std::to_string(dropped_bytes_) +
           " B\x1b[K\n";
  drawn_lines_ += 2;
  out_ << block;
}

}  // namespace lumi::unit

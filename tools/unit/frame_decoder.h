#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumi::unit {

inline constexpr std::size_t kChannels = 14;

// Index = channel 0..13, that is indicator number minus one.
using LedStates = std::array<bool, kChannels>;

// The text the program writes to every port it finds at start-up.
inline constexpr std::array<std::uint8_t, 4> kProbe{'A', 'T', '\r', '\n'};

enum class EventKind { probe, frame, dropped };

struct Event {
  EventKind kind = EventKind::dropped;
  LedStates leds{};                 // meaningful for frames only
  std::vector<std::uint8_t> bytes;  // the bytes on the line that make up the event

  bool operator==(const Event&) const = default;
};

// The two bytes of a frame: the first carries channels 6..0 in bits 6..0, the second
// channels 13..7; bit 7 of each is the tag and carries no channel.
LedStates decode_frame(std::uint8_t first, std::uint8_t second);

// Turns the bytes that arrive, in whatever chunks, into probes, frames and dropped
// bytes. A frame is a byte with bit 7 clear followed by one with bit 7 set. The probe
// "AT" CR LF is made of four bytes with bit 7 clear, so it can never be a frame; it is
// recognised only as a whole and only where a frame could begin. While the bytes seen
// so far could still be the start of the probe they are held back; as soon as they
// cannot, every held byte but the newest is dropped (the newest may still open a frame).
// So "A" followed by a byte with bit 7 set is a frame, "AT" CR followed by such a byte
// drops "AT" and makes a frame of CR and that byte, and a broken probe never swallows a
// frame that follows it. The events do not depend on how the input is chunked.
class FrameDecoder {
 public:
  void feed(std::uint8_t byte, std::vector<Event>& out);
  void feed(std::span<const std::uint8_t> bytes, std::vector<Event>& out);
  std::vector<Event> feed(std::span<const std::uint8_t> bytes);

  // Bytes held back because they may still open a frame or be the probe.
  std::span<const std::uint8_t> pending() const { return {held_.data(), held_count_}; }

  // The input has ended: what is held back can never complete and is dropped.
  std::optional<Event> finish();

 private:
  void drop_all_but_newest(std::vector<Event>& out);

  std::array<std::uint8_t, kProbe.size()> held_{};
  std::size_t held_count_ = 0;
};

}  // namespace lumi::unit

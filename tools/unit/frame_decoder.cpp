#include "tools/unit/frame_decoder.h"

#include <algorithm>

namespace lumi::unit {

namespace {

constexpr std::uint8_t kTag = 0x80;

Event dropped(std::span<const std::uint8_t> bytes) {
  Event event;
  event.kind = EventKind::dropped;
  event.bytes.assign(bytes.begin(), bytes.end());
  return event;
}

}  // namespace

LedStates decode_frame(std::uint8_t first, std::uint8_t second) {
  LedStates leds{};
  for (std::size_t bit = 0; bit < 7; ++bit) {
    leds[bit] = ((first >> bit) & 1U) != 0;
    leds[7 + bit] = ((second >> bit) & 1U) != 0;
  }
  return leds;
}

void FrameDecoder::feed(std::uint8_t byte, std::vector<Event>& out) {
  if ((byte & kTag) != 0) {
    if (held_count_ == 0) {
      out.push_back(dropped(std::span<const std::uint8_t>(&byte, 1)));
      return;
    }
    drop_all_but_newest(out);
    Event frame;
    frame.kind = EventKind::frame;
    frame.leds = decode_frame(held_[0], byte);
    frame.bytes = {held_[0], byte};
    held_count_ = 0;
    out.push_back(std::move(frame));
    return;
  }

  // Invariant: what is held is either one byte or a proper prefix of the probe, so
  // there is always room for one more.
  held_[held_count_++] = byte;
  if (std::equal(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(held_count_), kProbe.begin())) {
    if (held_count_ == kProbe.size()) {
      Event probe;
      probe.kind = EventKind::probe;
      probe.bytes.assign(kProbe.begin(), kProbe.end());
      held_count_ = 0;
      out.push_back(std::move(probe));
    }
    return;
  }
  // The probe's four characters differ from each other, so no longer tail of a failed
  // prefix can start it again; only the newest byte survives.
  drop_all_but_newest(out);
}

void FrameDecoder::drop_all_but_newest(std::vector<Event>& out) {
  if (held_count_ <= 1) return;
  out.push_back(dropped(std::span<const std::uint8_t>(held_.data(), held_count_ - 1)));
  held_[0] = held_[held_count_ - 1];
  held_count_ = 1;
}

void FrameDecoder::feed(std::span<const std::uint8_t> bytes, std::vector<Event>& out) {
  for (std::uint8_t byte : bytes) feed(byte, out);
}

std::vector<Event> FrameDecoder::feed(std::span<const std::uint8_t> bytes) {
  std::vector<Event> out;
  feed(bytes, out);
  return out;
}

std::optional<Event> FrameDecoder::finish() {
  if (held_count_ == 0) return std::nullopt;
  Event event = dropped(pending());
  held_count_ = 0;
  return event;
}

}  // namespace lumi::unit

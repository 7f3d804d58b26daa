#include "tools/unit/event_json.h"

namespace lumi::unit {

namespace {

void append_bytes(std::string& out, const std::vector<std::uint8_t>& bytes) {
  out += "\"bytes\":[";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out += ',';
    out += std::to_string(bytes[i]);
  }
  out += ']';
}

}  // namespace

std::string to_json(const Event& event) {
  std::string out;
  switch (event.kind) {
    case EventKind::probe: return "{\"event\":\"probe\"}";
    case EventKind::dropped:
      out = "{\"event\":\"dropped\",";
      append_bytes(out, event.bytes);
      out += '}';
      return out;
    case EventKind::frame:
      out = "{\"event\":\"frame\",";
      append_bytes(out, event.bytes);
      out += ",\"leds\":[";
      for (std::size_t i = 0; i < event.leds.size(); ++i) {
        if (i != 0) out += ',';
        out += event.leds[i] ? '1' : '0';
      }
      out += "]}";
      return out;
  }
  return out;
}

}  // namespace lumi::unit

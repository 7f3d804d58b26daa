#include "tools/unit/options.h"

#include <charconv>

namespace lumi::unit {

namespace {

bool parse_number(const std::string& text, unsigned long long max, unsigned long long& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty() && value <= max;
}

}  // namespace

const char* usage_text() {
  return "usage: lumiscope-unit [--json] [--baud N] [--rows 1|2] [--link PATH] [DEVICE]\n"
         "  Without DEVICE a pseudo-terminal is opened; its path is printed on the first line.\n"
         "  --json       one JSON line per probe, frame or dropped bytes instead of the LEDs\n"
         "  --baud N     line speed for DEVICE (default 9600, 8N1)\n"
         "  --rows 1|2   draw the fourteen LEDs in one line or in two rows\n"
         "  --link PATH  make PATH a symlink to the pseudo-terminal while running\n";
}

std::optional<Options> parse_options(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool only_operands = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (only_operands || arg.empty() || arg[0] != '-' || arg == "-") {
      if (!options.device.empty()) {
        error = "more than one DEVICE given";
        return std::nullopt;
      }
      if (arg.empty()) {
        error = "empty DEVICE";
        return std::nullopt;
      }
      options.device = arg;
      continue;
    }
    if (arg == "--") {
      only_operands = true;
      continue;
    }
    std::string value;
    bool has_inline_value = false;
    if (auto equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.resize(equals);
      has_inline_value = true;
    }
    auto take_value = [&]() -> bool {
      if (has_inline_value) return true;
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    bool takes_value = arg == "--baud" || arg == "--link" || arg == "--rows";
    if (!takes_value && has_inline_value) {
      error = arg + " takes no value";
      return std::nullopt;
    }
    if (arg == "--json") {
      options.json = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--baud") {
      unsigned long long baud = 0;
      if (!take_value()) return std::nullopt;
      if (!parse_number(value, 4000000, baud) || baud == 0) {
        error = "--baud wants a speed from 1 to 4000000, not \"" + value + "\"";
        return std::nullopt;
      }
      options.baud = static_cast<unsigned>(baud);
    } else if (arg == "--rows") {
      unsigned long long rows = 0;
      if (!take_value()) return std::nullopt;
      if (!parse_number(value, 2, rows) || rows == 0) {
        error = "--rows wants 1 or 2, not \"" + value + "\"";
        return std::nullopt;
      }
      options.rows = static_cast<int>(rows);
    } else if (arg == "--link") {
      if (!take_value()) return std::nullopt;
      if (value.empty()) {
        error = "--link wants a path";
        return std::nullopt;
      }
      options.link = value;
    } else {
      error = "unknown option " + arg;
      return std::nullopt;
    }
  }
  if (!options.link.empty() && !options.device.empty()) {
    // Linking a real port the unit itself listens on would make the program write to
    // the unit's own end of the cable.
    error = "--link is for the pseudo-terminal; it cannot be used with DEVICE";
    return std::nullopt;
  }
  return options;
}

}  // namespace lumi::unit

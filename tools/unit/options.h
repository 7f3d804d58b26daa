#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumi::unit {

struct Options {
  bool json = false;
  bool help = false;
  std::string device;  // empty: open a pseudo-terminal
  unsigned baud = 9600;
  std::string link;  // symlink to the pseudo-terminal's slave, made at start, removed at exit
  int rows = 0;      // 1 or 2; 0: by the terminal's width
};

// The arguments after the program name. On a mistake: nullopt and a one-line reason.
std::optional<Options> parse_options(const std::vector<std::string>& args, std::string& error);

const char* usage_text();

}  // namespace lumi::unit

#pragma once

#include <string>

namespace lumi::resources {

// The settings file a first start writes: sections "0".."13" with Signal, Var1 and
// Var2 and an empty line after each, then "Main" with the serial-line keys. Every
// line ends with CR LF (Windows-1251, ASCII only).
const std::string& DefaultSettings();

}  // namespace lumi::resources

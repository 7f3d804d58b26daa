#pragma once

#include <string>
#include <string_view>

namespace lumi::resources {

// The text resource of that name ("Str1" ...), in Windows-1251, lines ending with
// CR LF; empty for a name the program does not have.
const std::string& Text(std::string_view name);

}  // namespace lumi::resources

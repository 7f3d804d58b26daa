#pragma once

#include <string_view>

#include "runtime/text.h"

namespace lumi {

// "%windir%", "%tmpdir%" and "%sysdir%" at the start of the path expanded; a relative
// result is prefixed with the program's folder. A path is absolute when it starts with
// "/" or has a drive part (":\").
Text ExpandPath(std::string_view path);

}  // namespace lumi

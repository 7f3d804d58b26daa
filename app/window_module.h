#pragma once

#include <string>
#include <vector>

namespace lumi::app {

// The places the window module may be, in the order they are tried: beside the
// executable (a build folder, a portable copy), then where an installed program's
// module goes, found from the executable's folder (so any install prefix works).
std::vector<std::string> WindowModulePlaces(const std::string& executable_folder);

// The first of those places that holds a file; empty when none does.
std::string FindWindowModule(const std::string& executable_folder);

}  // namespace lumi::app

#pragma once

#include <string>

namespace lumi::platform::linux_backend {

// $XDG_CONFIG_HOME when it is an absolute path, else the home folder's ".config"
// ($HOME, or the password database's entry); empty when neither is known. The same
// for $XDG_DATA_HOME and ".local/share".
std::string ConfigHome();
std::string DataHome();

}  // namespace lumi::platform::linux_backend

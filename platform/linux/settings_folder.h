#pragma once

#include <string>

namespace lumi::platform::linux_backend {

// Where Settings.ini and the ports/ and drives/ maps live, ending with "/". The
// executable's own folder (the portable copy) when it already holds a Settings.ini, or
// when it is writable and no system program folder (root may write /usr/bin, but a
// package's files must not be joined there by a user's settings); otherwise
// `config_home`/lumiscope/, made with mode 0700 when missing. An empty `config_home`
// (no home folder known) leaves the executable's folder.
std::string ChooseSettingsFolder(const std::string& executable_folder, const std::string& config_home);

}  // namespace lumi::platform::linux_backend

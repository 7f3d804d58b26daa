#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/system.h"

namespace lumi::platform {

// The real system with the program moved to a folder of the caller's: the screens
// programs picture a first start in a fresh folder, touch no settings file of a real
// installation, and see no other running copy.
class MovedSystem final : public System {
 public:
  MovedSystem(System& real, std::string folder, std::string program)
      : real_(real), folder_(std::move(folder)), program_(std::move(program)) {}
  std::string ExecutablePath() override { return folder_ + program_; }
  std::string ExecutableFolder() override { return folder_; }
  std::string WindowsFolder() override { return real_.WindowsFolder(); }
  std::string SystemFolder() override { return real_.SystemFolder(); }
  std::string TempFolder() override { return real_.TempFolder(); }
  FileKind KindOf(const std::string& path) override { return real_.KindOf(path); }
  std::vector<std::string> ProcessExecutables() override { return {}; }

 private:
  System& real_;
  std::string folder_;
  std::string program_;
};

}  // namespace lumi::platform

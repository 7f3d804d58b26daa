#pragma once

#include <string>

namespace lumi::platform {

// Where the program lives and which folders stand in for the Windows ones. Paths are
// byte strings. The executable's folder and the temporary folder end with "/"; the
// Windows and system folders do not, as Windows reports them.
class System {
 public:
  virtual ~System() = default;
  virtual std::string ExecutablePath() = 0;
  virtual std::string ExecutableFolder() = 0;
  virtual std::string WindowsFolder() = 0;
  virtual std::string SystemFolder() = 0;
  virtual std::string TempFolder() = 0;
};

}  // namespace lumi::platform

#pragma once

#include <string>
#include <vector>

namespace lumi::platform {

// What is at a path: a plain file this program can read, a folder, something else
// (a FIFO, a device, a socket: reading one may wait for ever), or a plain file it may
// not read.
enum class FileKind { Missing, File, Folder, Other, Unreadable };

// Where the program lives, which folders stand in for the Windows ones, files and
// processes. Paths are byte strings. The executable's folder and the temporary folder
// end with "/" ("\" on Windows); the Windows and system folders do not, as Windows
// reports them.
class System {
 public:
  virtual ~System() = default;
  virtual std::string ExecutablePath() = 0;
  virtual std::string ExecutableFolder() = 0;
  // Where the settings file and the maps beside it live, ending with "/"; the
  // executable's folder unless a platform keeps an installed copy's settings elsewhere.
  virtual std::string SettingsFolder() { return ExecutableFolder(); }
  virtual std::string WindowsFolder() = 0;
  virtual std::string SystemFolder() = 0;
  virtual std::string TempFolder() = 0;
  virtual FileKind KindOf(const std::string& path) = 0;
  // The executable file of every running process that can be looked at.
  virtual std::vector<std::string> ProcessExecutables() = 0;
  // The same for this process and this user's processes that started before it, a tie
  // going to the lower process id: of two copies started at one moment, only one sees
  // the other, and one user's copy never stops another user's.
  virtual std::vector<std::string> EarlierProcessExecutables() { return ProcessExecutables(); }
  // Asks the earliest other copy of this program (the same executable file name, run
  // by this user, started before this one) to bring its window forward; answers its
  // process id, or 0 when there is none.
  virtual int64_t ShowRunningCopy() { return 0; }
};

}  // namespace lumi::platform

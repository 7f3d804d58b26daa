#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/event_loop.h"
#include "platform/linux/mountinfo.h"
#include "platform/sensors.h"

namespace lumi::platform::linux_backend {

// Drive letters on Linux.
//
// When the folder "drives" exists in the program's folder it is the whole map: each
// entry named by one letter (either case) is that drive, normally a symlink
// ("drives/D -> /media/usb"); a letter whose entry does not lead to a folder (a
// dangling link, a stick not plugged in) is not present. Otherwise C is "/" and D, E,
// ... are the other mounts that hold user data, in mount order (see DriveMounts).
//
// Types come from the file system type of the mount holding the drive's folder and,
// for block devices, from sysfs (the "removable" flag of the disk, or a USB bus on its
// path). Space is what statvfs reports, with free space as an ordinary user may use it.
//
// Sticks come and go, but a work cycle asks about the drives many times in a few
// milliseconds: the letters are worked out at most once in kFreshMs (less than the
// shortest cycle). The mount table is parsed only when it changed, as the kernel tells
// through the program's loop (poll on /proc/self/mountinfo); where no loop can watch,
// with the letters.
class LinuxDrives final : public Drives {
 public:
  // `program_folder` ends with "/", as System::ExecutableFolder gives it.
  static constexpr int64_t kFreshMs = 100;

  // `monotonic_ms` tells how old the letters are; tests give a clock of their own.
  explicit LinuxDrives(std::string program_folder, std::string mountinfo_path = "/proc/self/mountinfo",
                       std::string sysfs_root = "/sys", std::function<int64_t()> monotonic_ms = SteadyMs);
  ~LinuxDrives() override;
  LinuxDrives(const LinuxDrives&) = delete;
  LinuxDrives& operator=(const LinuxDrives&) = delete;

  static int64_t SteadyMs();

  uint32_t PresentMask() override;
  DriveType TypeOf(char letter) override;
  // Only a drive as the program names it: "C", "C:", "C:\" or "C:/" (either case).
  // Any other text names no drive, so a setting cannot point the sensor at an
  // arbitrary path. A network drive whose server does not answer gives nothing after
  // a bounded wait instead of stalling the program.
  std::optional<DriveSpace> SpaceOf(const std::string& drive) override;

 private:
  struct Letter {
    std::string folder;               // empty: not present
    std::optional<MountEntry> mount;  // the mount holding it, when known
  };
  using Letters = std::array<Letter, 26>;

  const Letters& Resolve();
  const std::vector<MountEntry>& Mounts();
  bool WatchMounts();
  void ReadMounts(int fd);
  bool ResolveMap(Letters& letters, const std::vector<MountEntry>& mounts);
  bool IsRemovable(const MountEntry& mount);
  bool LooksRemovable(const MountEntry& mount);

  std::string program_folder_;
  std::string mountinfo_path_;
  std::string sysfs_root_;
  std::function<int64_t()> monotonic_ms_;
  std::string buffer_;
  std::vector<MountEntry> mounts_;
  bool mounts_known_ = false;
  int mountinfo_fd_ = -1;                     // watched by the loop for changes
  const EventLoop* watching_loop_ = nullptr;  // the loop that watches it
  std::optional<Letters> letters_;
  std::map<std::pair<uint32_t, uint32_t>, bool> removable_;  // by device number, while mounted
  int64_t letters_at_ms_ = 0;
};

// The letter index (0 for A) of a drive text of the accepted forms; -1 for any other text.
int LetterOfDrive(const std::string& drive);

}  // namespace lumi::platform::linux_backend

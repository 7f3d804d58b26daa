#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sensors.h"

namespace lumi::platform::linux_backend {

// One line of /proc/self/mountinfo.
struct MountEntry {
  uint32_t major = 0;  // device of the file system; 0:0 when the field is garbled
  uint32_t minor = 0;
  std::string root;         // the folder of the file system that is mounted ("/" for all of it)
  std::string mount_point;  // octal escapes ("\040" for a space) decoded
  std::string fs_type;
  std::string source;
};

// The lines in mount order. A line without a mount point that starts with "/" is
// skipped; other missing fields read as empty or 0.
std::vector<MountEntry> ParseMountinfo(std::string_view text);

// A mountinfo field with its octal escapes decoded.
std::string DecodeMountField(std::string_view field);

bool IsRemoteFileSystem(std::string_view fs_type);

// Which mounts are drives, in letter order from C: the root first, then every other
// mount in mount order that holds user data. Left out:
//  - kernel and pseudo file systems (proc, sysfs, cgroup, devpts, devtmpfs, mqueue,
//    debugfs, tracefs, bpf, autofs, binfmt_misc, fusectl, nsfs, ...), desktop helper
//    mounts (gvfs, the portal's document store, lxcfs) and anything below /proc, /sys
//    or /dev;
//  - tmpfs and ramfs in system folders (/run, /tmp, /var and below); elsewhere they are
//    RAM disks the user made;
//  - overlay and aufs other than the root (container layers of the host), squashfs
//    (read-only package images such as snaps, always full);
//  - a mount hidden by a later mount on the same folder;
//  - a second mount of a device already given a letter (bind mounts, btrfs subvolumes:
//    same space);
//  - part of a local file system mounted on something that is not a folder (the files
//    a container runtime binds over /etc/hosts and the like); `is_folder` answers that
//    and is asked only for such mounts.
// At most 24 mounts (C..Z); the root is always there, made up when the text has none.
std::vector<MountEntry> DriveMounts(const std::vector<MountEntry>& mounts,
                                    const std::function<bool(const std::string&)>& is_folder);

// The mount whose folder holds `path` (an absolute, normalised path): the longest
// mount point that is `path` or a parent of it, the later mount where two are equal.
// Null when none does.
const MountEntry* MountHolding(const std::vector<MountEntry>& mounts, const std::string& path);

// The Windows drive type of a mount. `removable` says whether its block device is
// removable or sits on a USB bus.
DriveType TypeOfMount(const MountEntry& mount, bool removable);

// `path` with "." and ".." and repeated slashes resolved without touching the disk;
// `path` must be absolute.
std::string NormalisePath(std::string_view path);

}  // namespace lumi::platform::linux_backend

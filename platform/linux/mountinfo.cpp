#include "platform/linux/mountinfo.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <unordered_map>
#include <utility>

namespace lumi::platform::linux_backend {
namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

uint32_t ToNumber(std::string_view digits) {
  uint32_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return value;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

bool IsAtOrBelow(std::string_view path, std::string_view folder) {
  return path == folder || (path.size() > folder.size() && path.substr(0, folder.size()) == folder &&
                            path[folder.size()] == '/');
}

bool IsAtOrBelowAny(std::string_view path, std::initializer_list<std::string_view> folders) {
  return std::any_of(folders.begin(), folders.end(),
                     [path](std::string_view folder) { return IsAtOrBelow(path, folder); });
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsPseudoFileSystem(std::string_view type) {
  return IsOneOf(type, {"proc",       "sysfs",        "cgroup",   "cgroup2",         "devpts",
                        "devtmpfs",   "mqueue",       "debugfs",  "tracefs",         "securityfs",
                        "pstore",     "bpf",          "autofs",   "hugetlbfs",       "configfs",
                        "fusectl",    "binfmt_misc",  "efivarfs", "rpc_pipefs",      "nsfs",
                        "selinuxfs",  "nfsd",         "rootfs",   "fuse.gvfsd-fuse", "fuse.portal",
                        "fuse.lxcfs", "overlay",      "aufs",     "fuse-overlayfs",  "fuse.fuse-overlayfs",
                        "squashfs",   "fuse.snapfuse"});
}

bool IsMemoryFileSystem(std::string_view type) { return type == "tmpfs" || type == "ramfs"; }

bool IsDriveCandidate(const MountEntry& m) {
  if (IsAtOrBelowAny(m.mount_point, {"/proc", "/sys", "/dev"})) return false;
  if (IsPseudoFileSystem(m.fs_type)) return false;
  if (IsMemoryFileSystem(m.fs_type) && IsAtOrBelowAny(m.mount_point, {"/run", "/tmp", "/var"})) return false;
  return true;
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
        IsOctal(field[i + 3])) {
      int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      out += static_cast<char>(value & 0xFF);
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<MountEntry> ParseMountinfo(std::string_view text) {
  std::vector<MountEntry> mounts;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    // id parent major:minor root mount-point options [optional...] - type source super-options
    std::vector<std::string_view> w = Words(line);
    if (w.size() < 5) continue;
    MountEntry m;
    m.mount_point = DecodeMountField(w[4]);
    if (m.mount_point.empty() || m.mount_point[0] != '/') continue;
    size_t colon = w[2].find(':');
    if (colon != std::string_view::npos) {
      m.major = ToNumber(w[2].substr(0, colon));
      m.minor = ToNumber(w[2].substr(colon + 1));
    }
    m.root = DecodeMountField(w[3]);
    auto dash = std::find(w.begin() + 5, w.end(), std::string_view("-"));
    if (dash != w.end() && dash + 1 != w.end()) {
      m.fs_type = DecodeMountField(*(dash + 1));
      if (dash + 2 != w.end()) m.source = DecodeMountField(*(dash + 2));
    }
    mounts.push_back(std::move(m));
  }
  return mounts;
}

bool IsRemoteFileSystem(std::string_view type) {
  return IsOneOf(
      type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "sshfs", "fuse.sshfs", "9p", "afs", "ceph",
             "fuse.ceph", "glusterfs", "fuse.glusterfs", "davfs", "fuse.davfs2", "fuse.rclone", "lustre"});
}

std::vector<MountEntry> DriveMounts(const std::vector<MountEntry>& mounts,
                                    const std::function<bool(const std::string&)>& is_folder) {
  constexpr size_t kLetters = 24;  // C..Z

  // A later mount on the same folder hides an earlier one. Hosts running many
  // containers have thousands of mounts, so this is one pass, not a pair-wise search.
  std::unordered_map<std::string_view, size_t> last_on;
  for (size_t i = 0; i < mounts.size(); ++i) last_on[mounts[i].mount_point] = i;
  auto hidden = [&](size_t i) { return last_on[mounts[i].mount_point] != i; };

  std::vector<MountEntry> drives;
  auto root =
      std::find_if(mounts.rbegin(), mounts.rend(), [](const MountEntry& m) { return m.mount_point == "/"; });
  if (root != mounts.rend()) {
    drives.push_back(*root);
  } else {
    MountEntry made_up;
    made_up.root = "/";
    made_up.mount_point = "/";
    drives.push_back(made_up);
  }

  std::set<std::pair<uint32_t, uint32_t>> devices = {{drives[0].major, drives[0].minor}};
  for (size_t i = 0; i < mounts.size() && drives.size() < kLetters; ++i) {
    const MountEntry& m = mounts[i];
    if (m.mount_point == "/" || hidden(i) || !IsDriveCandidate(m)) continue;
    if (devices.count({m.major, m.minor}) != 0) continue;
    if (m.root != "/" && !IsRemoteFileSystem(m.fs_type) && is_folder && !is_folder(m.mount_point)) continue;
    devices.insert({m.major, m.minor});
    drives.push_back(m);
  }
  return drives;
}

const MountEntry* MountHolding(const std::vector<MountEntry>& mounts, const std::string& path) {
  const MountEntry* best = nullptr;
  for (const MountEntry& m : mounts) {
    if (!IsAtOrBelow(path, m.mount_point) && m.mount_point != "/") continue;
    if (best == nullptr || m.mount_point.size() >= best->mount_point.size()) best = &m;
  }
  return best;
}

DriveType TypeOfMount(const MountEntry& mount, bool removable) {
  if (IsMemoryFileSystem(mount.fs_type)) return DriveType::RamDisk;
  if (IsRemoteFileSystem(mount.fs_type)) return DriveType::Remote;
  constexpr uint32_t kScsiCdromMajor = 11;
  if (mount.fs_type == "iso9660" || mount.fs_type == "udf" || mount.major == kScsiCdromMajor ||
      mount.source.rfind("/dev/sr", 0) == 0) {
    return DriveType::CdRom;
  }
  return removable ? DriveType::Removable : DriveType::Fixed;
}

std::string NormalisePath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && path[i] == '/') ++i;
    size_t start = i;
    while (i < path.size() && path[i] != '/') ++i;
    std::string_view part = path.substr(start, i - start);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (std::string_view part : parts) {
    out += '/';
    out += part;
  }
  return out.empty() ? "/" : out;
}

}  // namespace lumi::platform::linux_backend

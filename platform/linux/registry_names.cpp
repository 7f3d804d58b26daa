#include "platform/linux/registry_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace lumi::platform::linux_backend {
namespace {

constexpr std::string_view kRunKey = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN";

// Upper case of a Windows-1251 byte: ASCII and the Cyrillic letters, as the registry
// folds names.
unsigned char UpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x90: return 0x80;
    case 0x83: return 0x81;
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9D: return 0x8D;
    case 0x9E: return 0x8E;
    case 0x9F: return 0x8F;
    case 0xA2: return 0xA1;
    case 0xBC: return 0xA3;
    case 0xB4: return 0xA5;
    case 0xB8: return 0xA8;
    case 0xBA: return 0xAA;
    case 0xBF: return 0xAF;
    case 0xB3: return 0xB2;
    case 0xBE: return 0xBD;
    default: return c;
  }
}

}  // namespace

std::string Fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return folded;
}

std::string_view TrimKey(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return key;
}

bool IsRunKey(RegistryRoot root, const std::string& key) {
  return root == RegistryRoot::CurrentUser && Fold(TrimKey(key)) == kRunKey;
}

bool IsKnownRoot(RegistryRoot root) {
  const int r = static_cast<int>(root);
  return r >= 0 && r <= 4;
}

std::optional<std::string> ReadRegistryFile(const std::string& path, bool* missing) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (missing != nullptr) *missing = fd < 0 && errno == ENOENT;
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::string> result;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<uint64_t>(info.st_size) <= kMaxRegistryFileSize) {
    std::string bytes;
    char buffer[8192];
    for (;;) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      if (n == 0) {
        result = std::move(bytes);
        break;
      }
      bytes.append(buffer, static_cast<size_t>(n));
      if (bytes.size() > kMaxRegistryFileSize) break;
    }
  }
  close(fd);
  return result;
}

}  // namespace lumi::platform::linux_backend

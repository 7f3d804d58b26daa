#include "platform/linux/proc_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace lumi::platform::linux_backend {

bool ReadWholeFile(const std::string& path, std::string& buffer) {
  buffer.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // Files of /proc report size 0, so read until the end, growing as needed. The cap
  // keeps a runaway file from eating memory; the texts read here are a few kilobytes.
  constexpr size_t kChunk = 4096;
  constexpr size_t kLimit = 16u << 20;
  bool ok = true;
  size_t used = 0;
  for (;;) {
    if (buffer.size() < used + kChunk) buffer.resize(used + kChunk);
    ssize_t n = read(fd, buffer.data() + used, buffer.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
    if (used >= kLimit) break;
  }
  close(fd);
  buffer.resize(ok ? used : 0);
  return ok;
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
  uint64_t sum = a + b;
  return sum < a ? std::numeric_limits<uint64_t>::max() : sum;
}

uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
  if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) return std::numeric_limits<uint64_t>::max();
  return a * b;
}

}  // namespace lumi::platform::linux_backend

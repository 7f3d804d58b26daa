#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumi::platform {

// Time a processor spent, since boot, in any unit, the same for all entries.
struct ProcessorTimes {
  uint64_t busy = 0;
  uint64_t total = 0;
};

class Processors {
 public:
  virtual ~Processors() = default;
  virtual int32_t Count() = 0;
  // Entries 0..n-1 for the processors, entry n for all of them together. Empty when
  // the statistics cannot be read.
  virtual std::vector<ProcessorTimes> Sample() = 0;
};

struct MemoryStatus {
  uint64_t total_physical = 0;
  uint64_t available_physical = 0;
  uint64_t total_swap = 0;
  uint64_t available_swap = 0;
};

class Memory {
 public:
  virtual ~Memory() = default;
  virtual MemoryStatus Read() = 0;
};

// Codes as Windows reports them for a drive root.
enum class DriveType : int32_t {
  Unknown = 0,
  NoRootDirectory = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6
};

struct DriveSpace {
  uint64_t free_bytes = 0;  // what an ordinary user may still use
  uint64_t total_bytes = 0;
};

// Drives are letters A..Z mapped to mounted file systems.
class Drives {
 public:
  virtual ~Drives() = default;
  virtual uint32_t PresentMask() = 0;  // bit i: letter 'A' + i
  virtual DriveType TypeOf(char letter) = 0;
  // `drive` as the program names it: "C:", "C:\", or a path; nothing when it cannot be
  // queried.
  virtual std::optional<DriveSpace> SpaceOf(const std::string& drive) = 0;
};

// The keyboard layout of the window in front, in the Windows form: the language
// identifier in both 16-bit halves (US English 0x04090409).
class Keyboard {
 public:
  virtual ~Keyboard() = default;
  virtual int32_t ForegroundWindow() = 0;  // 0 when there is none
  virtual int32_t LayoutOf(int32_t window) = 0;
};

// Whether a host name resolves, judged without ever waiting: lookups run in the
// background, one at a time.
class Resolver {
 public:
  // A new lookup starts at most this often, however often the answer is asked for.
  static constexpr int32_t kMinimumGapMs = 200;

  virtual ~Resolver() = default;
  // The answer of the latest finished lookup of `host` (false before one has finished,
  // and while one has been under way for longer than `timeout_ms`). Returns at once;
  // when no lookup is under way and the last one started kMinimumGapMs or more ago, a
  // new one starts in the background.
  virtual bool Reachable(const std::string& host, int32_t timeout_ms) = 0;
};

}  // namespace lumi::platform

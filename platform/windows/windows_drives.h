#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/sensors.h"

namespace lumi::platform::windows_backend {

// Drive letters as Windows has them. A drive is only ever named by its letter ("C",
// "C:" or "C:\"): anything else, a network path included, is not queried. A drive that
// is not there is never asked (no "insert a disk" prompt), and a network drive is asked
// on a worker: an answer later than kNetworkBoundMs reads as "cannot be queried", and
// until that worker ends the drive is not asked again.
class WindowsDrives final : public Drives {
 public:
  static constexpr int32_t kNetworkBoundMs = 1500;

  uint32_t PresentMask() override;
  DriveType TypeOf(char letter) override;
  std::optional<DriveSpace> SpaceOf(const std::string& drive) override;

  // The upper-case letter a drive text names, or 0.
  static char LetterOf(const std::string& drive);

 private:
  struct Query;
  std::optional<DriveSpace> SpaceOfRemote(char letter);

  std::mutex mutex_;
  std::map<char, std::shared_ptr<Query>> running_;
};

}  // namespace lumi::platform::windows_backend

#include "platform/windows/windows_drives.h"

#include <chrono>
#include <condition_variable>
#include <thread>

#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {

namespace {

std::string RootOf(char letter) { return std::string(1, letter) + ":\\"; }

std::optional<DriveSpace> AskSpace(char letter) {
  ULARGE_INTEGER free_to_user{}, total{};
  if (!GetDiskFreeSpaceExA(RootOf(letter).c_str(), &free_to_user, &total, nullptr)) return std::nullopt;
  return DriveSpace{.free_bytes = free_to_user.QuadPart, .total_bytes = total.QuadPart};
}

}  // namespace

struct WindowsDrives::Query {
  std::mutex mutex;
  std::condition_variable done_signal;
  bool done = false;
  std::optional<DriveSpace> answer;
};

char WindowsDrives::LetterOf(const std::string& drive) {
  if (drive.empty() || drive.size() > 3) return 0;
  const char letter = static_cast<char>(drive[0] >= 'a' && drive[0] <= 'z' ? drive[0] - 'a' + 'A' : drive[0]);
  if (letter < 'A' || letter > 'Z') return 0;
  if (drive.size() >= 2 && drive[1] != ':') return 0;
  if (drive.size() == 3 && drive[2] != '\\' && drive[2] != '/') return 0;
  return letter;
}

uint32_t WindowsDrives::PresentMask() { return GetLogicalDrives() & ((1u << 26) - 1); }

DriveType WindowsDrives::TypeOf(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return DriveType::NoRootDirectory;
  return static_cast<DriveType>(GetDriveTypeA(RootOf(letter).c_str()));
}

std::optional<DriveSpace> WindowsDrives::SpaceOf(const std::string& drive) {
  const char letter = LetterOf(drive);
  if (letter == 0 || (PresentMask() & (1u << (letter - 'A'))) == 0) return std::nullopt;
  if (TypeOf(letter) == DriveType::Remote) return SpaceOfRemote(letter);
  return AskSpace(letter);
}

std::optional<DriveSpace> WindowsDrives::SpaceOfRemote(char letter) {
  std::shared_ptr<Query> query;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = running_.find(letter);
    if (it != running_.end()) {
      std::lock_guard<std::mutex> query_lock(it->second->mutex);
      if (!it->second->done) return std::nullopt;
    }
    query = std::make_shared<Query>();
    running_[letter] = query;
  }
  try {
    std::thread([query, letter] {
      std::optional<DriveSpace> answer = AskSpace(letter);
      std::lock_guard<std::mutex> lock(query->mutex);
      query->answer = answer;
      query->done = true;
      query->done_signal.notify_all();
    }).detach();
  } catch (...) {
    std::lock_guard<std::mutex> lock(query->mutex);
    query->done = true;
    return std::nullopt;
  }
  std::unique_lock<std::mutex> lock(query->mutex);
  query->done_signal.wait_for(lock, std::chrono::milliseconds(kNetworkBoundMs), [&] { return query->done; });
  return query->done ? query->answer : std::nullopt;
}

}  // namespace lumi::platform::windows_backend

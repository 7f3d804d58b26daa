#include "tests/support/fake_platform.h"

#include <algorithm>
#include <cctype>

namespace lumi::test {
namespace {

class FakePort final : public platform::SerialPort {
 public:
  FakePort(FakeSerial* serial, int32_t number) : serial_(serial), number_(number) {}
  ~FakePort() override { ++serial_->closes; }
  std::optional<size_t> Write(std::string_view bytes) override {
    serial_->writes.emplace_back(number_, std::string(bytes));
    return bytes.size();
  }
  bool IsHealthy() override { return true; }

 private:
  FakeSerial* serial_;
  int32_t number_;
};

}  // namespace

std::unique_ptr<platform::SerialPort> FakeSerial::Open(int32_t number, std::string_view mode, int32_t) {
  opens.push_back({number, std::string(mode)});
  if (std::find(present.begin(), present.end(), number) == present.end()) return nullptr;
  return std::make_unique<FakePort>(this, number);
}

std::string FakeSerial::WrittenTo(int32_t number) const {
  std::string all;
  for (const auto& [port, bytes] : writes)
    if (port == number) all += bytes;
  return all;
}

std::vector<platform::ProcessorTimes> FakeProcessors::Sample() {
  // A long interval so that whole percents come out exact.
  constexpr uint64_t kInterval = 1000000;
  total_ += kInterval;
  busy_ += static_cast<uint64_t>(load_ * kInterval / 100.0);
  platform::ProcessorTimes one{busy_, total_};
  return {one, one, one};
}

const FakeDrives::Drive* FakeDrives::Find(char letter) const {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const Drive& d : drives)
    if (d.letter == letter) return &d;
  return nullptr;
}

uint32_t FakeDrives::PresentMask() {
  uint32_t mask = 0;
  for (const Drive& d : drives) mask |= 1u << (d.letter - 'A');
  return mask;
}

platform::DriveType FakeDrives::TypeOf(char letter) {
  const Drive* d = Find(letter);
  return d ? d->type : platform::DriveType::NoRootDirectory;
}

std::optional<platform::DriveSpace> FakeDrives::SpaceOf(const std::string& drive) {
  if (drive.empty()) return std::nullopt;
  const Drive* d = Find(drive[0]);
  if (d == nullptr) return std::nullopt;
  return d->space;
}

}  // namespace lumi::test

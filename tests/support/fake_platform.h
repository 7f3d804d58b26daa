#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sensors.h"
#include "platform/serial.h"

namespace lumi::test {

// A serial layer whose ports exist when listed; records every open, close and write.
class FakeSerial final : public platform::Serial {
 public:
  struct Open {
    int32_t number;
    std::string mode;
  };
  std::vector<int32_t> present = {1};  // COM numbers that open
  std::vector<Open> opens;
  int closes = 0;
  // Bytes written, per port number, in order.
  std::vector<std::pair<int32_t, std::string>> writes;

  std::unique_ptr<platform::SerialPort> Open(int32_t number, std::string_view mode,
                                             int32_t timeout_ms) override;

  // Everything written to one port, joined.
  std::string WrittenTo(int32_t number) const;
};

// Processor load and memory as the test sets them.
class FakeProcessors final : public platform::Processors {
 public:
  // The busy share of the next sample's interval, 0..100, for every processor.
  void SetLoad(double percent) { load_ = percent; }
  int32_t Count() override { return 2; }
  std::vector<platform::ProcessorTimes> Sample() override;

 private:
  double load_ = 0;
  uint64_t busy_ = 0;
  uint64_t total_ = 0;
};

class FakeMemory final : public platform::Memory {
 public:
  platform::MemoryStatus status;
  platform::MemoryStatus Read() override { return status; }
};

class FakeDrives final : public platform::Drives {
 public:
  struct Drive {
    char letter;
    platform::DriveType type = platform::DriveType::Fixed;
    platform::DriveSpace space;
  };
  std::vector<Drive> drives = {{'C', platform::DriveType::Fixed, {100ull << 30, 400ull << 30}}};

  uint32_t PresentMask() override;
  platform::DriveType TypeOf(char letter) override;
  std::optional<platform::DriveSpace> SpaceOf(const std::string& drive) override;

 private:
  const Drive* Find(char letter) const;
};

// The focused window's layout as the test sets it.
class FakeKeyboard final : public platform::Keyboard {
 public:
  int32_t window = 1;
  int32_t layout = 0x04090409;  // US English
  int32_t ForegroundWindow() override { return window; }
  int32_t LayoutOf(int32_t) override { return layout; }
};

// Name lookups that succeed or fail as the test says, without a network.
class FakeResolver final : public platform::Resolver {
 public:
  bool reachable = true;
  int lookups = 0;
  bool Reachable(const std::string&, int32_t) override {
    ++lookups;
    return reachable;
  }
};

}  // namespace lumi::test

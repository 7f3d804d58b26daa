#pragma once

#include <cstdint>
#include <vector>

#include "platform/sensors.h"

namespace lumi::platform::windows_backend {

// Processor times from GetSystemTimes. Windows gives them for all processors
// together only, so every processor's entry holds the whole machine's times.
class WindowsProcessors final : public Processors {
 public:
  int32_t Count() override;
  std::vector<ProcessorTimes> Sample() override;
};

// GlobalMemoryStatusEx; the page file is the commit limit, as Windows counts it.
class WindowsMemory final : public Memory {
 public:
  MemoryStatus Read() override;
};

// The focused window and the keyboard layout of the thread that owns it.
class WindowsKeyboard final : public Keyboard {
 public:
  int32_t ForegroundWindow() override;
  int32_t LayoutOf(int32_t window) override;
};

}  // namespace lumi::platform::windows_backend

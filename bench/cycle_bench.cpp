// One whole work cycle of the program (the cycle tick, fourteen channel evaluations
// with their settings reads, the frame to the port, the lamps), on the window mirror
// and virtual time, with sensors that answer at once: what the cycle itself costs,
// waits excluded. The processor sensor is faked too, but the clock is the real one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_ui.h"
#include "platform/headless/virtual_loop.h"
#include "platform/linux/ini_profile.h"
#include "platform/linux/linux_system.h"
#include "platform/sensors.h"
#include "platform/serial.h"
#include "platform/services.h"
#include "resources/resources.h"
#include "runtime/event.h"
#include "scheme/main_scheme.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

class BenchSystem final : public platform::System {
 public:
  explicit BenchSystem(std::string folder) : folder_(std::move(folder)) {}
  std::string ExecutablePath() override { return folder_ + "lumiscope"; }
  std::string ExecutableFolder() override { return folder_; }
  std::string WindowsFolder() override { return "/etc"; }
  std::string SystemFolder() override { return "/usr/lib"; }
  std::string TempFolder() override { return "/tmp/"; }
  platform::FileKind KindOf(const std::string& path) override { return real_.KindOf(path); }
  std::vector<std::string> ProcessExecutables() override { return {ExecutablePath()}; }

 private:
  platform::linux_backend::LinuxSystem real_;
  std::string folder_;
};

class SinkPort final : public platform::SerialPort {
 public:
  std::optional<size_t> Write(std::string_view bytes) override { return bytes.size(); }
  bool IsHealthy() override { return true; }
};

class SinkSerial final : public platform::Serial {
 public:
  std::unique_ptr<platform::SerialPort> Open(int32_t number, std::string_view, int32_t) override {
    return number == 1 ? std::make_unique<SinkPort>() : nullptr;
  }
};

// A load that moves, so the lamps change from cycle to cycle.
class BusyProcessors final : public platform::Processors {
 public:
  int32_t Count() override { return 1; }
  std::vector<platform::ProcessorTimes> Sample() override {
    busy_ += (tick_++ % 2) != 0 ? 90 : 10;
    total_ += 100;
    return {{busy_, total_}};
  }

 private:
  uint64_t busy_ = 0, total_ = 0, tick_ = 0;
};

class BenchMemory final : public platform::Memory {
 public:
  platform::MemoryStatus Read() override { return {16ull << 30, 5ull << 30, 4ull << 30, 3ull << 30}; }
};

class BenchDrives final : public platform::Drives {
 public:
  uint32_t PresentMask() override { return 1u << ('C' - 'A') | 1u << ('D' - 'A'); }
  platform::DriveType TypeOf(char) override { return platform::DriveType::Fixed; }
  std::optional<platform::DriveSpace> SpaceOf(const std::string&) override {
    return platform::DriveSpace{100ull << 30, 400ull << 30};
  }
};

class BenchKeyboard final : public platform::Keyboard {
 public:
  int32_t ForegroundWindow() override { return 1; }
  int32_t LayoutOf(int32_t) override { return 0x04190419; }
};

// The Internet probe answers at once: the benchmark measures the program, not the network.
class BenchResolver final : public platform::Resolver {
 public:
  bool Reachable(const std::string&, int32_t) override { return true; }
};

// Fourteen channels of the given types, pause 0.2 s.
std::string Settings(const std::vector<std::string>& channels) {
  std::string text;
  for (size_t channel = 0; channel < 14; ++channel) {
    text += "[" + std::to_string(channel) + "]\r\n" + channels[channel % channels.size()] + "\r\n";
  }
  return text + "[Main]\r\nPort=COM 1\r\nBaudRade=9600\r\nPause=0.2\r\n";
}

void RunCycles(benchmark::State& state, const std::vector<std::string>& channels) {
  const fs::path folder = fs::temp_directory_path() / ("lumi-cycle-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "Settings.ini", std::ios::binary) << Settings(channels);
  // As an installed program finds it: not written this very moment, when the reader
  // cannot yet trust its cache and parses again.
  fs::last_write_time(folder / "Settings.ini", fs::file_time_type::clock::now() - std::chrono::minutes(1));

  ResetRuntime();  // a program's first start, each time the benchmark calls
  platform::headless::HeadlessUi ui;
  platform::headless::VirtualLoop loop;
  platform::linux_backend::IniProfile profile;
  BenchSystem system(folder.string() + "/");
  SinkSerial serial;
  BusyProcessors processors;
  BenchMemory memory;
  BenchDrives drives;
  BenchKeyboard keyboard;
  BenchResolver resolver;
  auto& services = platform::Current();
  services.ui = &ui;
  services.loop = &loop;
  services.profile = &profile;
  services.system = &system;
  services.serial = &serial;
  services.processors = &processors;
  services.memory = &memory;
  services.drives = &drives;
  services.keyboard = &keyboard;
  services.resolver = &resolver;
  {
    auto scheme = std::make_unique<MainScheme>();
    scheme->Start();
    loop.AdvanceBy(1000);  // the first cycles, caches warm
    for (auto _ : state) loop.AdvanceBy(200);
    DisableDispatchers();
    scheme.reset();
    ResetRuntime();
  }
  platform::ResetServices();
  fs::remove_all(folder);
}

void BM_WorkCycleProcessorLoad(benchmark::State& state) {
  RunCycles(state, {"Signal=0\r\nVar1=50\r\nVar2=C\r\n"});
}
BENCHMARK(BM_WorkCycleProcessorLoad)->Unit(benchmark::kMicrosecond);

// Every event type once, the first three again: disks, memory, a moment, the Internet
// and the keyboard layout, each with its own panel.
void BM_WorkCycleMixed(benchmark::State& state) {
  const std::string first_language = resources::Text("Str3").substr(0, resources::Text("Str3").find('\r'));
  RunCycles(state, {
                       "Signal=0\r\nVar1=50\r\nVar2=C\r\n",
                       "Signal=1\r\nVar1=0\r\nVar2=D\r\n",
                       "Signal=2\r\nVar1=30\r\nVar2=C\r\n",
                       "Signal=3\r\nVar1=70\r\nVar2=D\r\n",
                       "Signal=4\r\nVar1=40\r\nVar2=C\r\n",
                       "Signal=5\r\nVar1=60\r\nVar2=C\r\n",
                       "Signal=6\r\nVar1=80\r\nVar2=C\r\n",
                       "Signal=7\r\nVar1=20\r\nVar2=C\r\n",
                       "Signal=8\r\nVar1=0\r\nVar2=46000.5\r\n",
                       "Signal=9\r\nVar1=0\r\nVar2=1\r\n",
                       "Signal=10\r\nVar1=0\r\nVar2=" + first_language + "\r\n",
                   });
}
BENCHMARK(BM_WorkCycleMixed)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumi

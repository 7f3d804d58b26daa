#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "platform/system.h"
#include "runtime/event.h"

namespace lumi::test {

class FixedClock final : public platform::Clock {
 public:
  CalendarTime now{2026, 12, 7, 14, 5, 9, 0, 1};
  CalendarTime LocalTime() override { return now; }
};

// The program's folder as the test chooses it, files as the file system sees them, and
// the processes the test says are running.
class FakeSystem final : public platform::System {
 public:
  std::string executable_folder = "/opt/lumiscope/";
  std::vector<std::string> processes;
  std::string ExecutablePath() override { return executable_folder + "lumiscope"; }
  std::string ExecutableFolder() override { return executable_folder; }
  std::string WindowsFolder() override { return "/etc"; }
  std::string SystemFolder() override { return "/usr/lib"; }
  std::string TempFolder() override { return "/tmp/"; }
  platform::FileKind KindOf(const std::string& path) override {
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) return platform::FileKind::Folder;
    if (!std::filesystem::exists(status)) return platform::FileKind::Missing;
    if (!std::filesystem::is_regular_file(status)) return platform::FileKind::Other;
    return access(path.c_str(), R_OK) == 0 ? platform::FileKind::File : platform::FileKind::Unreadable;
  }
  std::vector<std::string> ProcessExecutables() override { return processes; }
  // The id a running copy answers with when asked to show its window; 0: none runs.
  int64_t running_copy = 0;
  int show_requests = 0;
  int64_t ShowRunningCopy() override {
    ++show_requests;
    return running_copy;
  }
};

// Collects message boxes instead of showing them.
class MessageLog final : public platform::MessageBox {
 public:
  struct Message {
    std::string text;
    std::string caption;
  };
  std::vector<Message> shown;
  void Show(const std::string& text, const std::string& caption) override {
    shown.push_back({text, caption});
  }
  std::vector<std::string> notices;
  void Notice(const std::string& text) override { notices.push_back(text); }
};

// A started runtime with fake platform services; everything put back afterwards.
class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRuntime();
    platform::ResetServices();
    platform::Current().clock = &clock;
    platform::Current().system = &system;
    platform::Current().message_box = &messages;
    EnableDispatchers();
  }
  void TearDown() override {
    ResetRuntime();
    platform::ResetServices();
  }

  FixedClock clock;
  FakeSystem system;
  MessageLog messages;
};

}  // namespace lumi::test

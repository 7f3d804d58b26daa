#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/headless/headless_ui.h"
#include "platform/headless/virtual_loop.h"
#include "platform/services.h"
#include "runtime/cp1251.h"
#include "tests/support/fake_platform.h"
#include "tests/support/headless_user.h"
#include "tests/support/native_platform.h"
#include "tests/support/runtime_fixture.h"
#include "tests/support/temp_folder.h"

namespace lumi::test {

// What a scheme needs around it: the headless window system, virtual time, fake
// sensors and serial ports, and a real ini file in a folder of its own that stands for
// the program's folder.
class SchemeTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    system.executable_folder = folder.string() + "/";
    auto& services = platform::Current();
    services.ui = &ui;
    services.loop = &loop;
    services.profile = &profile;
    services.files = &files;
    services.serial = &serial;
    services.processors = &processors;
    services.memory = &memory;
    services.drives = &drives;
    services.keyboard = &keyboard;
    services.resolver = &resolver;
  }

  std::string SettingsPath() const { return (folder / "Settings.ini").string(); }
  static Text Cp(const char* utf8) { return cp1251::FromUtf8(utf8); }

  TempFolder temp{"scheme"};
  const std::filesystem::path& folder = temp.path();
  platform::headless::HeadlessUi ui;
  HeadlessUser user{ui};
  platform::headless::VirtualLoop loop;
  NativeProfile profile;
  NativeFiles files;
  FakeSerial serial;
  FakeProcessors processors;
  FakeMemory memory;
  FakeDrives drives;
  FakeKeyboard keyboard;
  FakeResolver resolver;
};

}  // namespace lumi::test

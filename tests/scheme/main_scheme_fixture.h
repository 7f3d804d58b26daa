#pragma once

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "scheme/main_scheme.h"
#include "tests/support/scheme_fixture.h"

namespace lumi::test {

// The whole program on the headless backend: started as the entry starts it, its
// frames read from the fake port, the user's clicks through the window mirror.
class MainSchemeFixture : public SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    system.processes = {system.ExecutablePath()};
  }
  void TearDown() override {
    scheme.reset();
    SchemeTest::TearDown();
  }

  void StartProgram() {
    scheme = std::make_unique<MainScheme>();
    scheme->Start();
    loop.AdvanceBy(0);
    greeting = serial.WrittenTo(1).size();  // the port scan says "AT" first
  }
  std::string FileText() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // Bytes written to the indicator unit since the start-up greeting.
  std::string Frames() const { return serial.WrittenTo(1).substr(greeting); }
  void Click(TElWin* control) {
    ASSERT_TRUE(user.PressMouse(control->PlatformControl(), platform::MouseButton::Left, {5, 5}));
    ASSERT_TRUE(user.ReleaseMouse(control->PlatformControl(), platform::MouseButton::Left, {5, 5}));
  }
  // The window goes to the tray right after a start in work mode; a user clicks the
  // icon before reaching any button.
  void RestoreWindow() { ASSERT_TRUE(user.ClickTray(platform::MouseButton::Left)); }
  // The label beside lamp channel + 1.
  std::string RowText(int channel) const {
    const std::string number = (channel < 9 ? "0" : "") + std::to_string(channel + 1);
    const platform::headless::HeadlessControl* control =
        ui.FindByHint(Cp("Текущая настройка индикатора №") + number);
    return control != nullptr ? control->State().text : "<none>";
  }

  std::unique_ptr<MainScheme> scheme;
  size_t greeting = 0;
};

}  // namespace lumi::test

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "elements/window/main_form.h"
#include "platform/event_loop.h"
#include "tests/elements/window/window_fixture.h"

namespace lumi::test {

// A loop that only counts the requests to end it.
class QuitCounter final : public platform::EventLoop {
 public:
  int quits = 0;
  TimerId StartTimer(uint32_t, std::function<void()>) override { return 1; }
  void StopTimer(TimerId) override {}
  void Post(std::function<void()>) override {}
  void Run() override {}
  void Quit() override { ++quits; }
  int64_t NowMs() override { return 0; }
};

// Runs a check at the moment an event reaches it, to see the state then.
class Spy : public TElement {
 public:
  explicit Spy(std::function<void()> look) : look_(std::move(look)) {}
  void Take(TData&, uint16_t) { look_(); }
  TEl_Event Point() { return Link<&Spy::Take>(this); }

 private:
  std::function<void()> look_;
};

class FormTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    platform::Current().loop = &loop;
    ui.SetScreenSize({1024, 768});
  }

  // The program's windows as the scheme sets them up, built but not started.
  static void SetUpMain(TElMainForm& form) {
    form.Caption = "Lumiscope 1.0.0.0";
    form.Width = 558;
    form.Height = 616;
    form.BorderStyle = 1;
    form.ClientSized = true;
    form.Icon = {2, 1, {0xFFFF0000, 0xFF00FF00}};
    form.Init();
  }
  static void SetUpAbout(TElMainForm& form) {
    form.Caption = cp1251::FromUtf8("О программе");
    form.Width = 368;
    form.Height = 294;
    form.BorderStyle = 3;
    form.Visible = false;
    form.Init();
  }

  bool Showing(const TElWin& form) { return Mirror(form)->State().visible; }
  bool IsActive(const TElWin& form) { return ui.ActiveForm() == form.PlatformControl(); }

  QuitCounter loop;
};

}  // namespace lumi::test

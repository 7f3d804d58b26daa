#pragma once

#include <gtest/gtest.h>

#include "elements/window/win.h"
#include "platform/headless/headless_ui.h"
#include "platform/services.h"
#include "runtime/cp1251.h"
#include "tests/support/headless_user.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi::test {

// A started runtime whose window system is the headless mirror.
class WindowTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().ui = &ui;
  }

  platform::headless::HeadlessControl* Mirror(const TElWin& element) {
    return ui.Mirror(element.PlatformControl());
  }

  // Calls an action as a linked point would.
  template <auto Action, class E>
  void Act(E& element, TData value = {}) {
    Fire(Link<Action>(&element), value);
  }

  // Reads a value point as a linked data point would.
  template <auto Value, class E>
  TData Read(E& element) {
    TData result;
    lumi::Read(Link<Value>(&element), result);
    return result;
  }

  static Text Cp(const char* utf8) { return cp1251::FromUtf8(utf8); }

  platform::headless::HeadlessUi ui;
  HeadlessUser user{ui};
};

// The integers a probe received, in order.
inline std::vector<int32_t> Integers(const Probe& probe) {
  std::vector<int32_t> values;
  for (const TData& d : probe.received) values.push_back(d.AsInteger());
  return values;
}

}  // namespace lumi::test

#include "elements/window/timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/virtual_loop.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

// Notes every event with the virtual moment it came at; can pump messages (move time
// from inside the handler) the first time OnTimer reaches it.
class Recorder : public TElement {
 public:
  platform::headless::VirtualLoop* loop = nullptr;
  std::vector<std::string> log;
  int64_t pump_ms = 0;

  void Tick(TData&, uint16_t) {
    log.push_back("tick@" + std::to_string(loop->NowMs()));
    if (pump_ms > 0) {
      const int64_t span = pump_ms;
      pump_ms = 0;
      loop->AdvanceBy(span);
      log.push_back("end@" + std::to_string(loop->NowMs()));
    }
  }
  void Stopped(TData&, uint16_t) { log.push_back("stop@" + std::to_string(loop->NowMs())); }
};

class TimerTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    platform::Current().loop = &loop;
    recorder.loop = &loop;
  }

  void Wire(TElTimer& timer) {
    timer.OnTimer = Link<&Recorder::Tick>(&recorder);
    timer.OnStop = Link<&Recorder::Stopped>(&recorder);
  }
  // Through the dispatcher, as a linked point would call it.
  template <auto Action>
  void Act(TElTimer& timer, TData value = {}) {
    Fire(Link<Action>(&timer), value);
  }

  using Log = std::vector<std::string>;
  platform::headless::VirtualLoop loop;
  Recorder recorder;
};

TEST_F(TimerTest, AutoStopOneGivesASingleTickThenStops) {
  TElTimer timer;
  Wire(timer);
  timer.SetIntervalMs(10);
  timer.SetAutoStop(1);
  Act<&TElTimer::Start>(timer);
  loop.AdvanceBy(100);
  EXPECT_EQ(recorder.log, (Log{"tick@10", "stop@10"}));
  EXPECT_FALSE(timer.IsEnabled());
  EXPECT_EQ(loop.RunningTimers(), 0u);
}

TEST_F(TimerTest, StartOnARunningTimerReloadsTheCountdownButKeepsThePeriod) {
  TElTimer timer;
  Wire(timer);
  timer.SetIntervalMs(10);
  timer.AutoStop = 3;
  Act<&TElTimer::Start>(timer);
  loop.AdvanceBy(25);
  Act<&TElTimer::Start>(timer);
  loop.AdvanceBy(100);
  EXPECT_EQ(recorder.log, (Log{"tick@10", "tick@20", "tick@30", "tick@40", "tick@50", "stop@50"}));
}

TEST_F(TimerTest, StopAlwaysFiresOnStopAndWithoutAutoStopTicksGoOn) {
  TElTimer timer;
  Wire(timer);
  EXPECT_EQ(timer.IntervalMs(), 1000u);
  Act<&TElTimer::Stop>(timer);  // not running
  timer.SetEnabled(true);
  loop.AdvanceBy(3000);
  Act<&TElTimer::Stop>(timer);
  loop.AdvanceBy(3000);
  EXPECT_EQ(recorder.log, (Log{"stop@0", "tick@1000", "tick@2000", "tick@3000", "stop@3000"}));
  EXPECT_LT(timer.Remaining(), 0);
}

TEST_F(TimerTest, OnlyANewIntervalOrEnabledFlagRestartsThePeriod) {
  TElTimer timer;
  Wire(timer);
  timer.SetIntervalMs(100);
  timer.SetEnabled(true);
  loop.AdvanceBy(50);
  timer.SetEnabled(true);
  Act<&TElTimer::SetInterval>(timer, TData::Integer(100));
  loop.AdvanceBy(70);  // 120
  Act<&TElTimer::SetInterval>(timer, TData::String("40"));
  loop.AdvanceBy(80);  // 200
  EXPECT_EQ(recorder.log, (Log{"tick@100", "tick@160", "tick@200"}));

  // Values that are no period still never tick faster than the platform minimum.
  Act<&TElTimer::SetInterval>(timer, TData::String("abc"));
  EXPECT_EQ(timer.IntervalMs(), 0u);
  Act<&TElTimer::SetInterval>(timer, TData::Integer(-5));
  EXPECT_EQ(timer.IntervalMs(), platform::EventLoop::kMinimumIntervalMs);
  recorder.log.clear();
  loop.AdvanceBy(20);
  EXPECT_EQ(recorder.log, (Log{"tick@210", "tick@220"}));
}

TEST_F(TimerTest, ATickDuringOnTimerIsDroppedOrQueued) {
  TElTimer dropping;
  Wire(dropping);
  dropping.SetIntervalMs(10);
  recorder.pump_ms = 15;
  dropping.SetEnabled(true);
  loop.AdvanceBy(30);
  EXPECT_EQ(recorder.log, (Log{"tick@10", "end@25", "tick@30"}));
  dropping.SetEnabled(false);

  // Queued: handled right after the pass that was running, not inside it.
  recorder.log.clear();
  TElTimer queueing;
  Wire(queueing);
  queueing.QueueTicks = true;
  queueing.SetIntervalMs(10);
  recorder.pump_ms = 15;
  queueing.SetEnabled(true);
  loop.AdvanceBy(20);
  EXPECT_EQ(recorder.log, (Log{"tick@40", "end@55", "tick@55"}));
}

TEST_F(TimerTest, TheAutomaticStopDropsTicksStillQueued) {
  TElTimer timer;
  Wire(timer);
  timer.QueueTicks = true;
  timer.SetIntervalMs(10);
  timer.AutoStop = 2;
  recorder.pump_ms = 25;  // two ticks queue up behind the first
  Act<&TElTimer::Start>(timer);
  loop.AdvanceBy(100);
  EXPECT_EQ(recorder.log, (Log{"tick@10", "end@35", "tick@35", "stop@35"}));
}

TEST_F(TimerTest, DestructionStopsThePlatformTimer) {
  {
    TElTimer timer;
    Wire(timer);
    timer.SetEnabled(true);
    EXPECT_EQ(loop.RunningTimers(), 1u);
  }
  EXPECT_EQ(loop.RunningTimers(), 0u);
  loop.AdvanceBy(5000);
  EXPECT_TRUE(recorder.log.empty());
}

}  // namespace
}  // namespace lumi

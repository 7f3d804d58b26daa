#include "platform/headless/virtual_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lumi::platform::headless {
namespace {

using Log = std::vector<std::pair<std::string, int64_t>>;

TEST(VirtualLoopTest, TicksFireInDueOrderEachAtItsOwnMoment) {
  VirtualLoop loop;
  Log log;
  auto record = [&](std::string name) {
    return [&log, &loop, name] { log.emplace_back(name, loop.NowMs()); };
  };
  loop.StartTimer(30, record("a"));
  loop.StartTimer(20, record("b"));
  loop.StartTimer(30, record("c"));
  const auto fast = loop.StartTimer(3, [] {});

  loop.AdvanceBy(60);

  // Ties go in start order, at every moment they meet.
  EXPECT_EQ(log, (Log{{"b", 20}, {"a", 30}, {"c", 30}, {"b", 40}, {"a", 60}, {"b", 60}, {"c", 60}}));
  EXPECT_EQ(loop.NowMs(), 60);
  EXPECT_EQ(loop.IntervalOf(fast), EventLoop::kMinimumIntervalMs);
  EXPECT_EQ(loop.NextDueMs(), 70);

  // Time never runs backwards; a moment in the past fires nothing.
  loop.AdvanceTo(10);
  EXPECT_EQ(loop.NowMs(), 60);
  EXPECT_EQ(log.size(), 7u);
}

TEST(VirtualLoopTest, AnIdleTimerTicksRightAfterTheTimersDueNowOncePerTurn) {
  VirtualLoop loop;
  Log log;
  EventLoop::TimerId step = 0;
  int steps = 0;
  loop.StartTimer(10, [&] {
    log.emplace_back("tick", loop.NowMs());
    steps = 0;
    // A chain of steps, each one a turn of the loop, as the work cycle makes them.
    step = loop.StartTimer(EventLoop::kIdle, [&] {
      log.emplace_back("step", loop.NowMs());
      if (++steps == 3) loop.StopTimer(step);
    });
  });
  loop.StartTimer(10, [&] { log.emplace_back("other", loop.NowMs()); });
  loop.AdvanceBy(10);
  EXPECT_EQ(log, (Log{{"tick", 10}, {"other", 10}, {"step", 10}, {"step", 10}, {"step", 10}}));
  EXPECT_EQ(loop.IntervalOf(step), std::nullopt);  // it stopped itself

  // One that never stops cannot hold virtual time.
  loop.StartTimer(EventLoop::kIdle, [] {});
  loop.AdvanceBy(5);
  EXPECT_EQ(loop.NowMs(), 15);
}

TEST(VirtualLoopTest, TicksMayStopAndStartTimers) {
  VirtualLoop loop;
  Log log;
  EventLoop::TimerId first = 0, second = 0, later = 0;
  first = loop.StartTimer(10, [&] {
    log.emplace_back("first", loop.NowMs());
    loop.StopTimer(first);   // its own
    loop.StopTimer(second);  // due at this very moment, after it
    later = loop.StartTimer(15, [&] { log.emplace_back("later", loop.NowMs()); });
  });
  second = loop.StartTimer(10, [&] { log.emplace_back("second", loop.NowMs()); });

  loop.AdvanceBy(40);

  EXPECT_EQ(log, (Log{{"first", 10}, {"later", 25}, {"later", 40}}));
  EXPECT_FALSE(loop.IsRunning(first));
  EXPECT_TRUE(loop.IsRunning(later));
  loop.StopTimer(first);  // stopping twice does nothing
  EXPECT_EQ(loop.RunningTimers(), 1u);
}

TEST(VirtualLoopTest, AdvancingInsideATickFiresTheNestedSpanInside) {
  VirtualLoop loop;
  Log log;
  bool pumped = false;
  loop.StartTimer(10, [&] {
    log.emplace_back("pump+", loop.NowMs());
    if (!pumped) {
      pumped = true;
      loop.AdvanceBy(25);
    }
    log.emplace_back("pump-", loop.NowMs());
  });
  loop.StartTimer(15, [&] { log.emplace_back("other", loop.NowMs()); });

  loop.AdvanceBy(40);

  EXPECT_EQ(log, (Log{{"pump+", 10},
                      {"other", 15},
                      {"pump+", 20},
                      {"pump-", 20},
                      {"pump+", 30},
                      {"pump-", 30},
                      {"other", 30},
                      {"pump-", 35},
                      {"pump+", 40},
                      {"pump-", 40}}));
  EXPECT_EQ(loop.NowMs(), 40);
}

TEST(VirtualLoopTest, PostedTasksAndRun) {
  VirtualLoop loop;
  std::vector<int> order;
  loop.Post([&] {
    order.push_back(1);
    loop.Post([&] { order.push_back(3); });
  });
  loop.Post([&] { order.push_back(2); });
  EXPECT_EQ(loop.RunPending(), 3u);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(loop.NowMs(), 0);

  // Run moves from due timer to due timer until a tick quits.
  int ticks = 0;
  const auto id = loop.StartTimer(10, [&] {
    if (++ticks == 5) loop.Quit();
  });
  loop.Run();
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(loop.NowMs(), 50);

  // A timer that never quits meets the run limit; with nothing due Run ends at once.
  loop.SetRunLimit(100);
  loop.Run();
  EXPECT_EQ(ticks, 105);
  loop.StopTimer(id);
  loop.Run();
  EXPECT_EQ(ticks, 105);

  // A Quit before Run ends it before anything runs.
  loop.Post([&] { order.push_back(4); });
  loop.Quit();
  loop.Run();
  EXPECT_EQ(order.size(), 3u);
  loop.Run();
  EXPECT_EQ(order.size(), 4u);
}

}  // namespace
}  // namespace lumi::platform::headless

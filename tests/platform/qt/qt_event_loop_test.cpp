#include "platform/qt/qt_event_loop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace lumi::platform::qt_backend {
namespace {

// The loop must end even when a test is wrong.
void QuitAfterAWhile(QtEventLoop& loop) {
  QTimer::singleShot(10000, [&loop] {
    ADD_FAILURE() << "the loop was still running";
    loop.Quit();
  });
}

TEST(QtEventLoopTest, TimersTickUntilStoppedEvenFromTheirOwnTick) {
  QtEventLoop loop;
  QuitAfterAWhile(loop);
  int fast = 0;
  int slow = 0;
  EventLoop::TimerId fast_id = 0;
  fast_id = loop.StartTimer(0, [&] {
    // Stopped from within its own tick: never called again.
    if (++fast == 3) loop.StopTimer(fast_id);
  });
  loop.StartTimer(20, [&] {
    if (++slow == 6) loop.Quit();
  });
  EXPECT_NE(fast_id, 0u);
  loop.Run();
  EXPECT_EQ(fast, 3);
  EXPECT_EQ(slow, 6);
  EXPECT_EQ(loop.RunningTimers(), 1u);
  loop.StopTimer(fast_id);  // no longer running: nothing happens
  loop.StopTimer(12345);
}

TEST(QtEventLoopTest, AStoppedTimerNeverTicksAgainAndIdsAreNotReused) {
  QtEventLoop loop;
  QuitAfterAWhile(loop);
  int stopped_ticks = 0;
  const auto first = loop.StartTimer(10, [&] { ++stopped_ticks; });
  const auto second = loop.StartTimer(10, [] {});
  EXPECT_NE(first, second);
  loop.StopTimer(first);
  loop.StartTimer(60, [&] { loop.Quit(); });
  loop.Run();
  EXPECT_EQ(stopped_ticks, 0);
}

// The step timers of the work cycle: each tick stops its one-shot timer and starts the
// next one, which reuses the stopped timer. Every step runs its own tick, once.
TEST(QtEventLoopTest, ATimerStartedFromTheTickThatStoppedAnotherRunsOnlyItsOwnTick) {
  QtEventLoop loop;
  QuitAfterAWhile(loop);
  std::vector<int> steps;
  std::function<void(int)> start_step = [&](int step) {
    auto id = std::make_shared<EventLoop::TimerId>();
    *id = loop.StartTimer(1, [&, id, step] {
      loop.StopTimer(*id);
      steps.push_back(step);
      if (step < 20) {
        start_step(step + 1);
      } else {
        loop.Quit();
      }
    });
  };
  start_step(0);
  loop.Run();
  ASSERT_EQ(steps.size(), 21u);
  for (int i = 0; i <= 20; ++i) EXPECT_EQ(steps[static_cast<size_t>(i)], i);
  EXPECT_EQ(loop.RunningTimers(), 0u);
}

TEST(QtEventLoopTest, PostedTasksRunOnTheLoopInOrderFromAnyThread) {
  QtEventLoop loop;
  QuitAfterAWhile(loop);
  std::vector<int> order;
  const auto loop_thread = std::this_thread::get_id();
  bool on_loop_thread = true;
  loop.Post([&] { order.push_back(1); });
  loop.Post([&] { order.push_back(2); });
  std::thread worker([&] {
    loop.Post([&] {
      on_loop_thread = std::this_thread::get_id() == loop_thread;
      order.push_back(3);
      loop.Quit();
    });
  });
  loop.Run();
  worker.join();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(on_loop_thread);
}

TEST(QtEventLoopTest, QuitBeforeRunReturnsAtOnceAndTheLoopRunsAgainAfterwards) {
  QtEventLoop loop;
  QuitAfterAWhile(loop);
  loop.Quit();
  loop.Run();  // returns at once
  bool ran = false;
  loop.Post([&] {
    ran = true;
    loop.Quit();
  });
  loop.Run();
  EXPECT_TRUE(ran);
  EXPECT_GT(loop.NowMs(), 0);
}

TEST(QtEventLoopTest, TasksPostedToADestroyedLoopAreDropped) {
  bool ran = false;
  {
    QtEventLoop loop;
    loop.Post([&] { ran = true; });
  }
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace lumi::platform::qt_backend

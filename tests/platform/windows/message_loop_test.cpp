#include "platform/windows/message_loop.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/windows/show_request.h"
#include "platform/windows/win32.h"

namespace lumi::platform::windows_backend {
namespace {

TEST(MessageLoop, TimersTickUntilStoppedAndAStopInsideATickIsTheLastTick) {
  MessageLoop loop;
  int fast = 0;
  int once = 0;
  EventLoop::TimerId once_id = 0;
  loop.StartTimer(20, [&] { ++fast; });
  once_id = loop.StartTimer(10, [&] {
    ++once;
    loop.StopTimer(once_id);
  });
  loop.StartTimer(300, [&] { loop.Quit(); });
  loop.Run();
  EXPECT_GE(fast, 3);
  EXPECT_EQ(once, 1);
}

TEST(MessageLoop, AnIdleTimerTicksAtEveryTurnWithoutSleepingAndStopsAtOnce) {
  MessageLoop loop;
  int steps = 0;
  EventLoop::TimerId idle = 0;
  const int64_t started = loop.NowMs();
  idle = loop.StartTimer(EventLoop::kIdle, [&] {
    if (++steps == 14) {
      loop.StopTimer(idle);
      loop.Quit();
    }
  });
  loop.Run();
  EXPECT_EQ(steps, 14);
  // Fourteen 10 ms timers would take 140 ms at least.
  EXPECT_LT(loop.NowMs() - started, 140);
}

TEST(MessageLoop, WorkPostedFromAnotherThreadRunsOnTheLoopInOrder) {
  MessageLoop loop;
  std::vector<int> order;
  const std::thread::id loop_thread = std::this_thread::get_id();
  bool on_loop_thread = true;
  std::thread poster([&] {
    for (int i = 0; i < 5; ++i) {
      loop.Post([&, i] {
        order.push_back(i);
        on_loop_thread = on_loop_thread && std::this_thread::get_id() == loop_thread;
        if (i == 4) loop.Quit();
      });
    }
  });
  loop.Run();
  poster.join();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(on_loop_thread);
}

TEST(MessageLoop, AQuitBeforeRunEndsRunAtOnce) {
  MessageLoop loop;
  loop.Quit();
  loop.Run();
  SUCCEED();
}

// The end of the session comes inside a window's message while Run still runs: the
// ending must be done before the window answers, and only once.
TEST(MessageLoop, AnEndFromTheSystemRunsTheEndingOnceBeforeItReturnsAndEndsRun) {
  MessageLoop loop;
  int endings = 0;
  int endings_on_return = 0;
  loop.SetEndingHandler([&] { ++endings; });
  loop.StartTimer(10, [&] {
    loop.EndNow();
    endings_on_return = endings;
    loop.EndNow();
  });
  loop.Run();
  EXPECT_EQ(endings_on_return, 1);
  EXPECT_EQ(endings, 1);
}

TEST(MessageLoop, AShowRequestPostedToTheLoopWindowReachesTheHandler) {
  MessageLoop loop;
  int shown = 0;
  loop.SetShowRequestHandler([&] {
    ++shown;
    loop.Quit();
  });
  HWND window = FindWindowExA(HWND_MESSAGE, nullptr, kLoopWindowClass, nullptr);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, RegisterWindowMessageA(kShowRequestMessage), 0, 0);
  loop.StartTimer(2000, [&] { loop.Quit(); });
  loop.Run();
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace lumi::platform::windows_backend

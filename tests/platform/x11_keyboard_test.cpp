#include "platform/linux/x11_keyboard.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/linux/xkb_languages.h"

// Last: the macros of Xlib (None, Bool, Status) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace lumi::platform::linux_backend {
namespace {

constexpr int32_t kUsEnglishLayout = 67699721;
constexpr int32_t kRussianLayout = 68748313;

int32_t LocaleLayout() {
  return LayoutValue(
      LanguageOfEnvironment(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG")));
}

// A private X server for one test. It picks a free display number itself and writes
// it to a pipe once it accepts connections, so parallel tests never collide.
class X11KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const std::string write_fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb",    "-displayfd", write_fd.c_str(), "-nolisten", "tcp",
                          "-screen", "0",          "320x240x24",     "-nocursor", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned =
        posix_spawnp(&server_, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
      server_ = 0;
      close(fds[0]);
      GTEST_SKIP() << "Xvfb could not be started (not installed?): the live X11 read is not tested";
    }

    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, 15000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
      StopServer();
      GTEST_SKIP() << "Xvfb started but never accepted connections: the live X11 read is not tested";
    }
    display_name_ = ":" + number;
  }

  void TearDown() override { StopServer(); }

  void StopServer() {
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    int status = 0;
    waitpid(server_, &status, 0);
    server_ = 0;
  }

  std::string display_name_;
  pid_t server_ = 0;
};

TEST_F(X11KeyboardTest, ReadsTheServersOnlyLayoutForEveryWindow) {
  LinuxKeyboard keyboard(display_name_);
  EXPECT_EQ(keyboard.LayoutOf(0), kUsEnglishLayout);
  EXPECT_TRUE(keyboard.Connected());
  // One layout group per display: the window does not matter.
  EXPECT_EQ(keyboard.LayoutOf(0x1234567), kUsEnglishLayout);
  // No window manager publishes an active window.
  EXPECT_EQ(keyboard.ForegroundWindow(), 0);
}

TEST_F(X11KeyboardTest, FollowsTheRootWindowProperties) {
  Display* display = XOpenDisplay(display_name_.c_str());
  ASSERT_NE(display, nullptr);
  const Window root = DefaultRootWindow(display);
  const Window window = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
  const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  XChangeProperty(display, root, active, XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&window), 1);
  // The names a desktop publishes for two layouts; Xvfb's keymap keeps its single
  // group, so group 0 is now named "ru".
  const char names[] = "evdev\0pc105\0ru,us\0,\0";
  const Atom rules = XInternAtom(display, "_XKB_RULES_NAMES", False);
  XChangeProperty(display, root, rules, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(names), sizeof(names) - 1);
  XSync(display, False);

  LinuxKeyboard keyboard(display_name_);
  EXPECT_EQ(keyboard.ForegroundWindow(), static_cast<int32_t>(window));
  EXPECT_EQ(keyboard.LayoutOf(0), kRussianLayout);

  // A layout the table has no language for reads as 0, not as the locale's.
  const char unknown[] = "evdev\0pc105\0epo\0\0";
  XChangeProperty(display, root, rules, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(unknown), sizeof(unknown) - 1);
  XSync(display, False);
  EXPECT_EQ(keyboard.LayoutOf(0), 0);

  // Without any layout names the server tells nothing: the locale decides.
  XDeleteProperty(display, root, rules);
  XDeleteProperty(display, root, active);
  XSync(display, False);
  EXPECT_EQ(keyboard.LayoutOf(0), LocaleLayout());
  EXPECT_EQ(keyboard.ForegroundWindow(), 0);
  XCloseDisplay(display);
}

TEST_F(X11KeyboardTest, OutlivesItsServer) {
  LinuxKeyboard keyboard(display_name_);
  ASSERT_EQ(keyboard.LayoutOf(0), kUsEnglishLayout);
  StopServer();
  // Xlib's reaction to a lost server is to end the program; here it reads on.
  EXPECT_EQ(keyboard.LayoutOf(0), LocaleLayout());
  EXPECT_EQ(keyboard.ForegroundWindow(), 0);
  EXPECT_EQ(keyboard.LayoutOf(0), LocaleLayout());
  EXPECT_FALSE(keyboard.Connected());
}

TEST(X11KeyboardWithoutServer, WithoutAServerAnswersFromTheLocale) {
  LinuxKeyboard keyboard(":59999");
  EXPECT_EQ(keyboard.LayoutOf(0), LocaleLayout());
  EXPECT_EQ(keyboard.ForegroundWindow(), 0);
  EXPECT_FALSE(keyboard.Connected());
}

}  // namespace
}  // namespace lumi::platform::linux_backend

#include "platform/qt/display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace lumi::platform::qt_backend {
namespace {

// Sets environment variables for one test and puts the old values back.
class Environment {
 public:
  void Set(const char* name, const char* value) {
    if (!saved_.contains(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~Environment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(DisplayTest, ADisplayThatDoesNotAnswerIsNone) {
  Environment env;
  env.Set("QT_QPA_PLATFORM", nullptr);
  env.Set("DISPLAY", nullptr);
  env.Set("WAYLAND_DISPLAY", nullptr);
  EXPECT_EQ(FindDisplay(), DisplayKind::None);
  EXPECT_FALSE(PrepareDisplay());
  EXPECT_EQ(std::getenv("QT_QPA_PLATFORM"), nullptr);  // nothing chosen

  env.Set("DISPLAY", ":4711");  // no such server
  env.Set("WAYLAND_DISPLAY", "no-such-wayland-socket");
  EXPECT_FALSE(CanOpenDisplay());

  env.Set("QT_QPA_PLATFORM", "xcb");
  EXPECT_EQ(FindDisplay(), DisplayKind::None);
}

TEST(DisplayTest, APlatformWithoutDisplayIsTakenAsAsked) {
  Environment env;
  env.Set("DISPLAY", ":4711");
  env.Set("QT_QPA_PLATFORM", "offscreen");
  EXPECT_EQ(FindDisplay(), DisplayKind::Virtual);
  // Entries are tried in order.
  env.Set("QT_QPA_PLATFORM", "xcb;minimal");
  EXPECT_EQ(FindDisplay(), DisplayKind::Virtual);
  EXPECT_TRUE(PrepareDisplay());
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "xcb;minimal");  // an explicit choice stays
}

}  // namespace
}  // namespace lumi::platform::qt_backend

// The GUI tests: the real program with its Qt window module, driven as a person would in
// an X session of the test program's own (Xvfb, openbox, trayer), shared by all cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gui/support/program.h"
#include "tests/gui/support/x_session.h"

namespace {

lumi::e2e::RunOptions LinuxOptions(std::vector<std::string> arguments) {
  lumi::e2e::RunOptions options;
  options.window_module = LUMISCOPE_WINDOW_MODULE;
  options.environment = {"DISPLAY=" + lumi::gui::Display(), "LANG=C.UTF-8", "LC_ALL=C.UTF-8"};
  options.arguments = std::move(arguments);
  options.program_name = lumi::gui::kProgramName;
  return options;
}

class SessionEnvironment final : public testing::Environment {
 public:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(lumi::gui::Session().Start(error)) << error;
  }
  void TearDown() override { lumi::gui::Session().Stop(); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  lumi::gui::UnderTest().options = &LinuxOptions;
  testing::AddGlobalTestEnvironment(new SessionEnvironment);
  return RUN_ALL_TESTS();
}

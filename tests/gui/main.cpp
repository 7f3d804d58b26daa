// The GUI tests: the real program with its Qt window module, driven as a person would in
// an X session of the test program's own (Xvfb, openbox, trayer), shared by all cases.
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/support/x_session.h"

namespace {

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
  testing::AddGlobalTestEnvironment(new SessionEnvironment);
  return RUN_ALL_TESTS();
}

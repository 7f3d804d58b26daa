#include "platform/single_message_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumi::platform {
namespace {

// A window system whose modal box runs a callback while it is open, as the loop
// running inside a modal box would.
class ModalUi final : public Ui {
 public:
  std::vector<std::string> shown;
  std::function<void()> while_open;
  bool fail = false;

  std::unique_ptr<Control> Create(ControlKind, Control*, ControlEvents*) override { return nullptr; }
  Size ScreenSize() override { return {}; }
  Control* ActiveForm() override { return nullptr; }
  void MessageBox(const std::string& text, const std::string& caption) override {
    shown.push_back(caption + ": " + text);
    if (fail) throw std::runtime_error("no display");
    if (while_open) while_open();
  }
  bool HasTray() override { return false; }
  void ShowTrayIcon(const Picture&, const std::string&, TrayEvents*) override {}
  void HideTrayIcon() override {}
  int32_t PopupMenu(const std::vector<MenuItem>&) override { return -1; }
};

TEST(SingleMessageBoxTest, MessagesWhileABoxIsOpenAreDroppedAndNotShownAfterIt) {
  ModalUi ui;
  SingleMessageBox box(ui);
  ui.while_open = [&] {
    EXPECT_TRUE(box.IsOpen());
    box.Show("again", "String-Debug");
    box.Show("and again", "String-Debug");
  };
  box.Show("first", "String-Debug");
  EXPECT_EQ(ui.shown, std::vector<std::string>{"String-Debug: first"});
  EXPECT_EQ(box.Dropped(), 2);
  EXPECT_FALSE(box.IsOpen());

  // Once it is closed the next message shows.
  ui.while_open = nullptr;
  box.Show("later", "String-Debug");
  EXPECT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown.back(), "String-Debug: later");
}

TEST(SingleMessageBoxTest, ABoxThatFailsDoesNotSilenceTheNextOne) {
  ModalUi ui;
  SingleMessageBox box(ui);
  ui.fail = true;
  EXPECT_THROW(box.Show("first", "c"), std::runtime_error);
  EXPECT_FALSE(box.IsOpen());
  ui.fail = false;
  box.Show("second", "c");
  EXPECT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(box.Dropped(), 0);
}

}  // namespace
}  // namespace lumi::platform

#include "platform/headless/headless_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/headless_user.h"

namespace lumi::platform::headless {
namespace {

using Log = std::vector<std::string>;

// Writes down what the control reports.
class EventLog final : public ControlEvents, public TrayEvents {
 public:
  Log log;
  std::function<void()> on_mouse_down;

  void KeyDown(int32_t key) override { log.push_back("KeyDown " + std::to_string(key)); }
  void KeyUp(int32_t key) override { log.push_back("KeyUp " + std::to_string(key)); }
  void Char(const std::string& c) override { log.push_back("Char " + c); }
  void MouseDown(MouseButton b, Point p) override {
    log.push_back("MouseDown " + std::to_string(static_cast<int>(b)) + " " + std::to_string(p.x));
    if (on_mouse_down) on_mouse_down();
  }
  void MouseUp(MouseButton b, Point) override {
    log.push_back("MouseUp " + std::to_string(static_cast<int>(b)));
  }
  void FocusIn() override { log.push_back("FocusIn"); }
  void FocusOut() override { log.push_back("FocusOut"); }
  void Clicked() override { log.push_back("Clicked"); }
  void CheckChanged(bool checked) override { log.push_back(checked ? "Checked" : "Unchecked"); }
  void RadioSelected() override { log.push_back("RadioSelected"); }
  void SelectionChanged(int32_t i) override { log.push_back("Selection " + std::to_string(i)); }
  void TextChanged(const std::string& t) override { log.push_back("Text " + t); }
  void Paint(Painter& painter) override {
    log.push_back("Paint");
    painter.FillEllipse({0, 0, 15, 15}, 255);
  }
  void CloseRequested() override { log.push_back("Close"); }
  void Activated(bool active) override { log.push_back(active ? "Active" : "Inactive"); }
  void Shown() override { log.push_back("Shown"); }
  void TrayMouseMessage(TrayMouse m) override {
    log.push_back("Tray " + std::to_string(static_cast<int>(m)));
  }
};

class HeadlessUiTest : public ::testing::Test {
 protected:
  std::unique_ptr<Control> Make(ControlKind kind, Control* parent, EventLog* events, bool visible = true) {
    auto control = ui.Create(kind, parent, events);
    control->SetGeometry({0, 0, 30, 20});
    control->SetVisible(visible);
    return control;
  }

  HeadlessUi ui;
  test::HeadlessUser user{ui};
  EventLog a, b;
};

TEST_F(HeadlessUiTest, AClickIsPressReleaseThenTheControlsOwnReport) {
  auto button = Make(ControlKind::Button, nullptr, &a);
  auto check = Make(ControlKind::CheckBox, nullptr, &b);

  EXPECT_TRUE(user.Click(button.get()));
  EXPECT_EQ(a.log, (Log{"FocusIn", "MouseDown 0 15", "MouseUp 0", "Clicked"}));
  user.ToggleCheck(check.get());
  user.ToggleCheck(check.get());
  EXPECT_EQ(b.log, (Log{"FocusIn", "MouseDown 0 15", "MouseUp 0", "Checked", "MouseDown 0 15", "MouseUp 0",
                        "Unchecked"}));
  EXPECT_EQ(a.log.back(), "FocusOut");
  EXPECT_EQ(ui.Focused(), ui.Mirror(check.get()));
  EXPECT_FALSE(user.ToggleCheck(button.get()));  // not a check box

  // Released outside, or with another button: no click.
  a.log.clear();
  user.PressMouse(button.get(), MouseButton::Left, {5, 5});
  user.ReleaseMouse(button.get(), MouseButton::Left, {31, 5});
  user.PressMouse(button.get(), MouseButton::Right, {5, 5});
  user.ReleaseMouse(button.get(), MouseButton::Right, {5, 5});
  EXPECT_EQ(std::count(a.log.begin(), a.log.end(), "Clicked"), 0);
}

TEST_F(HeadlessUiTest, HiddenOrDisabledControlsAndTheirChildrenIgnoreTheUser) {
  auto panel = Make(ControlKind::GroupBox, nullptr, nullptr);
  auto button = Make(ControlKind::Button, panel.get(), &a);
  auto hidden = Make(ControlKind::Button, nullptr, &b, false);

  panel->SetEnabled(false);
  EXPECT_FALSE(user.Click(button.get()));
  EXPECT_FALSE(user.Type(button.get(), "x"));
  panel->SetEnabled(true);
  panel->SetVisible(false);
  EXPECT_FALSE(user.Click(button.get()));
  EXPECT_FALSE(user.Click(hidden.get()));
  EXPECT_TRUE(a.log.empty());
  EXPECT_TRUE(b.log.empty());

  // Disabled by its own press: the release still comes back, the click does not.
  panel->SetVisible(true);
  a.on_mouse_down = [&] { button->SetEnabled(false); };
  user.Click(button.get());
  EXPECT_EQ(a.log, (Log{"FocusIn", "MouseDown 0 15", "MouseUp 0"}));
}

TEST_F(HeadlessUiTest, TypingReportsKeysCharactersAndTheEditsNewText) {
  auto edit = Make(ControlKind::Edit, nullptr, &a);
  edit->SetText("1");
  user.Type(edit.get(), "a\b\b\b.");
  EXPECT_EQ(a.log,
            (Log{"FocusIn", "KeyDown 65", "Char a",      "Text 1a", "KeyUp 65", "KeyDown 8", "Char \b",
                 "Text 1",  "KeyUp 8",    "KeyDown 8",   "Char \b", "Text ",    "KeyUp 8",   "KeyDown 8",
                 "Char \b", "KeyUp 8",    "KeyDown 190", "Char .",  "Text .",   "KeyUp 190"}));
  EXPECT_EQ(ui.Mirror(edit.get())->State().text, ".");
}

TEST_F(HeadlessUiTest, ListsHoldOnlySelectionsOfItemsTheyHave) {
  auto combo = Make(ControlKind::ComboBox, nullptr, &a);
  const auto& state = ui.Mirror(combo.get())->State();
  combo->SetItems({"0.2", "0.3", "0.4"});
  combo->SetSelection(3);
  EXPECT_EQ(state.selection, -1);
  combo->SetSelection(2);
  combo->SetItems({"0.2", "0.3"});
  EXPECT_EQ(state.selection, -1);

  EXPECT_FALSE(user.PickItem(combo.get(), 2));
  EXPECT_TRUE(user.PickItem(combo.get(), 1));
  EXPECT_EQ(state.selection, 1);
  EXPECT_EQ(a.log, (Log{"FocusIn", "Selection 1"}));
}

TEST_F(HeadlessUiTest, FormsReportShowingAndTheUsersActivationInOrder) {
  auto main = Make(ControlKind::Form, nullptr, &a, false);
  auto about = Make(ControlKind::Form, main.get(), &b, false);
  EXPECT_EQ(ui.ActiveForm(), nullptr);
  EXPECT_FALSE(user.RequestClose(main.get()));  // not on screen

  main->SetVisible(true);
  main->SetVisible(true);  // already shown: nothing new
  EXPECT_EQ(ui.ActiveForm(), main.get());
  about->SetVisible(true);
  EXPECT_EQ(ui.ActiveForm(), about.get());
  user.Activate(main.get());
  EXPECT_EQ(a.log, (Log{"Shown", "Active"}));
  EXPECT_EQ(b.log, (Log{"Shown", "Inactive"}));

  main->SetVisible(false);
  EXPECT_EQ(ui.ActiveForm(), nullptr);
  about->Activate();  // the program's activation is not reported
  EXPECT_EQ(ui.ActiveForm(), about.get());
  user.RequestClose(about.get());
  EXPECT_EQ(b.log.back(), "Close");
  EXPECT_TRUE(ui.Mirror(about.get())->State().visible);  // closing is the element's decision

  about.reset();
  EXPECT_EQ(ui.ActiveForm(), nullptr);
}

TEST_F(HeadlessUiTest, RepaintPaintsSelfDrawnControlsAtOnce) {
  auto canvas = Make(ControlKind::Canvas, nullptr, &a);
  auto label = Make(ControlKind::Label, nullptr, &b);
  canvas->Repaint();
  canvas->Repaint();
  label->Repaint();
  EXPECT_EQ(a.log, (Log{"Paint", "Paint"}));
  EXPECT_EQ(ui.Mirror(canvas.get())->State().paint_count, 2);
  EXPECT_EQ(ui.Mirror(canvas.get())->Painting().Lines(), (Log{"FillEllipse 0,0 15x15 #0000FF"}));
  EXPECT_EQ(ui.Mirror(label.get())->State().repaint_count, 1);
  EXPECT_TRUE(b.log.empty());
}

TEST_F(HeadlessUiTest, MenusAnswerOnlyItemsAUserCouldChoose) {
  std::vector<MenuItem> menu(5);
  for (size_t i = 0; i < menu.size(); ++i) menu[i].separator = i % 2 == 1;
  menu[4].text = "Exit";
  ui.QueueMenuAnswer(4);
  ui.QueueMenuAnswer(1);
  ui.QueueMenuAnswer(9);
  EXPECT_EQ(ui.PopupMenu(menu), 4);
  EXPECT_EQ(ui.PopupMenu(menu), -1);  // a separator
  EXPECT_EQ(ui.PopupMenu(menu), -1);  // past the end
  EXPECT_EQ(ui.PopupMenu(menu), -1);  // nothing queued: closed without a choice
  ASSERT_EQ(ui.MenusShown().size(), 4u);
  EXPECT_EQ(ui.MenusShown()[0][4].text, "Exit");

  ui.MessageBox("text", "caption");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].caption, "caption");
}

TEST_F(HeadlessUiTest, TheTrayReportsMouseSequencesWhileItsIconIsShown) {
  ui.SetHasTray(false);
  ui.ShowTrayIcon({}, "Lumiscope", &a);
  EXPECT_FALSE(ui.TrayShown());
  EXPECT_FALSE(user.ClickTray(MouseButton::Left));

  ui.SetHasTray(true);
  ui.ShowTrayIcon({}, "Lumiscope", &a);
  EXPECT_EQ(ui.TrayTip(), "Lumiscope");
  user.ClickTray(MouseButton::Right);
  user.DoubleClickTray(MouseButton::Left);
  using M = TrayMouse;
  auto tray = [](M m) { return "Tray " + std::to_string(static_cast<int>(m)); };
  EXPECT_EQ(a.log, (Log{tray(M::RightDown), tray(M::RightUp), tray(M::LeftDown), tray(M::LeftUp),
                        tray(M::LeftDouble), tray(M::LeftUp)}));

  ui.HideTrayIcon();
  EXPECT_FALSE(user.TrayMessage(TrayMouse::Move));
  EXPECT_EQ(a.log.size(), 6u);
}

TEST_F(HeadlessUiTest, TheRegistryFindsLiveControlsAndForgetsDestroyedOnes) {
  auto form = Make(ControlKind::Form, nullptr, nullptr);
  auto label = Make(ControlKind::Label, form.get(), nullptr);
  auto lamp = Make(ControlKind::Canvas, form.get(), nullptr);
  label->SetText("Port:");
  lamp->SetHint("Lamp 01");

  EXPECT_EQ(ui.FindByText("Port:"), ui.Mirror(label.get()));
  EXPECT_EQ(ui.FindByHint("Lamp 01"), ui.Mirror(lamp.get()));
  EXPECT_EQ(ui.FindAll(ControlKind::Canvas).size(), 1u);
  EXPECT_EQ(ui.ChildrenOf(form.get()).size(), 2u);

  form.reset();
  EXPECT_EQ(ui.Mirror(label.get())->Parent(), nullptr);
  EXPECT_TRUE(ui.ChildrenOf(nullptr).empty());
  EXPECT_EQ(ui.Controls().size(), 2u);
  lamp.reset();
  EXPECT_EQ(ui.FindByHint("Lamp 01"), nullptr);
}

}  // namespace
}  // namespace lumi::platform::headless

#include "scheme/keyboard_layout_panel.h"

#include "tests/scheme/panel_host.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::Rect;

constexpr int32_t kRussian = 0x04190419;
constexpr int32_t kUsEnglish = 0x04090409;

// Remembers which window the layout was asked for.
class RecordingKeyboard final : public platform::Keyboard {
 public:
  int32_t window = 0x5A17;
  int32_t layout = kRussian;
  std::vector<int32_t> asked;
  int32_t ForegroundWindow() override { return window; }
  int32_t LayoutOf(int32_t w) override {
    asked.push_back(w);
    return layout;
  }
};

class KeyboardLayoutPanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    panel = std::make_unique<test::PanelHost<KeyboardLayoutPanel>>(1, 0);
    panel->multi->OnEvent[0] = test::ToProbe(&changes);
  }
  void TearDown() override {
    panel.reset();
    SchemeTest::TearDown();
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
  int32_t Evaluate(const char* var2_utf8, int32_t layout) {
    keyboard.layout = layout;
    panel->Work(1, TData::String(Cp(var2_utf8)));
    return panel->OutVar(0).AsInteger();
  }

  test::Probe changes;
  std::unique_ptr<test::PanelHost<KeyboardLayoutPanel>> panel;
};

TEST_F(KeyboardLayoutPanelTest, StateFollowsTheFocusedWindowsLayout) {
  EXPECT_TRUE(panel->OutVar(0).IsNull());  // nothing evaluated yet

  EXPECT_EQ(Evaluate("Русский", kRussian), 1);
  EXPECT_EQ(panel->OutVar(1).text, Cp("Русский"));
  EXPECT_EQ(panel->OutVar(2).text, Cp("Язык: Русский"));
  EXPECT_EQ(Mirror((*panel)->language_list).selection, 153);

  // The user switches the window to US English: off at the next evaluation.
  EXPECT_EQ(Evaluate("Русский", kUsEnglish), 0);
  EXPECT_EQ(Evaluate("Английский - США", kUsEnglish), 1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Язык: Английский - США"));
  EXPECT_EQ(Evaluate("Африкаанс - Южная Африка", 0x04360436), 1);
  // A layout handle with the top bit set reads as a negative number: no row has one.
  EXPECT_EQ(Evaluate("Английский - США", static_cast<int32_t>(0xF0020409)), 0);
  // Names are found regardless of case; the list's own spelling is what is kept.
  EXPECT_EQ(Evaluate("РУССКИЙ", kRussian), 1);
  EXPECT_EQ(panel->OutVar(1).text, Cp("Русский"));
  EXPECT_EQ(changes.Count(), 0u);  // applying Var2 is not a user change
}

TEST_F(KeyboardLayoutPanelTest, LayoutIsReadForTheWindowInFront) {
  RecordingKeyboard recording;
  platform::Current().keyboard = &recording;
  panel->Work(1, TData::String(Cp("Русский")));
  EXPECT_EQ(recording.asked, (std::vector<int32_t>{0x5A17}));
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 1);
}

TEST_F(KeyboardLayoutPanelTest, NameOutsideTheTableKeepsTheState) {
  ASSERT_EQ(Evaluate("Русский", kRussian), 1);
  EXPECT_EQ(Evaluate("Klingon", kUsEnglish), 1);
  EXPECT_EQ(Mirror((*panel)->language_list).selection, -1);
  EXPECT_EQ(panel->OutVar(1).text, "");
  EXPECT_EQ(panel->OutVar(2).text, Cp("Язык: "));
  // A number left from another event type is no name either.
  EXPECT_EQ(Evaluate("1", kUsEnglish), 1);

  // An empty name must not fall back on the language another channel selected.
  ASSERT_EQ(Evaluate("Английский - США", kRussian), 0);
  EXPECT_EQ(Evaluate("", kUsEnglish), 0);
  EXPECT_EQ(Mirror((*panel)->language_list).selection, -1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Язык: "));
}

TEST_F(KeyboardLayoutPanelTest, ChoosingALanguageReportsItsName) {
  Evaluate("Русский", kRussian);
  ASSERT_TRUE(user.PickItem((*panel)->language_list->PlatformControl(), 210));
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().text, Cp("Украинский"));
  EXPECT_EQ(panel->OutVar(1).text, Cp("Украинский"));
}

TEST_F(KeyboardLayoutPanelTest, WorkZeroShowsAndHidesEveryControl) {
  KeyboardLayoutPanel& p = **panel;
  EXPECT_EQ(Mirror(p.box).geometry, (Rect{315, 530, 232, 57}));
  EXPECT_EQ(Mirror(p.language_list).geometry, (Rect{9, 30, 215, 21}));
  EXPECT_EQ(Mirror(p.language_list).items.size(), 223u);
  EXPECT_EQ(Mirror(p.language_list).items[222], Cp("Зулу"));
  EXPECT_EQ(Mirror(p.language_list).hint, Cp("Язык раскладки клавиатуры"));
  EXPECT_EQ(Mirror(p.caption_label).text, Cp("Сигнал при переключении языка на:"));

  panel->Work(0, TData::Integer(0));
  EXPECT_FALSE(Mirror(p.language_list).visible);
  EXPECT_FALSE(Mirror(p.caption_label).visible);
  EXPECT_FALSE(user.PickItem(p.language_list->PlatformControl(), 1));
  EXPECT_EQ(changes.Count(), 0u);
  panel->Work(0, TData::Integer(1));
  EXPECT_TRUE(Mirror(p.language_list).visible);
  EXPECT_TRUE(Mirror(p.caption_label).visible);
}

}  // namespace
}  // namespace lumi

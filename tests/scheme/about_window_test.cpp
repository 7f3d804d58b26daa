#include "scheme/about_window.h"

#include <memory>
#include <string>

#include "resources/pictures.h"
#include "resources/resources.h"
#include "runtime/multi_element.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::Rect;

class AboutWindowTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    owner = std::make_unique<TElMainForm>(nullptr);
    owner->Width = 558;
    owner->Height = 616;
    owner->Icon = resources::Picture("ICON0");
    owner->Init();
    RunInits();

    about = std::make_unique<TElMultiElement>();
    about->parent = owner.get();
    about->CreateOnDemand = true;
    about->SetCreator(CreatorOf<AboutWindow>());
  }
  void TearDown() override {
    about.reset();
    owner.reset();
    SchemeTest::TearDown();
  }

  void Work(TData value) { about->Work(value, 0); }
  AboutWindow& Window() const { return *static_cast<AboutWindow*>(about->Inner()->container); }
  const platform::headless::ControlState& Mirror(const TElWin* element) const {
    return ui.Mirror(element->PlatformControl())->State();
  }
  bool Shown() const { return Mirror(Window().form).visible; }

  std::unique_ptr<TElMainForm> owner;
  std::unique_ptr<TElMultiElement> about;
};

TEST_F(AboutWindowTest, ShownByTheMenuAndTheButtonButNotByZero) {
  EXPECT_EQ(about->Inner(), nullptr);

  // The integer 0 builds the window but leaves it hidden.
  Work(TData::Integer(0));
  ASSERT_NE(about->Inner(), nullptr);
  EXPECT_FALSE(Shown());

  Work(TData::Integer(2));  // the popup menu's item index
  EXPECT_TRUE(Shown());
  EXPECT_FALSE(Window().form->IsMain());
  EXPECT_EQ(Window().form->Owner(), owner.get());

  // The user closes it: hidden, kept, and shown again by the About button (no value).
  const TElEditMulti* inner = about->Inner();
  ASSERT_TRUE(user.RequestClose(Window().form->PlatformControl()));
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(owner->IsWindowShown());
  Work(TData());
  EXPECT_TRUE(Shown());
  EXPECT_EQ(about->Inner(), inner);
}

TEST_F(AboutWindowTest, WindowHoldsTheProgramDescription) {
  Work(TData());
  const platform::headless::ControlState& window = Mirror(Window().form);
  EXPECT_EQ(window.text, Cp("О программе"));
  EXPECT_EQ(window.border_style, 3);
  // Outer size 368 x 294, centred on the 1024 x 768 screen.
  EXPECT_EQ(window.geometry, (Rect{328, 237, 368, 294}));
  EXPECT_FALSE(window.icon.IsEmpty());
  EXPECT_EQ(window.icon, resources::Picture("ICON0"));  // the program's, as its main window shows it

  const TElMemo* memo = Window().text;
  EXPECT_EQ(memo->Parent(), Window().form);
  const platform::headless::ControlState& field = Mirror(memo);
  EXPECT_EQ(field.geometry, (Rect{0, 0, 362, 269}));
  EXPECT_EQ(field.scroll_bars, 2);
  EXPECT_TRUE(ui.Mirror(memo->PlatformControl())->IsShowing());

  // The whole resource, line by line; its closing line break ends the last line.
  std::string expected = resources::Text("Str2");
  ASSERT_GE(expected.size(), 2u);
  ASSERT_EQ(expected.substr(expected.size() - 2), "\r\n");
  expected.resize(expected.size() - 2);
  EXPECT_EQ(field.text, expected);
  EXPECT_EQ(memo->Items().front(), "Lumiscope 1.0.0.0");
  EXPECT_EQ(memo->Items().back(), Cp("Декабрь 2026"));
}

}  // namespace
}  // namespace lumi

#include "scheme/debug_window.h"

#include <memory>
#include <string>

#include "elements/compute/switch_element.h"
#include "resources/pictures.h"
#include "scheme/byte_display.h"
#include "scheme/frame_builder.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::MouseButton;
using platform::Rect;

class DebugWindowTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    // The program's main window, started, as the debug window meets it.
    owner = std::make_unique<TElMainForm>(nullptr);
    owner->Width = 558;
    owner->Height = 616;
    owner->Icon = resources::Picture("ICON0");
    owner->Init();
    RunInits();

    debug = std::make_unique<TElMultiElement>();
    debug->parent = owner.get();
    debug->CreateOnDemand = true;
    debug->SetCreator(CreatorOf<DebugWindow>());
  }
  void TearDown() override {
    debug.reset();  // its window is owned by the main window
    owner.reset();
    SchemeTest::TearDown();
  }

  void Work(uint16_t index, TData value) { debug->Work(value, index); }

  DebugWindow& Window() const { return *static_cast<DebugWindow*>(debug->Inner()->container); }
  static ByteDisplay& Display(TElMultiElement* multi) {
    return *static_cast<ByteDisplay*>(multi->Inner()->container);
  }
  const platform::headless::ControlState& Mirror(const TElWin* element) const {
    return ui.Mirror(element->PlatformControl())->State();
  }
  std::string FirstField() const { return Mirror(Display(Window().first_byte).field).text; }
  std::string SecondField() const { return Mirror(Display(Window().second_byte).field).text; }
  bool Shown() const { return Mirror(Window().form).visible; }

  std::unique_ptr<TElMainForm> owner;
  std::unique_ptr<TElMultiElement> debug;
};

TEST_F(DebugWindowTest, BuiltHiddenAtTheFirstCallWhateverItIs) {
  EXPECT_EQ(debug->Inner(), nullptr);
  EXPECT_EQ(ui.FindByText(Cp("Окно отладки")), nullptr);

  // A frame comes before any press of the debug button: the window is built, stays
  // hidden, and the field takes the text all the same.
  Work(1, TData::String("01010101"));
  ASSERT_NE(debug->Inner(), nullptr);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(FirstField(), "01010101");
  EXPECT_EQ(SecondField(), "00000000");

  // The window is one of the main window's, never the main window itself.
  TElMainForm* form = Window().form;
  EXPECT_FALSE(form->IsMain());
  EXPECT_EQ(form->Owner(), owner.get());
  EXPECT_EQ(TElMainForm::MainWindow(), owner.get());

  const platform::headless::ControlState& window = Mirror(form);
  EXPECT_EQ(window.text, Cp("Окно отладки"));
  EXPECT_EQ(window.border_style, 6);
  // Client area 171 x 60 in the middle of the 1024 x 768 screen.
  EXPECT_EQ(window.geometry, (Rect{426, 354, 171, 60}));
  EXPECT_TRUE(form->Icon.IsEmpty());
  EXPECT_EQ(window.icon, resources::Picture("ICON0"));  // the application's, from the main window

  // Built once: a second call reaches the same window.
  const TElEditMulti* inner = debug->Inner();
  Work(0, TData::Integer(1));
  EXPECT_EQ(debug->Inner(), inner);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(FirstField(), "01010101");
}

TEST_F(DebugWindowTest, FieldsReadZerosBeforeAnyFrame) {
  Work(0, TData());  // the button's press without a value shows it
  ASSERT_TRUE(Shown());
  // Zeros in the second byte too, although its tag bit is 1 on the wire.
  EXPECT_EQ(FirstField(), "00000000");
  EXPECT_EQ(SecondField(), "00000000");
}

TEST_F(DebugWindowTest, FollowsTheFramesOfTheFrameBuilder) {
  test::Source state{TData::Integer(0)};
  TElMultiElement builder;
  builder.SetCreator(CreatorOf<FrameBuilder>());
  builder.OnEvent.Resize(17);
  builder.InData.Resize(2);
  builder.InData[0] = test::FromSource(&state);
  builder.OnEvent[0] = Link<&TElMultiElement::Work>(debug.get(), 1);
  builder.OnEvent[1] = Link<&TElMultiElement::Work>(debug.get(), 2);

  TData none;
  builder.Work(none, 1);  // every indicator off
  EXPECT_EQ(FirstField(), "00000000");
  EXPECT_EQ(SecondField(), "10000000");

  // №01 and №14 on: their digits are the last of the first byte and the first after
  // the tag of the second.
  state.value = TData::Integer(1);
  for (int channel : {0, 13}) {
    TData number = TData::Integer(channel);
    builder.Work(number, 0);
  }
  builder.Work(none, 1);
  EXPECT_EQ(FirstField(), "00000001");
  EXPECT_EQ(SecondField(), "11000000");
  EXPECT_FALSE(Shown());  // frames never show the window

  // Left to right the window reads the second byte, then the first.
  EXPECT_LT(Mirror(Display(Window().second_byte).box).geometry.left,
            Mirror(Display(Window().first_byte).box).geometry.left);
}

TEST_F(DebugWindowTest, DebugButtonShowsAndHidesIt) {
  // The debug button's switch, started off: on (1) shows, off (0) hides.
  TElSwitch button_switch;
  button_switch.OnValue = TData::Integer(1);
  button_switch.OffValue = TData::Integer(0);
  button_switch.SetDefault(true);
  button_switch.OnToggle = Link<&TElMultiElement::Work>(debug.get(), 0);
  TData press;
  test::Call<&TElSwitch::Toggle>(&button_switch, press);
  EXPECT_TRUE(Shown());
  test::Call<&TElSwitch::Toggle>(&button_switch, press);
  EXPECT_FALSE(Shown());
  Work(0, TData::String("0"));  // only the integer 0 hides
  EXPECT_TRUE(Shown());

  // No caption bar: the client area drags the window.
  platform::Control* window = Window().form->PlatformControl();
  ASSERT_TRUE(user.PressMouse(window, MouseButton::Left, {150, 5}));
  ASSERT_TRUE(user.ReleaseMouse(window, MouseButton::Left, {150, 5}));
  EXPECT_EQ(Mirror(Window().form).drag_move_count, 1);
}

TEST_F(DebugWindowTest, ByteDisplaysPutTheBitNumbersOverTheirDigits) {
  Work(0, TData::Integer(1));
  struct Expected {
    TElMultiElement* multi;
    Rect place;
    const char* caption;
    const char* hint;
  };
  for (const Expected& expected :
       {Expected{Window().second_byte, {2, 2, 82, 55}, "Второй байт", "Значение второго байта"},
        Expected{Window().first_byte, {87, 2, 82, 55}, "Первый байт", "Значение первого байта"}}) {
    const ByteDisplay& display = Display(expected.multi);
    SCOPED_TRACE(expected.caption);
    EXPECT_EQ(display.box->Parent(), Window().form);
    EXPECT_EQ(Mirror(display.box).geometry, expected.place);
    EXPECT_EQ(Mirror(display.box).text, Cp(expected.caption));
    EXPECT_TRUE(ui.Mirror(display.box->PlatformControl())->IsShowing());

    for (int i = 0; i < ByteDisplay::kBits; ++i) {
      const TElLabel* label = display.bit_labels[static_cast<size_t>(i)];
      EXPECT_EQ(label->Parent(), display.box);
      EXPECT_EQ(Mirror(label).text, std::to_string(7 - i));
      EXPECT_EQ(Mirror(label).geometry, (Rect{12 + 7 * i, 15, 10, 17}));
    }
    EXPECT_EQ(display.field->Parent(), display.box);
    EXPECT_EQ(Mirror(display.field).geometry, (Rect{9, 28, 63, 20}));
    EXPECT_EQ(Mirror(display.field).hint, Cp(expected.hint));
    EXPECT_EQ(Mirror(display.field).text, "00000000");
  }
}

}  // namespace
}  // namespace lumi

#include "elements/window/led.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/elements/window/window_fixture.h"

namespace lumi {
namespace {

using Lines = std::vector<std::string>;

class LedTest : public test::WindowTest {
 protected:
  // A lamp of an indicator row.
  void Make(TElLED& lamp, uint8_t shape = 0, bool relief = true) {
    lamp.Left = 8;
    lamp.Top = 13;
    lamp.Width = 15;
    lamp.Height = 15;
    lamp.ColorOn = 255;
    lamp.ColorOff = 128;
    lamp.ColorLight = 0xFFFFFF;
    lamp.Shape = shape;
    lamp.Relief = relief;
    lamp.Hint = Cp("Индикатор №01");
    lamp.OnState = test::ToProbe(&states);
    lamp.Init();
  }
  Lines Drawn(TElLED& lamp) {
    Mirror(lamp)->PaintNow();
    return Mirror(lamp)->Painting().Lines();
  }

  test::Probe states;
};

TEST_F(LedTest, OnlyARealChangeRepaintsAndFiresOnState) {
  TElLED lamp(nullptr);
  Make(lamp);
  const auto& state = Mirror(lamp)->State();
  Act<&TElLED::Off>(lamp);
  EXPECT_EQ(state.repaint_count, 0);

  Act<&TElLED::On>(lamp, TData::Integer(0));  // the value does not matter
  Act<&TElLED::On>(lamp);
  EXPECT_EQ(state.repaint_count, 1);
  EXPECT_EQ(state.paint_count, 1);
  EXPECT_TRUE(lamp.State);
  EXPECT_EQ(test::Integers(states), (std::vector<int32_t>{1}));

  Act<&TElLED::Off>(lamp);
  Act<&TElLED::Off>(lamp);
  EXPECT_EQ(state.repaint_count, 2);
  EXPECT_EQ(test::Integers(states), (std::vector<int32_t>{1, 0}));
}

TEST_F(LedTest, ARoundLampDrawsItsBevelAndHighlights) {
  TElLED lamp(nullptr);
  Make(lamp);
  Act<&TElLED::On>(lamp);
  // The inner box is 3..12 both ways: 0.52 x 9 rounds to 5, 0.24 x 9 to 2.
  EXPECT_EQ(Mirror(lamp)->Painting().Lines(), (Lines{
                                                  "FillEllipse 0,0 15x15 #0000FF",
                                                  "Arc 0,0 15x15 (15,0)->(0,15) #808080 w1",
                                                  "Arc 0,0 15x15 (0,15)->(15,0) #FFFFFF w1",
                                                  "Arc 1,1 13x13 (0,14)->(14,0) #000080 w1",
                                                  "Arc 3,3 9x9 (8,3)->(3,8) #FFFFFF w1",
                                                  "Arc 3,3 9x9 (5,3)->(3,5) #FFFFFF w2",
                                              }));
  Act<&TElLED::Off>(lamp);
  EXPECT_EQ(Mirror(lamp)->Painting().Lines(), (Lines{
                                                  "FillEllipse 0,0 15x15 #000080",
                                                  "Arc 0,0 15x15 (15,0)->(0,15) #808080 w1",
                                                  "Arc 0,0 15x15 (0,15)->(15,0) #FFFFFF w1",
                                                  "Arc 3,3 9x9 (8,3)->(3,8) #000080 w1",
                                                  "Arc 3,3 9x9 (5,3)->(3,5) #0000FF w2",
                                              }));
}

TEST_F(LedTest, ABiggerLampScalesItsBoxes) {
  TElLED lamp(nullptr);
  Make(lamp);
  Act<&TElWin::SetWidth>(lamp, TData::Integer(40));
  Act<&TElWin::SetHeight>(lamp, TData::Integer(24));
  Act<&TElLED::On>(lamp);
  const Lines drawn = Mirror(lamp)->Painting().Lines();
  ASSERT_EQ(drawn.size(), 6u);
  // dx = 5, dy = 3; inner box 8..32 by 4..20: 0.52 x 24 = 12.48, 0.52 x 16 = 8.32,
  // 0.24 x 24 = 5.76, 0.24 x 16 = 3.84.
  EXPECT_EQ(drawn[3], "Arc 1,1 38x22 (4,23)->(39,2) #000080 w1");
  EXPECT_EQ(drawn[4], "Arc 8,4 24x16 (20,4)->(8,12) #FFFFFF w1");
  EXPECT_EQ(drawn[5], "Arc 8,4 24x16 (14,4)->(8,8) #FFFFFF w2");

  // Any size an action may set draws without overflowing.
  Act<&TElWin::SetWidth>(lamp, TData::Integer(INT32_MIN));
  Act<&TElWin::SetHeight>(lamp, TData::Integer(INT32_MAX));
  EXPECT_EQ(Drawn(lamp)[0], "FillEllipse 0,0 0x32767 #0000FF");
}

TEST_F(LedTest, WithoutReliefOnlyTheDiscIsDrawn) {
  TElLED lamp(nullptr);
  Make(lamp, 0, false);
  EXPECT_EQ(Drawn(lamp), (Lines{"FillEllipse 0,0 15x15 #000080"}));
  TElLED odd(nullptr);
  Make(odd, 7, true);  // an unknown shape: a flat rectangle
  EXPECT_EQ(Drawn(odd), (Lines{"FillRect 0,0 15x15 #000080"}));
}

TEST_F(LedTest, ASquareLampDrawsItsEdgesAsLines) {
  TElLED lamp(nullptr);
  Make(lamp, 1, true);
  Act<&TElLED::On>(lamp);
  // Inner box: 1..14 across, 1..14 down; (14 - 1) div 3 = 4.
  EXPECT_EQ(Mirror(lamp)->Painting().Lines(), (Lines{
                                                  "FillRect 0,0 15x15 #0000FF",
                                                  "Line (0,15)->(0,0) #808080 w1",
                                                  "Line (0,0)->(15,0) #808080 w1",
                                                  "Line (14,0)->(14,14) #FFFFFF w1",
                                                  "Line (14,14)->(0,14) #FFFFFF w1",
                                                  "Line (13,1)->(13,13) #000080 w1",
                                                  "Line (13,13)->(0,13) #000080 w1",
                                                  "Line (2,12)->(2,2) #FFFFFF w1",
                                                  "Line (2,2)->(5,2) #FFFFFF w1",
                                                  "Line (2,3)->(2,2) #FFFFFF w2",
                                                  "Line (2,2)->(3,2) #FFFFFF w2",
                                                  "Line (3,2)->(2,3) #FFFFFF w2",
                                              }));
}

}  // namespace
}  // namespace lumi

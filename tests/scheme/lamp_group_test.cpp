#include "scheme/lamp_group.h"

#include "scheme/indicator_row.h"
#include "tests/scheme/panel_host.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::Rect;

class LampGroupTest : public test::SchemeTest {
 protected:
  static IndicatorRow& Row(const LampGroup& group, int number) {
    return *static_cast<IndicatorRow*>(group.rows[number - 1]->Inner()->container);
  }
  // Rows lit, as a string of 14 '0'/'1' from row 1 to row 14.
  static std::string Lit(const LampGroup& group) {
    std::string lit;
    for (int n = 1; n <= IndicatorRow::kRows; ++n) lit += Row(group, n).lamp->State ? '1' : '0';
    return lit;
  }
  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
};

TEST_F(LampGroupTest, FrameBytesSetTheLampsOfTheirHalf) {
  test::PanelHost<LampGroup> group;
  EXPECT_EQ(Lit(*group), "00000000000000");

  group.Work(0, TData::Integer(0x55));
  EXPECT_EQ(Lit(*group), "10101010000000");
  group.Work(8, TData::Integer(0xAA));  // the tag bit 7 lights nothing
  EXPECT_EQ(Lit(*group), "10101010101010");

  // Zero bits switch lamps off; the other half keeps its state.
  group.Work(0, TData::Integer(0x02));
  EXPECT_EQ(Lit(*group), "01000000101010");
  group.Work(8, TData::Integer(0x80 | 0x7F));
  EXPECT_EQ(Lit(*group), "01000001111111");

  // The lamp's own control is repainted to show it.
  EXPECT_GT(Mirror(Row(*group, 14).lamp).repaint_count, 0);
}

TEST_F(LampGroupTest, RowLampTakesOnlyZeroOrOne) {
  test::PanelHost<LampGroup> group;
  TElMultiElement* row3 = group->rows[2];
  TData on = TData::Integer(1);
  row3->Work(on, 0);
  EXPECT_TRUE(Row(*group, 3).lamp->State);
  for (TData other : {TData::Integer(2), TData::Integer(-1), TData::Integer(14)}) {
    row3->Work(other, 0);
    EXPECT_TRUE(Row(*group, 3).lamp->State);
  }
  TData off = TData::Integer(0);
  row3->Work(off, 0);
  EXPECT_FALSE(Row(*group, 3).lamp->State);
}

TEST_F(LampGroupTest, LabelsShowUndefinedUntilTheirChannelIsEvaluated) {
  test::PanelHost<LampGroup> group;
  const std::string undefined = Cp("Событие не определено");
  for (int n = 1; n <= IndicatorRow::kRows; ++n) EXPECT_EQ(Mirror(Row(*group, n).label).text, undefined);

  group.Work(1, TData::String("first"));
  group.Work(7, TData::String("seventh"));
  group.Work(9, TData::String("eighth"));
  group.Work(15, TData::String("last"));
  EXPECT_EQ(Mirror(Row(*group, 1).label).text, "first");
  EXPECT_EQ(Mirror(Row(*group, 7).label).text, "seventh");
  EXPECT_EQ(Mirror(Row(*group, 8).label).text, "eighth");
  EXPECT_EQ(Mirror(Row(*group, 14).label).text, "last");
  EXPECT_EQ(Mirror(Row(*group, 2).label).text, undefined);
  EXPECT_EQ(Mirror(Row(*group, 13).label).text, undefined);
  // Labels do not touch the lamps.
  EXPECT_EQ(Lit(*group), "00000000000000");
}

TEST_F(LampGroupTest, RowsAreNumberedFromTheTop) {
  test::PanelHost<LampGroup> group;
  EXPECT_EQ(Mirror(group->box).geometry, (Rect{0, 0, 280, 476}));
  EXPECT_EQ(Mirror(group->box).text, "");

  struct Expected {
    int number;
    const char* digits;
    int top;
  };
  for (const Expected& e : {Expected{1, "01", 8}, Expected{2, "02", 41}, Expected{14, "14", 437}}) {
    SCOPED_TRACE(e.number);
    IndicatorRow& row = Row(*group, e.number);
    EXPECT_EQ(row.box->Parent(), group->box);
    EXPECT_EQ(Mirror(row.box).geometry, (Rect{5, e.top, 269, 33}));
    EXPECT_EQ(Mirror(row.box).text, e.digits);
    EXPECT_EQ(Mirror(row.lamp).geometry, (Rect{8, 13, 15, 15}));
    EXPECT_EQ(Mirror(row.lamp).hint, Cp("Индикатор №") + e.digits);
    EXPECT_EQ(Mirror(row.label).geometry, (Rect{26, 13, 238, 17}));
    EXPECT_EQ(Mirror(row.label).hint, Cp("Текущая настройка индикатора №") + e.digits);
  }
}

}  // namespace
}  // namespace lumi

#include "scheme/internet_panel.h"

#include "tests/scheme/panel_host.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::Rect;

// Remembers how long each look-up was allowed to take.
class BoundedResolver final : public platform::Resolver {
 public:
  std::vector<int32_t> timeouts;
  bool Reachable(const std::string&, int32_t timeout_ms) override {
    timeouts.push_back(timeout_ms);
    return false;
  }
};

class InternetPanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    panel = std::make_unique<test::PanelHost<InternetPanel>>(1, 0);
    panel->multi->OnEvent[0] = test::ToProbe(&changes);
  }
  void TearDown() override {
    panel.reset();
    SchemeTest::TearDown();
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
  int32_t Evaluate(const char* var2, bool reachable) {
    resolver.reachable = reachable;
    panel->Work(1, TData::String(var2));
    return panel->OutVar(0).AsInteger();
  }

  test::Probe changes;
  std::unique_ptr<test::PanelHost<InternetPanel>> panel;
};

TEST_F(InternetPanelTest, StateIsOnWhileReachabilityEqualsTheChoice) {
  EXPECT_EQ(panel->OutVar(0).AsInteger(), 0);
  EXPECT_FALSE(panel->OutVar(0).IsNull());

  EXPECT_EQ(Evaluate("1", true), 1);
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 1);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Интернет подключен"));
  EXPECT_EQ(Evaluate("1", false), 0);
  EXPECT_EQ(Evaluate("0", false), 1);
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 0);
  EXPECT_EQ(panel->OutVar(2).text, Cp("Интернет не подключен"));
  EXPECT_EQ(Mirror((*panel)->state_list).selection, 0);
  EXPECT_EQ(Evaluate("0", true), 0);

  // One look-up per evaluation and none for showing or reading the panel.
  EXPECT_EQ(resolver.lookups, 4);
  panel->Work(0, TData::Integer(1));
  panel->OutVar(0);
  panel->OutVar(1);
  panel->OutVar(2);
  EXPECT_EQ(resolver.lookups, 4);
  EXPECT_EQ(changes.Count(), 0u);
}

TEST_F(InternetPanelTest, ChoiceOutsideTheListNeverMatches) {
  ASSERT_EQ(Evaluate("1", true), 1);
  for (const char* var2 : {"2", "-1", "7", "100000"}) {
    SCOPED_TRACE(var2);
    EXPECT_EQ(Evaluate(var2, true), 0);
    EXPECT_EQ(Evaluate(var2, false), 0);
    EXPECT_EQ(Mirror((*panel)->state_list).selection, -1);
    EXPECT_EQ(panel->OutVar(1).AsInteger(), -1);
    EXPECT_EQ(panel->OutVar(2).text, Cp("Интернет "));
  }
}

TEST_F(InternetPanelTest, EvaluationWaitsOnlyForOneBoundedLookup) {
  BoundedResolver bounded;
  platform::Current().resolver = &bounded;
  panel->Work(1, TData::String("1"));
  panel->Work(1, TData::String("5"));
  ASSERT_EQ(bounded.timeouts.size(), 2u);
  for (int32_t timeout : bounded.timeouts) {
    EXPECT_GT(timeout, 0);
    EXPECT_LE(timeout, 2000);
  }
}

TEST_F(InternetPanelTest, ChoosingAnEntryReportsItsIndex) {
  Evaluate("0", true);
  ASSERT_TRUE(user.PickItem((*panel)->state_list->PlatformControl(), 1));
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().type, DataType::Integer);
  EXPECT_EQ(changes.Last().AsInteger(), 1);
  EXPECT_EQ(panel->OutVar(1).AsInteger(), 1);
}

TEST_F(InternetPanelTest, WorkZeroShowsAndHidesEveryControl) {
  InternetPanel& p = **panel;
  EXPECT_EQ(Mirror(p.box).geometry, (Rect{315, 494, 232, 36}));
  EXPECT_EQ(Mirror(p.state_list).items, (std::vector<std::string>{Cp("не подключен"), Cp("подключен")}));
  EXPECT_EQ(Mirror(p.state_list).hint, Cp("Состояние Internet"));
  EXPECT_EQ(Mirror(p.caption_label).text, Cp("Сигнал, если Internet"));

  panel->Work(0, TData::Integer(0));
  EXPECT_FALSE(Mirror(p.state_list).visible);
  EXPECT_FALSE(Mirror(p.caption_label).visible);
  panel->Work(0, TData::Integer(1));
  EXPECT_TRUE(Mirror(p.state_list).visible);
  EXPECT_TRUE(Mirror(p.caption_label).visible);
}

}  // namespace
}  // namespace lumi

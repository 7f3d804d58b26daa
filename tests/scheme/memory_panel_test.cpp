#include "scheme/memory_panel.h"

#include <cmath>
#include <limits>
#include <memory>

#include "scheme/sensor_hub.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::Rect;

// A memory panel as the main form holds it: inside a window, through a
// TElMultiElement with one change event, two sensor inputs and the blinking phase.
class Host {
 public:
  explicit Host(MemoryCondition condition) {
    window = std::make_unique<TElGroupBox>(nullptr);
    window->Width = 600;
    window->Height = 700;
    window->Init();
    multi = std::make_unique<TElMultiElement>();
    multi->parent = window.get();
    multi->SetCreator(MemoryPanel::CreatorFor(condition));
    multi->OnEvent.Resize(1);
    multi->InData.Resize(3);
  }
  ~Host() { multi.reset(); }

  MemoryPanel& operator*() const { return *static_cast<MemoryPanel*>(multi->Inner()->container); }
  MemoryPanel* operator->() const { return &**this; }

  void Work(uint16_t index, TData value) { multi->Work(value, index); }
  TData OutVar(uint16_t index) const {
    TData answer;
    multi->OutVar(answer, index);
    return answer;
  }
  int32_t State() const { return OutVar(0).AsInteger(); }

  std::unique_ptr<TElGroupBox> window;
  std::unique_ptr<TElMultiElement> multi;
};

class MemoryPanelTest : public test::SchemeTest {
 protected:
  void TearDown() override {
    hosts.clear();
    SchemeTest::TearDown();
  }

  // A panel fed from the test's own total and available sources.
  Host& Make(MemoryCondition condition) {
    hosts.push_back(std::make_unique<Host>(condition));
    Host& host = *hosts.back();
    host.multi->OnEvent[0] = test::ToProbe(&changes);
    host.multi->InData[0] = test::FromSource(&total);
    host.multi->InData[1] = test::FromSource(&available);
    host.multi->InData[2] = test::FromSource(&phase);
    return host;
  }
  void Evaluate(Host& host, TData total_value, TData available_value, int32_t threshold) {
    total.value = std::move(total_value);
    available.value = std::move(available_value);
    host.Work(1, TData::Integer(threshold));
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
  void Click(TElWin* button) { ASSERT_TRUE(user.Click(button->PlatformControl())); }

  test::Source total;
  test::Source available;
  test::Source phase{TData::Integer(1)};  // the lit half of the blinking
  test::Probe changes;
  std::vector<std::unique_ptr<Host>> hosts;
};

TEST_F(MemoryPanelTest, SharesAreComparedStrictlyAndUnrounded) {
  Host& free_ram = Make(MemoryCondition::kFreeRam);
  EXPECT_EQ(free_ram.State(), 0);                 // off before the first evaluation
  EXPECT_EQ(free_ram.OutVar(1).AsInteger(), 50);  // the counter's default

  Evaluate(free_ram, TData::Integer(1024), TData::Integer(256), 30);
  TData share;
  free_ram->percentage->OutResult(share, 0);
  EXPECT_DOUBLE_EQ(share.AsReal(), 25.0);
  EXPECT_EQ(free_ram.State(), 1);
  EXPECT_EQ(free_ram.OutVar(2).text, Cp("RAM свободна менее чем на 30 %"));
  free_ram.Work(2, TData::Integer(0));
  Evaluate(free_ram, TData::Integer(1024), TData::Integer(256), 25);  // 25 < 25 is false
  EXPECT_EQ(free_ram.State(), 0);
  EXPECT_EQ(free_ram.OutVar(1).AsInteger(), 25);

  // 24.6 % free stays below 25; rounded to 25 it would not.
  Evaluate(free_ram, TData::Integer(1000), TData::Integer(246), 25);
  EXPECT_EQ(free_ram.State(), 1);

  Host& used_ram = Make(MemoryCondition::kUsedRam);
  Evaluate(used_ram, TData::Integer(1024), TData::Integer(768), 25);  // 25 % used
  EXPECT_EQ(used_ram.State(), 0);
  Evaluate(used_ram, TData::Integer(1024), TData::Integer(768), 24);
  EXPECT_EQ(used_ram.State(), 1);
  EXPECT_EQ(used_ram.OutVar(2).text, Cp("RAM занята более чем на 24 %"));

  // Large machines: 4 TB in megabytes, and 64 GB in bytes, which only fits a Real.
  Host& free_swap = Make(MemoryCondition::kFreeSwap);
  Evaluate(free_swap, TData::Integer(4 << 20), TData::Integer(1 << 20), 26);
  EXPECT_EQ(free_swap.State(), 1);
  free_swap->percentage->OutResult(share, 0);
  EXPECT_DOUBLE_EQ(share.AsReal(), 25.0);
  Evaluate(free_swap, TData::Real(68719476736.0), TData::Real(17179869184.0), 25);
  free_swap->percentage->OutResult(share, 0);
  EXPECT_DOUBLE_EQ(share.AsReal(), 25.0);
  EXPECT_EQ(free_swap.State(), 0);
  Host& used_swap = Make(MemoryCondition::kUsedSwap);
  Evaluate(used_swap, TData::Real(68719476736.0), TData::Real(17179869184.0), 74);
  used_swap->percentage->OutResult(share, 0);
  EXPECT_DOUBLE_EQ(share.AsReal(), 75.0);
  EXPECT_EQ(used_swap.State(), 1);

  EXPECT_EQ(changes.Count(), 0u);  // applying a parameter is not a user change
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoryPanelTest, StateFollowsTheBlinkingPhaseWhileTheConditionHoldsAndResets) {
  Host& panel = Make(MemoryCondition::kUsedRam);
  const auto cycle = [&](int32_t lit, int32_t available_mb) {
    phase.value = TData::Integer(lit);
    Evaluate(panel, TData::Integer(1000), TData::Integer(available_mb), 50);
    return panel.State();
  };
  EXPECT_EQ(cycle(1, 100), 1);  // 90 % used
  EXPECT_EQ(cycle(0, 100), 0);
  EXPECT_EQ(cycle(1, 100), 1);
  EXPECT_EQ(cycle(1, 900), 0);  // no longer holds: off in either phase
  EXPECT_EQ(cycle(0, 900), 0);
  EXPECT_EQ(cycle(1, 100), 1);

  // Work[2] switches off, and does no harm when already off.
  panel.Work(2, TData::Integer(0));
  EXPECT_EQ(panel.State(), 0);
  panel.Work(2, TData::Integer(0));
  EXPECT_EQ(panel.State(), 0);
  EXPECT_EQ(cycle(1, 100), 1);
  EXPECT_EQ(panel.OutVar(0).type, DataType::Integer);
}

TEST_F(MemoryPanelTest, ChannelsOfOneTypeEachHaveTheirOwnState) {
  Host& panel = Make(MemoryCondition::kFreeRam);
  // Two channels, 10 % free: one with threshold 30 holds, one with 5 does not. In
  // the lit phase only the first is on, whatever order they come in.
  for (int round = 0; round < 3; ++round) {
    Evaluate(panel, TData::Integer(2048), TData::Integer(205), 30);
    EXPECT_EQ(panel.State(), 1) << "round " << round;
    EXPECT_EQ(panel.OutVar(2).text, Cp("RAM свободна менее чем на 30 %"));
    Evaluate(panel, TData::Integer(2048), TData::Integer(205), 40);
    EXPECT_EQ(panel.State(), 1) << "round " << round;
    Evaluate(panel, TData::Integer(2048), TData::Integer(205), 5);
    EXPECT_EQ(panel.State(), 0) << "round " << round;
  }
}

TEST_F(MemoryPanelTest, NoSwapIsOffWithoutAMessageBox) {
  Host& free_swap = Make(MemoryCondition::kFreeSwap);
  Host& used_swap = Make(MemoryCondition::kUsedSwap);
  // On first, so that losing the swap must switch it off rather than freeze it.
  Evaluate(free_swap, TData::Integer(1000), TData::Integer(10), 50);
  ASSERT_EQ(free_swap.State(), 1);
  for (int cycle = 0; cycle < 20; ++cycle) {
    Evaluate(free_swap, TData::Integer(0), TData::Integer(0), 50);
    Evaluate(used_swap, TData::Integer(0), TData::Integer(0), 0);
    EXPECT_EQ(free_swap.State(), 0);
    EXPECT_EQ(used_swap.State(), 0);
  }
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(free_swap.OutVar(2).text, Cp("Файл подкачки свободен менее чем на 50 %"));
  EXPECT_EQ(used_swap.OutVar(2).text, Cp("Файл подкачки занят более чем на 0 %"));

  // A share that cannot be worked out at all counts as not holding, quietly too.
  Evaluate(used_swap, TData::Integer(1000), TData::Integer(10), 50);
  ASSERT_EQ(used_swap.State(), 1);
  Evaluate(used_swap, TData::Integer(1), TData::Real(-std::numeric_limits<double>::max()), 50);
  EXPECT_EQ(used_swap.State(), 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoryPanelTest, SensorHubFeedsEachPanel) {
  // 64 GB of RAM with 16 GB available, no swap: the links the main form makes.
  memory.status = {64ull << 30, 16ull << 30, 0, 0};
  TElMultiElement hub;
  hub.SetCreator(CreatorOf<SensorHub>());
  TData sample;
  hub.Work(sample, 0);

  const MemoryCondition conditions[] = {MemoryCondition::kFreeRam, MemoryCondition::kUsedRam,
                                        MemoryCondition::kFreeSwap, MemoryCondition::kUsedSwap};
  const int32_t thresholds[] = {30, 70, 100, 0};
  const int32_t expected[] = {1, 1, 0, 0};
  for (int k = 0; k < 4; ++k) {
    Host& panel = Make(conditions[k]);
    panel.multi->InData[0] = Link<&TElMultiElement::OutVar>(&hub, static_cast<uint16_t>(1 + 2 * k));
    panel.multi->InData[1] = Link<&TElMultiElement::OutVar>(&hub, static_cast<uint16_t>(2 + 2 * k));
    for (int cycle = 0; cycle < 3; ++cycle) panel.Work(1, TData::Integer(thresholds[k]));
    EXPECT_EQ(panel.State(), expected[k]) << "panel " << k;
  }
  EXPECT_TRUE(messages.shown.empty());
  hosts.clear();
}

TEST_F(MemoryPanelTest, ButtonsStepWithinTheBoundsAndReport) {
  Host& free_ram = Make(MemoryCondition::kFreeRam);
  Evaluate(free_ram, TData::Integer(1000), TData::Integer(500), 50);
  Click(free_ram->plus_button);
  ASSERT_EQ(changes.Count(), 1u);
  EXPECT_EQ(changes.Last().AsInteger(), 51);
  EXPECT_EQ(Mirror(free_ram->value_edit).text, "51");
  EXPECT_EQ(free_ram.OutVar(1).AsInteger(), 51);
  Click(free_ram->minus_button);
  Click(free_ram->minus_button);
  ASSERT_EQ(changes.Count(), 3u);
  EXPECT_EQ(changes.Last().AsInteger(), 49);

  Evaluate(free_ram, TData::Integer(1000), TData::Integer(500), 100);
  Click(free_ram->plus_button);
  Evaluate(free_ram, TData::Integer(1000), TData::Integer(500), 1);
  Click(free_ram->minus_button);
  // Below the bound (0 kept from another event type): - does not wrap to the top.
  Evaluate(free_ram, TData::Integer(1000), TData::Integer(500), 0);
  Click(free_ram->minus_button);
  EXPECT_EQ(changes.Count(), 3u);
  EXPECT_EQ(free_ram.OutVar(1).AsInteger(), 0);
  Click(free_ram->plus_button);
  ASSERT_EQ(changes.Count(), 4u);
  EXPECT_EQ(changes.Last().AsInteger(), 1);

  Host& used_swap = Make(MemoryCondition::kUsedSwap);
  Evaluate(used_swap, TData::Integer(1000), TData::Integer(500), 99);
  Click(used_swap->plus_button);
  Evaluate(used_swap, TData::Integer(1000), TData::Integer(500), 0);
  Click(used_swap->minus_button);
  EXPECT_EQ(changes.Count(), 4u);
  Click(used_swap->plus_button);
  ASSERT_EQ(changes.Count(), 5u);
  EXPECT_EQ(changes.Last().AsInteger(), 1);
  EXPECT_EQ(Mirror(used_swap->value_edit).text, "1");

  // Held down, the step repeats after a second, and release stops it.
  ASSERT_TRUE(
      user.PressMouse(used_swap->plus_button->PlatformControl(), platform::MouseButton::Left, {7, 7}));
  loop.AdvanceBy(1500);
  ASSERT_TRUE(
      user.ReleaseMouse(used_swap->plus_button->PlatformControl(), platform::MouseButton::Left, {7, 7}));
  EXPECT_GE(used_swap.OutVar(1).AsInteger(), 10);
  EXPECT_EQ(loop.RunningTimers(), 0u);
}

TEST_F(MemoryPanelTest, ControlsFollowTheirPanelAndWorkZero) {
  struct Expected {
    MemoryCondition condition;
    int32_t top;
    const char* line1;
    const char* line2;
    Rect edit;
    Rect percent;
    const char* message;
  };
  const Expected panels[] = {
      {MemoryCondition::kFreeRam,
       199,
       "Сигнал, если объём свободной оператив-",
       "ной памяти (RAM) менее",
       {142, 31, 25, 20},
       {188, 34, 16, 17},
       "RAM свободна менее чем на 50 %"},
      {MemoryCondition::kUsedRam,
       259,
       "Сигнал,  если  объём  занятой  оператив-",
       "ной памяти (RAM) более",
       {142, 31, 25, 20},
       {188, 34, 12, 17},
       "RAM занята более чем на 50 %"},
      {MemoryCondition::kFreeSwap,
       319,
       "Сигнал,  если  свободный  объём  файла",
       "подкачки менее",
       {97, 31, 25, 20},
       {143, 34, 12, 17},
       "Файл подкачки свободен менее чем на 50 %"},
      {MemoryCondition::kUsedSwap,
       379,
       "Сигнал,  если  занятый  объём  файла",
       "подкачки более",
       {97, 31, 25, 20},
       {143, 34, 12, 17},
       "Файл подкачки занят более чем на 50 %"},
  };
  for (const Expected& e : panels) {
    Host& host = Make(e.condition);
    MemoryPanel& p = *host;
    EXPECT_EQ(Mirror(p.box).geometry, (Rect{315, e.top, 232, 60}));
    EXPECT_EQ(Mirror(p.caption_line1).text, Cp(e.line1));
    EXPECT_EQ(Mirror(p.caption_line2).text, Cp(e.line2));
    EXPECT_EQ(Mirror(p.value_edit).geometry, e.edit);
    EXPECT_EQ(Mirror(p.value_edit).hint, Cp("Заданное значение"));
    EXPECT_EQ(Mirror(p.percent_label).geometry, e.percent);
    EXPECT_EQ(Mirror(p.minus_button).geometry.top, 41);
    EXPECT_EQ(Mirror(p.minus_button).hint, Cp("Уменьшение"));
    Evaluate(host, TData::Integer(100), TData::Integer(50), 50);
    EXPECT_EQ(host.OutVar(2).text, Cp(e.message));

    TElWin* controls[] = {p.caption_line1, p.caption_line2, p.value_edit,
                          p.plus_button,   p.minus_button,  p.percent_label};
    host.Work(0, TData::Integer(0));
    for (TElWin* control : controls) EXPECT_FALSE(Mirror(control).visible);
    EXPECT_FALSE(user.Click(p.plus_button->PlatformControl()));
    host.Work(0, TData::Integer(1));
    for (TElWin* control : controls) EXPECT_TRUE(Mirror(control).visible);
  }
  EXPECT_EQ(changes.Count(), 0u);
}

}  // namespace
}  // namespace lumi

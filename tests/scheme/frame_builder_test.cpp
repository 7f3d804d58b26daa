#include "scheme/frame_builder.h"

#include <array>
#include <string>

#include "elements/compute/counter.h"
#include "elements/window/timer.h"
#include "runtime/multi_element.h"
#include "scheme/channel_sequencer.h"
#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using test::Probe;
using test::Source;

class FrameBuilderTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    builder.SetCreator(CreatorOf<FrameBuilder>());
    builder.OnEvent.Resize(17);
    builder.InData.Resize(2);
    builder.InData[0] = test::FromSource(&state);
    builder.InData[1] = test::FromSource(&text);
    for (uint16_t j = 0; j < 17; ++j) builder.OnEvent[j] = test::ToProbe(&events, j);
  }

  // Evaluates every channel with the given state, then builds the frame; answers the
  // two byte texts.
  std::array<std::string, 2> Frame(const std::array<TData, 14>& states) {
    for (int i = 0; i < 14; ++i) {
      state.value = states[static_cast<size_t>(i)];
      TData channel = TData::Integer(i);
      builder.Work(channel, 0);
    }
    events.received.clear();
    events.indices.clear();
    TData none;
    builder.Work(none, 1);
    EXPECT_EQ(events.Count(), 2u);
    if (events.Count() != 2) return {};
    EXPECT_EQ(events.indices[0], 0);
    EXPECT_EQ(events.indices[1], 1);
    return {events.received[0].AsString(), events.received[1].AsString()};
  }

  static std::array<TData, 14> All(int v) {
    std::array<TData, 14> states;
    states.fill(TData::Integer(v));
    return states;
  }

  Source state{TData::Integer(0)};
  Source text{TData::String("description")};
  Probe events;
  TElMultiElement builder;
};

TEST_F(FrameBuilderTest, PacksTheStatesIntoTwoTaggedBytes) {
  EXPECT_EQ(Frame(All(0)), (std::array<std::string, 2>{"00000000", "10000000"}));
  EXPECT_EQ(Frame(All(1)), (std::array<std::string, 2>{"01111111", "11111111"}));

  auto first = All(0);
  first[0] = TData::Integer(1);
  EXPECT_EQ(Frame(first), (std::array<std::string, 2>{"00000001", "10000000"}));

  auto last = All(0);
  last[13] = TData::Integer(1);
  EXPECT_EQ(Frame(last), (std::array<std::string, 2>{"00000000", "11000000"}));

  auto mixed = All(0);
  mixed[6] = TData::Integer(1);
  mixed[7] = TData::String("1");
  EXPECT_EQ(Frame(mixed), (std::array<std::string, 2>{"01000000", "10000001"}));
}

TEST_F(FrameBuilderTest, AStateThatIsNotOneKeepsEveryOtherBitInPlace) {
  // A Signal that selects no condition leaves the state empty.
  auto states = All(1);
  states[3] = TData();
  states[10] = TData::String("");
  states[11] = TData::Integer(2);
  EXPECT_EQ(Frame(states), (std::array<std::string, 2>{"01110111", "11100111"}));

  // Before any evaluation every slot counts as 0.
  TElMultiElement fresh;
  fresh.SetCreator(CreatorOf<FrameBuilder>());
  fresh.OnEvent.Resize(2);
  Probe bytes;
  fresh.OnEvent[0] = test::ToProbe(&bytes);
  fresh.OnEvent[1] = test::ToProbe(&bytes);
  TData none;
  fresh.Work(none, 1);
  ASSERT_EQ(bytes.Count(), 2u);
  EXPECT_EQ(bytes.received[0].AsString(), "00000000");
  EXPECT_EQ(bytes.received[1].AsString(), "10000000");
}

TEST_F(FrameBuilderTest, PassesTheTextOnAndEndsTheStepAtTheLoopsNextTurn) {
  text.value = TData::String("CPU above 7 %");
  TData channel = TData::Integer(5);
  builder.Work(channel, 0);
  ASSERT_EQ(events.Count(), 1u);
  EXPECT_EQ(events.indices[0], 7);
  EXPECT_EQ(events.Last().AsString(), "CPU above 7 %");

  // Not within the evaluation itself, but as soon as the loop has its turn.
  EXPECT_EQ(events.Count(), 1u);
  loop.AdvanceBy(0);
  ASSERT_EQ(events.Count(), 2u);
  EXPECT_EQ(events.indices[1], 16);
  // One-shot: the timer stopped itself.
  loop.AdvanceBy(100);
  EXPECT_EQ(events.Count(), 2u);

  // Work[2] stops a running step before it ends.
  builder.Work(channel, 0);
  TData none;
  builder.Work(none, 2);
  loop.AdvanceBy(100);
  EXPECT_EQ(events.Count(), 3u);
  EXPECT_EQ(events.indices.back(), 7);
}

using ChannelSequencerTest = test::SchemeTest;

TEST_F(ChannelSequencerTest, FourteenChannelsThenTheFrameThenTheStart) {
  TElMultiElement sequencer;
  sequencer.SetCreator(CreatorOf<ChannelSequencer>());
  sequencer.OnEvent.Resize(2);
  Probe channels;
  Probe frames;
  sequencer.OnEvent[0] = test::ToProbe(&channels);
  sequencer.OnEvent[1] = test::ToProbe(&frames);

  for (int round = 0; round < 2; ++round) {
    channels.received.clear();
    for (int step = 0; step < 15; ++step) {
      TData request;
      sequencer.Work(request, step == 0 ? 0 : 1);
    }
    ASSERT_EQ(channels.Count(), 14u);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(channels.received[static_cast<size_t>(i)].AsInteger(), i);
    EXPECT_EQ(frames.Count(), static_cast<size_t>(round + 1));
    auto* counter = static_cast<ChannelSequencer*>(sequencer.Inner()->container)->Counter();
    EXPECT_EQ(counter->Value(), 0);
  }
}

}  // namespace
}  // namespace lumi

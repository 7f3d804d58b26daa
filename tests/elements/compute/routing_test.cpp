#include <gtest/gtest.h>

#include <vector>

#include "elements/compute/array_rw.h"
#include "elements/compute/chanel_to_index.h"
#include "elements/compute/do_data.h"
#include "elements/compute/get_data.h"
#include "elements/compute/get_index_data.h"
#include "elements/compute/index_to_chanel.h"
#include "elements/compute/memory.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::Chain;
using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;
using RoutingTest = test::RuntimeTest;

using test::Int;
using test::Str;

using test::Call;

template <auto Method>
TData ReadValue(typename HandlerOf<Method>::Class* element, uint16_t index = 0) {
  TData result;
  Read(Link<Method>(element, index), result);
  return result;
}

TEST_F(RoutingTest, GetDataAnswersBreakUntilLinkedSoReadersKeepTheirDefault) {
  TElGetData get;
  EXPECT_TRUE(ReadValue<&TElGetData::OutData>(&get, 3).IsBreak());

  // A reader behind an unlinked GetData falls back as if its own point were unlinked.
  TElMemory memory;
  memory.InValue = Link<&TElGetData::OutData>(&get);
  TData in = Int(42);
  Call<&TElMemory::Store>(&memory, in);
  EXPECT_EQ(ReadValue<&TElMemory::OutValue>(&memory).AsInteger(), 42);

  Source source(Str("s"));
  get.InData = FromSource(&source);
  EXPECT_EQ(ReadValue<&TElGetData::OutData>(&get, 1).AsString(), "s");
  TData again = Int(43);
  Call<&TElMemory::Store>(&memory, again);
  EXPECT_EQ(ReadValue<&TElMemory::OutValue>(&memory).AsString(), "s");
}

TEST_F(RoutingTest, DoDataNeverSendsTheIncomingValue) {
  TElDoData send;
  Probe first, second;
  send.OnSend = ToProbe(&first);
  first.tail_to_next = true;
  first.OnNext = ToProbe(&second);

  TData in = Chain({Int(1), Int(2)});
  Call<&TElDoData::Send>(&send, in);
  ASSERT_EQ(first.Count(), 1u);
  EXPECT_TRUE(first.Last().IsNull());
  EXPECT_EQ(ChainLength(first.Last()), 1);

  send.Data = Str("data");
  TData in2 = Int(1);
  Call<&TElDoData::Send>(&send, in2);
  EXPECT_EQ(first.Last().AsString(), "data");
  // The send is a tail call: the chain goes on, and the caller ends holding the value.
  ASSERT_EQ(second.Count(), 2u);
  EXPECT_EQ(second.Last().AsString(), "data");
  EXPECT_EQ(in2.AsString(), "data");

  Source source(Int(5));
  send.InData = FromSource(&source);
  TData in3 = Int(1);
  Call<&TElDoData::Send>(&send, in3);
  EXPECT_EQ(first.Last().AsInteger(), 5);
}

TEST_F(RoutingTest, MemoryStoresClearsAndAnswers) {
  TElMemory memory;
  memory.SetDefault(Int(-1));
  Probe stored, after;
  memory.OnStore = ToProbe(&stored);
  stored.tail_to_next = true;
  stored.OnNext = ToProbe(&after);
  EXPECT_EQ(ReadValue<&TElMemory::OutValue>(&memory).AsInteger(), -1);

  // Unlinked InValue takes the head of the incoming chain, one value only.
  TData in = Chain({Int(5), Int(6)});
  Call<&TElMemory::Store>(&memory, in);
  ASSERT_EQ(stored.Count(), 1u);
  EXPECT_EQ(stored.Last().AsInteger(), 5);
  EXPECT_EQ(ChainLength(stored.Last()), 1);
  EXPECT_EQ(after.Count(), 1u);
  EXPECT_EQ(ReadValue<&TElMemory::OutValue>(&memory).AsInteger(), 5);

  TData any = Str("ignored");
  Call<&TElMemory::Clear>(&memory, any, 1);
  EXPECT_EQ(stored.Last().AsInteger(), -1);
  EXPECT_EQ(ReadValue<&TElMemory::OutValue>(&memory).AsInteger(), -1);

  Source source(Str("linked"));
  memory.InValue = FromSource(&source);
  TData in2 = Int(9);
  Call<&TElMemory::Store>(&memory, in2);
  EXPECT_EQ(stored.Last().AsString(), "linked");
  EXPECT_EQ(ReadValue<&TElMemory::OutValue>(&memory).AsString(), "linked");
}

TEST_F(RoutingTest, ChanelToIndexSendsThePointNumberAndKeepsTheValue) {
  TElChanelToIndex select;
  select.SetCount(14);
  Probe probe;
  select.OnIndex = ToProbe(&probe);
  TData in = Str("abc");
  Call<&TElChanelToIndex::Select>(&select, in, 13);
  ASSERT_EQ(probe.Count(), 1u);
  EXPECT_EQ(probe.Last().type, DataType::Integer);
  EXPECT_EQ(probe.Last().AsInteger(), 13);
  EXPECT_EQ(select.LastValue().AsString(), "abc");
}

TEST_F(RoutingTest, IndexToChanelRoutesInRangeOnly) {
  TElIndexToChanel route;
  route.SetCount(14);
  Probe probe;
  for (uint16_t j = 0; j < 14; ++j) route.OnChannel[j] = ToProbe(&probe, j);

  // Unlinked data points read the incoming chain as (number, value).
  TData in = Chain({Int(2), Str("v")});
  Call<&TElIndexToChanel::Route>(&route, in);
  ASSERT_EQ(probe.Count(), 1u);
  EXPECT_EQ(probe.indices.back(), 2);
  EXPECT_EQ(probe.Last().AsString(), "v");

  for (int32_t n : {14, -1, 1000}) {
    TData out_of_range = Chain({Int(n), Str("v")});
    Call<&TElIndexToChanel::Route>(&route, out_of_range);
  }
  EXPECT_EQ(probe.Count(), 1u);

  // Linked number; the value then is the whole incoming head; Data overrides it.
  Source number(Int(13));
  route.InIndex = FromSource(&number);
  TData in2 = Str("w");
  Call<&TElIndexToChanel::Route>(&route, in2);
  EXPECT_EQ(probe.indices.back(), 13);
  EXPECT_EQ(probe.Last().AsString(), "w");
  route.Data = Int(7);
  TData in3 = Str("w");
  Call<&TElIndexToChanel::Route>(&route, in3);
  EXPECT_EQ(probe.Last().AsInteger(), 7);
}

TEST_F(RoutingTest, GetIndexDataReadsTheSelectedInput) {
  TElGetIndexData pick;
  pick.SetCount(3);
  Source zero(Str("zero")), one(Str("one"));
  pick.InData[0] = FromSource(&zero);
  pick.InData[1] = FromSource(&one);

  // Selected index starts at 0.
  EXPECT_EQ(pick.Selected(), 0);
  EXPECT_EQ(ReadValue<&TElGetIndexData::OutData>(&pick).AsString(), "zero");

  TData sel = Str("1");
  Call<&TElGetIndexData::SelectIndex>(&pick, sel);
  EXPECT_EQ(ReadValue<&TElGetIndexData::OutData>(&pick).AsString(), "one");

  // Selected but unlinked: Break, so the reader uses its own default.
  TData two = Int(2);
  Call<&TElGetIndexData::SelectIndex>(&pick, two);
  EXPECT_TRUE(ReadValue<&TElGetIndexData::OutData>(&pick).IsBreak());

  for (int32_t n : {3, -1}) {
    TData bad = Int(n);
    Call<&TElGetIndexData::SelectIndex>(&pick, bad);
    EXPECT_EQ(pick.Selected(), -1);
    EXPECT_TRUE(ReadValue<&TElGetIndexData::OutData>(&pick).IsNull());
  }
}

// A list as list elements hand it out.
class List : public ArrayInterface {
 public:
  std::vector<TData> items;
  bool Get(const TData& index, TData& item) override {
    int32_t i = index.AsIndex();
    if (i < 0 || i >= Count()) return false;
    item = items[static_cast<size_t>(i)];
    return true;
  }
  int32_t Count() override { return static_cast<int32_t>(items.size()); }
};

class ListSource : public TElement {
 public:
  List list;
  void Out(TData& result, uint16_t) { result.SetArray(&list); }
};

TEST_F(RoutingTest, ArrayRWReadsOneItem) {
  TElArrayRW reader;
  Probe probe;
  reader.OnRead = ToProbe(&probe);
  TData in = Int(0);
  Call<&TElArrayRW::Read>(&reader, in);  // no array: nothing
  EXPECT_EQ(probe.Count(), 0u);

  ListSource source;
  source.list.items = {Str("a"), Chain({Str("b"), Str("c")})};
  reader.InArray = Link<&ListSource::Out>(&source);

  // Index from the incoming chain; the item arrives without the rest of the chain.
  TData in2 = Chain({Int(1), Int(0)});
  Call<&TElArrayRW::Read>(&reader, in2);
  ASSERT_EQ(probe.Count(), 1u);
  EXPECT_EQ(probe.Last().AsString(), "b");
  EXPECT_EQ(ChainLength(probe.Last()), 1);
  EXPECT_EQ(ReadValue<&TElArrayRW::OutItem>(&reader).AsString(), "b");

  // No such item: nothing fires and the last item stays.
  TData in3 = Int(5);
  Call<&TElArrayRW::Read>(&reader, in3);
  EXPECT_EQ(probe.Count(), 1u);
  EXPECT_EQ(ReadValue<&TElArrayRW::OutItem>(&reader).AsString(), "b");

  // The Index property wins over the incoming value; a non-array source gives nothing.
  reader.Index = Int(0);
  TData in4 = Int(1);
  Call<&TElArrayRW::Read>(&reader, in4);
  EXPECT_EQ(probe.Last().AsString(), "a");
  Source not_array(Int(3));
  reader.InArray = FromSource(&not_array);
  Call<&TElArrayRW::Read>(&reader, in4);
  EXPECT_EQ(probe.Count(), 2u);
}

}  // namespace
}  // namespace lumi

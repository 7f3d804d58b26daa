#include "runtime/container.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/edit_multi.h"
#include "runtime/multi_element.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

std::vector<std::string> g_destroyed;

class Named : public TElement {
 public:
  explicit Named(std::string n) : name(std::move(n)) {}
  ~Named() override { g_destroyed.push_back(name); }
  std::string name;
};

// Doubles what Work[0] brings by a tail call; answers 5 through OutVar[0]; Work[1]
// raises OnEvent[0] with what OutData[0] reads from outside.
class Doubler : public TElement {
 public:
  TEl_Event OnResult;
  void Double(TData& d, uint16_t) { TailInteger(d, OnResult, d.AsInteger() * 2); }
};

class Relay : public TElement {
 public:
  TEl_Event OnOut;
  TEl_Event InValue;
  void Pass(TData& d, uint16_t) {
    TData incoming;
    TailData(d, OnOut, PullData(incoming, InValue));
  }
};

class InnerScheme : public Container {
 public:
  static int built;
  explicit InnerScheme(TElement*) {
    ++built;
    edit = CreateEditMulti(2, 2);
    first = Create<Named>("inner-first");
    doubler = Create<Doubler>();
    five = Create<test::Source>(TData::Integer(5));
    relay = Create<Relay>();
    last = Create<Named>("inner-last");

    edit->OnWork[0] = Link<&Doubler::Double>(doubler);
    edit->OnWork[1] = Link<&Relay::Pass>(relay);
    edit->InVar[0] = test::FromSource(five);
    // InVar[1] stays unlinked.
    relay->InValue = Link<&TElEditMulti::OutData>(edit, 0);
    relay->OnOut = Link<&TElEditMulti::Raise>(edit, 0);
  }
  ~InnerScheme() override { g_destroyed.push_back("inner-container"); }

  TElEditMulti* edit;
  Named* first;
  Doubler* doubler;
  test::Source* five;
  Relay* relay;
  Named* last;
};
int InnerScheme::built = 0;

class OuterScheme : public Container {
 public:
  explicit OuterScheme(bool on_demand) {
    before = Create<Named>("outer-before");
    multi = Create<TElMultiElement>();
    multi->CreateOnDemand = on_demand;
    multi->SetCreator(CreatorOf<InnerScheme>());
    multi->OnEvent.Resize(1);
    multi->InData.Resize(1);
    after = Create<Named>("outer-after");
    probe = Create<test::Probe>();
    outside = Create<test::Source>(TData::String("from outside"));

    multi->OnEvent[0] = test::ToProbe(probe);
    multi->InData[0] = test::FromSource(outside);
  }

  Named* before;
  TElMultiElement* multi;
  Named* after;
  test::Probe* probe;
  test::Source* outside;
};

class ContainerTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    g_destroyed.clear();
    InnerScheme::built = 0;
  }
};

TEST_F(ContainerTest, NestedSchemeIsReachedThroughItsPoints) {
  OuterScheme outer(false);
  EXPECT_EQ(InnerScheme::built, 1);

  TData d = TData::Integer(21);
  outer.multi->Work(d, 0);
  EXPECT_EQ(d.integer, 42);  // the inner tail call reaches the outer record

  TData answer;
  outer.multi->OutVar(answer, 0);
  EXPECT_EQ(answer.integer, 5);
  outer.multi->OutVar(answer, 1);
  EXPECT_TRUE(answer.IsBreak());  // unlinked InVar: the reader falls back
  TData incoming;
  EXPECT_EQ(PullInteger(incoming, Link<&TElMultiElement::OutVar>(outer.multi, 1), 77), 77);

  TData go;
  outer.multi->Work(go, 1);
  ASSERT_EQ(outer.probe->Count(), 1u);
  EXPECT_EQ(outer.probe->Last().text, "from outside");

  TData out_of_range = TData::Integer(3);
  outer.multi->Work(out_of_range, 9);
  EXPECT_EQ(out_of_range.integer, 3);
}

TEST_F(ContainerTest, CreateOnDemandBuildsOnceOnFirstUse) {
  OuterScheme outer(true);
  EXPECT_EQ(InnerScheme::built, 0);
  TData d = TData::Integer(1);
  outer.multi->Work(d, 0);
  EXPECT_EQ(d.integer, 2);
  outer.multi->Work(d, 0);
  EXPECT_EQ(InnerScheme::built, 1);
}

class Registering : public TElement {
 public:
  int inits = 0;
  Registering() { RegisterInit<&Registering::Init>(this); }
  void Init() { ++inits; }
};

class LateScheme : public Container {
 public:
  explicit LateScheme(TElement*) {
    CreateEditMulti(0, 0);
    element = Create<Registering>();
  }
  Registering* element;
};

TEST_F(ContainerTest, SchemeBuiltAfterStartRunsItsStartUpAtOnce) {
  RunInits();
  TElMultiElement multi;
  multi.CreateOnDemand = true;
  multi.SetCreator(CreatorOf<LateScheme>());
  TData d;
  multi.Work(d, 0);
  auto* scheme = static_cast<LateScheme*>(multi.Inner()->container);
  EXPECT_EQ(scheme->element->inits, 1);
  EXPECT_TRUE(IsStarted());
}

TEST_F(ContainerTest, DestructionGoesInReverseWithNestedSchemesFirst) {
  { OuterScheme outer(false); }
  EXPECT_EQ(g_destroyed, (std::vector<std::string>{"outer-after", "inner-container", "inner-last",
                                                   "inner-first", "outer-before"}));
}

class Throwing : public TElement {
 public:
  Throwing() { throw std::runtime_error("no"); }
};

class BrokenScheme : public Container {
 public:
  BrokenScheme() {
    Create<Named>("made");
    Create<Throwing>();
  }
};

TEST_F(ContainerTest, FailedConstructionDestroysWhatWasBuilt) {
  EXPECT_THROW(BrokenScheme{}, std::runtime_error);
  EXPECT_EQ(g_destroyed, (std::vector<std::string>{"made"}));
}

}  // namespace
}  // namespace lumi

#include "elements/compute/math_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "runtime/cp1251.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

using test::FromSource;
using test::Probe;
using test::Source;
using test::ToProbe;

constexpr double kPi = 3.141592653589793;

class FakeArray : public ArrayInterface {
 public:
  std::vector<double> items;
  DataType index_type = DataType::Null;

  bool Get(const TData& index, TData& item) override {
    index_type = index.type;
    int32_t i = index.AsIndex();
    if (i < 0 || static_cast<size_t>(i) >= items.size()) return false;
    item.SetReal(items[static_cast<size_t>(i)]);
    return true;
  }
  int32_t Count() override { return static_cast<int32_t>(items.size()); }
};

// Element (r, c) of a 5 x 5 table holds r * 10 + c; outside it, NULL.
class FakeMatrix : public MatrixInterface {
 public:
  TData Get(int32_t row, int32_t column) override {
    if (row < 0 || row > 4 || column < 0 || column > 4) return {};
    return TData::Real(row * 10 + column);
  }
};

// Hands out an array or a matrix through a data point.
class Holder : public TElement {
 public:
  FakeArray array;
  FakeMatrix matrix;
  void OutArray(TData& result, uint16_t) { result.SetArray(&array); }
  void OutMatrix(TData& result, uint16_t) { result.SetMatrix(&matrix); }
};

// A function of the scheme: answers twice the argument it receives.
class Doubler : public TElement {
 public:
  void Out(TData& record, uint16_t) { record.SetReal(record.AsReal() * 2); }
};

class MathParseTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    parse.SetArgCount(2);
    parse.ResultType = 1;
    parse.OnResult = ToProbe(&results);
    parse.OnError = ToProbe(&errors);
  }

  // Through the dispatcher, which performs the element's closing tail call.
  void Run(TData& data) { Fire(Link<&TElMathParse::Calc>(&parse), data); }

  // Runs the expression and answers the result; a failure is a test failure.
  double Value(const Text& expr, const TData& incoming = {}) {
    parse.MathStr = expr;
    const size_t before = results.Count();
    TData data = incoming;
    Run(data);
    if (results.Count() != before + 1) {
      ADD_FAILURE() << "no result for '" << expr << "'";
      return std::numeric_limits<double>::quiet_NaN();
    }
    return results.Last().AsReal();
  }

  // Runs the expression through OnError and answers the code sent there (-1: none).
  int Error(const Text& expr, const TData& incoming = {}) {
    parse.MathStr = expr;
    const size_t results_before = results.Count();
    const size_t errors_before = errors.Count();
    TData data = incoming;
    Run(data);
    EXPECT_EQ(results.Count(), results_before) << "a failed '" << expr << "' sent a result";
    if (errors.Count() != errors_before + 1) return -1;
    EXPECT_EQ(errors.Last().type, DataType::Integer);
    return errors.Last().AsInteger();
  }

  struct Shown {
    int code = -1;
    long long position = -1;
  };

  // Runs the expression with OnError unlinked and reads code and position back from
  // the message box.
  Shown Message(const Text& expr) {
    TEl_Event saved = parse.OnError;
    parse.OnError = {};
    parse.MathStr = expr;
    const size_t before = messages.shown.size();
    TData data;
    Run(data);
    parse.OnError = saved;
    if (messages.shown.size() != before + 1) {
      ADD_FAILURE() << "no message for '" << expr << "'";
      return {};
    }
    const auto& m = messages.shown.back();
    EXPECT_EQ(m.caption, "String-Debug");
    for (int code : {0, 1}) {
      const Text& prefix = code == 0 ? kSyntaxText : kCalcText;
      if (m.text.compare(0, prefix.size(), prefix) == 0)
        return {code, std::stoll(m.text.substr(prefix.size()))};
    }
    ADD_FAILURE() << "unexpected message for '" << expr << "'";
    return {};
  }

  const Text kSyntaxText =
      cp1251::FromUtf8("Ошибка синтаксиса в элементе MathParser\r\nОбнаружена в позиции ");
  const Text kCalcText = cp1251::FromUtf8("Ошибка вычисления в элементе MathParser\r\nОбнаружена в позиции ");

  TElMathParse parse;
  Probe results;
  Probe errors;
};

TEST_F(MathParseTest, PercentagesOfTheScheme) {
  Source whole(TData::Integer(200));
  Source part(TData::Integer(50));
  parse.InArg[0] = FromSource(&whole);
  parse.InArg[1] = FromSource(&part);
  EXPECT_DOUBLE_EQ(Value("(%2/%1)*100"), 25);
  EXPECT_DOUBLE_EQ(Value("((%1-%2)/%1)*100"), 75);
  EXPECT_EQ(results.Last().type, DataType::Real);

  parse.ResultType = 0;
  Value("(%2/%1)*100");
  EXPECT_EQ(results.Last().type, DataType::Integer);
  EXPECT_EQ(results.Last().integer, 25);

  // Division by zero: the ")" after "%1" has been read when the division fails.
  whole.value = TData::Integer(0);
  EXPECT_EQ(Error("(%2/%1)*100"), 1);
  Shown shown = Message("(%2/%1)*100");
  EXPECT_EQ(shown.code, 1);
  EXPECT_EQ(shown.position, 7);
  EXPECT_EQ(messages.shown.back().text, kCalcText + "7");
}

TEST_F(MathParseTest, OperatorsPrecedenceAndSigns) {
  EXPECT_DOUBLE_EQ(Value("2*(-3)"), -6);
  EXPECT_DOUBLE_EQ(Value("-2^2"), 4);
  EXPECT_DOUBLE_EQ(Value("2^3^2"), 64);
  EXPECT_DOUBLE_EQ(Value("1 + 2*3 - 4/8"), 6.5);
  EXPECT_DOUBLE_EQ(Value(" 1 +\t2 "), 3);
}

TEST_F(MathParseTest, SignAfterOperatorIsASyntaxError) {
  EXPECT_EQ(Error("2*-3"), 0);
  EXPECT_EQ(Error("2--3"), 0);
  EXPECT_EQ(Error("2^ -1"), 0);
  EXPECT_EQ(Message("2*-3").position, 2);
}

TEST_F(MathParseTest, PowerRules) {
  EXPECT_DOUBLE_EQ(Value("2^10"), 1024);
  EXPECT_DOUBLE_EQ(Value("2^(-2)"), 0.25);
  EXPECT_DOUBLE_EQ(Value("(-2)^3"), -8);
  EXPECT_DOUBLE_EQ(Value("0^0"), 1);
  EXPECT_DOUBLE_EQ(Value("4^0.5"), 2);
  EXPECT_DOUBLE_EQ(Value("1^1e300"), 1);
  EXPECT_EQ(Error("(-8)^(1/3)"), 1);
  EXPECT_EQ(Error("0^0.5"), 1);
  EXPECT_EQ(Error("0^(-1)"), 1);
}

TEST_F(MathParseTest, IntegerDivisionAndRemainder) {
  EXPECT_DOUBLE_EQ(Value("7 div 2"), 3);
  EXPECT_DOUBLE_EQ(Value("-7 div 2"), -3);
  EXPECT_DOUBLE_EQ(Value("-7 mod 2"), -1);
  EXPECT_DOUBLE_EQ(Value("7 MOD -2"), 1);
  EXPECT_DOUBLE_EQ(Value("7.5 div 2"), 4);
  EXPECT_DOUBLE_EQ(Value("2.5 mod 10"), 2);
  EXPECT_EQ(Error("7 div 0.4"), 1);
  EXPECT_EQ(Error("7 mod 0"), 1);
  EXPECT_EQ(Error("1/0"), 1);
  EXPECT_EQ(Error("div 2"), 0);
}

TEST_F(MathParseTest, Functions) {
  EXPECT_DOUBLE_EQ(Value("round(3.14159, 0.01)"), 3.14);
  EXPECT_DOUBLE_EQ(Value("round(2.5)"), 2);
  EXPECT_DOUBLE_EQ(Value("round(3.5)"), 4);
  EXPECT_DOUBLE_EQ(Value("trunc(-7.5)"), -7);
  EXPECT_DOUBLE_EQ(Value("trunc(7.5, 2)"), 6);
  EXPECT_DOUBLE_EQ(Value("frac(7.25)"), 0.25);
  EXPECT_DOUBLE_EQ(Value("max(1, 5, 3)"), 5);
  EXPECT_DOUBLE_EQ(Value("min(3, -2, 7)"), -2);
  EXPECT_DOUBLE_EQ(Value("min(4)"), 4);
  EXPECT_DOUBLE_EQ(Value("SIN(PI/2)"), 1);
  EXPECT_DOUBLE_EQ(Value("cos(0) + e - E"), 1);
  EXPECT_DOUBLE_EQ(Value("atan(1, 1)"), kPi / 4);
  EXPECT_DOUBLE_EQ(Value("arcctg(-1)"), 3 * kPi / 4);
  EXPECT_DOUBLE_EQ(Value("log(2, 8)"), 3);
  EXPECT_DOUBLE_EQ(Value("lg(1000)"), 3);
  EXPECT_DOUBLE_EQ(Value("ln(e)"), 1);
  EXPECT_DOUBLE_EQ(Value("sqr(3) + sqrt(16)"), 13);
  EXPECT_DOUBLE_EQ(Value("abs(-2) * sign(-3)"), -2);
  EXPECT_DOUBLE_EQ(Value("sign(0)"), 0);
  EXPECT_DOUBLE_EQ(Value("ch(0) + sh(0)"), 1);
  EXPECT_DOUBLE_EQ(Value("th(400)"), 1);
  EXPECT_DOUBLE_EQ(Value("arcsh(-1e10)"), -std::asinh(1e10));
  EXPECT_DOUBLE_EQ(Value("arcth(0.5)"), std::atanh(0.5));
  EXPECT_DOUBLE_EQ(Value("arccth(2)"), std::atanh(0.5));
  EXPECT_DOUBLE_EQ(Value("arcch(1)"), 0);
}

TEST_F(MathParseTest, DegreeMode) {
  parse.AngleMode = true;
  EXPECT_DOUBLE_EQ(Value("sin(30)"), 0.5);
  EXPECT_DOUBLE_EQ(Value("arcsin(1)"), 90);
  EXPECT_DOUBLE_EQ(Value("arcctg(0)"), 90);
  EXPECT_DOUBLE_EQ(Value("atan(1, 1)"), 45);
}

TEST_F(MathParseTest, FunctionDomainErrorsPointAtTheClosingParenthesis) {
  for (const char* expr : {"ln(0)", "lg(-1)", "sqrt(-1)", "arccos(2)", "arcsin(-2)", "ctg(0)", "cth(0)",
                           "arcch(0.5)", "arcth(1)", "arccth(1)", "log(1, 5)", "log(-2, 8)", "round(1, 0)"}) {
    EXPECT_EQ(Error(expr), 1) << expr;
  }
  EXPECT_EQ(Message("ln(0)+1").position, 5);
}

TEST_F(MathParseTest, MalformedCallsAreSyntaxErrors) {
  for (const char* expr :
       {"sin 1", "sin(1", "atan(1)", "sin(1, 2)", "max()", "foo(1)", "pi(1)", "(1", "1)", "1 2"}) {
    EXPECT_EQ(Error(expr), 0) << expr;
  }
}

TEST_F(MathParseTest, NumberTokens) {
  EXPECT_DOUBLE_EQ(Value("$FF+0x10"), 271);
  EXPECT_DOUBLE_EQ(Value("$ff"), 255);
  EXPECT_DOUBLE_EQ(Value("$100000000"), 4294967296.0) << "hexadecimal numbers do not wrap";
  EXPECT_DOUBLE_EQ(Value("1.5e3"), 1500);
  EXPECT_DOUBLE_EQ(Value("1.5 E - 3"), 0.0015);
  EXPECT_DOUBLE_EQ(Value("2e+2"), 200);
  EXPECT_DOUBLE_EQ(Value(".5"), 0.5);
  EXPECT_DOUBLE_EQ(Value("5."), 5);
  EXPECT_DOUBLE_EQ(Value("0e999"), 0);
  for (const char* expr : {".", "2e", "2e+", "$", "$G", "0x", "1.2.3", "#", "2 e"}) {
    EXPECT_EQ(Error(expr), 0) << expr;
  }
  EXPECT_EQ(Error(Text("1\x01+2", 4)), 0) << "a control character does not end the text";
  EXPECT_EQ(Error(Text("1\0", 2)), 0);
}

TEST_F(MathParseTest, NonFiniteResultsAreCalculationErrors) {
  EXPECT_EQ(Error("exp(1000)"), 1);
  EXPECT_EQ(Error("1e308*10"), 1);
  EXPECT_EQ(Error("1e308+1e308"), 1);
  EXPECT_EQ(Error("1e400"), 1);
  EXPECT_EQ(Error("1e4294967297"), 1) << "the exponent does not wrap";
  EXPECT_EQ(Error("2^1024"), 1);
  EXPECT_EQ(Error("ch(1000)"), 1);
  EXPECT_EQ(Message("exp(1000)").position, 9);

  Source inf(TData::Real(std::numeric_limits<double>::infinity()));
  parse.InArg[0] = FromSource(&inf);
  EXPECT_EQ(Error("%1*0"), 1);
}

TEST_F(MathParseTest, EmptyTextAndPositionsAtTheEnd) {
  EXPECT_EQ(Error(""), 0);
  EXPECT_EQ(Error("   "), 0);
  EXPECT_EQ(Message("").position, 1);
  EXPECT_EQ(Message("1+").position, 3);
  EXPECT_EQ(Message("%3").position, 2);
}

TEST_F(MathParseTest, LastResultAndDefault) {
  parse.SetDefault(3);
  EXPECT_DOUBLE_EQ(Value("%0"), 3);
  Value("7");
  EXPECT_DOUBLE_EQ(Value("%0+1"), 8);
  EXPECT_DOUBLE_EQ(Value("%0+1"), 9);
  EXPECT_EQ(Error("1/0"), 1);
  EXPECT_DOUBLE_EQ(Value("%0"), 3) << "a failed evaluation falls back to Default";
}

TEST_F(MathParseTest, ArgumentsArePulledOncePerEvaluation) {
  Source a(TData::Real(4));
  parse.InArg[0] = FromSource(&a);
  EXPECT_DOUBLE_EQ(Value("%1+%1*%1"), 20);
  EXPECT_EQ(a.reads, 1);
  Value("%1");
  EXPECT_EQ(a.reads, 2);
  EXPECT_EQ(Error("%3"), 0);
  EXPECT_EQ(Error("%-1"), 0);
  EXPECT_EQ(Error("%1.5"), 0);
  EXPECT_EQ(Error("%"), 0);
}

TEST_F(MathParseTest, UnlinkedArgumentsConsumeTheIncomingChain) {
  // Pulled in the order of evaluation: %2 first takes 10, then %1 takes 4.
  EXPECT_DOUBLE_EQ(Value("%2/%1", test::Chain({TData::Real(10), TData::Real(4)})), 2.5);
  EXPECT_DOUBLE_EQ(Value("%1+%2", TData::String("6")), 6);
}

TEST_F(MathParseTest, ErrorRecordOfAnotherEvaluatorPropagates) {
  TElMathParse first;
  first.ResultType = 1;
  Probe sink;
  first.OnError = ToProbe(&sink);
  parse.InArg[0] = Link<&TElMathParse::OutResult>(&first);

  first.MathStr = "1/0";
  TData d;
  first.Calc(d, 0);
  TData record;
  first.OutResult(record, 0);
  EXPECT_EQ(record.type, DataType::Null);
  EXPECT_EQ(record.integer, 1);
  EXPECT_EQ(record.text, "MathParse Exception");
  EXPECT_EQ(Error("%1+1"), 1);

  first.MathStr = "1+";
  first.Calc(d, 0);
  EXPECT_EQ(Error("%1+1"), 0);

  first.MathStr = "1/2";
  first.Calc(d, 0);
  EXPECT_DOUBLE_EQ(Value("%1+1"), 1.5);
  first.ResultType = 0;
  first.OutResult(record, 0);
  EXPECT_EQ(record.type, DataType::Integer);
  EXPECT_EQ(record.integer, 0) << "0.5 rounds to even";
}

TEST_F(MathParseTest, IntegerResultsRoundHalfToEven) {
  parse.ResultType = 0;
  Value("2.5");
  EXPECT_EQ(results.Last().integer, 2);
  Value("-3.5");
  EXPECT_EQ(results.Last().integer, -4);
}

TEST_F(MathParseTest, ArrayAndMatrixArguments) {
  Holder holder;
  holder.array.items = {1.5, 2.5, 3.5};
  parse.InArg[0] = Link<&Holder::OutArray>(&holder);
  parse.InArg[1] = Link<&Holder::OutMatrix>(&holder);
  EXPECT_DOUBLE_EQ(Value("%1[1+1]"), 3.5);
  EXPECT_EQ(holder.array.index_type, DataType::Real);
  EXPECT_EQ(Error("%1[3]"), 1);
  EXPECT_EQ(Error("%2[1]"), 1) << "a matrix is not an array";
  EXPECT_EQ(Error("%1[1"), 0);

  EXPECT_DOUBLE_EQ(Value("%2[2, 3]"), 23);
  EXPECT_DOUBLE_EQ(Value("%2[2.5, 3.5]"), 24);
  EXPECT_EQ(Error("%2[9, 9]"), 1);
  EXPECT_EQ(Error("%2[4294967298, 0]"), 1) << "no wrap onto row 2";
  EXPECT_EQ(Error("%1[1, 1]"), 1);
  EXPECT_EQ(Error("%2[1, 1"), 0);

  parse.InArg[0] = {};
  EXPECT_EQ(Error("%1[0]"), 1);
}

TEST_F(MathParseTest, CallIntoTheScheme) {
  Doubler doubler;
  Source nothing;
  parse.InArg[0] = Link<&Doubler::Out>(&doubler);
  EXPECT_DOUBLE_EQ(Value("%1(5)+1"), 11);
  EXPECT_DOUBLE_EQ(Value("%2(5)"), 0) << "unlinked reads as Break";
  EXPECT_EQ(Error("%1(5"), 0);
  parse.InArg[0] = FromSource(&nothing);
  EXPECT_EQ(Error("%1(5)"), 1);
  Source brk(TData::Break());
  parse.InArg[0] = FromSource(&brk);
  EXPECT_DOUBLE_EQ(Value("%1(5)"), 0);
}

// Calls the evaluator again from inside one of its own argument pulls.
class Reenter : public TElement {
 public:
  TElMathParse* parse = nullptr;
  void Out(TData& result, uint16_t) {
    FireNull(Link<&TElMathParse::Calc>(parse));
    result.SetReal(1);
  }
};

TEST_F(MathParseTest, ReentryThroughAnArgumentIsRefused) {
  Reenter loop;
  loop.parse = &parse;
  parse.InArg[0] = Link<&Reenter::Out>(&loop);
  EXPECT_DOUBLE_EQ(Value("%1+1"), 2);
  ASSERT_EQ(errors.Count(), 1u);
  EXPECT_EQ(errors.Last().integer, 1);
}

TEST_F(MathParseTest, NestingIsLimited) {
  const Text deep = Text(256, '(') + "1" + Text(256, ')');
  EXPECT_DOUBLE_EQ(Value(deep), 1);
  EXPECT_EQ(Error("(" + deep + ")"), 0);

  Shown shown = Message(Text(32767, '('));
  EXPECT_EQ(shown.code, 0);
  EXPECT_EQ(shown.position, 257);

  Text calls;
  for (int i = 0; i < 300; ++i) calls += "sin(";
  EXPECT_EQ(Message(calls).position, 257 * 4);
  Text signs;
  for (int i = 0; i < 300; ++i) signs += "-(";
  EXPECT_EQ(Message(signs).position, 257 * 2);
  Text indexes;
  for (int i = 0; i < 300; ++i) indexes += "%1[";
  EXPECT_EQ(Message(indexes).position, 257 * 3);
}

TEST_F(MathParseTest, LongTextsKeepTheirTruePositions) {
  Text sum;
  for (int i = 0; i < 20000; ++i) sum += "1+";
  EXPECT_DOUBLE_EQ(Value(sum + "1"), 20001);
  Shown shown = Message(sum + "x");
  EXPECT_EQ(shown.code, 0);
  EXPECT_EQ(shown.position, 40001);
}

TEST_F(MathParseTest, RandomTextsEndInAResultOrAnError) {
  std::mt19937 random(12345);
  const std::string alphabet = "()[],%+-*/^.$x0123456789eE sincomdvlgtr\x01\t";
  for (int round = 0; round < 40; ++round) {
    Text text(32767, ' ');
    for (char& c : text) {
      c = round % 2 == 0 ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
    }
    parse.MathStr = text;
    const size_t results_before = results.Count();
    const size_t errors_before = errors.Count();
    TData data;
    Run(data);
    ASSERT_EQ(results.Count() - results_before + errors.Count() - errors_before, 1u);
    if (errors.Count() > errors_before) {
      int code = errors.Last().AsInteger();
      EXPECT_TRUE(code == 0 || code == 1) << code;
    }
  }
}

}  // namespace
}  // namespace lumi

#include "elements/compute/math_parse.h"

#include <cmath>
#include <string>
#include <string_view>

#include "elements/compute/math_scanner.h"
#include "elements/support/debug_message.h"
#include "runtime/cp1251.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace lumi {
namespace {

constexpr int kSyntaxError = 0;
constexpr int kCalcError = 1;

// Deeper nesting than any real formula needs; it bounds the stack for hostile texts.
constexpr int kMaxDepth = 256;

constexpr double kPi = 3.141592653589793;
constexpr double kE = 2.718281828459045;

constexpr std::string_view kExceptionText = "MathParse Exception";

// Unwinds the whole evaluation at the first error.
struct MathFailure {
  int code;
  int64_t position;
};

enum class Fn {
  Cos,
  Sin,
  Tg,
  Ctg,
  ArcCos,
  ArcSin,
  ArcTg,
  ArcCtg,
  Atan,
  Ch,
  Sh,
  Th,
  Cth,
  ArcCh,
  ArcSh,
  ArcTh,
  ArcCth,
  Log,
  Lg,
  Ln,
  Exp,
  Sqr,
  Sqrt,
  Abs,
  Sign,
  Round,
  Frac,
  Trunc,
  Min,
  Max
};

enum class Arity { One, Two, OneOrTwo, OneOrMore };

struct FnEntry {
  std::string_view name;
  Fn fn;
  Arity arity;
};

constexpr FnEntry kFunctions[] = {
    {"cos", Fn::Cos, Arity::One},        {"sin", Fn::Sin, Arity::One},
    {"tg", Fn::Tg, Arity::One},          {"ctg", Fn::Ctg, Arity::One},
    {"arccos", Fn::ArcCos, Arity::One},  {"arcsin", Fn::ArcSin, Arity::One},
    {"arctg", Fn::ArcTg, Arity::One},    {"arcctg", Fn::ArcCtg, Arity::One},
    {"atan", Fn::Atan, Arity::Two},      {"ch", Fn::Ch, Arity::One},
    {"sh", Fn::Sh, Arity::One},          {"th", Fn::Th, Arity::One},
    {"cth", Fn::Cth, Arity::One},        {"arcch", Fn::ArcCh, Arity::One},
    {"arcsh", Fn::ArcSh, Arity::One},    {"arcth", Fn::ArcTh, Arity::One},
    {"arccth", Fn::ArcCth, Arity::One},  {"log", Fn::Log, Arity::Two},
    {"lg", Fn::Lg, Arity::One},          {"ln", Fn::Ln, Arity::One},
    {"exp", Fn::Exp, Arity::One},        {"sqr", Fn::Sqr, Arity::One},
    {"sqrt", Fn::Sqrt, Arity::One},      {"abs", Fn::Abs, Arity::One},
    {"sign", Fn::Sign, Arity::One},      {"round", Fn::Round, Arity::OneOrTwo},
    {"frac", Fn::Frac, Arity::OneOrTwo}, {"trunc", Fn::Trunc, Arity::OneOrTwo},
    {"min", Fn::Min, Arity::OneOrMore},  {"max", Fn::Max, Arity::OneOrMore},
};

const Text& ErrorText(int code) {
  static const Text kSyntax =
      cp1251::FromUtf8("Ошибка синтаксиса в элементе MathParser\r\nОбнаружена в позиции ");
  static const Text kCalc =
      cp1251::FromUtf8("Ошибка вычисления в элементе MathParser\r\nОбнаружена в позиции ");
  return code == kSyntaxError ? kSyntax : kCalc;
}

// Round to nearest, ties to even (the default rounding mode, never changed here).
double RoundEven(double x) { return std::nearbyint(x); }

bool IsErrorRecord(const TData& d) { return d.IsNull() && d.text == kExceptionText; }

}  // namespace

// One run of the recursive descent over the element's text:
//   Expression := Term { (+|-) Term }
//   Term       := Power { (*|/|div|mod) Power }
//   Power      := Unary { ^ Unary }
//   Unary      := [+|-] Factor
class MathEvaluation {
 public:
  MathEvaluation(TElMathParse& element, TData& incoming)
      : el_(element), incoming_(incoming), scan_(element.MathStr) {}

  double Run() {
    scan_.Next();
    double value = Expression();
    if (scan_.Kind() != MathToken::End) Fail(kSyntaxError);
    return value;
  }

 private:
  // Reported one short of the scanner: normally the last character of the token that
  // gave offence.
  [[noreturn]] void Fail(int code) { throw MathFailure{code, scan_.Position() - 1}; }

  double Finite(double v) {
    if (!std::isfinite(v)) Fail(kCalcError);
    return v;
  }

  void Expect(char delimiter) {
    if (!scan_.IsDelimiter(delimiter)) Fail(kSyntaxError);
  }

  // Called on the opening bracket, so the limit is reported where it was crossed.
  void Enter() {
    if (++depth_ > kMaxDepth) Fail(kSyntaxError);
  }
  void Leave() { --depth_; }

  double Expression() {
    double v = Term();
    for (;;) {
      if (scan_.IsOperator('+')) {
        scan_.Next();
        double rhs = Term();
        v = Finite(v + rhs);
      } else if (scan_.IsOperator('-')) {
        scan_.Next();
        double rhs = Term();
        v = Finite(v - rhs);
      } else {
        return v;
      }
    }
  }

  double Term() {
    double v = Power();
    for (;;) {
      if (scan_.IsOperator('*')) {
        scan_.Next();
        double rhs = Power();
        v = Finite(v * rhs);
      } else if (scan_.IsOperator('/')) {
        scan_.Next();
        double rhs = Power();
        if (rhs == 0.0) Fail(kCalcError);
        v = Finite(v / rhs);
      } else if (scan_.IsName("div") || scan_.IsName("mod")) {
        const bool div = scan_.IsName("div");
        scan_.Next();
        double rhs = Power();
        double a = RoundEven(v);
        double b = RoundEven(rhs);
        if (b == 0.0) Fail(kCalcError);
        // Remainder with the sign of the dividend; the quotient truncates. Done in
        // reals, so no operand range can overflow an integer type.
        double r = std::fmod(a, b);
        v = div ? (a - r) / b + 0.0 : r + 0.0;  // "+ 0.0" turns -0 into 0
      } else {
        return v;
      }
    }
  }

  double Power() {
    double v = Unary();
    while (scan_.IsOperator('^')) {
      scan_.Next();
      double exponent = Unary();
      v = Finite(Raise(v, exponent));
    }
    return v;
  }

  double Raise(double base, double exponent) {
    if (exponent == std::trunc(exponent)) {
      // Repeated squaring; the loop halves the exponent, so even 1e308 takes about a
      // thousand steps.
      double b = base;
      double n = exponent;
      if (n < 0) {
        b = 1.0 / b;
        n = -n;
      }
      double result = 1.0;
      while (n > 0) {
        if (std::fmod(n, 2.0) == 1.0) result *= b;
        n = std::floor(n / 2.0);
        if (n > 0) b *= b;
      }
      return result;
    }
    if (base > 0) return std::exp(exponent * std::log(base));
    Fail(kCalcError);
  }

  double Unary() {
    if (scan_.IsOperator('-')) {
      scan_.Next();
      return -Factor();
    }
    if (scan_.IsOperator('+')) scan_.Next();
    return Factor();
  }

  double Factor() {
    if (scan_.IsNumber()) {
      double v = Finite(scan_.Number());
      scan_.Next();
      return v;
    }
    if (scan_.IsDelimiter('(')) {
      Enter();
      scan_.Next();
      double v = Expression();
      Expect(')');
      scan_.Next();
      Leave();
      return v;
    }
    if (scan_.IsDelimiter('%')) return Argument();
    if (scan_.Kind() == MathToken::Identifier) {
      if (scan_.IsName("pi")) {
        scan_.Next();
        return kPi;
      }
      if (scan_.IsName("e")) {
        scan_.Next();
        return kE;
      }
      for (const FnEntry& entry : kFunctions) {
        if (scan_.IsName(entry.name)) return Call(entry);
      }
    }
    Fail(kSyntaxError);
  }

  double Call(const FnEntry& entry) {
    scan_.Next();
    Expect('(');
    Enter();
    scan_.Next();
    double x = Expression();
    double y = 0.0;
    bool has_y = false;
    switch (entry.arity) {
      case Arity::One: break;
      case Arity::Two:
        Expect(',');
        scan_.Next();
        y = Expression();
        has_y = true;
        break;
      case Arity::OneOrTwo:
        if (scan_.IsDelimiter(',')) {
          scan_.Next();
          y = Expression();
          has_y = true;
        }
        break;
      case Arity::OneOrMore:
        while (scan_.IsDelimiter(',')) {
          scan_.Next();
          double next = Expression();
          x = entry.fn == Fn::Min ? std::fmin(x, next) : std::fmax(x, next);
        }
        break;
    }
    Expect(')');
    double v = Finite(Apply(entry.fn, x, has_y ? y : 1.0));
    scan_.Next();
    Leave();
    return v;
  }

  // Domain errors are raised while the closing ")" is the current token, so they are
  // reported at it.
  double Apply(Fn fn, double x, double y) {
    const double f = el_.AngleMode ? kPi / 180.0 : 1.0;
    switch (fn) {
      case Fn::Cos: return std::cos(x * f);
      case Fn::Sin: return std::sin(x * f);
      case Fn::Tg:
        if (std::cos(x * f) == 0.0) Fail(kCalcError);
        return std::tan(x * f);
      case Fn::Ctg:
        if (std::sin(x * f) == 0.0) Fail(kCalcError);
        return std::cos(x * f) / std::sin(x * f);
      case Fn::ArcCos:
        if (x > 1 || x < -1) Fail(kCalcError);
        return std::atan2(std::sqrt(1 - x * x), x) / f;
      case Fn::ArcSin:
        if (x > 1 || x < -1) Fail(kCalcError);
        return std::atan2(x, std::sqrt(1 - x * x)) / f;
      case Fn::ArcTg: return std::atan2(x, 1.0) / f;
      case Fn::ArcCtg: return std::atan2(1.0, x) / f;
      case Fn::Atan: return std::atan2(x, y) / f;
      // The hyperbolic functions are the library's: the same values as the textbook
      // exponential formulas, without their spurious overflow (th(400) is 1, not an
      // error) and cancellation (arcsh of a large negative number).
      case Fn::Ch: return std::cosh(x);
      case Fn::Sh: return std::sinh(x);
      case Fn::Th: return std::tanh(x);
      case Fn::Cth:
        if (x == 0.0) Fail(kCalcError);
        return 1.0 / std::tanh(x);
      case Fn::ArcCh:
        if (x < 1) Fail(kCalcError);
        return std::acosh(x);
      case Fn::ArcSh: return std::asinh(x);
      case Fn::ArcTh:
        if (x >= 1 || x <= -1) Fail(kCalcError);
        return std::atanh(x);
      case Fn::ArcCth:
        if (x >= -1 && x <= 1) Fail(kCalcError);
        return std::atanh(1.0 / x);
      case Fn::Log:  // log(base, y)
        if (x <= 0 || y <= 0) Fail(kCalcError);
        return std::log(y) / std::log(x);
      case Fn::Lg:
        if (x <= 0) Fail(kCalcError);
        return std::log10(x);
      case Fn::Ln:
        if (x <= 0) Fail(kCalcError);
        return std::log(x);
      case Fn::Exp: return std::exp(x);
      case Fn::Sqr: return x * x;
      case Fn::Sqrt:
        if (x < 0) Fail(kCalcError);
        return std::sqrt(x);
      case Fn::Abs: return std::fabs(x);
      case Fn::Sign: return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
      case Fn::Round: return y * RoundEven(x / y);  // y is the step, 1 when not given
      case Fn::Frac: {
        double q = x / y;
        return y * (q - std::trunc(q));
      }
      case Fn::Trunc: return y * std::trunc(x / y);
      case Fn::Min:
      case Fn::Max: return x;
    }
    return x;
  }

  // '%' n, optionally followed by [i], [i, j] or (x).
  double Argument() {
    scan_.Next();
    if (scan_.Kind() != MathToken::Integer) Fail(kSyntaxError);
    const double n = scan_.Number();
    if (n == 0) {
      scan_.Next();
      return el_.result_;
    }
    if (n < 1 || n > el_.ArgCount) Fail(kSyntaxError);
    const size_t k = static_cast<size_t>(n) - 1;
    const TEl_Event& point = el_.InArg.Get(k);
    scan_.Next();

    if (scan_.IsDelimiter('[')) {
      Enter();
      scan_.Next();
      double first = Expression();
      double v;
      if (scan_.IsDelimiter(',')) {
        scan_.Next();
        double second = Expression();
        Expect(']');
        v = MatrixItem(point, first, second);
      } else {
        Expect(']');
        v = ArrayItem(point, first);
      }
      v = Finite(v);
      scan_.Next();
      Leave();
      return v;
    }
    if (scan_.IsDelimiter('(')) {
      Enter();
      scan_.Next();
      double x = Expression();
      Expect(')');
      double v = Finite(AskScheme(point, x));
      scan_.Next();
      Leave();
      return v;
    }
    return Finite(Value(k, point));
  }

  double Value(size_t k, const TEl_Event& point) {
    if (k < el_.args_.size() && el_.args_[k].fetched) return el_.args_[k].value;
    TData got = PullData(incoming_, point);
    if (IsErrorRecord(got)) Fail(got.integer == kSyntaxError ? kSyntaxError : kCalcError);
    double v = got.AsReal();
    if (k < el_.args_.size()) el_.args_[k] = {v, true};  // indexed anew: the pull ran scheme code
    return v;
  }

  double ArrayItem(const TEl_Event& point, double index) {
    ArrayInterface* array = PullArray(point);
    if (array == nullptr) Fail(kCalcError);
    TData item;
    if (!array->Get(TData::Real(index), item)) Fail(kCalcError);
    return item.AsReal();
  }

  double MatrixItem(const TEl_Event& point, double row, double column) {
    MatrixInterface* matrix = PullMatrix(point);
    if (matrix == nullptr) Fail(kCalcError);
    // An index beyond the integer range names no element; it must not wrap onto one.
    const double r = RoundEven(row);
    const double c = RoundEven(column);
    constexpr double kLow = -2147483648.0;
    constexpr double kHigh = 2147483647.0;
    if (!(r >= kLow && r <= kHigh && c >= kLow && c <= kHigh)) Fail(kCalcError);
    TData item = matrix->Get(static_cast<int32_t>(r), static_cast<int32_t>(c));
    if (item.IsNull()) Fail(kCalcError);
    return item.AsReal();
  }

  // A call into the scheme: the linked element gets the argument and answers in the
  // same record. Unlinked, the answer is Break, which reads as 0.
  double AskScheme(const TEl_Event& point, double x) {
    TData record = TData::Real(x);
    if (point.IsLinked()) {
      Read(point, record);
    } else {
      record.SetBreak();
    }
    if (record.IsNull()) Fail(kCalcError);
    return record.AsReal();
  }

  TElMathParse& el_;
  TData& incoming_;
  MathScanner scan_;
  int depth_ = 0;
};

void TElMathParse::SetArgCount(int32_t count) {
  ArgCount = count;
  const size_t size = count > 0 ? static_cast<size_t>(count) : 0;
  InArg.Resize(size);
  args_.resize(size);
}

void TElMathParse::SetDefault(double value) {
  Default = value;
  result_ = value;
  has_result_ = false;
}

void TElMathParse::Calc(TData& data, uint16_t) {
  // Reached again through one of its own arguments: the evaluation in progress owns
  // the argument cache, so the inner one is refused rather than let loose on it.
  if (busy_) {
    Report(data, kCalcError, 0);
    return;
  }

  for (ArgSlot& slot : args_) slot.fetched = false;
  if (!has_result_) result_ = Default;
  TData incoming(data);

  double value = 0.0;
  int code = -1;
  int64_t position = 0;
  busy_ = true;
  try {
    MathEvaluation evaluation(*this, incoming);
    value = evaluation.Run();
  } catch (const MathFailure& failure) {
    code = failure.code;
    position = failure.position;
  } catch (...) {
    busy_ = false;
    throw;
  }
  busy_ = false;

  if (code >= 0) {
    has_result_ = false;
    error_ = static_cast<int16_t>(code);
    Report(data, code, position);
    return;
  }
  result_ = value;
  has_result_ = true;
  error_ = -1;
  if (ResultType == 0) {
    TailInteger(data, OnResult, RealToInteger(value));
  } else {
    TailReal(data, OnResult, value);
  }
}

void TElMathParse::Report(TData& data, int code, int64_t position) {
  if (OnError.IsLinked()) {
    TailInteger(data, OnError, code);
    return;
  }
  // Positions are not cut to 16 bits: a text longer than 32767 characters still gets
  // its true position.
  DebugMessage(ErrorText(code) + std::to_string(position));
}

void TElMathParse::OutResult(TData& data, uint16_t) {
  if (error_ >= 0) {
    data.SetNull();
    data.integer = error_;
    data.text = kExceptionText;
    return;
  }
  const double value = has_result_ ? result_ : Default;
  if (ResultType == 0) {
    data.SetInteger(RealToInteger(value));
  } else {
    data.SetReal(value);
  }
}

}  // namespace lumi

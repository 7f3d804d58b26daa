#include "elements/compute/math_scanner.h"

#include <cmath>

namespace lumi {
namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Latin letters, "_" and the upper half of the code page (Cyrillic letters among it).
bool IsNameStart(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 192; }

int HexDigit(int c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Past this, 10 raised to the exponent is infinite or zero for every mantissa the
// scanner can build; holding it here keeps "1e4294967297" from wrapping into 1e1.
constexpr int32_t kExponentCeiling = 100000;

}  // namespace

bool MathScanner::IsName(std::string_view lower) const {
  if (kind_ != MathToken::Identifier || name_.size() != lower.size()) return false;
  for (size_t i = 0; i < lower.size(); ++i) {
    char c = name_[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

void MathScanner::SkipBlanks(size_t& i) const {
  while (IsBlank(At(i))) ++i;
}

void MathScanner::Next() {
  SkipBlanks(next_);
  const size_t start = next_;
  const int c = At(start);

  if (c == kEndMarker) {
    kind_ = MathToken::End;
    if (next_ == text_.size()) ++next_;  // the marker itself is read once
    return;
  }
  switch (c) {
    case '(':
    case ')':
    case ',':
    case '[':
    case ']':
    case '%':
      kind_ = MathToken::Delimiter;
      symbol_ = static_cast<char>(c);
      ++next_;
      return;
    case '+':
    case '-':
    case '*':
    case '/':
    case '^': {
      ++next_;
      SkipBlanks(next_);
      // A sign straight after an operator is refused: "2*-3" must be written "2*(-3)".
      const int after = At(next_);
      kind_ = (after == '+' || after == '-') ? MathToken::Invalid : MathToken::Operator;
      symbol_ = static_cast<char>(c);
      return;
    }
    default: break;
  }
  if (c == '$' || (c == '0' && At(start + 1) == 'x')) {
    ReadHex();
  } else if (IsDigit(c) || c == '.') {
    ReadDecimal();
  } else if (IsNameStart(c)) {
    while (IsNameStart(At(next_)) || IsDigit(At(next_))) ++next_;
    kind_ = MathToken::Identifier;
    name_ = text_.substr(start, next_ - start);
  } else {
    // Control characters included: a stray end-marker byte inside the text does not
    // end the expression early.
    kind_ = MathToken::Invalid;
    ++next_;
  }
}

// The program's text-to-real rule, applied while reading: integer digits accumulate
// as value * 10 + digit, fraction digits add digit * scale.
void MathScanner::ReadDecimal() {
  double value = 0.0;
  bool any_digit = false;
  bool real = false;
  for (; IsDigit(At(next_)); ++next_) {
    value = value * 10.0 + (At(next_) - '0');
    any_digit = true;
  }
  if (At(next_) == '.') {
    ++next_;
    real = true;
    double scale = 0.1;
    for (; IsDigit(At(next_)); ++next_) {
      value += (At(next_) - '0') * scale;
      scale *= 0.1;
      any_digit = true;
    }
  }
  if (!any_digit) {
    kind_ = MathToken::Invalid;
    return;
  }

  size_t i = next_;
  SkipBlanks(i);
  if (At(i) == 'E' || At(i) == 'e') {
    next_ = i + 1;
    real = true;
    SkipBlanks(next_);
    bool negative = false;
    if (At(next_) == '+' || At(next_) == '-') {
      negative = At(next_) == '-';
      ++next_;
      SkipBlanks(next_);
    }
    if (!IsDigit(At(next_))) {
      kind_ = MathToken::Invalid;
      return;
    }
    int32_t exponent = 0;
    for (; IsDigit(At(next_)); ++next_) {
      if (exponent < kExponentCeiling) exponent = exponent * 10 + (At(next_) - '0');
    }
    // 0 stays 0 whatever the exponent, rather than becoming 0 * infinity.
    if (value != 0.0) value *= std::pow(10.0, negative ? -exponent : exponent);
  }
  kind_ = real ? MathToken::Real : MathToken::Integer;
  number_ = value;
}

void MathScanner::ReadHex() {
  next_ += At(next_) == '$' ? 1 : 2;
  double value = 0.0;  // exact up to 2^53, never wraps
  bool any_digit = false;
  for (int d; (d = HexDigit(At(next_))) >= 0; ++next_) {
    value = value * 16.0 + d;
    any_digit = true;
  }
  kind_ = any_digit ? MathToken::Hex : MathToken::Invalid;
  number_ = value;
}

}  // namespace lumi

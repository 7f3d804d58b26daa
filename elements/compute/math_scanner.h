#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumi {

enum class MathToken : uint8_t { Identifier, Real, Integer, Hex, Delimiter, Operator, End, Invalid };

// Cuts an expression into tokens. It works on a view of the text and converts numbers
// as it reads them, so a token never costs a copy of anything.
//
// Positions count from 1. The character after the last one is the end marker; reading
// it moves the position one past it, and there the scanner stays. The counter is wide:
// a text of any length gets its true positions.
class MathScanner {
 public:
  explicit MathScanner(std::string_view text) : text_(text) {}

  // Reads the next token; blanks and tabs before it are skipped.
  void Next();

  // Position of the next character to read.
  int64_t Position() const { return static_cast<int64_t>(next_) + 1; }

  MathToken Kind() const { return kind_; }
  bool IsDelimiter(char c) const { return kind_ == MathToken::Delimiter && symbol_ == c; }
  bool IsOperator(char c) const { return kind_ == MathToken::Operator && symbol_ == c; }
  // `lower` is compared with the identifier with A-Z folded to a-z.
  bool IsName(std::string_view lower) const;
  bool IsNumber() const {
    return kind_ == MathToken::Integer || kind_ == MathToken::Real || kind_ == MathToken::Hex;
  }
  std::string_view Name() const { return name_; }
  double Number() const { return number_; }

 private:
  int At(size_t i) const { return i < text_.size() ? static_cast<unsigned char>(text_[i]) : kEndMarker; }
  void SkipBlanks(size_t& i) const;
  void ReadDecimal();
  void ReadHex();

  static constexpr int kEndMarker = -1;

  std::string_view text_;
  size_t next_ = 0;  // index of the next character, from 0
  MathToken kind_ = MathToken::End;
  char symbol_ = 0;
  std::string_view name_;
  double number_ = 0.0;
};

}  // namespace lumi

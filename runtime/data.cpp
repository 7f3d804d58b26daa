#include "runtime/data.h"

#include <array>

#include "runtime/number_text.h"

namespace lumi {

std::string_view DataTypeName(DataType type) {
  static constexpr std::array<std::string_view, kDataTypeCount> kNames = {
      "NULL",   "Integer", "String", "Data",   "Combo",  "StrList", "Icon",    "Real",
      "Color",  "Script",  "Stream", "Bitmap", "Wave",   "Array",   "ComboEx", "Font",
      "Matrix", "Jpeg",    "Menu",   "Code",   "Object", "Break"};
  auto index = static_cast<size_t>(type);
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

void ArrayInterface::Set(const TData&, const TData&) {}
void ArrayInterface::Add(const TData&) {}

TData::TData(const TData& other)
    : type(other.type),
      integer(other.integer),
      object(other.object),
      text(other.text),
      real(other.real),
      tail(other.tail),
      next(other.next ? std::make_unique<TData>(*other.next) : nullptr) {}

TData& TData::operator=(const TData& other) {
  if (this != &other) {
    TData copy(other);
    *this = std::move(copy);
  }
  return *this;
}

// A long chain is freed iteratively: the recursive default would nest one destructor
// per value.
TData::~TData() {
  std::unique_ptr<TData> rest = std::move(next);
  while (rest) rest = std::move(rest->next);
}

TData TData::Integer(int32_t value) {
  TData d;
  d.SetInteger(value);
  return d;
}

TData TData::String(Text value) {
  TData d;
  d.SetString(std::move(value));
  return d;
}

TData TData::Real(double value) {
  TData d;
  d.SetReal(value);
  return d;
}

TData TData::Break() {
  TData d;
  d.SetBreak();
  return d;
}

void TData::Clear(DataType new_type) {
  type = new_type;
  integer = 0;
  object = nullptr;
  text.clear();
  real = 0.0;
  tail = nullptr;
  next.reset();
}

void TData::SetNull() { Clear(DataType::Null); }

void TData::SetInteger(int32_t value) {
  Clear(DataType::Integer);
  integer = value;
}

void TData::SetString(Text value) {
  // `value` may be this record's own text: take it before clearing.
  Text taken = std::move(value);
  Clear(DataType::String);
  text = std::move(taken);
}

void TData::SetReal(double value) {
  Clear(DataType::Real);
  real = value;
}

void TData::SetArray(ArrayInterface* array) {
  Clear(DataType::Array);
  object = array;
}

void TData::SetMatrix(MatrixInterface* matrix) {
  Clear(DataType::Matrix);
  object = matrix;
}

void TData::SetBitmap(void* bitmap) {
  Clear(DataType::Bitmap);
  object = bitmap;
}

void TData::SetBreak() { Clear(DataType::Break); }

TData TData::Value() const {
  TData d;
  d.type = type;
  d.integer = integer;
  d.object = object;
  d.text = text;
  d.real = real;
  return d;
}

int32_t TData::AsInteger() const {
  switch (type) {
    case DataType::Integer: return integer;
    case DataType::String: return TextToInteger(text);
    case DataType::Real: return RealToInteger(real);
    default: return 0;
  }
}

Text TData::AsString() const {
  switch (type) {
    case DataType::Integer: return IntegerToText(integer);
    case DataType::String: return text;
    case DataType::Real: return RealToText(real);
    default: return {};
  }
}

double TData::AsReal() const {
  switch (type) {
    case DataType::Integer: return integer;
    case DataType::String: return TextToReal(text);
    case DataType::Real: return real;
    default: return 0.0;
  }
}

int32_t TData::AsIndex() const {
  switch (type) {
    case DataType::Integer: return integer;
    case DataType::Real: return RealToInteger(real);
    case DataType::String: {
      int32_t value = TextToInteger(text);
      if (text.empty() || (value == 0 && text[0] != '0')) return -1;
      return value;
    }
    default: return -1;
  }
}

bool TData::IsTrue() const { return !(type == DataType::Integer && integer == 0); }

ArrayInterface* TData::AsArray() const {
  return type == DataType::Array ? static_cast<ArrayInterface*>(object) : nullptr;
}

MatrixInterface* TData::AsMatrix() const {
  return type == DataType::Matrix ? static_cast<MatrixInterface*>(object) : nullptr;
}

void AppendChain(TData& chain, const TData& value) {
  TData* last = &chain;
  while (last->next) last = last->next.get();
  for (const TData* v = &value; v && !v->IsNull(); v = v->next.get()) {
    if (last == &chain && chain.IsNull()) {
      chain = v->Value();
    } else {
      last->next = std::make_unique<TData>(v->Value());
      last = last->next.get();
    }
  }
}

int ChainLength(const TData& chain) {
  int n = 1;
  for (const TData* v = chain.next.get(); v; v = v->next.get()) ++n;
  return n;
}

namespace {

// Only ASCII letters fold: Cyrillic bytes compare as they are.
int CompareFolded(const Text& a, const Text& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

template <class T>
bool Ordered(const T& a, const T& b, int mode) {
  switch (mode) {
    case 0: return a == b;
    case 1: return a < b;
    case 2: return b < a;
    case 3: return a <= b;
    case 4: return a >= b;
    case 5: return a != b;
    default: return false;
  }
}

}  // namespace

bool Compare(const TData& a, const TData& b, int mode) {
  switch (a.type) {
    case DataType::Integer: return Ordered(a.integer, b.AsInteger(), mode);
    case DataType::Real: return Ordered(a.real, b.AsReal(), mode);
    case DataType::String: {
      Text other = b.AsString();
      if (mode == 0) return a.text == other;
      if (mode == 5) return a.text != other;
      return Ordered(CompareFolded(a.text, other), 0, mode);
    }
    case DataType::Null: return b.IsNull();
    default: return false;
  }
}

}  // namespace lumi

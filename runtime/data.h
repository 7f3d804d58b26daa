#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lumi {

struct TEl_Event;

// Texts are byte strings in Windows-1251, exactly as they travel on the wire and in
// the settings file. Only the ui backends and cp1251 ever see UTF-8.
using Text = std::string;

enum class DataType : uint8_t {
  Null = 0,
  Integer = 1,
  String = 2,
  Data = 3,
  Combo = 4,
  StrList = 5,
  Icon = 6,
  Real = 7,
  Color = 8,
  Script = 9,
  Stream = 10,
  Bitmap = 11,
  Wave = 12,
  Array = 13,
  ComboEx = 14,
  Font = 15,
  Matrix = 16,
  Jpeg = 17,
  Menu = 18,
  Code = 19,
  Object = 20,
  Break = 21,
};

inline constexpr int kDataTypeCount = 22;

// The type's own name, as kept in the table of 22 names ("NULL", "Integer", ...).
std::string_view DataTypeName(DataType type);

struct TData;

// What a list-like element hands out inside a TData of type Array. The element owns
// it; a TData only borrows it.
class ArrayInterface {
 public:
  virtual ~ArrayInterface() = default;
  virtual void Set(const TData& index, const TData& item);
  virtual bool Get(const TData& index, TData& item) = 0;
  virtual int32_t Count() = 0;
  virtual void Add(const TData& item);
};

// A two-dimensional table read by row and column; only the evaluator reads it.
class MatrixInterface {
 public:
  virtual ~MatrixInterface() = default;
  virtual TData Get(int32_t row, int32_t column) = 0;
};

// The value record carried by every event and every pull.
//
// A record may head a value chain: further values reached through `next`, owned by
// the record, so copying a record copies its chain and dropping it frees the chain.
// `tail` is the transient tail-call marker of the dispatcher: a record marked for a
// tail call has `tail` set; setters clear it, so a value at rest never carries one.
struct TData {
  DataType type = DataType::Null;
  int32_t integer = 0;
  void* object = nullptr;  // Array, Matrix, Bitmap, Stream: borrowed from an element
  Text text;
  double real = 0.0;
  const TEl_Event* tail = nullptr;
  std::unique_ptr<TData> next;

  TData() = default;
  TData(const TData& other);  // CopyData: every field, the chain included
  TData(TData&&) noexcept = default;
  TData& operator=(const TData& other);
  TData& operator=(TData&&) noexcept = default;
  ~TData();

  static TData Integer(int32_t value);
  static TData String(Text value);
  static TData Real(double value);
  static TData Break();

  void SetNull();
  void SetInteger(int32_t value);
  void SetString(Text value);
  void SetReal(double value);
  void SetArray(ArrayInterface* array);
  void SetMatrix(MatrixInterface* matrix);
  void SetBitmap(void* bitmap);
  void SetBreak();

  // The head value alone: tail marker and chain dropped.
  TData Value() const;

  bool IsNull() const { return type == DataType::Null; }
  bool IsBreak() const { return type == DataType::Break; }

  int32_t AsInteger() const;
  Text AsString() const;
  double AsReal() const;
  int32_t AsIndex() const;
  bool IsTrue() const;

  ArrayInterface* AsArray() const;
  MatrixInterface* AsMatrix() const;

 private:
  void Clear(DataType new_type);
};

// CopyData and CopyValue under the names the elements use.
inline void CopyData(TData& to, const TData& from) { to = from; }
inline void CopyValue(TData& to, const TData& from) { to = from.Value(); }

// Appends `value` and its own chain (up to the first NULL record) to `chain`; a NULL
// head of `chain` takes the first appended value itself.
void AppendChain(TData& chain, const TData& value);

// Number of values in a chain, counting the head.
int ChainLength(const TData& chain);

// Comparison modes: 0 =, 1 <, 2 >, 3 <=, 4 >=, 5 <>. The tag of `a` picks the kind of
// comparison and `b` is converted to it.
bool Compare(const TData& a, const TData& b, int mode);

}  // namespace lumi

#pragma once

#include <cstdint>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi::test {

// Records every value that reaches it, in order, and optionally ends with a tail call
// to its own OnNext (to build chains).
class Probe : public TElement {
 public:
  std::vector<TData> received;
  std::vector<uint16_t> indices;
  TEl_Event OnNext;
  bool tail_to_next = false;

  void Take(TData& data, uint16_t index) {
    received.push_back(data);
    indices.push_back(index);
    if (tail_to_next) MarkTail(data, OnNext);
  }

  const TData& Last() const { return received.back(); }
  size_t Count() const { return received.size(); }
};

// Answers pulls with a fixed value, counting how often it was asked.
class Source : public TElement {
 public:
  TData value;
  int reads = 0;

  explicit Source(TData v = {}) : value(std::move(v)) {}

  void Out(TData& result, uint16_t) {
    ++reads;
    result = value;
  }
};

inline TEl_Event ToProbe(Probe* probe, uint16_t index = 0) { return Link<&Probe::Take>(probe, index); }
inline TEl_Event FromSource(Source* source) { return Link<&Source::Out>(source); }

// A value chain built from the given values, in order.
TData Chain(std::initializer_list<TData> values);

inline TData Int(int32_t v) { return TData::Integer(v); }
inline TData Str(const char* v) { return TData::String(v); }

// Calls an action point through the dispatcher, so tail calls run as in a scheme.
template <auto Method>
void Call(typename HandlerOf<Method>::Class* element, TData& data, uint16_t index = 0) {
  Fire(Link<Method>(element, index), data);
}

}  // namespace lumi::test

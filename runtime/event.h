#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "runtime/data.h"

namespace lumi {

// One signature for action handlers and value providers alike.
using Handler = void (*)(void* target, TData& data, uint16_t index);

// A point: an event point (an element's outgoing call) or a data point (an input it
// pulls). All-empty until linked.
struct TEl_Event {
  Handler handler = nullptr;
  void* target = nullptr;
  uint16_t index = 0;

  bool IsLinked() const { return handler != nullptr; }
};

// A point that exists several times (`OnPass[j]`). Containers size it once and link
// into it by index; an index past the end is a wiring fault of the container and
// throws there. Elements fire through Get, which answers an unlinked point instead.
class EventArray {
 public:
  void Resize(size_t count) { points_.resize(count); }
  size_t Count() const { return points_.size(); }

  TEl_Event& operator[](size_t i) {
    if (i >= points_.size()) throw std::out_of_range("point index past the end");
    return points_[i];
  }
  const TEl_Event& Get(size_t i) const {
    static const TEl_Event kUnlinked;
    return i < points_.size() ? points_[i] : kUnlinked;
  }

 private:
  std::vector<TEl_Event> points_;
};

// Turns a member `void C::M(TData&, uint16_t)` into a plain Handler, so a hop through
// a point stays one indirect call.
template <auto Method>
struct HandlerOf;

template <class C, void (C::*Method)(TData&, uint16_t)>
struct HandlerOf<Method> {
  using Class = C;
  static void Call(void* target, TData& data, uint16_t index) {
    (static_cast<C*>(target)->*Method)(data, index);
  }
};

inline TEl_Event Link(Handler handler, void* target, uint16_t index = 0) {
  return TEl_Event{handler, target, index};
}

// Link<&TElMemory::Store>(memory): the point calls memory->Store(data, 0).
template <auto Method>
TEl_Event Link(typename HandlerOf<Method>::Class* target, uint16_t index = 0) {
  return TEl_Event{&HandlerOf<Method>::Call, target, index};
}

// ---- The two dispatchers -------------------------------------------------------

namespace dispatch_detail {
extern bool g_enabled;
}

// Both dispatchers do nothing until the main form starts and again after it closes:
// events fired then are dropped, pulls through linked points answer NULL.
inline bool DispatchersEnabled() { return dispatch_detail::g_enabled; }
void EnableDispatchers();
void DisableDispatchers();

// The event dispatcher. A handler that ends with a tail call leaves the record marked
// for the next point; the loop follows the marks, so a chain of any length runs at
// constant stack depth.
inline void Dispatch(const TEl_Event& point, TData& data) {
  if (!dispatch_detail::g_enabled) return;
  const TEl_Event* p = &point;
  while (p->handler != nullptr) {
    p->handler(p->target, data, p->index);
    p = data.tail;
    if (p == nullptr) return;
    data.tail = nullptr;
  }
}

// The read dispatcher: one call, no tail loop.
inline void Read(const TEl_Event& point, TData& result) {
  if (!dispatch_detail::g_enabled || point.handler == nullptr) return;
  point.handler(point.target, result, point.index);
}

// ---- Firing --------------------------------------------------------------------

inline void Fire(const TEl_Event& point, TData& data) { Dispatch(point, data); }
void FireCopy(const TEl_Event& point, const TData& data);
void FireNull(const TEl_Event& point);
void FireInteger(const TEl_Event& point, int32_t value);
void FireString(const TEl_Event& point, const Text& value);
void FireReal(const TEl_Event& point, double value);

// ---- Tail calls: set on the record a handler was given; the dispatcher calls the
// point once the handler has returned. ---------------------------------------------

inline void MarkTail(TData& record, const TEl_Event& point) { record.tail = &point; }
void TailData(TData& record, const TEl_Event& point, const TData& value);
void TailInteger(TData& record, const TEl_Event& point, int32_t value);
void TailString(TData& record, const TEl_Event& point, const Text& value);
void TailReal(TData& record, const TEl_Event& point, double value);
void TailNull(TData& record, const TEl_Event& point);

// ---- Pulls ---------------------------------------------------------------------
//
// A linked point answers through its provider. An unlinked point, or one whose
// provider answers Break, falls back to the default when one is given (not NULL, not
// 0, not empty, not 0.0), else consumes the head of the incoming value chain.

TData PullData(TData& incoming, const TEl_Event& point, const TData* fallback = nullptr);
int32_t PullInteger(TData& incoming, const TEl_Event& point, int32_t fallback);
Text PullString(TData& incoming, const TEl_Event& point, const Text& fallback);
double PullReal(TData& incoming, const TEl_Event& point, double fallback);
ArrayInterface* PullArray(const TEl_Event& point);
MatrixInterface* PullMatrix(const TEl_Event& point);
void PullRaw(TData& result, const TEl_Event& point);  // Break when unlinked
TData PopValue(TData& incoming);
int32_t PullIntegerRaw(const TEl_Event& point);

// ---- Deferred start-up ---------------------------------------------------------

using InitMethod = void (*)(void* element);

template <auto Method>
struct InitOf;

template <class C, void (C::*Method)()>
struct InitOf<Method> {
  using Class = C;
  static void Call(void* element) { (static_cast<C*>(element)->*Method)(); }
};

void RegisterInit(InitMethod method, void* element);

template <auto Method>
void RegisterInit(typename InitOf<Method>::Class* element) {
  RegisterInit(&InitOf<Method>::Call, element);
}

// Runs every registered entry in order, empties the list, sets the started flag.
void RunInits();
bool IsStarted();
void SetStarted(bool started);

// Back to the state before construction: dispatchers off, list empty, not started.
void ResetRuntime();

}  // namespace lumi

#include "runtime/event.h"

#include <utility>

namespace lumi {

namespace dispatch_detail {
bool g_enabled = false;
}

namespace {

struct InitEntry {
  InitMethod method;
  void* element;
};

std::vector<InitEntry>& InitList() {
  static std::vector<InitEntry> list;
  return list;
}

bool g_started = false;

// Drops the head of a chain: the record becomes its second value, or NULL.
void Shift(TData& incoming) {
  if (incoming.next) {
    std::unique_ptr<TData> rest = std::move(incoming.next);
    incoming = std::move(*rest);
  } else {
    incoming.SetNull();
  }
}

TData TakeHead(TData& incoming) {
  TData head = incoming.Value();
  Shift(incoming);
  return head;
}

// Step 1 of every pull: ask the provider. Answers false when the reader must fall
// back (unlinked, or the provider said Break).
bool Ask(const TEl_Event& point, TData& answer) {
  if (!point.IsLinked()) return false;
  Read(point, answer);
  if (answer.IsBreak()) return false;
  answer.next.reset();
  answer.tail = nullptr;
  return true;
}

}  // namespace

void EnableDispatchers() { dispatch_detail::g_enabled = true; }
void DisableDispatchers() { dispatch_detail::g_enabled = false; }

void FireCopy(const TEl_Event& point, const TData& data) {
  if (!point.IsLinked() || !DispatchersEnabled()) return;
  TData copy(data);
  Dispatch(point, copy);
}

void FireNull(const TEl_Event& point) {
  if (!point.IsLinked() || !DispatchersEnabled()) return;
  TData d;
  Dispatch(point, d);
}

void FireInteger(const TEl_Event& point, int32_t value) {
  if (!point.IsLinked() || !DispatchersEnabled()) return;
  TData d;
  d.type = DataType::Integer;
  d.integer = value;
  Dispatch(point, d);
}

void FireString(const TEl_Event& point, const Text& value) {
  if (!point.IsLinked() || !DispatchersEnabled()) return;
  TData d = TData::String(value);
  Dispatch(point, d);
}

void FireReal(const TEl_Event& point, double value) {
  if (!point.IsLinked() || !DispatchersEnabled()) return;
  TData d = TData::Real(value);
  Dispatch(point, d);
}

void TailData(TData& record, const TEl_Event& point, const TData& value) {
  record = value;
  record.tail = &point;
}

void TailInteger(TData& record, const TEl_Event& point, int32_t value) {
  record.SetInteger(value);
  record.tail = &point;
}

void TailString(TData& record, const TEl_Event& point, const Text& value) {
  record.SetString(value);
  record.tail = &point;
}

void TailReal(TData& record, const TEl_Event& point, double value) {
  record.SetReal(value);
  record.tail = &point;
}

void TailNull(TData& record, const TEl_Event& point) {
  // NULL, with the chain left as it is.
  std::unique_ptr<TData> chain = std::move(record.next);
  record.SetNull();
  record.next = std::move(chain);
  record.tail = &point;
}

TData PullData(TData& incoming, const TEl_Event& point, const TData* fallback) {
  TData answer;
  if (Ask(point, answer)) return answer;
  if (fallback != nullptr && !fallback->IsNull()) return fallback->Value();
  return TakeHead(incoming);
}

int32_t PullInteger(TData& incoming, const TEl_Event& point, int32_t fallback) {
  TData answer;
  if (Ask(point, answer)) return answer.AsInteger();
  if (fallback != 0) return fallback;
  return TakeHead(incoming).AsInteger();
}

Text PullString(TData& incoming, const TEl_Event& point, const Text& fallback) {
  TData answer;
  if (Ask(point, answer)) return answer.AsString();
  if (!fallback.empty()) return fallback;
  return TakeHead(incoming).AsString();
}

double PullReal(TData& incoming, const TEl_Event& point, double fallback) {
  TData answer;
  if (Ask(point, answer)) return answer.AsReal();
  if (fallback != 0.0) return fallback;
  return TakeHead(incoming).AsReal();
}

void PullRaw(TData& result, const TEl_Event& point) {
  if (!point.IsLinked()) {
    result.SetBreak();
    return;
  }
  Read(point, result);
}

ArrayInterface* PullArray(const TEl_Event& point) {
  TData answer;
  PullRaw(answer, point);
  return answer.AsArray();
}

MatrixInterface* PullMatrix(const TEl_Event& point) {
  TData answer;
  PullRaw(answer, point);
  return answer.AsMatrix();
}

TData PopValue(TData& incoming) { return TakeHead(incoming); }

int32_t PullIntegerRaw(const TEl_Event& point) {
  TData answer;
  Read(point, answer);
  return answer.AsInteger();
}

void RegisterInit(InitMethod method, void* element) { InitList().push_back({method, element}); }

void RunInits() {
  // An entry may build a nested scheme whose elements register entries of their own:
  // take the list first, and run what they add after it.
  while (!InitList().empty()) {
    std::vector<InitEntry> entries = std::move(InitList());
    InitList().clear();
    for (const InitEntry& e : entries) e.method(e.element);
  }
  g_started = true;
}

bool IsStarted() { return g_started; }
void SetStarted(bool started) { g_started = started; }

void ResetRuntime() {
  DisableDispatchers();
  InitList().clear();
  g_started = false;
}

}  // namespace lumi

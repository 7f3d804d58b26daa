#include "runtime/multi_element.h"

#include "runtime/edit_multi.h"

namespace lumi {

TElMultiElement::~TElMultiElement() {
  // The nested scheme goes before this element, and before everything created
  // earlier in the outer scheme.
  nested_.reset();
}

void TElMultiElement::SetCreator(Creator creator) {
  creator_ = std::move(creator);
  if (!CreateOnDemand) Attach();
}

void TElMultiElement::Attach() {
  if (inner_ != nullptr || !creator_) return;
  // Elements of a scheme built after start register start-up entries; run them now.
  const bool was_started = IsStarted();
  SetStarted(false);
  nested_ = creator_(parent);
  inner_ = nested_ ? nested_->EditMulti() : nullptr;
  if (inner_ != nullptr) inner_->outer = this;
  if (was_started) RunInits();
}

void TElMultiElement::Work(TData& data, uint16_t index) {
  Attach();
  if (inner_ != nullptr) Fire(inner_->OnWork.Get(index), data);
}

void TElMultiElement::OutVar(TData& result, uint16_t index) {
  Attach();
  if (inner_ != nullptr) {
    PullRaw(result, inner_->InVar.Get(index));
  } else {
    result.SetBreak();
  }
}

}  // namespace lumi

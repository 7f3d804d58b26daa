#pragma once

#include <cstdint>
#include <memory>

#include "runtime/container.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

class TElEditMulti;

// The outer side of a nested scheme: its action points Work[i] and value points
// OutVar[i] lead into the scheme, its OnEvent[i] and InData[i] lead out of it.
class TElMultiElement : public TElement {
 public:
  TElement* parent = nullptr;
  bool CreateOnDemand = false;
  EventArray OnEvent;
  EventArray InData;

  ~TElMultiElement() override;

  // With CreateOnDemand false the nested scheme is built here and now.
  void SetCreator(Creator creator);

  void Work(TData& data, uint16_t index);
  void OutVar(TData& result, uint16_t index);

  TElEditMulti* Inner() const { return inner_; }

 private:
  void Attach();

  Creator creator_;
  std::unique_ptr<Container> nested_;
  TElEditMulti* inner_ = nullptr;
};

}  // namespace lumi

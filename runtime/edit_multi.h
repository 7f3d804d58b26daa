#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

class Container;
class TElMultiElement;

// The inner side of a nested scheme. The nested scheme links OnWork[i] to what its
// action point i does and InVar[i] to what its value point i answers; it calls
// Raise[i] to signal the outer scheme and pulls OutData[i] to read from it.
class TElEditMulti : public TElement {
 public:
  TElMultiElement* outer = nullptr;
  Container* container = nullptr;
  EventArray OnWork;
  EventArray InVar;

  void Raise(TData& data, uint16_t index);
  void OutData(TData& result, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Sends a value of its own on every Send, whatever came with the event.
class TElDoData : public TElement {
 public:
  TData Data;
  TEl_Event OnSend;
  TEl_Event InData;

  void Send(TData& data, uint16_t index);
};

}  // namespace lumi

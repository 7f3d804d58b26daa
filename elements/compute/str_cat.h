#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Joins two texts.
class TElStrCat : public TElement {
 public:
  Text Str1;  // default of InStr1
  Text Str2;  // default of InStr2
  TEl_Event InStr1;
  TEl_Event InStr2;
  TEl_Event OnConcat;

  // Pulls InStr1 before InStr2, so two incoming values fill them in that order.
  void Concat(TData& data, uint16_t index);

  const Text& Result() const { return result_; }

 private:
  Text result_;
};

}  // namespace lumi

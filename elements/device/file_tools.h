#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Whether a file exists.
class TElFileTools : public TElement {
 public:
  TEl_Event InFileName;
  TEl_Event OnExists;

  // Fires OnExists with 1 for an existing file that is not a folder, else 0 (an empty
  // name included).
  void FileExists(TData& data, uint16_t index);
};

}  // namespace lumi

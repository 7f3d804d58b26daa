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
  TEl_Event OnKind;

  // Fires OnExists with 1 for an existing file that is not a folder, else 0 (an empty
  // name included).
  void FileExists(TData& data, uint16_t index);
  // Fires OnKind with what is there: 0 nothing, 1 a file this program can read, 2 a
  // folder, 3 something that is no plain file (a FIFO, a device), 4 a file it may not
  // read.
  void Kind(TData& data, uint16_t index);
};

}  // namespace lumi

#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Splits a file path into folder, name and extension.
//
// The folder ends at the last "/" or "\", or at the colon of a drive ("C:app.exe"). A
// colon elsewhere belongs to the name, as Linux file names may hold one. The extension
// runs from the last dot of the name on; a name that starts with its only dot (".profile")
// or is nothing but dots has none.
class TElFilePart : public TElement {
 public:
  bool ExtWithoutDot = false;
  bool NameWithExt = false;
  TEl_Event InFileName;
  TEl_Event OnExt;
  TEl_Event OnName;
  TEl_Event OnPath;

  // Fires OnPath (with its final separator), OnName, OnExt in this order; an empty path
  // fires nothing.
  void Split(TData& data, uint16_t index);
};

}  // namespace lumi

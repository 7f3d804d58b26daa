#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "runtime/element.h"
#include "runtime/event.h"

namespace lumi {

// Reads, writes and deletes one registry value.
//
// `DataType` picks the kind of value: 0 integer (a DWord), 1 string, 2 real (8 bytes,
// binary), 3 stream (binary; a Stream record whose text holds the bytes and whose
// object is this element's own copy of them). A `Root` past the table or a `DataType`
// past the list names nothing: reads find nothing, writes fail.
class TElRegistry : public TElement {
 public:
  uint8_t Root = 0;
  Text Key;
  Text ValueName;  // empty: the key's default value
  uint8_t DataType = 0;
  bool OnlyExisting = false;
  Text Default;  // what Write stores when InValue gives nothing
  TEl_Event InValue;
  TEl_Event InKey;
  TEl_Event InValueName;
  TEl_Event OnValue;

  // Fires OnValue with the value, NULL when it is missing (no event at all then when
  // OnlyExisting).
  void Read(TData& data, uint16_t index);
  // A store that refuses the value is reported once through DebugMessage.
  void Write(TData& data, uint16_t index);
  // A missing key or value is no failure.
  void Delete(TData& data, uint16_t index);
  // The value as it is now, NULL when missing.
  void OutValue(TData& result, uint16_t index);

 private:
  // The value named by the pulls, or NULL; `found` tells a missing value apart.
  TData Query(TData& incoming, bool& found);

  Text stream_;
};

}  // namespace lumi
